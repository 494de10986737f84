#include "customers/GroupedGridPanel.h"

#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace customers {

GroupedGridPanel::GroupedGridPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(u"groupPanel"_s);
    setAcceptDrops(true);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, p.color(QPalette::Window).darker(106));
    setPalette(p);
    setMinimumHeight(fontMetrics().height() + 18);

    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(8, 4, 8, 4);
    m_layout->setSpacing(4);
    m_hint = new QLabel(u"拖动列标题到此处，按该列分组"_s, this);
    m_hint->setObjectName(u"groupPanelHint"_s);
    QPalette hp = m_hint->palette();
    hp.setColor(QPalette::WindowText, hp.color(QPalette::PlaceholderText));
    m_hint->setPalette(hp);
    m_layout->addWidget(m_hint);
    m_layout->addStretch(1);
}

QString GroupedGridPanel::mimeType() { return u"application/x-crm-grid-column"_s; }

QMimeData *GroupedGridPanel::columnMimeData(int column)
{
    auto *data = new QMimeData;
    data->setData(mimeType(), QByteArray::number(column));
    return data;
}

int GroupedGridPanel::columnOf(const QMimeData *data)
{
    if (!data || !data->hasFormat(mimeType()))
        return -1;
    bool ok = false;
    const int column = data->data(mimeType()).toInt(&ok);
    return ok ? column : -1;
}

QWidget *GroupedGridPanel::makeChip(const Chip &chip)
{
    auto *frame = new QFrame(this);
    frame->setObjectName(u"groupChip%1"_s.arg(chip.column));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    frame->setBackgroundRole(QPalette::Base);
    auto *row = new QHBoxLayout(frame);
    row->setContentsMargins(2, 0, 0, 0);
    row->setSpacing(0);
    auto *caption = new QToolButton(frame);
    caption->setObjectName(u"groupChipOrder"_s);
    caption->setAutoRaise(true);
    caption->setText(chip.caption + (chip.order == Qt::AscendingOrder ? u" ▲"_s : u" ▼"_s));
    caption->setToolTip(u"单击切换分组顺序"_s);
    auto *remove = new QToolButton(frame);
    remove->setObjectName(u"groupChipRemove"_s);
    remove->setAutoRaise(true);
    remove->setText(u"×"_s);
    remove->setToolTip(u"取消按“%1”分组"_s.arg(chip.caption));
    row->addWidget(caption);
    row->addWidget(remove);
    const int column = chip.column;
    connect(caption, &QToolButton::clicked, this, [this, column] { emit orderToggled(column); });
    connect(remove, &QToolButton::clicked, this, [this, column] { emit removeRequested(column); });
    return frame;
}

void GroupedGridPanel::setChips(const QList<Chip> &chips)
{
    m_chips = chips;
    // Rebuilt whole: a chip may be what the user just clicked, so it goes once control returns.
    for (QWidget *w : std::as_const(m_chipWidgets)) {
        w->hide();
        w->setParent(nullptr);
        w->deleteLater();
    }
    m_chipWidgets.clear();
    m_chipFrames.clear();
    m_hint->setVisible(chips.isEmpty());
    int at = 0;
    for (int i = 0; i < chips.size(); ++i) {
        if (i > 0) {
            auto *arrow = new QLabel(u"›"_s, this);
            m_layout->insertWidget(at++, arrow);
            arrow->show();
            m_chipWidgets << arrow;
        }
        QWidget *chip = makeChip(chips[i]);
        m_layout->insertWidget(at++, chip);
        chip->show();
        m_chipWidgets << chip;
        m_chipFrames << chip;
    }
}

int GroupedGridPanel::dropPosition(const QPoint &pos) const
{
    // Before the first chip whose middle lies right of the drop point.
    int position = 0;
    for (int i = 0; i < m_chipFrames.size(); ++i)
        if (pos.x() > m_chipFrames[i]->geometry().center().x())
            position = i + 1;
    return position;
}

void GroupedGridPanel::dragEnterEvent(QDragEnterEvent *event)
{
    if (columnOf(event->mimeData()) >= 0)
        event->acceptProposedAction();
}

void GroupedGridPanel::dragMoveEvent(QDragMoveEvent *event)
{
    if (columnOf(event->mimeData()) >= 0)
        event->acceptProposedAction();
}

void GroupedGridPanel::dropEvent(QDropEvent *event)
{
    const int column = columnOf(event->mimeData());
    if (column < 0)
        return;
    event->acceptProposedAction();
    emit columnDropped(column, dropPosition(event->position().toPoint()));
}

} // namespace customers
