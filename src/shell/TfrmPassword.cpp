#include "shell/TfrmPassword.h"

#include "shell/PasswordBox.h"
#include "shell/PasswordStore.h"

#include "platform/system/Guard.h"
#include "platform/system/Services.h"
#include "platform/widgets/EnterChain.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace shell {

TfrmPassword::TfrmPassword(QWidget *parent) : QDialog(parent, fixedDialogFlags())
{
    setObjectName(u"frmPassword"_s);
    setWindowTitle(u"更改密码"_s);

    Edit1 = newPasswordBox(u"Edit1"_s, this);
    Edit2 = newPasswordBox(u"Edit2"_s, this);
    Edit3 = newPasswordBox(u"Edit3"_s, this);
    Button1 = new QPushButton(u"更  改"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button2 = new QPushButton(u"取  消"_s, this);
    Button2->setObjectName(u"Button2"_s);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    const QList<std::pair<QString, QLineEdit *>> rows{
        {u"旧 密 码："_s, Edit1}, {u"新 密 码："_s, Edit2}, {u"确认密码："_s, Edit3}};
    for (int r = 0; r < rows.size(); ++r) {
        auto *label = new QLabel(rows[r].first, this);
        label->setBuddy(rows[r].second);
        grid->addWidget(label, r, 0);
        grid->addWidget(rows[r].second, r, 1);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(buttons);

    widgets::EnterChain::install({Edit1, Edit2, Edit3, Button1});
    connect(Button1, &QPushButton::clicked, this, [this] { sys::guarded(this, [this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmPassword::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    Edit1->clear();
    Edit2->clear();
    Edit3->clear();
    Edit1->setFocus();
}

void TfrmPassword::Button1Click()
{
    if (!password::matches(Edit1->text())) {
        sys::warn(u"对不起，旧密码输入不正确，请重新输入！"_s);
        Edit1->clear();
        Edit1->setFocus();
        return;
    }
    if (Edit2->text() != Edit3->text()) {
        sys::warn(u"对不起，两次输入的新密码不一致，请重新输入！"_s);
        Edit2->clear();
        Edit3->clear();
        Edit2->setFocus();
        return;
    }
    password::store(Edit2->text());
    accept();
}

} // namespace shell
