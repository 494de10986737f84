#include "platform/db/Dataset.h"
#include "platform/db/Connection.h"
#include "platform/system/Gbk.h"

using namespace Qt::StringLiterals;

namespace db {

Dataset::Dataset(QObject *parent) : QObject(parent) {}

Dataset::~Dataset() = default;

Connection &Dataset::connection() const { return Connection::get(m_alias); }

void Dataset::throwIfInactive() const
{
    if (m_state == State::Inactive)
        throw Error(u"数据集 %1 未打开"_s.arg(objectName()));
}

// --- notifications ---------------------------------------------------------------

void Dataset::notifyReset()
{
    if (m_disableCount > 0) {
        m_pendingNotify = true;
        return;
    }
    emit rowsReset();
    emit currentChanged(m_cur);
    emit recordChanged();
    emit keyChanged();
}

void Dataset::notifyRecord(bool keyMayChange)
{
    if (m_disableCount > 0) {
        m_pendingNotify = true;
        return;
    }
    emit currentChanged(m_cur);
    emit recordChanged();
    if (keyMayChange)
        emit keyChanged();
}

void Dataset::disableControls() { ++m_disableCount; }

void Dataset::enableControls()
{
    if (m_disableCount > 0 && --m_disableCount == 0 && m_pendingNotify) {
        m_pendingNotify = false;
        notifyReset();
        emit stateChanged(m_state);
    }
}

void Dataset::setState(State s)
{
    if (m_state == s)
        return;
    m_state = s;
    if (m_disableCount > 0)
        m_pendingNotify = true;
    else
        emit stateChanged(s);
}

// --- fields ----------------------------------------------------------------------

void Dataset::setFieldDefs(const QVector<FieldDef> &defs)
{
    // Keep the Field objects (and the display formats set on them) when the layout is unchanged.
    bool same = int(m_fields.size()) == defs.size();
    for (int i = 0; same && i < defs.size(); ++i)
        same = m_fields[size_t(i)]->name().compare(defs[i].name, Qt::CaseInsensitive) == 0
               && m_fields[size_t(i)]->type() == defs[i].type;
    if (same)
        return;
    QHash<QString, std::pair<QString, QString>> formats;
    for (const auto &f : m_fields)
        formats.insert(f->name().toLower(), {f->displayFormat(), f->displayLabel()});
    m_fields.clear();
    m_fieldIndex.clear();
    for (int i = 0; i < defs.size(); ++i) {
        auto f = std::make_unique<Field>(this, i, defs[i]);
        if (auto it = formats.constFind(defs[i].name.toLower()); it != formats.constEnd()) {
            f->setDisplayFormat(it->first);
            if (it->second != defs[i].name)
                f->setDisplayLabel(it->second);
        }
        if (auto fmt = m_formats.constFind(defs[i].name.toLower()); fmt != m_formats.constEnd())
            f->setDisplayFormat(*fmt);
        // The first of several columns with one name is the one found by name.
        if (!m_fieldIndex.contains(defs[i].name.toLower()))
            m_fieldIndex.insert(defs[i].name.toLower(), i);
        m_fields.push_back(std::move(f));
    }
}

Field *Dataset::findField(const QString &name) const
{
    const int i = fieldIndex(name);
    return i < 0 ? nullptr : m_fields[size_t(i)].get();
}

int Dataset::fieldIndex(const QString &name) const { return m_fieldIndex.value(name.toLower(), -1); }

Field &Dataset::field(const QString &name) const
{
    if (Field *f = findField(name))
        return *f;
    throw Error(u"%1：找不到字段 %2"_s.arg(objectName(), name));
}

void Dataset::setDisplayFormat(const QString &fieldName, const QString &pattern)
{
    m_formats.insert(fieldName.toLower(), pattern);
    if (Field *f = findField(fieldName))
        f->setDisplayFormat(pattern);
}

QStringList Dataset::fieldNames() const
{
    QStringList names;
    for (const auto &f : m_fields)
        names << f->name();
    return names;
}

QVariant Dataset::rowValue(int row, int fieldIndex) const
{
    if (row < 0 || row >= int(m_rows.size()) || fieldIndex < 0 || fieldIndex >= int(m_fields.size()))
        return QVariant();
    if (row == m_editRow && isEditing())
        return m_buffer.value(fieldIndex);
    return m_rows[size_t(row)].values.value(fieldIndex);
}

QVariant Dataset::value(int fieldIndex) const
{
    if (m_cur < 0)
        return isEditing() ? m_buffer.value(fieldIndex) : QVariant();
    return rowValue(m_cur, fieldIndex);
}

void Dataset::checkValue(int fieldIndex, const QVariant &v) const
{
    const Field &f = *m_fields[size_t(fieldIndex)];
    if (f.type() != FieldType::String && f.type() != FieldType::Memo)
        return;
    if (v.isNull())
        return;
    const QString text = v.toString();
    const auto bytes = sys::gbkByteCount(text);
    if (!bytes)
        throw Error(u"字段 %1 含有无法保存的字符：%2"_s.arg(f.name(), text));
    if (f.type() == FieldType::String && f.size() > 0 && *bytes > f.size())
        throw Error(u"字段 %1 的内容过长：最多 %2 个字节（一个汉字占两个字节），现有 %3 个字节"_s
                        .arg(f.name())
                        .arg(f.size())
                        .arg(*bytes));
}

void Dataset::setValue(int fieldIndex, const QVariant &v)
{
    if (!isEditing())
        throw Error(u"数据集 %1 不在编辑或插入状态，不能修改字段"_s.arg(objectName()));
    if (fieldIndex < 0 || fieldIndex >= int(m_fields.size()))
        throw Error(u"字段序号 %1 无效"_s.arg(fieldIndex));
    const Field &f = *m_fields[size_t(fieldIndex)];
    const QVariant stored = Field::coerce(v, f.type(), f.name());
    checkValue(fieldIndex, stored);
    m_buffer[fieldIndex] = stored;
    m_changed[fieldIndex] = true;
    m_modified = true;
    if (m_disableCount == 0) {
        emit fieldChanged(fieldIndex);
        emit rowChanged(m_editRow);
    } else {
        m_pendingNotify = true;
    }
}

// --- open / close ----------------------------------------------------------------

void Dataset::open()
{
    if (isActive())
        return;
    std::vector<Row> rows;
    QVector<FieldDef> defs;
    doOpen(rows, defs);
    setFieldDefs(defs);
    m_rows = std::move(rows);
    m_cur = m_rows.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.empty();
    m_editRow = -1;
    m_modified = false;
    setState(State::Browse);
    if (m_disableCount == 0)
        emit opened();
    notifyReset();
    if (afterOpen)
        afterOpen(*this);
    if (afterScroll)
        afterScroll(*this);
}

void Dataset::close()
{
    if (!isActive())
        return;
    if (isEditing())
        cancel();
    doClose();
    m_rows.clear();
    m_cur = -1;
    m_bof = m_eof = true;
    setState(State::Inactive);
    if (m_disableCount == 0)
        emit closed();
    notifyReset();
}

void Dataset::reloadRows(bool keepPosition)
{
    const qint64 oldRowid = (m_cur >= 0 && m_cur < int(m_rows.size())) ? m_rows[size_t(m_cur)].rowid : -1;
    const int oldRow = m_cur;
    std::vector<Row> rows;
    QVector<FieldDef> defs;
    doOpen(rows, defs);
    setFieldDefs(defs);
    m_rows = std::move(rows);
    m_editRow = -1;
    m_cur = m_rows.empty() ? -1 : 0;
    if (keepPosition && !m_rows.empty()) {
        int found = -1;
        if (oldRowid > 0) {
            for (int i = 0; i < int(m_rows.size()); ++i)
                if (m_rows[size_t(i)].rowid == oldRowid) {
                    found = i;
                    break;
                }
        }
        m_cur = found >= 0 ? found : std::clamp(oldRow, 0, int(m_rows.size()) - 1);
    }
    m_bof = m_cur <= 0;
    m_eof = m_rows.empty();
    notifyReset();
}

void Dataset::refresh()
{
    throwIfInactive();
    checkBrowseMode();
    reloadRows(true);
}

// --- navigation ------------------------------------------------------------------

int Dataset::recordCount() const
{
    if (!isActive())
        return 0;
    return int(m_rows.size()) - (m_state == State::Insert ? 1 : 0);
}

void Dataset::moveCursor(int row, bool fireScroll)
{
    const bool moved = row != m_cur;
    m_cur = row;
    if (moved)
        notifyRecord(true);
    if (fireScroll && afterScroll)
        afterScroll(*this);
}

void Dataset::first()
{
    throwIfInactive();
    checkBrowseMode();
    m_bof = true;
    m_eof = m_rows.empty();
    moveCursor(m_rows.empty() ? -1 : 0);
}

void Dataset::last()
{
    throwIfInactive();
    checkBrowseMode();
    m_eof = true;
    m_bof = m_rows.empty();
    moveCursor(int(m_rows.size()) - 1);
}

void Dataset::next()
{
    throwIfInactive();
    checkBrowseMode();
    if (m_cur + 1 < int(m_rows.size())) {
        m_bof = m_eof = false;
        moveCursor(m_cur + 1);
    } else {
        m_eof = true;
    }
}

void Dataset::prior()
{
    throwIfInactive();
    checkBrowseMode();
    if (m_cur > 0) {
        m_bof = m_eof = false;
        moveCursor(m_cur - 1);
    } else {
        m_bof = true;
    }
}

void Dataset::moveTo(int row)
{
    throwIfInactive();
    if (row == m_cur && !isEditing())
        return;
    checkBrowseMode();
    if (m_rows.empty())
        return;
    row = std::clamp(row, 0, int(m_rows.size()) - 1);
    m_bof = m_eof = false;
    moveCursor(row);
}

bool Dataset::locate(const QString &fieldName, const QVariant &value, LocateOptions options)
{
    throwIfInactive();
    checkBrowseMode();
    const int fi = fieldIndex(fieldName);
    if (fi < 0)
        throw Error(u"%1：找不到字段 %2"_s.arg(objectName(), fieldName));
    if (const int row = seekRow(fi, value, options); row != NotHandled) {
        if (row < 0)
            return false;
        m_bof = m_eof = false;
        moveCursor(row);
        return true;
    }
    const Field &f = *m_fields[size_t(fi)];
    const bool textual = options.caseInsensitive || options.partialKey || f.type() == FieldType::String
                         || f.type() == FieldType::Memo || f.type() == FieldType::Unknown;
    const Qt::CaseSensitivity cs = options.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    QVariant typed;
    if (!textual)
        typed = Field::coerce(value, f.type(), f.name());
    const QString wanted = value.typeId() == QMetaType::QDate ? value.toDate().toString(Qt::ISODate) : value.toString();
    for (int i = 0; i < int(m_rows.size()); ++i) {
        const QVariant &v = m_rows[size_t(i)].values[fi];
        bool hit;
        if (textual && v.typeId() == QMetaType::QString) {
            const QString &s = *static_cast<const QString *>(v.constData());
            hit = options.partialKey ? s.startsWith(wanted, cs) : s.compare(wanted, cs) == 0;
        } else if (textual) {
            if (v.isNull()) {
                hit = wanted.isEmpty() && value.isNull();
            } else {
                const QString s = v.typeId() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate) : v.toString();
                hit = options.partialKey ? s.startsWith(wanted, cs) : s.compare(wanted, cs) == 0;
            }
        } else {
            hit = (v.isNull() && typed.isNull()) || (!v.isNull() && !typed.isNull() && v == typed);
        }
        if (hit) {
            m_bof = m_eof = false;
            moveCursor(i);
            return true;
        }
    }
    return false;
}

// --- editing ---------------------------------------------------------------------

void Dataset::edit()
{
    throwIfInactive();
    if (isEditing())
        return;
    if (!canModify())
        throw Error(u"数据集 %1 是只读的"_s.arg(objectName()));
    if (m_rows.empty()) {
        append();
        return;
    }
    m_editRow = m_cur;
    m_buffer = m_rows[size_t(m_cur)].values;
    m_changed = QVector<bool>(m_fields.size(), false);
    m_modified = false;
    setState(State::Edit);
}

void Dataset::startInsert(int at)
{
    throwIfInactive();
    checkBrowseMode();
    if (!canModify())
        throw Error(u"数据集 %1 是只读的"_s.arg(objectName()));
    m_curBeforeInsert = m_cur;
    Row r;
    r.values = QVector<QVariant>(m_fields.size());
    at = std::clamp(at, 0, int(m_rows.size()));
    m_rows.insert(m_rows.begin() + at, r);
    m_editRow = at;
    m_cur = at;
    m_buffer = r.values;
    m_changed = QVector<bool>(m_fields.size(), false);
    initRecord(m_buffer);
    for (int i = 0; i < m_buffer.size(); ++i)
        if (!m_buffer[i].isNull())
            m_changed[i] = true;
    m_bof = m_eof = false;
    setState(State::Insert);
    if (m_disableCount == 0)
        emit rowInserted(at);
    if (onNewRecord)
        onNewRecord(*this);
    // Defaults of a new record alone do not make it worth posting.
    m_modified = false;
    notifyRecord(true);
}

void Dataset::append() { startInsert(int(m_rows.size())); }

void Dataset::insert() { startInsert(m_cur < 0 ? 0 : m_cur); }

void Dataset::post()
{
    throwIfInactive();
    if (!isEditing())
        return;
    if (m_disableCount == 0)
        emit updatingRecord();
    if (beforePost && !beforePost(*this)) {
        cancel();
        return;
    }
    for (int i = 0; i < int(m_fields.size()); ++i) {
        const Field &f = *m_fields[size_t(i)];
        if (f.required() && m_buffer[i].isNull())
            throw Error(u"字段 %1 必须输入内容"_s.arg(f.name()));
        if (m_changed[i])
            checkValue(i, m_buffer[i]);
    }
    const bool inserting = m_state == State::Insert;
    const Row *original = inserting ? nullptr : &m_rows[size_t(m_editRow)];
    Row stored = doPost(original, m_buffer, m_changed);
    const int oldPos = m_editRow;
    m_rows[size_t(oldPos)] = stored;
    const int newPos = sortedPosition(stored, oldPos);
    if (newPos != oldPos) {
        Row moving = std::move(m_rows[size_t(oldPos)]);
        m_rows.erase(m_rows.begin() + oldPos);
        m_rows.insert(m_rows.begin() + newPos, std::move(moving));
    }
    m_editRow = -1;
    m_cur = newPos;
    m_modified = false;
    setState(State::Browse);
    if (m_disableCount == 0) {
        if (newPos != oldPos)
            emit rowsReset();
        else
            emit rowChanged(newPos);
    } else {
        m_pendingNotify = true;
    }
    notifyRecord(true);
    if (afterPost)
        afterPost(*this);
}

void Dataset::cancel()
{
    if (!isEditing())
        return;
    const bool inserting = m_state == State::Insert;
    const int row = m_editRow;
    m_editRow = -1;
    m_modified = false;
    if (inserting) {
        m_rows.erase(m_rows.begin() + row);
        // Back to the record that was current before the insert (its index is unchanged
        // once the placeholder is gone).
        const int back = m_curBeforeInsert;
        m_cur = m_rows.empty() ? -1 : std::clamp(back, 0, int(m_rows.size()) - 1);
        setState(State::Browse);
        if (m_disableCount == 0)
            emit rowRemoved(row);
        notifyRecord(true);
    } else {
        setState(State::Browse);
        if (m_disableCount == 0)
            emit rowChanged(row);
        notifyRecord(false);
    }
}

void Dataset::remove()
{
    throwIfInactive();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_state == State::Edit)
        cancel();
    if (m_rows.empty())
        throw Error(u"数据集 %1 为空，不能删除"_s.arg(objectName()));
    if (!canModify())
        throw Error(u"数据集 %1 是只读的"_s.arg(objectName()));
    if (beforeDelete)
        beforeDelete(*this);
    doDelete(m_rows[size_t(m_cur)]);
    const int row = m_cur;
    m_rows.erase(m_rows.begin() + row);
    if (m_disableCount == 0)
        emit rowRemoved(row);
    m_cur = m_rows.empty() ? -1 : std::min(row, int(m_rows.size()) - 1);
    m_eof = m_rows.empty() || m_cur == int(m_rows.size()) - 1;
    notifyRecord(true);
    if (afterScroll)
        afterScroll(*this);
}

void Dataset::checkBrowseMode()
{
    if (!isEditing())
        return;
    if (m_disableCount == 0)
        emit updatingRecord();
    if (m_modified)
        post();
    else
        cancel();
}

// --- defaults for subclasses -----------------------------------------------------

Dataset::Row Dataset::doPost(const Row *, const QVector<QVariant> &, const QVector<bool> &)
{
    throw Error(u"数据集 %1 是只读的"_s.arg(objectName()));
}

void Dataset::doDelete(const Row &) { throw Error(u"数据集 %1 是只读的"_s.arg(objectName())); }

int Dataset::sortedPosition(const Row &, int currentRow) const { return currentRow; }

} // namespace db
