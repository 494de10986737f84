#pragma once
#include <QMessageBox>
#include <QString>

namespace sys {

using Icon = QMessageBox::Icon;
using Button = QMessageBox::StandardButton;
using Buttons = QMessageBox::StandardButtons;

// Modal message boxes. Reach it through sys::messages() (Services.h) so tests can script it.
class Messages
{
public:
    virtual ~Messages() = default;
    // Returns the button pressed (a Button value). A null parent means the active window.
    virtual int show(QWidget *parent, const QString &text, const QString &title, Icon icon, Buttons buttons,
                     Button defaultButton) = 0;
};

} // namespace sys
