#pragma once
#include <QLineEdit>

namespace shell {

// A masked box that shows "*" for every character typed, as the password windows do.
QLineEdit *newPasswordBox(const QString &objectName, QWidget *parent);

// Flags of a fixed dialog with only the system menu and the close box.
constexpr Qt::WindowFlags fixedDialogFlags()
{
    return Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint;
}

} // namespace shell
