#include "platform/db/Field.h"
#include "platform/db/Dataset.h"
#include "platform/db/Error.h"
#include "platform/system/TextFormat.h"

#include <QLocale>
#include <cmath>

using namespace Qt::StringLiterals;

namespace db {

QVariant Field::value() const { return m_dataset->value(m_index); }
bool Field::isNull() const
{
    const QVariant v = value();
    return !v.isValid() || v.isNull();
}
QString Field::asString() const
{
    const QVariant v = value();
    if (v.isNull())
        return QString();
    switch (m_def.type) {
    case FieldType::Date: return sys::shortDate(v.toDate());
    case FieldType::Time: return sys::longTime(v.toTime());
    case FieldType::Boolean: return v.toBool() ? u"True"_s : u"False"_s;
    case FieldType::Float:
    case FieldType::Currency: return QString::number(v.toDouble(), 'g', 15);
    default: return v.toString();
    }
}
int Field::asInteger() const
{
    const QVariant v = value();
    if (m_def.type == FieldType::Float || m_def.type == FieldType::Currency)
        return int(std::llround(v.toDouble()));
    return v.toInt();
}
double Field::asFloat() const { return value().toDouble(); }
bool Field::asBoolean() const { return value().toBool(); }
QDate Field::asDate() const { return value().toDate(); }
QTime Field::asTime() const { return value().toTime(); }

void Field::setValue(const QVariant &v) { m_dataset->setValue(m_index, v); }

QString Field::displayText() const { return displayText(value(), m_def.type, m_displayFormat); }

QString Field::displayText(const QVariant &v, FieldType type, const QString &format)
{
    if (!v.isValid() || v.isNull())
        return QString();
    switch (type) {
    case FieldType::Date: return sys::shortDate(v.toDate());
    case FieldType::Time: return sys::longTime(v.toTime());
    case FieldType::DateTime: return QLocale().toString(v.toDateTime(), QLocale::ShortFormat);
    case FieldType::Boolean: return v.toBool() ? u"True"_s : u"False"_s;
    case FieldType::Currency:
        return sys::formatFloat(format.isEmpty() ? u",0;-,0"_s : format, v.toDouble());
    case FieldType::Float:
    case FieldType::Integer:
    case FieldType::AutoInc:
        if (!format.isEmpty())
            return sys::formatFloat(format, v.toDouble());
        if (type == FieldType::Float)
            return QString::number(v.toDouble(), 'g', 15);
        return v.toString();
    case FieldType::Unknown:
        if (!format.isEmpty() && (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int
                                  || v.typeId() == QMetaType::LongLong))
            return sys::formatFloat(format, v.toDouble());
        if (v.typeId() == QMetaType::Double)
            return QString::number(v.toDouble(), 'g', 15);
        return v.toString();
    default:
        return v.toString();
    }
}

QVariant Field::coerce(const QVariant &v, FieldType type, const QString &fieldName)
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    auto fail = [&] {
        return Error(u"“%1”不是字段 %2 的有效值"_s.arg(v.toString(), fieldName));
    };
    switch (type) {
    case FieldType::String:
    case FieldType::Memo: {
        const QString s = v.typeId() == QMetaType::QDate ? sys::shortDate(v.toDate()) : v.toString();
        // An empty text is stored as null.
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Integer:
    case FieldType::AutoInc: {
        if (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty())
            return QVariant();
        bool ok = false;
        const double d = v.toString().trimmed().toDouble(&ok);
        if (v.typeId() == QMetaType::Bool)
            return QVariant(v.toBool() ? 1 : 0);
        if (!ok)
            throw fail();
        return QVariant(int(std::llround(d)));
    }
    case FieldType::Float:
    case FieldType::Currency: {
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong)
            return QVariant(v.toDouble());
        QString s = v.toString().trimmed();
        if (s.isEmpty())
            return QVariant();
        s.remove(u','); s.remove(u'￥'); s.remove(u'¥');
        bool ok = false;
        const double d = s.toDouble(&ok);
        if (!ok)
            throw fail();
        return QVariant(d);
    }
    case FieldType::Boolean:
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString().trimmed().toLower();
            if (s.isEmpty())
                return QVariant();
            return QVariant(s == u"true"_s || s == u"1"_s || s == u"t"_s || s == u"yes"_s);
        }
        return QVariant(v.toBool());
    case FieldType::Date: {
        if (v.typeId() == QMetaType::QDate)
            return v.toDate().isValid() ? v : QVariant();
        if (v.typeId() == QMetaType::QDateTime)
            return QVariant(v.toDateTime().date());
        const QString s = v.toString().trimmed();
        if (s.isEmpty())
            return QVariant();
        QDate d = QDate::fromString(s, Qt::ISODate);
        if (!d.isValid())
            d = sys::parseShortDate(s);
        if (!d.isValid())
            throw fail();
        return QVariant(d);
    }
    case FieldType::Time: {
        if (v.typeId() == QMetaType::QTime)
            return v.toTime().isValid() ? v : QVariant();
        const QString s = v.toString().trimmed();
        if (s.isEmpty())
            return QVariant();
        QTime t = QTime::fromString(s, Qt::ISODate);
        if (!t.isValid())
            t = QLocale().toTime(s, QLocale::LongFormat);
        if (!t.isValid())
            t = QLocale().toTime(s, QLocale::ShortFormat);
        if (!t.isValid())
            throw fail();
        return QVariant(t);
    }
    case FieldType::DateTime:
        return QVariant(v.toDateTime());
    case FieldType::Unknown:
        break;
    }
    return v;
}

} // namespace db
