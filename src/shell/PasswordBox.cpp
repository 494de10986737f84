#include "shell/PasswordBox.h"

using namespace Qt::StringLiterals;

namespace shell {

QLineEdit *newPasswordBox(const QString &objectName, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(objectName);
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(u"lineedit-password-character: 42;"_s); // '*'
    box->setMinimumWidth(180);
    return box;
}

} // namespace shell
