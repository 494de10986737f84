#include "FakeServices.h"

#include "platform/system/Settings.h"

using namespace Qt::StringLiterals;

namespace fake {

namespace {

template<typename T>
T next(QQueue<T> &queue, const T &otherwise)
{
    return queue.isEmpty() ? otherwise : queue.dequeue();
}

} // namespace

int Messages::show(QWidget *, const QString &text, const QString &title, sys::Icon icon, sys::Buttons buttons,
                   sys::Button defaultButton)
{
    shown.append({text, title, icon, buttons, defaultButton});
    if (!answers.isEmpty())
        return answers.dequeue();
    if (buttons.testFlag(sys::Button::Ok))
        return sys::Button::Ok;
    if (buttons.testFlag(sys::Button::Yes))
        return sys::Button::Yes;
    return defaultButton;
}

void Dialogs::record(const char *kind, const QString &title)
{
    asked << QString::fromLatin1(kind) + u": "_s + title;
}

std::optional<QString> Dialogs::input(QWidget *, const QString &title, const QString &prompt,
                                      const QString &defaultText)
{
    record("input", title);
    lastPrompt = prompt;
    lastDefaultText = defaultText;
    return next(inputs, std::optional<QString>());
}

QString Dialogs::openFile(QWidget *, const QString &title, const QString &dir, const QString &filter)
{
    record("openFile", title);
    lastDir = dir;
    lastFilter = filter;
    return next(openFileNames, QString());
}

QStringList Dialogs::openFiles(QWidget *, const QString &title, const QString &dir, const QString &filter)
{
    record("openFiles", title);
    lastDir = dir;
    lastFilter = filter;
    return next(openFileLists, QStringList());
}

QString Dialogs::saveFile(QWidget *, const QString &title, const QString &dir, const QString &filter)
{
    record("saveFile", title);
    lastDir = dir;
    lastFilter = filter;
    return next(saveFileNames, QString());
}

QString Dialogs::chooseFolder(QWidget *, const QString &title, const QString &dir)
{
    record("chooseFolder", title);
    lastDir = dir;
    return next(folders, QString());
}

std::optional<QFont> Dialogs::chooseFont(QWidget *, const QFont &)
{
    record("chooseFont", {});
    return next(fonts, std::optional<QFont>());
}

std::optional<QColor> Dialogs::chooseColor(QWidget *, const QColor &)
{
    record("chooseColor", {});
    return next(colors, std::optional<QColor>());
}

bool Dialogs::print(QWidget *, QPrinter *)
{
    record("print", {});
    return next(prints, false);
}

bool Shell::open(const QUrl &url)
{
    opened << url;
    return succeeds;
}

Services::Services()
    : m_previousSettings(sys::Settings::fileOverride())
{
    m_previous = sys::installServices({&messages, &dialogs, &shell, &sound, &clock});
    sys::Settings::setFileOverride(settingsFile());
}

Services::~Services()
{
    sys::installServices(m_previous);
    sys::Settings::setFileOverride(m_previousSettings);
}

QString Services::settingsFile() const
{
    return m_dir.filePath(u"CRM.ini"_s);
}

} // namespace fake
