#pragma once
#include "shell/WindowRegistry.h"

#include <QString>
#include <functional>
#include <memory>

class QLockFile;
class QTextStream;

namespace store { class TDMOrvane; }

namespace shell {

class TMainOrvane;

// Orvane's start, step by step, so that a test can run the steps on a temporary program
// folder with the service doubles:
//   initApplication   title and Chinese locale
//   lockDatabase      one Orvane at a time per database (a lock file in the data folder)
//   openDatabase      the database behind CRM, created when missing
//   showSplash        the picture for splashMs with the event loop running
//   passLoginGate     the login gate, when a password is stored
//   createWindows     the long-lived windows in their fixed order (registry)
//   showFirstPage     the "业务列表" command
//   showMainWindow    placed and shown
// run() does all of them and then runs the event loop until the main window closes.
class StartSequence {
public:
    // programFolder: the folder of the program file (the application's folder when empty).
    explicit StartSequence(const QString &programFolder = {});
    ~StartSequence();
    StartSequence(const StartSequence &) = delete;
    StartSequence &operator=(const StartSequence &) = delete;

    // The long-lived windows. The main window and the data module are provided here; the
    // subsystems provide theirs before the start (see WindowRegistry).
    WindowRegistry &registry() { return m_registry; }

    // Filled by the login window: true when the user may go on. Asked only when a password
    // is stored; without it the start goes on.
    std::function<bool()> loginGate;
    // Filled by the windows the data module reaches (reminder, company-type wizard, the
    // business page's buttons ...): called on the new data module before its creation step.
    std::function<void(store::TDMOrvane &)> dataModuleHooks;
    int splashMs = 3000;

    QString programFolder() const { return m_programFolder; }
    QString dataFolder() const;

    void initApplication();
    bool lockDatabase();   // false (the user told so) when another Orvane holds the database
    bool openDatabase();   // false (the user told why) when the database cannot be opened
    void showSplash();
    bool passLoginGate();  // false when the start must end
    void createWindows();  // throws what a window's creation throws
    void showFirstPage();
    void showMainWindow();

    // Every step up to the shown main window; false when the start ended early.
    // Measures the time from the end of the splash to the main window shown.
    bool start();
    // start(), then the event loop; the process's exit code.
    int run();

    qint64 startupMs() const { return m_startupMs; }
    TMainOrvane *mainWindow() const;
    // Ends the run: the windows and the data module are deleted, the database closed, the lock freed.
    void finish();

    // Times a start without splash on a program folder (no dialog may be pending there) and
    // prints "startup_ms=<n>"; returns n. Needs a QApplication.
    static qint64 benchStartup(const QString &programFolder, QTextStream &out);

private:
    void provideBuiltIns();

    QString m_programFolder;
    WindowRegistry m_registry;
    std::unique_ptr<QLockFile> m_lock;
    bool m_databaseOpen = false;
    qint64 m_startupMs = -1;
    int m_exitCode = 0; // of a start that ended early
};

} // namespace shell
