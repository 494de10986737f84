#include "shell/TAboutBox.h"

#include "shell/ShellIcons.h"
#include "shell/ShellLinks.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace shell {

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"AboutBox"_s);
    setWindowTitle(u"关于本软件"_s);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(u"ProgramIcon"_s);
    ProgramIcon->setPixmap(icons::programPixmap(72));
    ProgramIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    ProductName = new QLabel(links::productName(), this);
    ProductName->setObjectName(u"ProductName"_s);
    QFont big = ProductName->font();
    big.setPointSizeF(big.pointSizeF() * 1.45);
    big.setBold(true);
    ProductName->setFont(big);
    ProductName->setStyleSheet(u"color: #1E3A5F;"_s);

    Version = new QLabel(links::versionText(), this);
    Version->setObjectName(u"Version"_s);

    Copyright = new QLabel(links::copyrightText(), this);
    Copyright->setObjectName(u"Copyright"_s);

    Comments = new QLabel(u"为广告、翻译、网络、物流、咨询、会展、装饰、会计及律师等服务型中小企业打造的客户与业务管理工具。\n"_s
                              + links::makerCredit() + u"\n"_s + links::supportCredit(),
                          this);
    Comments->setObjectName(u"Comments"_s);
    Comments->setWordWrap(true);
    Comments->setStyleSheet(u"color: #555;"_s);

    auto *rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    OKButton = new QPushButton(u"确定"_s, this);
    OKButton->setObjectName(u"OKButton"_s);
    OKButton->setDefault(true);
    OKButton->setMinimumWidth(88);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *text = new QVBoxLayout;
    text->setSpacing(6);
    text->addWidget(ProductName);
    text->addWidget(Version);
    text->addWidget(Copyright);
    text->addSpacing(4);
    text->addWidget(rule);
    text->addWidget(Comments);
    text->addStretch(1);

    auto *top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(ProgramIcon, 0, Qt::AlignTop);
    top->addLayout(text, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 20, 22, 16);
    layout->setSpacing(14);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    setFixedWidth(430);
    setFixedHeight(sizeHint().height());
}

} // namespace shell
