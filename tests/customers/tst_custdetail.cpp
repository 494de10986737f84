// The customer and contact detail windows: checks, saves (a refused post is now reported),
// custom captions, printing, closing without saving, the Enter chain.
#include "CustomerFixture.h"

#include "attachments/TfrmGetFiles.h"
#include "business/TfrmMemo.h"
#include "customers/TfrmLinkmanDetail.h"
#include "customers/TfrmNewCust.h"
#include "customers/Tfrmcustdetail.h"
#include "platform/report/ReportEngine.h"
#include "platform/system/TextFormat.h"
#include "platform/widgets/DBDateEdit.h"
#include "platform/widgets/DBEdit.h"
#include "platform/widgets/DBHyperLinkEdit.h"
#include "platform/widgets/DBLookupCombo.h"
#include "platform/widgets/DBMemo.h"

#include <QLabel>
#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace customers_test;
using customers::TfrmLinkmanDetail;
using customers::Tfrmcustdetail;

namespace {

// What the last print handed to the report engine.
struct PrintCapture
{
    PrintCapture()
    {
        report::ReportEngine::setPreviewHook([this](report::ReportEngine &engine, report::PreparedReport &) {
            ++prints;
            dataset = engine.dataset();
            templatePath = engine.templatePath();
            html = engine.renderHtml();
            for (const QString &name : engine.variableNames())
                variables.insert(name.toLower(), engine.variableText(name));
        });
    }
    ~PrintCapture() { report::ReportEngine::setPreviewHook(nullptr); }

    int prints = 0;
    db::Dataset *dataset = nullptr;
    QString templatePath;
    QString html;
    QHash<QString, QString> variables;
};

// Installs the program's report template into the test's program folder, under a name in
// other letter case (the print finds it all the same).
void installTemplate(const QString &name, const QString &asName)
{
    const QString source = QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + u"/../../resources/data/Report/"_s + name;
    QVERIFY2(QFileInfo::exists(source), qPrintable(source));
    QDir().mkpath(crm::AppPath + u"data/Report"_s);
    QVERIFY(QFile::copy(source, crm::AppPath + u"data/Report/"_s + asName));
}

} // namespace

class TestCustDetail : public QObject
{
    Q_OBJECT
    std::unique_ptr<CustomerFixture> f;

    db::Table &cust() const { return *f->dm->tlbCust; }
    db::Table &contacts() const { return *f->dm->tlbLinkman; }

    void openCustomer(const QString &shortName)
    {
        cust().open();
        QVERIFY(cust().locate(u"CustName_S"_s, shortName));
        contacts().open();
    }
    std::unique_ptr<Tfrmcustdetail> openDetail()
    {
        auto detail = std::make_unique<Tfrmcustdetail>(f->dm.get());
        showActive(detail.get());
        return detail;
    }

private slots:
    void init() { f = std::make_unique<CustomerFixture>(); }
    void cleanup() { f.reset(); }

    // Only the first empty box, in the order district, short name, level, is reported.
    void requiredBoxes_data()
    {
        QTest::addColumn<QString>("district");
        QTest::addColumn<QString>("shortName");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focused");
        QTest::newRow("all empty") << "" << "" << "" << u"请输入客户区域！"_s << "dxDBLookupEdit2";
        QTest::newRow("district only") << u"华东"_s << "" << "" << u"请输入客户简称！"_s << "dxDBEditCustN_S";
        QTest::newRow("level missing") << u"华东"_s << u"华信"_s << "" << u"请输入客户级别！"_s << "dxDBLookupEdit1";
        QTest::newRow("district missing") << "" << u"华信"_s << u"A级"_s << u"请输入客户区域！"_s << "dxDBLookupEdit2";
        QTest::newRow("short name missing") << u"华东"_s << "" << u"A级"_s << u"请输入客户简称！"_s << "dxDBEditCustN_S";
    }
    void requiredBoxes()
    {
        QFETCH(QString, district);
        QFETCH(QString, shortName);
        QFETCH(QString, level);
        QFETCH(QString, message);
        QFETCH(QString, focused);
        cust().open();
        cust().append();
        auto detail = openDetail();
        if (!shortName.isEmpty())
            typeInto(detail->dxDBEditCustN_S, shortName);
        if (!level.isEmpty())
            choose(detail->dxDBLookupEdit1, level);
        if (!district.isEmpty())
            choose(detail->dxDBLookupEdit2, district);
        click(detail->BitBtn6);
        f->expectWarning(message);
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), focused);
        QVERIFY(detail->isVisible());
        QCOMPARE(f->count(u"Customers"_s), 0);
        QVERIFY(f->services.sound.played.isEmpty());
    }

    void savesANewCustomerDatedTheDayOfTheSave()
    {
        cust().open();
        cust().append();
        auto detail = openDetail();
        QTRY_VERIFY(detail->dxDBCustNO->hasFocus());
        QSignalSpy saved(detail.get(), &Tfrmcustdetail::customerSaved);
        f->services.clock.current = QDateTime(QDate(2024, 5, 20), QTime(16, 0));
        typeInto(detail->dxDBEditCustN_S, u"华信"_s);
        typeInto(detail->dxDBEditCustName_A, u"北京华信广告有限公司"_s);
        choose(detail->dxDBLookupEdit1, u"A级"_s);
        choose(detail->dxDBLookupEdit2, u"华东"_s);
        choose(detail->dxDBLookupEdit4, u"广告"_s);
        typeInto(detail->dxDBEdit6, u"工商银行海淀支行"_s);
        click(detail->BitBtn6);

        QVERIFY(f->messageTexts().isEmpty());
        QCOMPARE(f->custValue(u"华信"_s, u"CreateTime"_s).toString(), u"2024-05-20"_s);
        QCOMPARE(f->custValue(u"华信"_s, u"CustName_A"_s).toString(), u"北京华信广告有限公司"_s);
        QCOMPARE(f->custValue(u"华信"_s, u"CustVocation"_s).toString(), u"广告"_s);
        QCOMPARE(f->custValue(u"华信"_s, u"Bank"_s).toString(), u"工商银行海淀支行"_s);
        QCOMPARE(f->custValue(u"华信"_s, u"AccessoryPath"_s).toString(), u"华信"_s);
        QVERIFY(QFileInfo(crm::AccessoryRoot + u"华信"_s).isDir());
        QCOMPARE(f->services.sound.played, QStringList{crm::AppPath + u"data/SaveWav.wav"_s});
        QCOMPARE(f->panelFolder, crm::AccessoryRoot + u"华信"_s);
        QCOMPARE(saved.count(), 1);
        QVERIFY(!detail->isVisible());
        QCOMPARE(detail->result(), int(QDialog::Accepted));
    }

    void renamingKeepsTheDateAndMakesANewFolder()
    {
        f->addCustomer(u"华信"_s, u"2023-03-08"_s);
        QDir().mkpath(crm::AccessoryRoot + u"华信"_s);
        openCustomer(u"华信"_s);
        auto detail = openDetail();
        detail->dxDBEditCustN_S->selectAll();
        typeInto(detail->dxDBEditCustN_S, u"华信传媒"_s);
        click(detail->BitBtn6);
        QCOMPARE(f->custValue(u"华信传媒"_s, u"CreateTime"_s).toString(), u"2023-03-08"_s);
        QCOMPARE(f->custValue(u"华信传媒"_s, u"AccessoryPath"_s).toString(), u"华信传媒"_s);
        QVERIFY(QFileInfo(crm::AccessoryRoot + u"华信传媒"_s).isDir());
        QVERIFY(QFileInfo(crm::AccessoryRoot + u"华信"_s).isDir()); // the old folder stays
    }

    // The post refused by the database is reported and nothing pretends it was saved.
    void aRefusedPostIsReportedAndTheWindowStays()
    {
        f->addCustomer(u"华信"_s);
        f->folder.exec(u"CREATE TRIGGER refuse BEFORE UPDATE ON Customers BEGIN SELECT RAISE(ABORT, '数据库拒绝保存'); END"_s);
        openCustomer(u"华信"_s);
        f->panelFolder.clear();
        auto detail = openDetail();
        QSignalSpy saved(detail.get(), &Tfrmcustdetail::customerSaved);
        typeInto(detail->dxDBEditCustName_A, u"北京华信广告有限公司"_s);
        click(detail->BitBtn6);

        QCOMPARE(f->services.messages.shown.size(), 1);
        const fake::ShownMessage &shown = f->services.messages.shown.first();
        QVERIFY2(shown.text.contains(u"数据库拒绝保存"_s), qPrintable(shown.text));
        QCOMPARE(shown.title, u"系统提示"_s);
        QCOMPARE(shown.icon, sys::Icon::Critical);
        QVERIFY(detail->isVisible());
        QCOMPARE(cust().state(), db::State::Edit);
        QCOMPARE(detail->dxDBEditCustName_A->text(), u"北京华信广告有限公司"_s);
        QCOMPARE(saved.count(), 0);
        QVERIFY(f->services.sound.played.isEmpty());
        QVERIFY(f->panelFolder.isEmpty());
        QVERIFY(f->custValue(u"华信"_s, u"CustName_A"_s).isNull());
    }

    void customCaptions_data()
    {
        QTest::addColumn<QString>("insert");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("no settings row") << QString() << QStringList{u"自定义1"_s, u"自定义2"_s, u"自定义3"_s};
        QTest::newRow("second only") << u"INSERT INTO tblCustomSet(CustomName1, CustomName2) VALUES ('', '客户来源')"_s
                                     << QStringList{u"自定义1"_s, u"客户来源"_s, u"自定义3"_s};
        QTest::newRow("all three")
            << u"INSERT INTO tblCustomSet VALUES ('微信号', '客户来源', '结算方式')"_s
            << QStringList{u"微信号"_s, u"客户来源"_s, u"结算方式"_s};
    }
    void customCaptions()
    {
        QFETCH(QString, insert);
        QFETCH(QStringList, captions);
        if (!insert.isEmpty())
            f->folder.exec(insert);
        f->addCustomer(u"华信"_s);
        openCustomer(u"华信"_s);
        installTemplate(u"CustDetail.frf"_s, u"custdetail.FRF"_s);
        auto detail = openDetail();
        QCOMPARE((QStringList{detail->Label14->text(), detail->Label15->text(), detail->Label17->text()}), captions);
        QVERIFY(!f->dm->tlbCustomSet->isActive());

        PrintCapture print;
        click(detail->BitBtn2);
        QCOMPARE(print.prints, 1);
        QCOMPARE(print.dataset, f->dm->tlbCust);
        QCOMPARE(print.variables.value(u"customname1"_s), captions[0]);
        QCOMPARE(print.variables.value(u"customname2"_s), captions[1]);
        QCOMPARE(print.variables.value(u"customname3"_s), captions[2]);
        for (const QString &caption : captions)
            QVERIFY2(print.html.contains(caption), qPrintable(caption));
        QVERIFY(print.html.contains(u"华信"_s));
    }

    void closingWithoutSavingLeavesTheEditsPending()
    {
        f->addCustomer(u"华信"_s);
        customers::TfrmNewCust page(f->dm.get());
        showActive(&page);
        openCustomer(u"华信"_s);
        auto detail = openDetail();
        typeInto(detail->dxDBEditAddress, u"上海市徐汇区漕溪北路88号"_s);
        focus(detail->dxDBEditCustName_A);
        typeInto(detail->dxDBEditCustName_A, u"上海华信"_s); // still in the box when the window closes
        detail->close();
        QVERIFY(!detail->isVisible());
        showActive(&page);
        QCOMPARE(cust().state(), db::State::Edit);
        QCOMPARE(page.dxDBEditAddress->text(), u"上海市徐汇区漕溪北路88号"_s);
        QCOMPARE(cust().field(u"CustName_A"_s).asString(), u"上海华信"_s);
        QVERIFY(f->custValue(u"华信"_s, u"Address"_s).isNull());

        // The page's save writes them.
        click(page.FbtnSaveCust);
        QCOMPARE(f->custValue(u"华信"_s, u"Address"_s).toString(), u"上海市徐汇区漕溪北路88号"_s);
        QCOMPARE(f->custValue(u"华信"_s, u"CustName_A"_s).toString(), u"上海华信"_s);
    }

    // The data module copies the page's memo into every customer post: with the page showing,
    // a memo edited in the detail window is what gets stored.
    void detailMemoIsSavedWithThePageShowing()
    {
        f->addCustomer(u"华信"_s);
        f->folder.exec(u"UPDATE Customers SET CustMemo = '老客户'"_s);
        customers::TfrmNewCust page(f->dm.get());
        openCustomer(u"华信"_s);
        auto detail = openDetail();
        focus(detail->dxMemoCust);
        detail->dxMemoCust->moveCursor(QTextCursor::End);
        typeInto(detail->dxMemoCust, u"，年底续约"_s);
        click(detail->FbtnAddTime);
        click(detail->BitBtn6);
        const QString stamp = u"2024/5/15 "_s + sys::longTime(QTime(10, 30));
        QCOMPARE(f->custValue(u"华信"_s, u"CustMemo"_s).toString(), u"老客户，年底续约\n"_s + stamp);
        QCOMPARE(page.dxMemoCust->text(), u"老客户，年底续约\n"_s + stamp);
    }

    void enterMovesAlongTheChain_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("short name") << "dxDBEditCustN_S" << "dxDBEditCustName_A";
        QTest::newRow("licence") << "dxDBEditLicense" << "dxDBLookupEdit1";
        QTest::newRow("district") << "dxDBLookupEdit2" << "dxDBEditAddress";
        QTest::newRow("phone 2") << "dxDBEditPhone2" << "dxDBHLEdtMail";
        QTest::newRow("e-mail") << "dxDBHLEdtMail" << "dxDBLookupEdit3";
        QTest::newRow("home page") << "dxDBHLEdtHomePage" << "dxDBLookupEdit4";
        QTest::newRow("vocation") << "dxDBLookupEdit4" << "dxDBEdit4";
        QTest::newRow("general manager") << "dxDBEdit5" << "dxDBEditCustom1";
        QTest::newRow("custom 3") << "dxDBEditCustom3" << "dxMemoCust";
    }
    void enterMovesAlongTheChain()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        f->addCustomer(u"华信"_s);
        openCustomer(u"华信"_s);
        auto detail = openDetail();
        auto *box = detail->findChild<QWidget *>(from);
        QVERIFY(box);
        focus(box);
        QTest::keyClick(box, Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), to);
    }

    void helpAndFetchFilesInBothWindows()
    {
        const int custNo = f->addCustomer(u"华信"_s);
        f->folder.exec(u"INSERT INTO Linkmans(CustNo, Name) VALUES (%1, '张伟')"_s.arg(custNo));
        openCustomer(u"华信"_s);
        std::unique_ptr<customers::DetailDialog> windows[] = {std::make_unique<Tfrmcustdetail>(f->dm.get()),
                                                                std::make_unique<TfrmLinkmanDetail>(f->dm.get())};
        for (auto &w : windows) {
            showActive(w.get());
            f->services.shell.opened.clear();
            click(w->BitBtn4);
            QCOMPARE(f->services.shell.opened, QList<QUrl>{QUrl::fromLocalFile(crm::AppPath + u"OrvaneHelp.chm"_s)});
            QString fetched;
            whenModal([&](QWidget *m) {
                QVERIFY(qobject_cast<attachments::TfrmGetFiles *>(m));
                fetched = m->windowTitle();
                m->close();
            });
            click(w->BitBtn3);
            QCOMPARE(fetched, u"获取附件"_s);
            QVERIFY(w->isVisible());
        }
    }

    void contactDetailSavesAndPrints()
    {
        const int custNo = f->addCustomer(u"华信"_s);
        f->folder.exec(u"INSERT INTO Linkmans(CustNo, Name, DepDuty, PhoneOffice, Fax, MobilePhone, PhoneHome, Email, "
                       "PostCode, OfficeAddress, HomeAddress, HomePage, Birthdy, Nativeplace, Charact, Weakness, "
                       "LinkmanMemo) VALUES (%1, '张伟', '市场部经理', '010-62345678', '010-62345679', '13901234567', "
                       "'010-81234567', 'zhangwei@huaxin.cn', '100083', '学院路1号', '花园路8号', 'www.huaxin.cn', "
                       "'1985-06-01', '山东济南', '直爽', '急躁', '周末不接电话')"_s.arg(custNo));
        openCustomer(u"华信"_s);
        installTemplate(u"LinkmansDetail.frf"_s, u"LinkmansDetail.frf"_s);
        TfrmLinkmanDetail detail(f->dm.get());
        showActive(&detail);
        QCOMPARE(detail.windowTitle(), u"编辑联系人详情"_s);
        typeInto(detail.dxDBEdit3, u"羽毛球"_s);

        PrintCapture print;
        click(detail.BitBtn2);
        QVERIFY(!print.dataset);
        const QList<std::pair<QString, QString>> expected{
            {u"Name"_s, u"张伟"_s},
            {u"DepDuty"_s, u"市场部经理"_s},
            {u"PhoneOffice"_s, u"010-62345678"_s},
            {u"FAX"_s, u"010-62345679"_s},
            {u"MobilePhone"_s, u"13901234567"_s},
            {u"PhoneHome"_s, u"010-81234567"_s},
            {u"Email"_s, u"zhangwei@huaxin.cn"_s},
            {u"PostCode"_s, u"100083"_s},
            {u"OfficeAddress"_s, u"学院路1号"_s},
            {u"HomeAddress"_s, u"花园路8号"_s},
            {u"HomePage"_s, u"www.huaxin.cn"_s},
            {u"birthday"_s, u"1985/6/1"_s},
            {u"nativeplace"_s, u"山东济南"_s},
            {u"taste"_s, u"羽毛球"_s},
            {u"character"_s, u"直爽"_s},
            {u"weakness"_s, u"急躁"_s},
            {u"LinkmanMemo"_s, u"周末不接电话"_s}};
        for (const auto &[name, value] : expected) {
            QCOMPARE(print.variables.value(name.toLower()), value);
            QVERIFY2(print.html.contains(value.toHtmlEscaped()), qPrintable(name));
        }

        QString notice;
        whenModal([&](QWidget *w) {
            auto *memo = qobject_cast<business::TfrmMemo *>(w);
            QVERIFY(memo);
            notice = memo->notice();
            QCOMPARE(memo->dxDBMemoGeneral->text(), u"周末不接电话"_s);
            memo->reject();
        });
        click(detail.FbtnLarge);
        QCOMPARE(notice, u"联系人--张伟"_s);

        click(detail.FbtnAddTime);
        click(detail.BitBtn1);
        QVERIFY(!detail.isVisible());
        QCOMPARE(f->folder.scalar(u"SELECT Taste FROM Linkmans"_s).toString(), u"羽毛球"_s);
        QCOMPARE(f->folder.scalar(u"SELECT LinkmanMemo FROM Linkmans"_s).toString(),
                 u"周末不接电话\n2024/5/15 "_s + sys::longTime(QTime(10, 30)));
    }

    void contactDetailReportsARefusedPost()
    {
        const int custNo = f->addCustomer(u"华信"_s);
        f->folder.exec(u"INSERT INTO Linkmans(CustNo, Name) VALUES (%1, '张伟')"_s.arg(custNo));
        f->folder.exec(u"CREATE TRIGGER refuse BEFORE UPDATE ON Linkmans BEGIN SELECT RAISE(ABORT, '联系人被锁定'); END"_s);
        openCustomer(u"华信"_s);
        TfrmLinkmanDetail detail(f->dm.get());
        showActive(&detail);
        typeInto(detail.dxDBEdit2, u"山东"_s);
        click(detail.BitBtn1);
        QCOMPARE(f->services.messages.shown.size(), 1);
        QVERIFY(f->services.messages.shown.first().text.contains(u"联系人被锁定"_s));
        QVERIFY(detail.isVisible());
        QCOMPARE(contacts().state(), db::State::Edit);
    }
};

QTEST_MAIN(TestCustDetail)
#include "tst_custdetail.moc"
