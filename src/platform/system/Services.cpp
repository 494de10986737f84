#include "platform/system/Services.h"

using namespace Qt::StringLiterals;

namespace sys {

namespace {

ServiceSet &current()
{
    static ServiceSet set;
    return set;
}

template<typename T>
T &pick(T *installed, T *real)
{
    return installed ? *installed : *real;
}

} // namespace

Messages &messages() { return pick(current().messages, realServices().messages); }
Dialogs &dialogs() { return pick(current().dialogs, realServices().dialogs); }
Shell &shell() { return pick(current().shell, realServices().shell); }
Sound &sound() { return pick(current().sound, realServices().sound); }
Clock &clock() { return pick(current().clock, realServices().clock); }

ServiceSet installServices(const ServiceSet &set)
{
    const ServiceSet previous = current();
    current() = set;
    return previous;
}

void warn(const QString &text, const QString &title)
{
    messages().show(nullptr, text, title, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok);
}

void info(const QString &text, const QString &title)
{
    messages().show(nullptr, text, title, QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok);
}

void error(const QString &text, const QString &title)
{
    messages().show(nullptr, text, title, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok);
}

bool confirm(const QString &text, const QString &title)
{
    return messages().show(nullptr, text, title, QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel,
                           QMessageBox::Cancel)
        == QMessageBox::Ok;
}

bool openPath(const QString &path)
{
    return shell().open(QUrl::fromLocalFile(path));
}

bool openWebPage(const QString &address)
{
    return shell().open(QUrl::fromUserInput(address.trimmed()));
}

bool mailTo(const QString &address)
{
    return shell().open(QUrl(u"mailto:"_s + address.trimmed(), QUrl::TolerantMode));
}

} // namespace sys
