#include "platform/widgets/DBHyperLinkEdit.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyleHints>

namespace widgets {

DBHyperLinkEdit::DBHyperLinkEdit(QWidget *parent) : DBEdit(parent)
{
    m_singleClick.setSingleShot(true);
    connect(&m_singleClick, &QTimer::timeout, this, [this] { emit linkClicked(text()); });
    connect(this, &QLineEdit::textChanged, this, &DBHyperLinkEdit::updateLook);
    updateLook();
}

DBHyperLinkEdit::DBHyperLinkEdit(db::Dataset *dataset, const QString &fieldName, QWidget *parent)
    : DBHyperLinkEdit(parent)
{
    setDataField(dataset, fieldName);
}

void DBHyperLinkEdit::updateLook()
{
    QFont f = font();
    f.setUnderline(!text().isEmpty());
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::Active, QPalette::Text, p.color(QPalette::Active, QPalette::Link));
    p.setColor(QPalette::Inactive, QPalette::Text, p.color(QPalette::Inactive, QPalette::Link));
    setPalette(p);
    setCursor(text().isEmpty() ? Qt::IBeamCursor : Qt::PointingHandCursor);
}

void DBHyperLinkEdit::changeEvent(QEvent *event)
{
    DBEdit::changeEvent(event);
    if (event->type() == QEvent::StyleChange)
        updateLook();
}

void DBHyperLinkEdit::mousePressEvent(QMouseEvent *event)
{
    DBEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        m_pressPos = event->position().toPoint();
    }
}

void DBHyperLinkEdit::mouseReleaseEvent(QMouseEvent *event)
{
    DBEdit::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    if (m_afterDoubleClick) {
        m_afterDoubleClick = false;
        return;
    }
    // A drag selects text; it is no click.
    if ((event->position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance()
        || !rect().contains(event->position().toPoint()))
        return;
    m_singleClick.start(QApplication::styleHints()->mouseDoubleClickInterval());
}

void DBHyperLinkEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    DBEdit::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    m_singleClick.stop();
    m_pressed = true;
    m_afterDoubleClick = true;
    emit linkDoubleClicked(text());
}

} // namespace widgets
