#pragma once
#include "platform/db/FieldType.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace db { class Connection; }

namespace store {

struct IndexDef {
    QString name;       // as the design names it ("idx_name", "CustNo")
    QStringList fields;
    bool noCase = false;
};

struct TableDef {
    QString fileName;   // "Customers.db"
    QString name;       // table name in the store ("Customers")
    QVector<db::FieldDef> fields;
    QStringList primaryKey; // empty: no key; one AutoInc field: assigned by the store
    QVector<IndexDef> indexes;
};

// Every table of the database, declared once.
const QVector<TableDef> &schema();
const TableDef *findTable(const QString &fileNameOrName);

// DDL for a new database: tables, keys, indexes, the rule that protects business
// records with items, and the "RMB" exchange-rate row.
QStringList createStatements();

// Opens the alias on the data folder, creating a new database there when the file is missing.
// Returns true when a new database was created.
bool openDatabase(const QString &dataFolder, const QString &alias = QStringLiteral("CRM"));

// Creates every missing table (and its indexes and rules) on an open connection.
void installSchema(db::Connection &conn);

} // namespace store
