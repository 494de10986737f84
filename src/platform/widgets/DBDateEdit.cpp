#include "platform/widgets/DBDateEdit.h"

#include "platform/system/TextFormat.h"

#include <QAction>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace widgets {

namespace {

// A plain drop-down triangle, as combo boxes show.
QIcon dropIcon(const QColor &color)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(QPolygonF{QPointF(4, 6), QPointF(12, 6), QPointF(8, 11)});
    return QIcon(pm);
}

} // namespace

DBDateEdit::DBDateEdit(QWidget *parent) : DBTemporalEdit(parent), m_calendar(new QCalendarWidget(this))
{
    setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9/.\\-]{0,10}"_s), this));
    QAction *drop = addAction(dropIcon(palette().color(QPalette::Text)), QLineEdit::TrailingPosition);
    drop->setToolTip(u"选择日期"_s);
    connect(drop, &QAction::triggered, this, &DBDateEdit::showPopup);

    m_calendar->setWindowFlags(Qt::Popup);
    m_calendar->setGridVisible(true);
    m_calendar->hide();
    connect(m_calendar, &QCalendarWidget::clicked, this, [this](const QDate &d) {
        m_calendar->hide();
        if (!isReadOnly())
            enterValue(d);
    });
    connect(m_calendar, &QCalendarWidget::activated, m_calendar, &QCalendarWidget::clicked);
}

DBDateEdit::DBDateEdit(db::Dataset *dataset, const QString &fieldName, QWidget *parent) : DBDateEdit(parent)
{
    setDataField(dataset, fieldName);
}

QDate DBDateEdit::parseDate(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QDate();
    QDate d = sys::parseShortDate(t);
    if (d.isValid())
        return d;
    if (t.size() == 8 && !t.contains(u'/') && !t.contains(u'-') && !t.contains(u'.'))
        return QDate::fromString(t, u"yyyyMMdd"_s);
    QString slashed = t;
    slashed.replace(u'-', u'/').replace(u'.', u'/');
    return QDate::fromString(slashed, u"yyyy/M/d"_s);
}

QDate DBDateEdit::date() const { return parseDate(text()); }

void DBDateEdit::setDate(const QDate &date)
{
    setText(date.isValid() ? sys::shortDate(date) : QString());
}

QString DBDateEdit::format(const QVariant &value) const
{
    return value.isNull() ? QString() : sys::shortDate(value.toDate());
}

QVariant DBDateEdit::parse(const QString &text) const
{
    const QDate d = parseDate(text);
    return d.isValid() ? QVariant(d) : QVariant();
}

QString DBDateEdit::kindName() const { return u"日期"_s; }

void DBDateEdit::showPopup()
{
    if (isReadOnly() || !isEnabled())
        return;
    const QDate d = date();
    m_calendar->setSelectedDate(d.isValid() ? d : QDate::currentDate());
    m_calendar->adjustSize();
    QPoint pos = mapToGlobal(QPoint(0, height()));
    if (const QScreen *s = screen()) {
        const QRect area = s->availableGeometry();
        if (pos.y() + m_calendar->height() > area.bottom())
            pos.setY(mapToGlobal(QPoint(0, 0)).y() - m_calendar->height());
        pos.setX(std::clamp(pos.x(), area.left(), std::max(area.left(), area.right() - m_calendar->width())));
    }
    m_calendar->move(pos);
    m_calendar->show();
    m_calendar->setFocus(Qt::PopupFocusReason);
}

void DBDateEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F4 || (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier))) {
        showPopup();
        return;
    }
    DBTemporalEdit::keyPressEvent(event);
}

} // namespace widgets
