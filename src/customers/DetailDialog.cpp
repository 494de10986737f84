#include "customers/DetailDialog.h"

#include "attachments/TfrmGetFiles.h"
#include "customers/CustomerMemo.h"
#include "customers/FormParts.h"
#include "platform/system/Guard.h"
#include "platform/system/Services.h"
#include "platform/widgets/DBMemo.h"
#include "store/General.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace customers {

DetailDialog::DetailDialog(const QString &caption, const QString &saveName, int noteWidth, QWidget *parent)
    : QDialog(parent), m_noteWidth(noteWidth)
{
    setWindowTitle(caption);
    setModal(true);
    auto *outer = new QVBoxLayout(this);
    m_body = new QVBoxLayout;
    m_body->setSpacing(6);
    outer->addLayout(m_body);

    m_save = form::button(u"保存(&S)"_s, saveName);
    BitBtn2 = form::button(u"打印"_s, u"BitBtn2"_s);
    BitBtn3 = form::button(u"获取附件(&G)"_s, u"BitBtn3"_s);
    BitBtn4 = form::button(u"帮助(&H)"_s, u"BitBtn4"_s);
    BitBtn5 = form::button(u"关闭(&C)"_s, u"BitBtn5"_s);
    FbtnAddTime = form::button(u"插入时间"_s, u"FbtnAddTime"_s);
    FbtnLarge = form::button(u"放大"_s, u"FbtnLarge"_s);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {m_save, BitBtn2, BitBtn3, BitBtn4, BitBtn5})
        buttons->addWidget(b);
    outer->addSpacing(4);
    outer->addLayout(buttons);

    connect(m_save, &QPushButton::clicked, this, [this] { sys::guarded(this, [this] { save(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { sys::guarded(this, [this] { print(); }); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { sys::guarded(this, [this] { fetchFiles(); }); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { sys::guarded(this, [this] { openHelp(); }); });
    connect(BitBtn5, &QPushButton::clicked, this, &QDialog::reject);
    connect(FbtnAddTime, &QPushButton::clicked, this, [this] {
        if (m_memo)
            sys::guarded(this, [this] { stampMemo(m_memo); });
    });
    connect(FbtnLarge, &QPushButton::clicked, this, [this] { sys::guarded(this, [this] { enlargeMemo(); }); });
}

QGridLayout *DetailDialog::addGroup(const QString &title)
{
    auto *group = new QGroupBox(title);
    QGridLayout *grid = form::formGrid(m_noteWidth);
    group->setLayout(grid);
    m_body->addWidget(group);
    return grid;
}

void DetailDialog::addMemo(widgets::DBMemo *memo)
{
    m_memo = memo;
    memo->setObjectName(u"dxMemoCust"_s);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setMinimumHeight(64);
    auto *group = new QGroupBox(u"备注"_s);
    auto *row = new QHBoxLayout(group);
    row->addWidget(memo, 1);
    auto *side = new QVBoxLayout;
    side->addWidget(FbtnAddTime);
    side->addWidget(FbtnLarge);
    side->addStretch();
    row->addLayout(side);
    m_body->addWidget(group, 1);
}

void DetailDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void DetailDialog::fetchFiles()
{
    attachments::TfrmGetFiles files(this);
    files.exec();
}

void DetailDialog::openHelp() { sys::openPath(crm::AppPath + u"OrvaneHelp.chm"_s); }

bool DetailDialog::writeTypedText()
{
    for (QWidget *w : findChildren<QWidget *>()) {
        auto *editor = dynamic_cast<widgets::DataEditor *>(w);
        if (!editor || !editor->isEditorModified())
            continue;
        try {
            editor->updateRecord();
        } catch (const std::exception &e) {
            sys::warn(QString::fromUtf8(e.what()));
            w->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

void DetailDialog::done(int result)
{
    // Neither posted nor cancelled: what was typed stays pending in the shared dataset.
    if (!writeTypedText())
        return;
    QDialog::done(result);
}

} // namespace customers
