#include "shell/TfrmPWDConfirm.h"

#include "shell/EndProcess.h"
#include "shell/PasswordBox.h"
#include "shell/PasswordStore.h"

#include "platform/system/Guard.h"
#include "platform/system/Services.h"
#include "store/General.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace shell {

TfrmPWDConfirm::TfrmPWDConfirm(QWidget *parent) : QDialog(parent, fixedDialogFlags())
{
    setObjectName(u"frmPWDConfirm"_s);
    setWindowTitle(u"即将进入公司客户管理系统"_s);

    auto *label = new QLabel(u"请输入用户密码："_s, this);
    Edit1 = newPasswordBox(u"Edit1"_s, this);
    label->setBuddy(Edit1);
    Button1 = new QPushButton(u"确  定"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button1->setDefault(true); // Enter in the box acts as "确  定"
    Button2 = new QPushButton(u"取  消"_s, this);
    Button2->setObjectName(u"Button2"_s);
    Button2->setAutoDefault(false);

    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(Edit1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addLayout(row);
    layout->addSpacing(14);
    layout->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, [this] { sys::guarded(this, [this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] {
        endProcessNow();
        reject();
    });
}

void TfrmPWDConfirm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    Edit1->setFocus();
}

void TfrmPWDConfirm::Button1Click()
{
    if (password::matches(Edit1->text())) {
        crm::LoginAccepted = true;
        accept();
        return;
    }
    sys::warn(u"对不起，密码输入错误，请重新输入！"_s);
    Edit1->clear();
    Edit1->setFocus();
    crm::LoginAccepted = false;
}

bool runLoginGate(QWidget *parent)
{
    crm::LoginRequired = !password::storedText().isEmpty();
    crm::LoginAccepted = !crm::LoginRequired;
    if (crm::LoginRequired) {
        TfrmPWDConfirm gate(parent);
        gate.exec();
    }
    return crm::LoginAccepted;
}

} // namespace shell
