#pragma once
#include <QString>

namespace db {

enum class FieldType { Unknown, String, Memo, Integer, AutoInc, Float, Currency, Boolean, Date, Time, DateTime };

// Column declarations in the store carry the field type ("VARCHAR(10)", "DATE", "CURRENCY", ...),
// so every program and query learns the type from the database itself.
struct FieldDef {
    QString name;
    FieldType type = FieldType::Unknown;
    int size = 0; // bytes for String, 0 otherwise
    bool required = false;
};

FieldDef fieldDefFromDecl(const QString &name, const QString &declType);
QString declForType(FieldType type, int size);

} // namespace db
