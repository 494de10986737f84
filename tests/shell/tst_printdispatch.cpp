// "打印": the step of the active page, the marker cleared on every path, number formats.
#include "FakeServices.h"
#include "TempProgramFolder.h"

#include "platform/report/ReportEngine.h"
#include "shell/PrintDispatch.h"
#include "store/DMOrvane.h"
#include "store/General.h"

#include <QDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestPrintDispatch : public QObject {
    Q_OBJECT
    std::unique_ptr<fake::Services> m_services;
    std::unique_ptr<testing::TempProgramFolder> m_folder;
    std::unique_ptr<store::TDMOrvane> m_dm;
    std::unique_ptr<report::ReportEngine> m_engine;
    std::unique_ptr<shell::PrintDispatch> m_dispatch;
    QStringList m_previews; // rendered HTML of each preview shown

private slots:
    void init()
    {
        m_services = std::make_unique<fake::Services>();
        m_folder = std::make_unique<testing::TempProgramFolder>();
        crm::AppPath = m_folder->appPath();
        crm::AccessoryRoot = crm::AppPath + u"Accessory/"_s;
        QDir(m_folder->dataPath()).mkpath(u"Report"_s);
        QFile tpl(m_folder->dataPath() + u"/Report/CustList.frf"_s);
        QVERIFY(tpl.open(QIODevice::WriteOnly));
        tpl.write("<h1>客户列表</h1>{{#rows}}<p>{{No}} {{CustName_S}} {{SumGoalAmount}}</p>{{/rows}}");
        tpl.close();
        m_dm = std::make_unique<store::TDMOrvane>();
        m_engine = std::make_unique<report::ReportEngine>();
        m_dispatch = std::make_unique<shell::PrintDispatch>(*m_engine);
        shell::installDataModuleSteps(*m_dispatch, *m_dm);
        m_previews.clear();
        report::ReportEngine::setPreviewHook([this](report::ReportEngine &e, report::PreparedReport &) {
            QCOMPARE(crm::PrintMode, u"打印"_s); // scroll hooks stay quiet while the report runs
            m_previews << e.renderHtml();
        });
    }
    void cleanup()
    {
        report::ReportEngine::setPreviewHook({});
        m_dispatch.reset();
        m_engine.reset();
        m_dm.reset();
        m_folder.reset();
        m_services.reset();
    }

    void customerListPrintsItsRows()
    {
        m_folder->exec(u"INSERT INTO TempCustList (No, CustName_S, SumGoalAmount) VALUES (1, '华信', 150000), (2, '东方', 0)"_s);
        m_dm->tlbCustList->open();
        m_dispatch->print(u"dxTSCustList"_s);
        QCOMPARE(m_previews.size(), 1);
        QVERIFY2(m_previews[0].contains(u"1 华信 ￥150,000"_s), qPrintable(m_previews[0]));
        QVERIFY(m_previews[0].contains(u"2 东方 ￥0"_s));
        QVERIFY(crm::PrintMode.isEmpty());
    }

    void customerPageWithoutCustomerPrintsNothingAndClearsTheMarker()
    {
        m_dispatch->print(u"dxTSCust"_s); // tlbCust closed
        QVERIFY(m_previews.isEmpty());
        QVERIFY(crm::PrintMode.isEmpty());
    }

    void failingStepStillClearsTheMarker()
    {
        m_dispatch->setStep(u"dxTSValue"_s, [](report::ReportEngine &) { throw std::runtime_error("boom"); });
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, m_dispatch->print(u"dxTSValue"_s));
        QVERIFY(crm::PrintMode.isEmpty());
    }

    void pagesWithoutStepPrintNothing()
    {
        m_dispatch->print(u"dxTSOperate"_s);
        m_dispatch->print(u"dxTSFinancialC"_s);
        QVERIFY(m_previews.isEmpty());
    }

    void missingTemplateGivesAnEmptyPreview()
    {
        QFile::remove(m_folder->dataPath() + u"/Report/CustList.frf"_s);
        m_dm->tlbCustList->open();
        m_dispatch->print(u"dxTSCustList"_s);
        QCOMPARE(m_previews, QStringList{QString()});
    }

    void financeVariables()
    {
        std::array<shell::FinanceEntry, 5> figures{};
        figures[0] = {150000, 50000, 100000, 0};
        figures[1] = {123456.78, 0, 0, 0.1234};
        shell::setFinanceVariables(*m_engine, 2024, figures);
        QCOMPARE(m_engine->variableText(u"YearIn"_s), u"15.00"_s);
        QCOMPARE(m_engine->variableText(u"YearRatio"_s), u"0.00%"_s);
        QCOMPARE(m_engine->variableText(u"Q1In"_s), u"12.35"_s);
        QCOMPARE(m_engine->variableText(u"Q1Ratio"_s), u"12.34%"_s);
        QCOMPARE(m_engine->variableText(u"CurYear"_s), u"2024"_s);
    }

    void businessListTemplateByChoice()
    {
        QCOMPARE(shell::operateListTemplate(u"未完成业务"_s), u"\\data\\Report\\OperateListIsEndOn.frf"_s);
        QVERIFY(shell::operateListTemplate(u"别的"_s).isEmpty());
    }
};

QTEST_MAIN(TestPrintDispatch)
#include "tst_printdispatch.moc"
