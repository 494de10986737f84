#include "business/TfrmAlarm.h"

#include "platform/db/Table.h"
#include "platform/system/Guard.h"
#include "platform/system/Services.h"
#include "platform/widgets/DBDateEdit.h"
#include "platform/widgets/DBGrid.h"
#include "platform/widgets/DBMemo.h"
#include "platform/widgets/DBPickEdit.h"
#include "platform/widgets/DBTimeEdit.h"
#include "platform/widgets/EnterChain.h"
#include "store/DMOrvane.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace business {

QStringList TfrmAlarm::alarmKinds()
{
    return {u"电话联系"_s, u"报价"_s, u"签合同"_s, u"收款"_s, u"应酬"_s, u"会晤"_s,
            u"差旅"_s,     u"接待"_s, u"会议"_s,   u"生日"_s, u"其他"_s};
}

QStringList TfrmAlarm::gridKinds() { return {u"开庭"_s, u"出具文书"_s, u"会晤"_s, u"差旅"_s, u"其他"_s}; }

TfrmAlarm::TfrmAlarm(QWidget *parent) : QDialog(parent), m_alarm(store::DMOrvane->tlbAlarm)
{
    setObjectName(u"frmAlarm"_s);
    setWindowTitle(u"闹钟设置"_s);

    using widgets::ColumnSpec;
    using widgets::Sort;
    auto *heading = new QLabel(u"闹钟事项"_s, this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);
    dxDGAlarm = new widgets::DBGrid(m_alarm,
                                    {ColumnSpec(u"序号"_s, u"AlarmNO"_s, true, {}, 48).setReadOnly(),
                                     ColumnSpec(u"日期"_s, u"AlarmDate"_s, true, {}, 90),
                                     ColumnSpec(u"时间"_s, u"AlarmTime"_s, true, {}, 72),
                                     ColumnSpec(u"事项"_s, u"AlarmType"_s, true, {}, 90).setPickItems(gridKinds()),
                                     ColumnSpec(u"备注"_s, u"AlarmMemo"_s, true, {}, 0, Sort::Ascending)},
                                    this);
    dxDGAlarm->setObjectName(u"dxDGAlarm"_s);
    dxDGAlarm->setEditable(true);
    dxDGAlarm->setAllowInsert(true);
    dxDGAlarm->setAllowDelete(true);
    dxDGAlarm->setRowIndicator(true);
    dxDGAlarm->horizontalHeader()->setStretchLastSection(true);
    dxDGAlarm->setMinimumSize(460, 200);

    dxDBTimeAlarm = new widgets::DBTimeEdit(m_alarm, u"AlarmTime"_s, this);
    dxDBTimeAlarm->setObjectName(u"dxDBTimeAlarm"_s);
    dxDBDateAlarm = new widgets::DBDateEdit(m_alarm, u"AlarmDate"_s, this);
    dxDBDateAlarm->setObjectName(u"dxDBDateAlarm"_s);
    dxDBPickAlarmType = new widgets::DBPickEdit(m_alarm, u"AlarmType"_s, this);
    dxDBPickAlarmType->setObjectName(u"dxDBPickAlarmType"_s);
    dxDBPickAlarmType->setItems(alarmKinds());
    dxDBMemoAlarm = new widgets::DBMemo(m_alarm, u"AlarmMemo"_s, this);
    dxDBMemoAlarm->setObjectName(u"dxDBMemoAlarm"_s);
    dxDBMemoAlarm->setFixedHeight(dxDBMemoAlarm->fontMetrics().lineSpacing() * 3 + 12);

    auto *settings = new QGroupBox(u"闹钟设置"_s, this);
    auto *boxes = new QGridLayout(settings);
    boxes->setHorizontalSpacing(8);
    auto caption = [settings](const QString &text, QWidget *buddy) {
        auto *label = new QLabel(text, settings);
        label->setBuddy(buddy);
        return label;
    };
    boxes->addWidget(caption(u"时    间"_s, dxDBTimeAlarm), 0, 0);
    boxes->addWidget(dxDBTimeAlarm, 0, 1);
    boxes->addWidget(caption(u"日    期"_s, dxDBDateAlarm), 0, 2);
    boxes->addWidget(dxDBDateAlarm, 0, 3);
    boxes->addWidget(caption(u"事    项"_s, dxDBPickAlarmType), 1, 0);
    boxes->addWidget(dxDBPickAlarmType, 1, 1, 1, 3);
    boxes->addWidget(caption(u"备    注"_s, dxDBMemoAlarm), 2, 0, Qt::AlignTop);
    boxes->addWidget(dxDBMemoAlarm, 2, 1, 1, 3);
    boxes->setColumnStretch(1, 1);
    boxes->setColumnStretch(3, 1);

    auto button = [this](const QString &text, const QString &name) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    fbtnAdd = button(u"添加"_s, u"fbtnAdd"_s);
    fbtnSave = button(u"保存"_s, u"fbtnSave"_s);
    fbtnDelete = button(u"删除"_s, u"fbtnDelete"_s);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(fbtnAdd);
    buttons->addWidget(fbtnSave);
    buttons->addWidget(fbtnDelete);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(dxDGAlarm, 1);
    layout->addWidget(settings);
    layout->addLayout(buttons);

    widgets::EnterChain::install({dxDBTimeAlarm, dxDBDateAlarm, dxDBPickAlarmType, dxDBMemoAlarm});
    connect(fbtnAdd, &QPushButton::clicked, this, [this] { sys::guarded(this, [this] { fbtnAddClick(); }); });
    connect(fbtnSave, &QPushButton::clicked, this, [this] { sys::guarded(this, [this] { fbtnSaveClick(); }); });
    connect(fbtnDelete, &QPushButton::clicked, this, [this] { sys::guarded(this, [this] { fbtnDeleteClick(); }); });
}

void TfrmAlarm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    sys::guarded(this, [this] { m_alarm->open(); });
}

void TfrmAlarm::done(int result)
{
    // What was typed is saved rather than lost with the window; a refused save keeps it open.
    if (m_alarm->isActive() && !sys::guarded(this, [this] { m_alarm->checkBrowseMode(); }))
        return;
    QDialog::done(result);
}

void TfrmAlarm::fbtnAddClick()
{
    m_alarm->append();
    dxDBTimeAlarm->setFocus();
}

void TfrmAlarm::fbtnSaveClick()
{
    if (m_alarm->state() == db::State::Browse)
        m_alarm->edit();
    m_alarm->post();
}

void TfrmAlarm::fbtnDeleteClick()
{
    if (m_alarm->isEmpty())
        return;
    if (sys::confirm(u"真的要删除该记录吗？"_s))
        m_alarm->remove();
}

} // namespace business
