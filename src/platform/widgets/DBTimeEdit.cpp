#include "platform/widgets/DBTimeEdit.h"

#include "platform/system/TextFormat.h"

#include <QRegularExpressionValidator>

using namespace Qt::StringLiterals;

namespace widgets {

DBTimeEdit::DBTimeEdit(QWidget *parent) : DBTemporalEdit(parent)
{
    setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9:]{0,8}"_s), this));
}

DBTimeEdit::DBTimeEdit(db::Dataset *dataset, const QString &fieldName, QWidget *parent) : DBTimeEdit(parent)
{
    setDataField(dataset, fieldName);
}

QTime DBTimeEdit::parseTime(const QString &text)
{
    const QString t = text.trimmed();
    for (const QString &f : {u"H:mm:ss"_s, u"H:mm"_s, u"HHmmss"_s, u"HHmm"_s}) {
        const QTime time = QTime::fromString(t, f);
        if (time.isValid())
            return time;
    }
    return QTime();
}

QTime DBTimeEdit::time() const { return parseTime(text()); }

void DBTimeEdit::setTime(const QTime &time) { setText(time.isValid() ? sys::longTime(time) : QString()); }

QString DBTimeEdit::format(const QVariant &value) const
{
    return value.isNull() ? QString() : sys::longTime(value.toTime());
}

QVariant DBTimeEdit::parse(const QString &text) const
{
    const QTime t = parseTime(text);
    return t.isValid() ? QVariant(t) : QVariant();
}

QString DBTimeEdit::kindName() const { return u"时间"_s; }

} // namespace widgets
