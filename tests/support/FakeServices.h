#pragma once
#include "platform/system/Services.h"

#include <QList>
#include <QQueue>
#include <QTemporaryDir>
#include <QUrl>

namespace fake {

// One message box as it was shown.
struct ShownMessage
{
    QString text;
    QString title;
    sys::Icon icon = sys::Icon::NoIcon;
    sys::Buttons buttons;
    sys::Button defaultButton = sys::Button::NoButton;
};

// Records every box and answers from `answers`; when none is scripted it presses OK
// (or Yes when the box has no OK).
class Messages final : public sys::Messages
{
public:
    int show(QWidget *parent, const QString &text, const QString &title, sys::Icon icon, sys::Buttons buttons,
             sys::Button defaultButton) override;

    QList<ShownMessage> shown;
    QQueue<sys::Button> answers;
};

// Answers each kind of dialog from its own queue; an unscripted dialog is cancelled.
// Every request is recorded in `asked` as "<kind>: <title>".
class Dialogs final : public sys::Dialogs
{
public:
    std::optional<QString> input(QWidget *parent, const QString &title, const QString &prompt,
                                 const QString &defaultText) override;
    QString openFile(QWidget *parent, const QString &title, const QString &dir, const QString &filter) override;
    QStringList openFiles(QWidget *parent, const QString &title, const QString &dir, const QString &filter) override;
    QString saveFile(QWidget *parent, const QString &title, const QString &dir, const QString &filter) override;
    QString chooseFolder(QWidget *parent, const QString &title, const QString &dir) override;
    std::optional<QFont> chooseFont(QWidget *parent, const QFont &initial) override;
    std::optional<QColor> chooseColor(QWidget *parent, const QColor &initial) override;
    bool print(QWidget *parent, QPrinter *printer) override;

    QQueue<std::optional<QString>> inputs;
    QQueue<QString> openFileNames;
    QQueue<QStringList> openFileLists;
    QQueue<QString> saveFileNames;
    QQueue<QString> folders;
    QQueue<std::optional<QFont>> fonts;
    QQueue<std::optional<QColor>> colors;
    QQueue<bool> prints;

    QStringList asked;
    QString lastPrompt;      // prompt of the last input box
    QString lastDefaultText; // default text of the last input box
    QString lastDir;         // start folder of the last file or folder dialog
    QString lastFilter;      // filter of the last file dialog

private:
    void record(const char *kind, const QString &title);
};

class Shell final : public sys::Shell
{
public:
    bool open(const QUrl &url) override;

    QList<QUrl> opened;
    bool succeeds = true;
};

class Sound final : public sys::Sound
{
public:
    void play(const QString &wavFile) override { played << wavFile; }

    QStringList played;
};

// Stands still at `current` (15 May 2024, 10:30:00 unless set).
class Clock final : public sys::Clock
{
public:
    QDate today() const override { return current.date(); }
    QDateTime now() const override { return current; }

    QDateTime current{QDate(2024, 5, 15), QTime(10, 30)};
};

// Puts all doubles in use, and the settings store into a temporary folder, for its lifetime;
// restores what was in use before when destroyed.
class Services
{
public:
    Services();
    ~Services();
    Services(const Services &) = delete;
    Services &operator=(const Services &) = delete;

    QString settingsFile() const;

    Messages messages;
    Dialogs dialogs;
    Shell shell;
    Sound sound;
    Clock clock;

private:
    QTemporaryDir m_dir;
    sys::ServiceSet m_previous;
    QString m_previousSettings;
};

} // namespace fake
