// Orvane's start: program-wide state and settings, the single-instance lock, the login gate,
// the order of the long-lived windows and the first page.
#include "FakeServices.h"
#include "TempProgramFolder.h"

#include "shell/AttachmentPanel.h"
#include "shell/StartSequence.h"
#include "shell/TMainOrvane.h"
#include "shell/TSplashForm.h"

#include "platform/system/Settings.h"
#include "store/DMOrvane.h"
#include "store/General.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestStartup : public QObject {
    Q_OBJECT
    std::unique_ptr<fake::Services> m_services;
    std::unique_ptr<testing::TempProgramFolder> m_folder;

    std::unique_ptr<shell::StartSequence> sequence()
    {
        auto s = std::make_unique<shell::StartSequence>(m_folder->appPath());
        s->splashMs = 0;
        return s;
    }

private slots:
    void init()
    {
        m_services = std::make_unique<fake::Services>();
        m_folder = std::make_unique<testing::TempProgramFolder>(false); // the start makes the database
        sys::Settings::setFileOverride(m_services->settingsFile());
    }
    void cleanup()
    {
        m_folder.reset();
        m_services.reset();
    }

    void firstStartOnANewDatabase()
    {
        QDir(m_folder->appPath()).rmdir(u"Accessory"_s);
        sys::Settings::write(u"UserName"_s, u"张敏"_s);
        auto start = sequence();
        start->splashMs = 1; // painting the splash loads the fonts, as in a real start
        QVERIFY(start->start());
        qInfo("startup_ms=%lld (end of splash to main window shown, fresh database)", start->startupMs());

        const QString today = u"2024/5/15"_s; // the clock double's day, short date
        QCOMPARE(sys::Settings::read(u"FristRunTime"_s), today);
        QCOMPARE(crm::FirstRunDate, today);
        QCOMPARE(crm::CurrentUserName, u"张敏"_s);
        QCOMPARE(crm::AppPath, m_folder->appPath());
        QCOMPARE(crm::AccessoryRoot, m_folder->appPath() + u"Accessory/"_s);
        QVERIFY(QFileInfo(crm::AccessoryRoot).isDir());
        QVERIFY(QFileInfo::exists(m_folder->path(u"data/CRM.sqlite"_s)));
        QCOMPARE(sys::Settings::read(u"IsFirstRunTime"_s), u"0"_s); // the company-type wizard runs once

        shell::TMainOrvane *w = start->mainWindow();
        QVERIFY(w && w == shell::MainOrvane && w->isVisible());
        QVERIFY(store::DMOrvane);
        QCOMPARE(w->visibleTabs(), QStringList{u"dxTSOperateList"_s});
        QCOMPARE(w->activePageName(), u"dxTSOperateList"_s);
        QCOMPARE(w->ptshlAccessory->folderPath() + u'/', crm::AccessoryRoot);

        start->finish();
        QVERIFY(!shell::MainOrvane && !store::DMOrvane);
    }

    void laterStartKeepsTheFirstDay_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first day kept") << u"2023/1/2"_s << u"2023/1/2"_s;
        QTest::newRow("empty value filled") << QString() << u"2024/5/15"_s;
    }
    void laterStartKeepsTheFirstDay()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        sys::Settings::write(u"FristRunTime"_s, stored);
        sys::Settings::write(u"IsFirstRunTime"_s, u"1"_s);
        auto start = sequence();
        QVERIFY(start->start());
        QCOMPARE(sys::Settings::read(u"FristRunTime"_s), expected);
        QCOMPARE(crm::FirstRunDate, expected);
        QCOMPARE(sys::Settings::read(u"IsFirstRunTime"_s), u"1"_s); // never reset by the start
        QVERIFY(crm::CurrentUserName.isEmpty());
    }

    void existingDatabaseLeavesTheWizardAlone()
    {
        auto first = sequence();
        QVERIFY(first->start());
        first->finish();
        QFile::remove(m_services->settingsFile()); // the value is gone, the database is not
        auto second = sequence();
        QVERIFY(second->start());
        QVERIFY(!sys::Settings::contains(u"IsFirstRunTime"_s));
    }

    void secondOrvaneOnTheSameDatabaseIsRefused()
    {
        auto first = sequence();
        QVERIFY(first->start());
        auto second = sequence();
        QVERIFY(!second->start());
        QCOMPARE(m_services->messages.shown.size(), 1);
        const fake::ShownMessage &box = m_services->messages.shown.first();
        QCOMPARE(box.title, u"系统提示"_s);
        QCOMPARE(box.icon, QMessageBox::Warning);
        QVERIFY(box.text.contains(u"已经在运行"_s));
        QVERIFY(!second->mainWindow());

        first->finish();
        auto third = sequence();
        QVERIFY(third->lockDatabase());
    }

    void loginGate_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepts");
        QTest::addColumn<int>("asked");
        QTest::addColumn<bool>("started");
        QTest::newRow("no password: no gate") << QString() << false << 0 << true;
        QTest::newRow("password, accepted") << u"A1B2"_s << true << 1 << true;
        QTest::newRow("password, refused") << u"A1B2"_s << false << 1 << false;
    }
    void loginGate()
    {
        QFETCH(QString, password);
        QFETCH(bool, accepts);
        QFETCH(int, asked);
        QFETCH(bool, started);
        if (!password.isEmpty())
            sys::Settings::write(u"PassWord"_s, password);
        auto start = sequence();
        int calls = 0;
        start->loginGate = [&] {
            ++calls;
            return accepts;
        };
        QCOMPARE(start->start(), started);
        QCOMPARE(calls, asked);
        QCOMPARE(start->mainWindow() != nullptr, started); // a refused login creates no window
    }

    void windowsAreCreatedInTheirFixedOrder()
    {
        auto start = sequence();
        QStringList order;
        bool sawFrame = false;
        // Provided out of order; created in the fixed one, after the main window and the module.
        QVERIFY(start->registry().provide(u"TfrmCustList"_s, [&]() -> QObject * {
            order << u"TfrmCustList"_s;
            auto *window = new QWidget;
            window->setObjectName(u"frmCustList"_s);
            return window;
        }));
        QVERIFY(start->registry().provide(u"TfrmNewCust"_s, [&]() -> QObject * {
            order << u"TfrmNewCust"_s;
            sawFrame = shell::MainOrvane && store::DMOrvane;
            auto *panel = new QWidget;
            shell::MainOrvane->embed(u"dxTSCust"_s, panel);
            return nullptr; // nothing for the registry to own
        }));
        QVERIFY(!start->registry().provide(u"TfrmNobody"_s, [] { return nullptr; }));
        start->dataModuleHooks = [&](store::TDMOrvane &dm) {
            order << u"TDMOrvane"_s;
            dm.hooks.showTypeSelect = [&] {
                // The wizard comes up while the main window is still hidden.
                order << (shell::MainOrvane->isVisible() ? u"wizard after show"_s : u"wizard"_s);
            };
        };
        QVERIFY(start->start());
        QCOMPARE(order, (QStringList{u"TDMOrvane"_s, u"wizard"_s, u"TfrmNewCust"_s, u"TfrmCustList"_s}));
        QVERIFY(sawFrame);
        QCOMPARE(start->registry().created(),
                 (QStringList{u"TMainOrvane"_s, u"TDMOrvane"_s, u"TfrmNewCust"_s, u"TfrmCustList"_s}));

        // At the end the windows go first, the data module last.
        QStringList destroyed;
        for (const QString &name : {u"TMainOrvane"_s, u"TDMOrvane"_s, u"TfrmCustList"_s})
            connect(start->registry().instance(name), &QObject::destroyed, this, [&destroyed, name] { destroyed << name; });
        start->finish();
        QCOMPARE(destroyed, (QStringList{u"TfrmCustList"_s, u"TMainOrvane"_s, u"TDMOrvane"_s}));
    }

    void failingWindowEndsTheStartWithAMessage()
    {
        auto start = sequence();
        start->registry().provide(u"TfrmOperateList"_s, []() -> QObject * { throw std::runtime_error("找不到报表模板"); });
        QVERIFY(!start->start());
        QCOMPARE(m_services->messages.shown.size(), 1);
        QVERIFY(m_services->messages.shown.first().text.contains(u"找不到报表模板"_s));
    }

    void splashWaitsWithTheEventLoopRunning()
    {
        shell::TSplashForm splash;
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(splash.size(), QSize(398, 243));
        bool served = false;
        QTimer::singleShot(10, [&] { served = splash.isVisible(); });
        QElapsedTimer clock;
        clock.start();
        splash.showFor(150);
        QVERIFY(clock.elapsed() >= 140);
        QVERIFY(served);
        QVERIFY(!splash.Timer1->isActive()); // its tick switched it off
        QVERIFY(!splash.isVisible());
    }

    void benchLine()
    {
        QString text;
        QTextStream out(&text);
        const qint64 ms = shell::StartSequence::benchStartup(m_folder->appPath(), out);
        QVERIFY(ms >= 0);
        QCOMPARE(text.trimmed(), u"startup_ms=%1"_s.arg(ms));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
