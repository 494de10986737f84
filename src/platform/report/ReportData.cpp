#include "platform/report/ReportData.h"

#include "platform/db/Dataset.h"
#include "platform/db/Field.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace report {

namespace {

bool numericType(db::FieldType type)
{
    return type == db::FieldType::Integer || type == db::FieldType::AutoInc || type == db::FieldType::Float
        || type == db::FieldType::Currency;
}

bool numericValue(const QVariant &v)
{
    const int id = v.typeId();
    return id == QMetaType::Double || id == QMetaType::Int || id == QMetaType::LongLong || id == QMetaType::Float;
}

std::string utf8(const QString &s) { return s.toStdString(); }

} // namespace

ReportData::ReportData(db::Dataset *dataset, const QSet<QString> &names)
{
    if (!dataset)
        return;
    // A closed dataset is opened, as a report engine does when it prepares the pages.
    if (!dataset->isActive())
        dataset->open();
    for (int i = 0; i < dataset->fieldCount(); ++i) {
        const db::Field &f = dataset->field(i);
        const QString key = f.name().toLower();
        if (!names.contains(key) || columnIndex(key) >= 0)
            continue;
        m_columns.append({key, f.type(), f.displayFormat(), numericType(f.type())});
    }
    m_rowCount = dataset->viewRowCount();
    m_currentRow = dataset->recordCount() > 0 ? dataset->recNo() : -1;
    if (m_currentRow >= m_rowCount)
        m_currentRow = -1;

    QVector<int> fieldIndexes;
    for (const Column &c : std::as_const(m_columns))
        fieldIndexes.append(dataset->fieldIndex(c.key));
    const int columns = int(m_columns.size());
    m_texts.resize(qsizetype(m_rowCount) * columns);
    m_numbers.resize(qsizetype(m_rowCount) * columns);
    QVector<bool> unknownAllNumeric(columns, true);
    for (int r = 0; r < m_rowCount; ++r) {
        for (int c = 0; c < columns; ++c) {
            Column &col = m_columns[c];
            const QVariant v = dataset->rowValue(r, fieldIndexes[c]);
            const qsizetype at = qsizetype(r) * columns + c;
            if (col.type == db::FieldType::Boolean) {
                // A report reads a flag as "是" or nothing, so a section can test it.
                m_texts[at] = !v.isNull() && v.toBool() ? u"是"_s : QString();
                continue;
            }
            m_texts[at] = db::Field::displayText(v, col.type, col.format);
            if (v.isNull())
                continue;
            if (col.type == db::FieldType::Unknown && !numericValue(v))
                unknownAllNumeric[c] = false;
            m_numbers[at] = v.toDouble();
        }
    }
    for (int c = 0; c < columns; ++c) {
        if (m_columns[c].type == db::FieldType::Unknown)
            m_columns[c].numeric = unknownAllNumeric[c] && m_rowCount > 0;
    }
}

int ReportData::columnIndex(const QString &key) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].key == key)
            return i;
    }
    return -1;
}

bool ReportData::text(int row, const QString &name, QString *out) const
{
    const int c = columnIndex(name);
    if (c < 0 || row < 0 || row >= m_rowCount)
        return false;
    *out = cell(row, c);
    return true;
}

ReportData::Data ReportData::value(const QString &text)
{
    if (text.isEmpty())
        return Data(false);
    return Data(utf8(text));
}

ReportData::Data ReportData::row(int index) const
{
    Data obj{Data::type::object};
    for (int c = 0; c < m_columns.size(); ++c)
        obj.set(utf8(m_columns[c].key), value(cell(index, c)));
    obj.set("rowno", Data(std::to_string(index + 1)));
    obj.set("odd", Data(index % 2 == 0));
    return obj;
}

ReportData::Data ReportData::emptyRow() const
{
    Data obj{Data::type::object};
    for (const Column &c : m_columns)
        obj.set(utf8(c.key), Data(false));
    return obj;
}

ReportData::Data ReportData::rows() const
{
    Data list{Data::type::list};
    for (int r = 0; r < m_rowCount; ++r)
        list.push_back(row(r));
    return list;
}

ReportData::Data ReportData::sums(int from, int to) const
{
    Data obj{Data::type::object};
    const int columns = int(m_columns.size());
    for (int c = 0; c < columns; ++c) {
        const Column &col = m_columns[c];
        if (!col.numeric)
            continue;
        double sum = 0;
        for (int r = from; r < to; ++r)
            sum += m_numbers[qsizetype(r) * columns + c];
        QVariant v(sum);
        if (col.type == db::FieldType::Integer || col.type == db::FieldType::AutoInc)
            v = QVariant(qlonglong(std::llround(sum)));
        obj.set(utf8(col.key), value(db::Field::displayText(v, col.type, col.format)));
    }
    return obj;
}

ReportData::Data ReportData::groups(const QStringList &fields) const
{
    return groupList(fields, 0, 0, m_rowCount);
}

ReportData::Data ReportData::groupList(const QStringList &fields, int level, int from, int to) const
{
    Data list{Data::type::list};
    const int c = columnIndex(fields.value(level));
    if (c < 0)
        return list;
    // Groups break where the value changes, in the dataset's order, as a banded report does.
    for (int start = from; start < to;) {
        int end = start + 1;
        while (end < to && cell(end, c) == cell(start, c))
            ++end;
        Data group{Data::type::object};
        group.set(utf8(m_columns[c].key), value(cell(start, c)));
        group.set("groupvalue", value(cell(start, c)));
        group.set("recordcount", Data(std::to_string(end - start)));
        group.set("sum", sums(start, end));
        Data rowList{Data::type::list};
        for (int r = start; r < end; ++r)
            rowList.push_back(row(r));
        group.set("rows", rowList);
        if (level + 1 < fields.size())
            group.set("groups", groupList(fields, level + 1, start, end));
        list.push_back(group);
        start = end;
    }
    return list;
}

} // namespace report
