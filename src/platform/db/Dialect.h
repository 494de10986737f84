#pragma once
#include <QString>
#include <QStringList>

namespace db {

// Translation of the system's local SQL into SQLite:
//  - table file names, quoted ("Customers.DB") or bare (Customers.db), become table names;
//  - other double-quoted texts are string literals;
//  - EXTRACT(YEAR|MONTH|DAY FROM x) becomes an integer from the ISO date text;
//  - named parameters (:Name) become positional ones, their names listed in order.
struct TranslatedSql {
    QString sql;
    QStringList paramNames; // in order of appearance, as written
    QStringList tables;     // table names the statement reads (FROM and JOIN), as written without ".db"
    bool singleTableSelect = false;
    QString firstTableAlias; // alias (or name) of the first table of FROM
};

TranslatedSql translateSql(const QString &localSql);

// "Customers.DB" -> "Customers"; other names unchanged.
QString tableNameFromFile(const QString &fileName);

} // namespace db
