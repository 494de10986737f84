#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;
class QWidget;

namespace sys {

// The standard modal dialogs. Reach it through sys::dialogs() (Services.h) so tests can script it.
// File and folder choosers return an empty text (list) when cancelled.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual std::optional<QString> input(QWidget *parent, const QString &title, const QString &prompt,
                                         const QString &defaultText) = 0;
    virtual QString openFile(QWidget *parent, const QString &title, const QString &dir, const QString &filter) = 0;
    virtual QStringList openFiles(QWidget *parent, const QString &title, const QString &dir,
                                  const QString &filter) = 0;
    virtual QString saveFile(QWidget *parent, const QString &title, const QString &dir, const QString &filter) = 0;
    virtual QString chooseFolder(QWidget *parent, const QString &title, const QString &dir) = 0;
    virtual std::optional<QFont> chooseFont(QWidget *parent, const QFont &initial) = 0;
    virtual std::optional<QColor> chooseColor(QWidget *parent, const QColor &initial) = 0;
    // The print dialog on printer; true when the user accepted it.
    virtual bool print(QWidget *parent, QPrinter *printer) = 0;
};

} // namespace sys
