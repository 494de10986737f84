// The central data module: start-up checks, scroll hooks and the business-record save rule.
#include "FakeServices.h"
#include "TempProgramFolder.h"

#include "platform/system/Settings.h"
#include "store/DMOrvane.h"
#include "store/General.h"

#include <QDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestDMOrvane : public QObject {
    Q_OBJECT
    std::unique_ptr<fake::Services> m_services;
    std::unique_ptr<testing::TempProgramFolder> m_folder;
    std::unique_ptr<store::TDMOrvane> m_dm;
    int m_typeSelects = 0;
    int m_alarms = 0;
    QString m_panel;
    QString m_caption;

private slots:
    void init()
    {
        m_services = std::make_unique<fake::Services>();
        m_folder = std::make_unique<testing::TempProgramFolder>();
        crm::AppPath = m_folder->appPath();
        crm::AccessoryRoot = crm::AppPath + u"Accessory/"_s;
        QDir().mkpath(crm::AccessoryRoot);
        m_dm = std::make_unique<store::TDMOrvane>();
        m_typeSelects = m_alarms = 0;
        m_panel.clear();
        m_dm->hooks.showTypeSelect = [this] { ++m_typeSelects; };
        m_dm->hooks.showAlarm = [this] { ++m_alarms; };
        m_dm->hooks.pointAttachmentPanel = [this](const QString &folder) {
            if (!QDir(folder).exists())
                return false;
            m_panel = folder;
            return true;
        };
        m_dm->hooks.attachmentPanelPath = [this] { return m_panel; };
        m_dm->hooks.setMainCaption = [this](const QString &c) { m_caption = c; };
    }
    void cleanup()
    {
        m_dm.reset();
        m_folder.reset();
        m_services.reset();
    }

    void reminderCheckAtStart_data()
    {
        QTest::addColumn<int>("dayOffset");
        QTest::addColumn<bool>("shown");
        QTest::newRow("today") << 0 << true;
        QTest::newRow("tomorrow") << 1 << true;
        QTest::newRow("only yesterday") << -1 << false;
        QTest::newRow("day after tomorrow") << 2 << false;
    }
    void reminderCheckAtStart()
    {
        QFETCH(int, dayOffset);
        QFETCH(bool, shown);
        const QDate day = m_services->clock.today().addDays(dayOffset);
        m_folder->exec(u"INSERT INTO AlarmTab (AlarmDate, AlarmType) VALUES ('%1', '会议')"_s.arg(day.toString(Qt::ISODate)));
        m_dm->create();
        QCOMPARE(m_alarms, shown ? 1 : 0);
        QCOMPARE(m_services->sound.played, shown ? QStringList{crm::AppPath + u"data/dingdong.wav"_s} : QStringList{});
        QVERIFY(m_dm->tlbCustLevel->isActive() && m_dm->tlbEvolveType->isActive());
    }

    void companyTypeSetupOnlyWhenPending_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("shown");
        QTest::newRow("pending") << u"0"_s << 1;
        QTest::newRow("done") << u"1"_s << 0;
        QTest::newRow("missing") << QString() << 0;
    }
    void companyTypeSetupOnlyWhenPending()
    {
        QFETCH(QString, value);
        QFETCH(int, shown);
        if (!value.isNull())
            sys::Settings::write(u"IsFirstRunTime"_s, value);
        m_dm->create();
        QCOMPARE(m_typeSelects, shown);
    }

    void ordinarySaveKeepsCompletion()
    {
        m_folder->exec(u"INSERT INTO Customers (CustNo, CustName_S) VALUES (1, '华信')"_s);
        m_folder->exec(u"INSERT INTO Operates (CustNo, OperateTitle) VALUES (1, '画册')"_s);
        m_dm->tlbCust->open();
        m_dm->tlbOperates->open();
        db::Table &ops = *m_dm->tlbOperates;

        crm::EndOperatePending = true; // what the completion window does around its post
        crm::EndOperateMemoPending = u"完成－合同履行完毕"_s;
        ops.edit();
        ops.post();
        crm::EndOperatePending = false;
        crm::EndOperateMemoPending.clear();

        ops.edit();
        ops.field(u"GoodsType"_s).setValue(u"铜版纸"_s);
        ops.post();
        QVERIFY(ops.field(u"EndOperate"_s).asBoolean());
        QCOMPARE(m_folder->scalar(u"SELECT EndOperateMemo FROM Operates"_s).toString(), u"完成－合同履行完毕"_s);

        ops.append(); // a new record starts open
        ops.field(u"OperateTitle"_s).setValue(u"海报"_s);
        ops.post();
        QCOMPARE(m_folder->scalar(u"SELECT EndOperate FROM Operates WHERE OperateTitle='海报'"_s).toInt(), 0);
    }

    void customerWithoutShortNameIsNotWritten()
    {
        m_dm->tlbCust->open();
        m_dm->tlbCust->append();
        m_dm->tlbCust->field(u"Address"_s).setValue(u"无名"_s);
        m_dm->tlbCust->post();
        QCOMPARE(m_folder->scalar(u"SELECT COUNT(*) FROM Customers"_s).toInt(), 0);
    }

    void businessScrollFallsBackWhenFolderIsGone()
    {
        QDir(crm::AccessoryRoot).mkpath(u"华信/画册"_s);
        m_folder->exec(u"INSERT INTO Customers (CustNo, CustName_S, AccessoryPath) VALUES (1, '华信', '华信')"_s);
        m_folder->exec(uR"(INSERT INTO Operates (CustNo, OperateTitle, AccessoryPath) VALUES (1, '画册', '华信\画册'), (1, '已删', '华信\已删'))"_s);
        m_dm->tlbCust->open();
        m_dm->tlbOperates->open();
        QCOMPARE(m_panel, crm::AccessoryRoot + u"华信/画册"_s);
        QCOMPARE(m_caption, u"Kelvor中小企业客户管理－附件夹路径："_s + m_panel);
        m_dm->tlbOperates->next();
        QCOMPARE(m_panel, crm::AccessoryRoot + u"华信"_s);
    }

    void listScrollLeavesPanelWhileMarkerIsSet()
    {
        m_folder->exec(u"INSERT INTO TempCustList (No, CustName_S, AccessoryPath) VALUES (1, 'A', NULL), (2, 'B', 'B')"_s);
        QDir(crm::AccessoryRoot).mkpath(u"B"_s);
        {
            crm::MarkerGuard marker(crm::CustListMode, u"建立客户列表"_s);
            m_dm->tlbCustList->open();
            m_dm->tlbCustList->next();
            QVERIFY(m_panel.isEmpty());
        }
        QVERIFY(crm::CustListMode.isEmpty());
        m_dm->tlbCustList->first();
        QCOMPARE(m_panel, crm::AccessoryRoot);
        m_dm->tlbCustList->next();
        QCOMPARE(m_panel, crm::AccessoryRoot + u"B"_s);
    }
};

QTEST_MAIN(TestDMOrvane)
#include "tst_dmorvane.moc"
