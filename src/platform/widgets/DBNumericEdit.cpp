#include "platform/widgets/DBNumericEdit.h"

#include "platform/db/Error.h"
#include "platform/db/Field.h"
#include "platform/widgets/NumericText.h"

#include <QFocusEvent>
#include <QRegularExpressionValidator>
#include <cmath>

using namespace Qt::StringLiterals;

namespace widgets {

DBNumericEdit::DBNumericEdit(QWidget *parent) : QLineEdit(parent), DataEditor(this)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9.,+\\-*/() ￥¥]*"_s), this));
    connect(this, &QLineEdit::textEdited, this, [this] {
        m_showsFormatted = false;
        userChanged();
    });
}

DBNumericEdit::DBNumericEdit(db::Dataset *dataset, const QString &fieldName, QWidget *parent) : DBNumericEdit(parent)
{
    setDataField(dataset, fieldName);
}

void DBNumericEdit::setDisplayFormat(const QString &pattern)
{
    m_displayFormat = pattern;
    if (m_showsFormatted)
        showText(formatted(m_value));
}

QString DBNumericEdit::formatted(const QVariant &value) const
{
    const db::Field *f = field();
    const db::FieldType type = f ? f->type() : db::FieldType::Float;
    const QString pattern = !m_displayFormat.isEmpty() ? m_displayFormat : f ? f->displayFormat() : QString();
    return db::Field::displayText(value, type, pattern);
}

QString DBNumericEdit::plain(const QVariant &value) const
{
    if (value.isNull())
        return QString();
    const double d = value.toDouble();
    return d == std::trunc(d) && std::abs(d) < 1e15 ? QString::number(qint64(d)) : QString::number(d, 'g', 15);
}

void DBNumericEdit::showText(const QString &text)
{
    const bool modified = isModified();
    setText(text);
    setModified(modified);
}

void DBNumericEdit::showValue(const QVariant &value)
{
    m_value = value;
    m_showsFormatted = !hasFocus();
    showText(m_showsFormatted ? formatted(value) : plain(value));
}

void DBNumericEdit::setValue(const QVariant &value)
{
    showValue(value);
    setModified(false);
}

QVariant DBNumericEdit::value() const
{
    if (m_showsFormatted)
        return m_value;
    const auto v = evaluateNumber(text());
    return v ? QVariant(*v) : QVariant();
}

QVariant DBNumericEdit::editorValue() const
{
    if (m_showsFormatted)
        return m_value;
    if (text().trimmed().isEmpty())
        return QVariant();
    const auto v = evaluateNumber(text());
    if (!v)
        throw db::Error(u"“%1”不是有效的数值。"_s.arg(text().trimmed()));
    return *v;
}

void DBNumericEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (m_showsFormatted && !isReadOnly()) {
        m_showsFormatted = false;
        showText(plain(m_value));
        if (event->reason() != Qt::MouseFocusReason)
            selectAll();
    }
}

void DBNumericEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason
        || m_showsFormatted)
        return;
    // A readable sum becomes its value; unreadable text stays for correcting.
    const QString t = text().trimmed();
    const auto v = evaluateNumber(t);
    if (!t.isEmpty() && !v)
        return;
    m_value = t.isEmpty() ? QVariant() : QVariant(*v);
    m_showsFormatted = true;
    showText(formatted(m_value));
}

} // namespace widgets
