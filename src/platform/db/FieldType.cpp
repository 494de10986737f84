#include "platform/db/FieldType.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace db {

FieldDef fieldDefFromDecl(const QString &name, const QString &declType)
{
    FieldDef def;
    def.name = name;
    const QString t = declType.trimmed().toUpper();
    static const QRegularExpression sized(u"^(VARCHAR|CHAR)\\s*\\(\\s*(\\d+)\\s*\\)"_s);
    if (const auto m = sized.match(t); m.hasMatch()) {
        def.type = FieldType::String;
        def.size = m.captured(2).toInt();
    } else if (t.startsWith(u"VARCHAR"_s) || t.startsWith(u"CHAR"_s)) {
        def.type = FieldType::String;
    } else if (t == u"TEXT"_s || t == u"MEMO"_s || t == u"CLOB"_s) {
        def.type = FieldType::Memo;
    } else if (t == u"AUTOINC"_s) {
        def.type = FieldType::AutoInc;
    } else if (t.startsWith(u"INT"_s) || t == u"SMALLINT"_s || t == u"BIGINT"_s) {
        def.type = FieldType::Integer;
    } else if (t == u"CURRENCY"_s || t == u"MONEY"_s) {
        def.type = FieldType::Currency;
    } else if (t == u"REAL"_s || t == u"FLOAT"_s || t == u"DOUBLE"_s || t == u"NUMBER"_s || t == u"NUMERIC"_s) {
        def.type = FieldType::Float;
    } else if (t == u"BOOLEAN"_s || t == u"BOOL"_s) {
        def.type = FieldType::Boolean;
    } else if (t == u"DATE"_s) {
        def.type = FieldType::Date;
    } else if (t == u"TIME"_s) {
        def.type = FieldType::Time;
    } else if (t == u"DATETIME"_s || t == u"TIMESTAMP"_s) {
        def.type = FieldType::DateTime;
    }
    return def;
}

QString declForType(FieldType type, int size)
{
    switch (type) {
    case FieldType::String: return u"VARCHAR(%1)"_s.arg(size);
    case FieldType::Memo: return u"TEXT"_s;
    case FieldType::Integer: return u"INTEGER"_s;
    case FieldType::AutoInc: return u"INTEGER"_s;
    case FieldType::Float: return u"FLOAT"_s;
    case FieldType::Currency: return u"CURRENCY"_s;
    case FieldType::Boolean: return u"BOOLEAN"_s;
    case FieldType::Date: return u"DATE"_s;
    case FieldType::Time: return u"TIME"_s;
    case FieldType::DateTime: return u"DATETIME"_s;
    case FieldType::Unknown: break;
    }
    return QString();
}

} // namespace db
