#include "platform/db/Table.h"
#include "platform/db/Connection.h"
#include "platform/db/Dialect.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace db {

namespace {

QString quoted(const QString &ident) { return u'"' + QString(ident).replace(u'"', u"\"\""_s) + u'"'; }

// Compares like the store: UTF-8 byte order (= code point order; the surrogate fix-up makes
// UTF-16 units sort that way) and NOCASE folding ASCII letters only. Allocates nothing.
int compareText(QStringView a, QStringView b, bool noCase)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x == y)
            continue;
        if (noCase) {
            if (x >= u'A' && x <= u'Z')
                x += 32;
            if (y >= u'A' && y <= u'Z')
                y += 32;
            if (x == y)
                continue;
        }
        auto fix = [](char16_t u) { return u >= 0xD800 ? (u < 0xE000 ? u + 0x2000 : u - 0x800) : int(u); };
        return fix(x) < fix(y) ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

const QString *textOf(const QVariant &v)
{
    return v.typeId() == QMetaType::QString ? static_cast<const QString *>(v.constData()) : nullptr;
}

int compareValues(const QVariant &a, const QVariant &b, bool noCase)
{
    if (const QString *x = textOf(a))
        if (const QString *y = textOf(b))
            return compareText(*x, *y, noCase);
    const bool an = a.isNull(), bn = b.isNull();
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1); // nulls sort first, as in the store
    switch (a.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::Bool: {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case QMetaType::QDate:
        return a.toDate() < b.toDate() ? -1 : (b.toDate() < a.toDate() ? 1 : 0);
    case QMetaType::QTime:
        return a.toTime() < b.toTime() ? -1 : (b.toTime() < a.toTime() ? 1 : 0);
    default: {
        // The store compares UTF-8 bytes; NOCASE folds ASCII letters only.
        QByteArray x = a.toString().toUtf8(), y = b.toString().toUtf8();
        if (noCase) {
            x = x.toLower();
            y = y.toLower();
        }
        const int c = x.compare(y);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    }
}

} // namespace

Table::Table(QObject *parent) : Dataset(parent) {}

Table::Table(const QString &tableName, QObject *parent) : Dataset(parent), m_tableName(tableName) {}

Table::~Table() = default;

void Table::setTableName(const QString &name)
{
    if (isActive())
        throw Error(u"不能修改已打开数据集的表名"_s);
    m_tableName = name;
    m_realName.clear();
}

void Table::setIndexName(const QString &name)
{
    if (isActive())
        throw Error(u"不能修改已打开数据集的索引"_s);
    m_indexName = name;
}

void Table::setExclusive(bool on)
{
    if (isActive())
        throw Error(u"不能修改已打开数据集的独占方式"_s);
    m_exclusive = on;
}

void Table::setMaster(Dataset *master, const QString &linkField, const QString &masterField)
{
    if (m_master)
        disconnect(m_master, nullptr, this, nullptr);
    m_master = master;
    m_linkField = linkField;
    m_masterField = masterField.isEmpty() ? linkField : masterField;
    m_select.reset();
    if (m_master)
        connect(m_master, &Dataset::keyChanged, this, &Table::masterKeyChanged);
}

QString Table::realTable()
{
    if (m_realName.isEmpty()) {
        m_realName = connection().resolveTable(m_tableName);
        if (m_realName.isEmpty())
            throw Error(u"表 %1 不存在"_s.arg(m_tableName));
    }
    return m_realName;
}

QVariant Table::masterValue() const
{
    if (!m_master || !m_master->isActive() || m_master->state() == State::Insert)
        return QVariant();
    const int fi = m_master->fieldIndex(m_masterField);
    if (fi < 0)
        throw Error(u"%1：主表中找不到字段 %2"_s.arg(objectName(), m_masterField));
    return m_master->value(fi);
}

void Table::doOpen(std::vector<Row> &rows, QVector<FieldDef> &defs)
{
    Connection &conn = connection();
    const QString table = realTable();
    if (m_exclusive && !m_lock) {
        auto lock = std::make_unique<QLockFile>(QDir(conn.folder()).filePath(table + u".lck"_s));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0))
            throw Error(u"表 %1 已被其他程序独占打开"_s.arg(m_tableName));
        m_lock = std::move(lock);
    }
    if (m_defs.isEmpty() || !m_select) {
        m_defs = conn.tableFields(table);
        QVector<Connection::IndexColumn> order =
            m_indexName.isEmpty() ? conn.primaryKey(table) : conn.indexColumns(table, m_indexName);
        m_orderFields.clear();
        m_orderNoCase.clear();
        QStringList cols, orderBy;
        for (const FieldDef &d : std::as_const(m_defs))
            cols << quoted(d.name);
        for (const auto &c : std::as_const(order)) {
            int fi = -1;
            for (int i = 0; i < m_defs.size(); ++i)
                if (m_defs[i].name.compare(c.name, Qt::CaseInsensitive) == 0)
                    fi = i;
            m_orderFields << fi;
            m_orderNoCase << c.noCase;
            orderBy << quoted(c.name) + (c.noCase ? u" COLLATE NOCASE"_s : QString());
        }
        orderBy << u"rowid"_s;
        QString sql = u"SELECT rowid, %1 FROM %2"_s.arg(cols.join(u", "_s), quoted(table));
        if (m_master)
            sql += u" WHERE %1 = ?1"_s.arg(quoted(m_linkField));
        sql += u" ORDER BY "_s + orderBy.join(u", "_s);
        m_select = std::make_unique<Statement>(conn, sql);
    }
    defs = m_defs;

    QVariant key;
    if (m_master) {
        key = masterValue();
        m_loadedKey = key;
        if (key.isNull())
            return; // no master record: no detail rows
    }
    Statement &st = *m_select;
    st.reset();
    if (m_master)
        st.bind(1, key);
    const int n = int(m_defs.size());
    while (st.step()) {
        Row r;
        r.rowid = st.columnInt64(0);
        r.values.resize(n);
        for (int i = 0; i < n; ++i)
            r.values[i] = st.column(i + 1, m_defs[i].type);
        rows.push_back(std::move(r));
    }
    st.reset();
}

void Table::doClose()
{
    m_lock.reset();
    m_select.reset();
    m_defs.clear();
}

void Table::initRecord(QVector<QVariant> &buffer)
{
    if (!m_master)
        return;
    const int fi = fieldIndex(m_linkField);
    if (fi >= 0)
        buffer[fi] = masterValue();
}

void Table::masterKeyChanged()
{
    if (!isActive())
        return;
    const QVariant key = masterValue();
    if (key == m_loadedKey && key.isNull() == m_loadedKey.isNull())
        return;
    checkBrowseMode();
    reloadRows(false);
    if (afterScroll)
        afterScroll(*this);
}

Dataset::Row Table::doPost(const Row *original, const QVector<QVariant> &buffer, const QVector<bool> &changed)
{
    Connection &conn = connection();
    const QString table = realTable();
    Transaction tx(conn);
    qint64 rowid = original ? original->rowid : 0;
    QStringList cols;
    QVariantList values;
    for (int i = 0; i < m_defs.size(); ++i) {
        if (!changed[i])
            continue;
        if (!original && m_defs[i].type == FieldType::AutoInc && buffer[i].isNull())
            continue;
        cols << quoted(m_defs[i].name);
        values << buffer[i];
    }
    if (!original) {
        QStringList marks;
        for (int i = 0; i < cols.size(); ++i)
            marks << u"?%1"_s.arg(i + 1);
        const QString sql = cols.isEmpty() ? u"INSERT INTO %1 DEFAULT VALUES"_s.arg(quoted(table))
                                           : u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(quoted(table), cols.join(u", "_s),
                                                                                     marks.join(u", "_s));
        Statement st(conn, sql);
        st.bindAll(values);
        st.step();
        rowid = conn.lastInsertRowid();
    } else if (!cols.isEmpty()) {
        QStringList sets;
        for (int i = 0; i < cols.size(); ++i)
            sets << u"%1 = ?%2"_s.arg(cols[i]).arg(i + 1);
        Statement st(conn, u"UPDATE %1 SET %2 WHERE rowid = ?%3"_s.arg(quoted(table), sets.join(u", "_s)).arg(cols.size() + 1));
        st.bindAll(values);
        st.bind(int(cols.size()) + 1, rowid);
        st.step();
    }
    // Read the row back: the store assigns keys and normalises values.
    QStringList all;
    for (const FieldDef &d : std::as_const(m_defs))
        all << quoted(d.name);
    Statement back(conn, u"SELECT %1 FROM %2 WHERE rowid = ?1"_s.arg(all.join(u", "_s), quoted(table)));
    back.bind(1, rowid);
    Row r;
    r.rowid = rowid;
    r.values.resize(m_defs.size());
    if (back.step())
        for (int i = 0; i < m_defs.size(); ++i)
            r.values[i] = back.column(i, m_defs[i].type);
    tx.commit();
    return r;
}

void Table::doDelete(const Row &row)
{
    Connection &conn = connection();
    Statement st(conn, u"DELETE FROM %1 WHERE rowid = ?1"_s.arg(quoted(realTable())));
    st.bind(1, row.rowid);
    st.step();
}

int Table::compareRows(const Row &a, const Row &b) const
{
    for (int k = 0; k < m_orderFields.size(); ++k) {
        const int fi = m_orderFields[k];
        if (fi < 0)
            continue;
        if (const int c = compareValues(a.values[fi], b.values[fi], m_orderNoCase[k]))
            return c;
    }
    return a.rowid < b.rowid ? -1 : (a.rowid > b.rowid ? 1 : 0);
}

int Table::sortedPosition(const Row &row, int currentRow) const
{
    const auto &rs = rows();
    // Rows other than the posted one stay sorted; find where the posted one belongs.
    int pos = 0;
    for (int i = 0; i < int(rs.size()); ++i) {
        if (i == currentRow)
            continue;
        if (compareRows(rs[size_t(i)], row) < 0)
            ++pos;
    }
    return pos;
}

int Table::lowerBound(const QVector<QVariant> &key) const
{
    // The rows are kept in index order (posts re-sort them), so the first row not below the key
    // is found by halving.
    const auto &rs = rows();
    const int n = int(std::min(key.size(), m_orderFields.size()));
    const auto below = [&](const Row &r) {
        for (int k = 0; k < n; ++k) {
            const int fi = m_orderFields[k];
            if (fi < 0)
                continue;
            if (const int c = compareValues(r.values[fi], key[k], m_orderNoCase[k]))
                return c < 0;
        }
        return false;
    };
    return int(std::partition_point(rs.begin(), rs.end(), below) - rs.begin());
}

bool Table::findKey(const QVariantList &keyValues)
{
    throwIfInactive();
    checkBrowseMode();
    const int n = int(std::min(keyValues.size(), m_orderFields.size()));
    QVector<QVariant> key(n);
    for (int k = 0; k < n; ++k) {
        const int fi = m_orderFields[k];
        if (fi >= 0)
            key[k] = Field::coerce(keyValues[k], m_defs[fi].type, m_defs[fi].name);
    }
    const auto &rs = rows();
    const int row = lowerBound(key);
    if (row >= int(rs.size()))
        return false;
    for (int k = 0; k < n; ++k) {
        const int fi = m_orderFields[k];
        if (fi >= 0 && compareValues(rs[size_t(row)].values[fi], key[k], m_orderNoCase[k]) != 0)
            return false;
    }
    moveTo(row);
    return true;
}

int Table::seekRow(int fieldIndex, const QVariant &value, LocateOptions options) const
{
    // Only a text search on the first field of the browsing order, folded the way that order is.
    if (m_orderFields.isEmpty() || m_orderFields[0] != fieldIndex || value.typeId() != QMetaType::QString)
        return NotHandled;
    const FieldType type = m_defs[fieldIndex].type;
    if (type != FieldType::String && type != FieldType::Memo)
        return NotHandled;
    const bool noCase = m_orderNoCase[0];
    if (options.caseInsensitive && !noCase)
        return NotHandled;
    const QString wanted = value.toString();
    if (wanted.isEmpty())
        return NotHandled;
    // Qt folds every cased letter, the store's NOCASE only ASCII: keep to texts where they agree.
    if (options.caseInsensitive)
        for (const QChar c : wanted)
            if (c.unicode() > 127 && (c.isUpper() || c.isLower() || c.isTitleCase()))
                return NotHandled;
    const Qt::CaseSensitivity cs = options.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const auto &rs = rows();
    // Rows matching under the order's folding form one run starting at the lower bound.
    for (int row = lowerBound({value}); row < int(rs.size()); ++row) {
        const QString *s = textOf(rs[size_t(row)].values[fieldIndex]);
        if (!s)
            return NotFound; // nulls sort first: nothing after the bound can be null
        const QStringView head = options.partialKey ? QStringView(*s).left(wanted.size()) : QStringView(*s);
        if (compareText(head, wanted, noCase) != 0)
            return NotFound;
        if (options.partialKey ? s->startsWith(wanted, cs) : s->compare(wanted, cs) == 0)
            return row;
    }
    return NotFound;
}

void Table::emptyTable()
{
    if (isActive())
        checkBrowseMode();
    connection().exec(u"DELETE FROM %1"_s.arg(quoted(realTable())));
    if (isActive())
        reloadRows(false);
}

} // namespace db
