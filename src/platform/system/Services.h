#pragma once
#include "platform/system/Clock.h"
#include "platform/system/Dialogs.h"
#include "platform/system/Messages.h"
#include "platform/system/Shell.h"
#include "platform/system/Sound.h"

#include <QString>

namespace sys {

// The implementations in use program-wide. A null member stands for the real one.
struct ServiceSet
{
    Messages *messages = nullptr;
    Dialogs *dialogs = nullptr;
    Shell *shell = nullptr;
    Sound *sound = nullptr;
    Clock *clock = nullptr;
};

Messages &messages();
Dialogs &dialogs();
Shell &shell();
Sound &sound();
Clock &clock();

// Puts set in use (tests swap in doubles) and returns the set it replaces.
ServiceSet installServices(const ServiceSet &set);
// The real implementations (Qt dialogs, QDesktopServices, QSoundEffect, the system clock).
ServiceSet realServices();

// The title message boxes carry unless stated otherwise.
inline QString systemTitle() { return QStringLiteral("系统提示"); }

// Warning icon and OK: refusals and missing input.
void warn(const QString &text, const QString &title = systemTitle());
// Information icon and OK: completions.
void info(const QString &text, const QString &title = systemTitle());
// Critical icon and OK: failures.
void error(const QString &text, const QString &title = systemTitle());
// Question icon, OK and Cancel with Cancel the default; true when OK was pressed.
bool confirm(const QString &text, const QString &title = systemTitle());

// Opens a file or folder with the desktop's default program.
bool openPath(const QString &path);
// Opens a web address as typed ("www.example.com" is taken as http).
bool openWebPage(const QString &address);
// Starts the mail program on "mailto:" + address.
bool mailTo(const QString &address);

} // namespace sys
