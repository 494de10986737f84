#pragma once
#include "platform/db/FieldType.h"

#include <QString>
#include <QVariant>
#include <QVector>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

// The one connection of a program to the database behind the alias CRM.
// Opened through Qt SQL (QSQLITE); statements run on its sqlite3 handle so that
// loading rows costs no more than the C library itself.
class Connection {
public:
    static constexpr const char *DatabaseFileName = "CRM.sqlite";

    // Points the alias at a folder (AppPath + "data") and opens its database file.
    // With createIfMissing the file is created empty; the caller installs the schema.
    static void openAlias(const QString &alias, const QString &folder, bool createIfMissing = true);
    static void closeAlias(const QString &alias = QStringLiteral("CRM"));
    static bool isOpen(const QString &alias = QStringLiteral("CRM"));
    static Connection &get(const QString &alias = QStringLiteral("CRM"));

    QString folder() const { return m_folder; }
    QString filePath() const;
    sqlite3 *handle() const { return m_handle; }

    // Runs statements without a result (DDL, DELETE ...); raw SQLite syntax.
    void exec(const QString &sql);
    qint64 lastInsertRowid() const;
    int changes() const;
    // The real table name for a file name in any case ("linkmans.DB" -> "Linkmans"); empty if missing.
    QString resolveTable(const QString &fileName);
    QVector<FieldDef> tableFields(const QString &table);
    // Columns of an index by its name as the design gives it ("idx_name"), in order,
    // and whether each is case-insensitive.
    struct IndexColumn { QString name; bool noCase; };
    QVector<IndexColumn> indexColumns(const QString &table, const QString &indexName);
    QVector<IndexColumn> primaryKey(const QString &table);
    void invalidateSchemaCache();

private:
    Connection() = default;
    QString m_alias;
    QString m_folder;
    QString m_qtName;
    sqlite3 *m_handle = nullptr;
    QHash<QString, QString> m_tableNames;            // lower-case file/table name -> real table name
    QHash<QString, QVector<FieldDef>> m_fieldsCache; // real table name -> fields
};

// A prepared statement on the connection, reset and reused; values bound by position.
class Statement {
public:
    Statement(Connection &conn, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void bind(int index, const QVariant &value); // 1-based
    void bindAll(const QVariantList &values);
    bool step(); // true while a row is available
    void reset();
    int columnCount() const;
    QString columnName(int i) const;
    QString columnDeclType(int i) const;
    QVariant column(int i, FieldType type) const;
    qint64 columnInt64(int i) const;
    QString columnTable(int i) const;  // table a result column comes from, if any
    QString columnOrigin(int i) const; // its column name in that table
    void finalize();

private:
    sqlite3_stmt *stmt() const;
    Connection *m_conn;
    sqlite3_stmt *m_stmt = nullptr;
    QString m_sql;
};

// BEGIN IMMEDIATE ... COMMIT, rolled back unless committed.
class Transaction {
public:
    explicit Transaction(Connection &conn);
    ~Transaction();
    void commit();

private:
    Connection &m_conn;
    bool m_done = false;
};

QString engineMessage(sqlite3 *handle);

} // namespace db
