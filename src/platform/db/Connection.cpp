#include "platform/db/Connection.h"
#include "platform/db/Dialect.h"
#include "platform/db/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace db {

namespace {

struct Registry {
    QHash<QString, Connection *> byAlias;
    QHash<Connection *, QSet<Statement *>> statements;
};

Registry &registry()
{
    static Registry r;
    return r;
}

QString key(const QString &alias) { return alias.toUpper(); }

} // namespace

QString engineMessage(sqlite3 *handle)
{
    return handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : u"数据库未打开"_s;
}

void Connection::openAlias(const QString &alias, const QString &folder, bool createIfMissing)
{
    closeAlias(alias);
    const QString path = QDir(folder).filePath(QString::fromLatin1(DatabaseFileName));
    if (!createIfMissing && !QFileInfo::exists(path))
        throw Error(u"数据库文件不存在：%1"_s.arg(QDir::toNativeSeparators(path)));
    if (!QDir(folder).exists())
        throw Error(u"数据库文件夹不存在：%1"_s.arg(QDir::toNativeSeparators(folder)));

    auto *conn = new Connection;
    conn->m_alias = alias;
    conn->m_folder = QDir(folder).absolutePath();
    conn->m_qtName = u"crm-"_s + key(alias);
    {
        QSqlDatabase qdb = QSqlDatabase::addDatabase(u"QSQLITE"_s, conn->m_qtName);
        qdb.setDatabaseName(path);
        if (!qdb.open()) {
            const QString msg = qdb.lastError().text();
            delete conn;
            QSqlDatabase::removeDatabase(u"crm-"_s + key(alias));
            throw Error(u"无法打开数据库 %1：%2"_s.arg(QDir::toNativeSeparators(path), msg));
        }
        const QVariant h = qdb.driver()->handle();
        if (qstrcmp(h.typeName(), "sqlite3*") == 0)
            conn->m_handle = *static_cast<sqlite3 *const *>(h.constData());
    }
    if (!conn->m_handle) {
        delete conn;
        throw Error(u"数据库驱动不可用"_s);
    }
    // Several programs share the file: wait for a writer instead of failing at once,
    // and keep the rollback journal (backups copy a single file).
    conn->exec(u"PRAGMA busy_timeout = 5000"_s);
    conn->exec(u"PRAGMA journal_mode = DELETE"_s);
    conn->exec(u"PRAGMA foreign_keys = OFF"_s);
    conn->exec(u"PRAGMA cache_size = -16000"_s); // 16 MB: the target office fits its hot pages
    registry().byAlias.insert(key(alias), conn);
}

void Connection::closeAlias(const QString &alias)
{
    Connection *conn = registry().byAlias.take(key(alias));
    if (!conn)
        return;
    // Statements still held by datasets are finalized so the file can close.
    const QSet<Statement *> stmts = registry().statements.take(conn);
    for (Statement *s : stmts)
        s->finalize();
    const QString name = conn->m_qtName;
    delete conn;
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
}

bool Connection::isOpen(const QString &alias) { return registry().byAlias.contains(key(alias)); }

Connection &Connection::get(const QString &alias)
{
    Connection *conn = registry().byAlias.value(key(alias));
    if (!conn)
        throw Error(u"数据库别名 %1 未打开"_s.arg(alias));
    return *conn;
}

QString Connection::filePath() const { return QDir(m_folder).filePath(QString::fromLatin1(DatabaseFileName)); }

void Connection::exec(const QString &sql)
{
    char *err = nullptr;
    if (sqlite3_exec(m_handle, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : "");
        sqlite3_free(err);
        throw Error(msg);
    }
}

qint64 Connection::lastInsertRowid() const { return sqlite3_last_insert_rowid(m_handle); }

int Connection::changes() const { return sqlite3_changes(m_handle); }

QString Connection::resolveTable(const QString &fileName)
{
    const QString bare = tableNameFromFile(fileName.trimmed());
    const QString k = bare.toLower();
    if (auto it = m_tableNames.constFind(k); it != m_tableNames.constEnd())
        return it.value();
    Statement st(*this, u"SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE"_s);
    st.bind(1, bare);
    QString real;
    if (st.step())
        real = st.column(0, FieldType::String).toString();
    if (!real.isEmpty())
        m_tableNames.insert(k, real);
    return real;
}

QVector<FieldDef> Connection::tableFields(const QString &table)
{
    if (auto it = m_fieldsCache.constFind(table); it != m_fieldsCache.constEnd())
        return it.value();
    QVector<FieldDef> defs;
    Statement st(*this, u"SELECT name, type, \"notnull\", pk FROM pragma_table_info(?1)"_s);
    st.bind(1, table);
    int pkCount = 0;
    int pkIndex = -1;
    while (st.step()) {
        FieldDef def = fieldDefFromDecl(st.column(0, FieldType::String).toString(), st.column(1, FieldType::String).toString());
        def.required = st.columnInt64(2) != 0;
        if (st.columnInt64(3) > 0) {
            ++pkCount;
            pkIndex = int(defs.size());
        }
        defs.append(def);
    }
    // An INTEGER PRIMARY KEY alone is the rowid: the store assigns it on insert.
    if (pkCount == 1 && defs[pkIndex].type == FieldType::Integer)
        defs[pkIndex].type = FieldType::AutoInc;
    m_fieldsCache.insert(table, defs);
    return defs;
}

QVector<Connection::IndexColumn> Connection::indexColumns(const QString &table, const QString &indexName)
{
    // Index names are per table in the design ("CustNo" on two tables) but global in the store,
    // so the store names them "<table>_<index>".
    QString real;
    {
        Statement st(*this, u"SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ?1 COLLATE NOCASE "
                             "AND (name = ?2 COLLATE NOCASE OR name = ?1 || '_' || ?2 COLLATE NOCASE)"_s);
        st.bind(1, table);
        st.bind(2, indexName);
        if (st.step())
            real = st.column(0, FieldType::String).toString();
    }
    if (real.isEmpty())
        throw Error(u"表 %1 没有索引 %2"_s.arg(table, indexName));
    QVector<IndexColumn> cols;
    Statement st(*this, u"SELECT name, coll FROM pragma_index_xinfo(?1) WHERE key = 1 ORDER BY seqno"_s);
    st.bind(1, real);
    while (st.step())
        cols.append({st.column(0, FieldType::String).toString(),
                     st.column(1, FieldType::String).toString().compare(u"NOCASE"_s, Qt::CaseInsensitive) == 0});
    return cols;
}

QVector<Connection::IndexColumn> Connection::primaryKey(const QString &table)
{
    QVector<IndexColumn> cols;
    Statement st(*this, u"SELECT name FROM pragma_table_info(?1) WHERE pk > 0 ORDER BY pk"_s);
    st.bind(1, table);
    while (st.step())
        cols.append({st.column(0, FieldType::String).toString(), false});
    return cols;
}

void Connection::invalidateSchemaCache()
{
    m_tableNames.clear();
    m_fieldsCache.clear();
}

// ---------------------------------------------------------------------------

Statement::Statement(Connection &conn, const QString &sql) : m_conn(&conn), m_sql(sql)
{
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(conn.handle(), utf8.constData(), int(utf8.size()), &m_stmt, nullptr) != SQLITE_OK) {
        const QString msg = engineMessage(conn.handle());
        m_stmt = nullptr;
        throw Error(msg);
    }
    registry().statements[m_conn].insert(this);
}

Statement::~Statement()
{
    if (m_conn) {
        auto it = registry().statements.find(m_conn);
        if (it != registry().statements.end())
            it->remove(this);
    }
    finalize();
}

void Statement::finalize()
{
    if (m_stmt)
        sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
    m_conn = nullptr;
}

sqlite3_stmt *Statement::stmt() const
{
    if (!m_stmt)
        throw Error(u"数据库已关闭"_s);
    return m_stmt;
}

void Statement::bind(int index, const QVariant &value)
{
    sqlite3_stmt *s = stmt();
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(s, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int(s, index, value.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Long:
        case QMetaType::Short:
            rc = sqlite3_bind_int64(s, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(s, index, value.toDouble());
            break;
        case QMetaType::QDate: {
            const QByteArray t = value.toDate().toString(Qt::ISODate).toUtf8();
            rc = sqlite3_bind_text(s, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QTime: {
            const QByteArray t = value.toTime().toString(u"HH:mm:ss"_s).toUtf8();
            rc = sqlite3_bind_text(s, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDateTime: {
            const QByteArray t = value.toDateTime().toString(u"yyyy-MM-dd HH:mm:ss"_s).toUtf8();
            rc = sqlite3_bind_text(s, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray t = value.toString().toUtf8();
            rc = sqlite3_bind_text(s, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        throw Error(engineMessage(m_conn ? m_conn->handle() : nullptr));
}

void Statement::bindAll(const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values.at(i));
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt());
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString msg = engineMessage(m_conn->handle());
    sqlite3_reset(m_stmt);
    throw Error(msg);
}

void Statement::reset()
{
    sqlite3_reset(stmt());
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const { return sqlite3_column_count(stmt()); }

QString Statement::columnName(int i) const { return QString::fromUtf8(sqlite3_column_name(stmt(), i)); }

QString Statement::columnDeclType(int i) const
{
    const char *t = sqlite3_column_decltype(stmt(), i);
    return t ? QString::fromUtf8(t) : QString();
}

QString Statement::columnTable(int i) const
{
    const char *t = sqlite3_column_table_name(stmt(), i);
    return t ? QString::fromUtf8(t) : QString();
}

QString Statement::columnOrigin(int i) const
{
    const char *t = sqlite3_column_origin_name(stmt(), i);
    return t ? QString::fromUtf8(t) : QString();
}

qint64 Statement::columnInt64(int i) const { return sqlite3_column_int64(stmt(), i); }

QVariant Statement::column(int i, FieldType type) const
{
    sqlite3_stmt *s = stmt();
    const int storage = sqlite3_column_type(s, i);
    if (storage == SQLITE_NULL)
        return QVariant();
    auto text = [&] {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, i)), sqlite3_column_bytes(s, i));
    };
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        return text();
    case FieldType::Integer:
    case FieldType::AutoInc:
        return QVariant(int(sqlite3_column_int64(s, i)));
    case FieldType::Float:
    case FieldType::Currency:
        return QVariant(sqlite3_column_double(s, i));
    case FieldType::Boolean:
        return QVariant(sqlite3_column_int64(s, i) != 0);
    case FieldType::Date: {
        // 'yyyy-MM-dd' is what the store holds: read it without building a QString.
        const auto *t = reinterpret_cast<const char *>(sqlite3_column_text(s, i));
        if (sqlite3_column_bytes(s, i) >= 10 && t[4] == '-' && t[7] == '-') {
            auto num = [t](int from, int len) {
                int v = 0;
                for (int k = from; k < from + len; ++k) {
                    if (t[k] < '0' || t[k] > '9')
                        return -1;
                    v = v * 10 + (t[k] - '0');
                }
                return v;
            };
            const QDate d(num(0, 4), num(5, 2), num(8, 2));
            if (d.isValid())
                return QVariant(d);
        }
        return QVariant(QDate::fromString(text().left(10), Qt::ISODate));
    }
    case FieldType::Time:
        return QVariant(QTime::fromString(text(), Qt::ISODate));
    case FieldType::DateTime:
        return QVariant(QDateTime::fromString(text(), u"yyyy-MM-dd HH:mm:ss"_s));
    case FieldType::Unknown:
        break;
    }
    switch (storage) {
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_column_int64(s, i);
        return v >= INT_MIN && v <= INT_MAX ? QVariant(int(v)) : QVariant(v);
    }
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(s, i));
    default:
        return text();
    }
}

// ---------------------------------------------------------------------------

Transaction::Transaction(Connection &conn) : m_conn(conn) { m_conn.exec(u"BEGIN IMMEDIATE"_s); }

Transaction::~Transaction()
{
    if (!m_done) {
        try {
            m_conn.exec(u"ROLLBACK"_s);
        } catch (const Error &) {
        }
    }
}

void Transaction::commit()
{
    m_conn.exec(u"COMMIT"_s);
    m_done = true;
}

} // namespace db
