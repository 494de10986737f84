#include "platform/db/Query.h"
#include "platform/db/Connection.h"
#include "platform/db/Dialect.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace db {

namespace {
QString quoted(const QString &ident) { return u'"' + QString(ident).replace(u'"', u"\"\""_s) + u'"'; }
constexpr auto RowidColumn = "__crm_rowid";
} // namespace

Query::Query(QObject *parent) : Dataset(parent) {}

void Query::sqlChanged()
{
    close();
    unprepare();
}

void Query::setSql(const QString &text)
{
    sqlChanged();
    m_sql = text.split(QLatin1Char('\n'));
}

void Query::setSql(const QStringList &lines)
{
    sqlChanged();
    m_sql = lines;
}

void Query::clearSql()
{
    sqlChanged();
    m_sql.clear();
}

void Query::addLine(const QString &line)
{
    sqlChanged();
    m_sql << line;
}

void Query::setParam(const QString &name, const QVariant &value)
{
    QString n = name;
    if (n.startsWith(u':'))
        n.remove(0, 1);
    m_params.insert(n.toLower(), value);
}

QVariant Query::param(const QString &name) const { return m_params.value(name.toLower()); }

QStringList Query::paramNames() { return translateSql(sqlText()).paramNames; }

void Query::prepare()
{
    // Translating and compiling once makes a wrong statement fail here, with the engine's message.
    const TranslatedSql t = translateSql(sqlText());
    Statement check(connection(), t.sql);
    m_prepared = true;
}

void Query::unprepare() { m_prepared = false; }

QVariantList Query::boundValues(const QStringList &names) const
{
    QVariantList values;
    for (const QString &n : names) {
        const auto it = m_params.constFind(n.toLower());
        if (it == m_params.constEnd())
            throw Error(u"参数 %1 没有赋值"_s.arg(n));
        values << it.value();
    }
    return values;
}

void Query::doOpen(std::vector<Row> &rows, QVector<FieldDef> &defs)
{
    Connection &conn = connection();
    TranslatedSql t = translateSql(sqlText());
    m_liveTable.clear();
    QString sql = t.sql;
    bool withRowid = false;
    if (m_live && t.singleTableSelect) {
        m_liveTable = conn.resolveTable(t.tables.value(0));
        if (!m_liveTable.isEmpty()) {
            // The row's identity travels with it so that edits post back to the table.
            static const QRegularExpression selectRe(u"^\\s*select\\s+(distinct\\s+)?"_s,
                                                     QRegularExpression::CaseInsensitiveOption);
            const auto m = selectRe.match(sql);
            if (m.hasMatch() && m.captured(1).isEmpty()) {
                sql.insert(m.capturedEnd(), u"%1.rowid AS %2, "_s.arg(quoted(t.firstTableAlias), QString::fromLatin1(RowidColumn)));
                withRowid = true;
            } else {
                m_liveTable.clear();
            }
        }
    }
    Statement st(conn, sql);
    st.bindAll(boundValues(t.paramNames));
    const int first = withRowid ? 1 : 0;
    const int n = st.columnCount() - first;
    defs.clear();
    m_columnToTable.clear();
    m_tableColumns.clear();
    for (int i = 0; i < n; ++i) {
        defs << fieldDefFromDecl(st.columnName(first + i), st.columnDeclType(first + i));
        if (withRowid) {
            const bool fromTable = st.columnTable(first + i).compare(m_liveTable, Qt::CaseInsensitive) == 0;
            m_columnToTable << (fromTable ? int(m_tableColumns.size()) : -1);
            m_tableColumns << (fromTable ? st.columnOrigin(first + i) : QString());
        }
    }
    if (withRowid) {
        // Types of columns that come straight from the table (autoinc, required).
        const QVector<FieldDef> tableDefs = conn.tableFields(m_liveTable);
        for (int i = 0; i < n; ++i) {
            if (m_columnToTable[i] < 0)
                continue;
            for (const FieldDef &td : tableDefs)
                if (td.name.compare(m_tableColumns[m_columnToTable[i]], Qt::CaseInsensitive) == 0) {
                    defs[i].type = td.type;
                    defs[i].size = td.size;
                    defs[i].required = td.required;
                }
        }
    }
    while (st.step()) {
        Row r;
        r.rowid = withRowid ? st.columnInt64(0) : qint64(rows.size() + 1);
        r.values.resize(n);
        for (int i = 0; i < n; ++i)
            r.values[i] = st.column(first + i, defs[i].type);
        rows.push_back(std::move(r));
    }
}

int Query::execSql()
{
    Connection &conn = connection();
    const TranslatedSql t = translateSql(sqlText());
    Statement st(conn, t.sql);
    st.bindAll(boundValues(t.paramNames));
    while (st.step()) {
    }
    return conn.changes();
}

Dataset::Row Query::doPost(const Row *original, const QVector<QVariant> &buffer, const QVector<bool> &changed)
{
    if (!canModify())
        throw Error(u"查询 %1 的结果是只读的"_s.arg(objectName()));
    Connection &conn = connection();
    Transaction tx(conn);
    QStringList cols;
    QVariantList values;
    for (int i = 0; i < buffer.size(); ++i) {
        const int tc = m_columnToTable.value(i, -1);
        if (!changed[i] || tc < 0)
            continue;
        if (!original && field(i).type() == FieldType::AutoInc && buffer[i].isNull())
            continue;
        cols << quoted(m_tableColumns[tc]);
        values << buffer[i];
    }
    Row r;
    r.values = buffer;
    if (!original) {
        QStringList marks;
        for (int i = 0; i < cols.size(); ++i)
            marks << u"?%1"_s.arg(i + 1);
        const QString sql = cols.isEmpty()
                                ? u"INSERT INTO %1 DEFAULT VALUES"_s.arg(quoted(m_liveTable))
                                : u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(quoted(m_liveTable), cols.join(u", "_s), marks.join(u", "_s));
        Statement st(conn, sql);
        st.bindAll(values);
        st.step();
        r.rowid = conn.lastInsertRowid();
    } else {
        r.rowid = original->rowid;
        if (!cols.isEmpty()) {
            QStringList sets;
            for (int i = 0; i < cols.size(); ++i)
                sets << u"%1 = ?%2"_s.arg(cols[i]).arg(i + 1);
            Statement st(conn, u"UPDATE %1 SET %2 WHERE rowid = ?%3"_s.arg(quoted(m_liveTable), sets.join(u", "_s)).arg(cols.size() + 1));
            st.bindAll(values);
            st.bind(int(cols.size()) + 1, r.rowid);
            st.step();
        }
    }
    // Read back the table's own columns (keys assigned on insert).
    QStringList tableCols;
    QVector<int> resultIndex;
    for (int i = 0; i < buffer.size(); ++i)
        if (const int tc = m_columnToTable.value(i, -1); tc >= 0) {
            tableCols << quoted(m_tableColumns[tc]);
            resultIndex << i;
        }
    if (!tableCols.isEmpty()) {
        Statement back(conn, u"SELECT %1 FROM %2 WHERE rowid = ?1"_s.arg(tableCols.join(u", "_s), quoted(m_liveTable)));
        back.bind(1, r.rowid);
        if (back.step())
            for (int k = 0; k < resultIndex.size(); ++k)
                r.values[resultIndex[k]] = back.column(k, field(resultIndex[k]).type());
    }
    tx.commit();
    return r;
}

void Query::doDelete(const Row &row)
{
    if (!canModify())
        throw Error(u"查询 %1 的结果是只读的"_s.arg(objectName()));
    Statement st(connection(), u"DELETE FROM %1 WHERE rowid = ?1"_s.arg(quoted(m_liveTable)));
    st.bind(1, row.rowid);
    st.step();
}

} // namespace db
