#include "shell/StartSequence.h"

#include "shell/ShellResources.h"
#include "shell/TMainOrvane.h"
#include "shell/TSplashForm.h"

#include "platform/db/Connection.h"
#include "platform/system/Services.h"
#include "platform/system/Settings.h"
#include "store/DMOrvane.h"
#include "store/General.h"
#include "store/Schema.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLockFile>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace shell {

StartSequence::StartSequence(const QString &programFolder)
    : m_programFolder(programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder)
{
    provideBuiltIns();
}

StartSequence::~StartSequence() { finish(); }

QString StartSequence::dataFolder() const { return QDir(m_programFolder).filePath(u"data"_s); }

TMainOrvane *StartSequence::mainWindow() const
{
    return qobject_cast<TMainOrvane *>(m_registry.instance(u"TMainOrvane"_s));
}

void StartSequence::provideBuiltIns()
{
    m_registry.provide(u"TMainOrvane"_s, [this]() -> QObject * {
        auto *window = new TMainOrvane(m_programFolder);
        MainOrvane = window;
        return window;
    });
    m_registry.provide(u"TDMOrvane"_s, [this]() -> QObject * {
        auto *dm = new store::TDMOrvane;
        store::DMOrvane = dm;
        if (MainOrvane)
            MainOrvane->attachDataModule(dm);
        if (dataModuleHooks)
            dataModuleHooks(*dm);
        dm->create();
        return dm;
    });
}

void StartSequence::initApplication()
{
    QCoreApplication::setApplicationName(u"Kelvor中小企业客户管理"_s);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    ensureResources();
    QApplication::setWindowIcon(QIcon(u":/shell/orvane.png"_s));
}

bool StartSequence::lockDatabase()
{
    QDir().mkpath(dataFolder());
    m_lock = std::make_unique<QLockFile>(QDir(dataFolder()).filePath(u"Orvane.lock"_s));
    // A live holder keeps the lock however long it runs; a dead one's lock is taken over.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    const bool heldByOther = m_lock->error() == QLockFile::LockFailedError;
    m_lock.reset();
    if (!heldByOther)
        return true; // a read-only data folder cannot be locked; the database says the rest
    sys::warn(u"Kelvor中小企业客户管理已经在运行。\n同一份数据同时只能由一个程序打开，请切换到已经打开的窗口。"_s);
    return false;
}

bool StartSequence::openDatabase()
{
    bool isNew = false;
    try {
        QDir().mkpath(dataFolder());
        isNew = store::openDatabase(dataFolder());
        m_databaseOpen = true;
    } catch (const std::exception &e) {
        sys::error(u"无法打开数据库，程序不能启动。\n%1"_s.arg(QString::fromUtf8(e.what())));
        m_exitCode = 1;
        return false;
    }
    // A new installation runs the company-type wizard once.
    if (isNew && !sys::Settings::contains(u"IsFirstRunTime"_s)) {
        try {
            sys::Settings::write(u"IsFirstRunTime"_s, u"0"_s);
        } catch (const sys::SettingsError &) {
            // Without a writable store the wizard simply is not offered.
        }
    }
    return true;
}

void StartSequence::showSplash()
{
    if (splashMs <= 0)
        return;
    TSplashForm splash;
    splash.showFor(splashMs);
}

bool StartSequence::passLoginGate()
{
    crm::LoginRequired = !sys::Settings::read(u"PassWord"_s).isEmpty();
    crm::LoginAccepted = !crm::LoginRequired || !loginGate || loginGate();
    return crm::LoginAccepted;
}

void StartSequence::createWindows() { m_registry.createAll(); }

void StartSequence::showFirstPage()
{
    if (TMainOrvane *w = mainWindow())
        w->runCommand(u"业务列表"_s);
}

void StartSequence::showMainWindow()
{
    if (TMainOrvane *w = mainWindow()) {
        w->placeOnScreen();
        w->show();
    }
}

bool StartSequence::start()
{
    initApplication();
    if (!lockDatabase() || !openDatabase())
        return false;
    showSplash();
    if (!passLoginGate())
        return false;
    QElapsedTimer timer;
    timer.start();
    try {
        createWindows();
    } catch (const std::exception &e) {
        sys::error(u"程序启动失败：\n%1"_s.arg(QString::fromUtf8(e.what())));
        m_exitCode = 1;
        return false;
    }
    showFirstPage();
    showMainWindow();
    QCoreApplication::processEvents(); // the first paint belongs to "shown"
    m_startupMs = timer.elapsed();
    return true;
}

int StartSequence::run()
{
    if (!start()) {
        finish();
        return m_exitCode;
    }
    // Closing the main window ends the program, whatever other windows are open.
    QObject::connect(mainWindow(), &TMainOrvane::closing, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    const int code = QApplication::exec();
    finish();
    return code;
}

void StartSequence::finish()
{
    m_registry.destroyAll();
    if (m_databaseOpen) {
        db::Connection::closeAlias();
        m_databaseOpen = false;
    }
    m_lock.reset();
}

qint64 StartSequence::benchStartup(const QString &programFolder, QTextStream &out)
{
    StartSequence sequence(programFolder);
    sequence.splashMs = 0;
    const qint64 ms = sequence.start() ? sequence.startupMs() : -1;
    sequence.finish();
    out << "startup_ms=" << ms << Qt::endl;
    return ms;
}

} // namespace shell
