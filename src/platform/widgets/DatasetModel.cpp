#include "platform/widgets/DatasetModel.h"

#include "platform/db/Dataset.h"
#include "platform/system/Services.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>

using namespace Qt::StringLiterals;

namespace widgets {

DatasetModel::DatasetModel(QObject *parent) : QAbstractTableModel(parent) {}

DatasetModel::DatasetModel(db::Dataset *dataset, const ColumnLayout &columns, QObject *parent)
    : QAbstractTableModel(parent), m_declared(columns)
{
    setDataset(dataset);
}

void DatasetModel::setDataset(db::Dataset *dataset)
{
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_dataset = dataset;
    if (dataset) {
        m_connections << connect(dataset, &db::Dataset::rowsReset, this, &DatasetModel::reset)
                      << connect(dataset, &db::Dataset::rowInserted, this, &DatasetModel::sourceInserted)
                      << connect(dataset, &db::Dataset::rowRemoved, this, &DatasetModel::sourceRemoved)
                      << connect(dataset, &db::Dataset::rowChanged, this, &DatasetModel::sourceChanged)
                      << connect(dataset, &QObject::destroyed, this, [this] { setDataset(nullptr); });
    }
    reset();
}

void DatasetModel::setColumns(const ColumnLayout &columns)
{
    m_declared = columns;
    reset();
}

void DatasetModel::resolveColumns()
{
    m_columns = m_declared;
    const bool active = m_dataset && m_dataset->isActive();
    if (m_columns.isEmpty() && active) {
        for (int i = 0; i < m_dataset->fieldCount(); ++i) {
            ColumnSpec c;
            c.field = m_dataset->field(i).name();
            c.caption = m_dataset->field(i).displayLabel();
            m_columns << c;
        }
    }
    m_fieldIndex.clear();
    for (const ColumnSpec &c : std::as_const(m_columns)) {
        const int fi = active ? m_dataset->fieldIndex(c.field) : -1;
        if (active && fi < 0 && !c.field.isEmpty())
            qWarning("DatasetModel: %s has no field %s", qPrintable(m_dataset->objectName()), qPrintable(c.field));
        m_fieldIndex << fi;
    }
}

void DatasetModel::reset()
{
    beginResetModel();
    resolveColumns();
    m_rowCount = m_dataset && m_dataset->isActive() ? m_dataset->viewRowCount() : 0;
    m_sortKeys.clear();
    endResetModel();
}

void DatasetModel::sourceInserted(int row)
{
    if (!m_dataset || m_dataset->viewRowCount() != m_rowCount + 1 || row < 0 || row > m_rowCount) {
        reset(); // out of step (rows changed while controls were disabled): start again
        return;
    }
    beginInsertRows({}, row, row);
    ++m_rowCount;
    for (auto &keys : m_sortKeys)
        if (row <= int(keys.size()))
            keys.insert(keys.begin() + row, TextKey());
    endInsertRows();
}

void DatasetModel::sourceRemoved(int row)
{
    if (!m_dataset || m_dataset->viewRowCount() != m_rowCount - 1 || row < 0 || row >= m_rowCount) {
        reset();
        return;
    }
    beginRemoveRows({}, row, row);
    --m_rowCount;
    for (auto &keys : m_sortKeys)
        if (row < int(keys.size()))
            keys.erase(keys.begin() + row);
    endRemoveRows();
}

void DatasetModel::sourceChanged(int row)
{
    if (row < 0 || row >= m_rowCount)
        return;
    for (auto &keys : m_sortKeys)
        if (row < int(keys.size()))
            keys[size_t(row)] = TextKey();
    if (!m_columns.isEmpty())
        emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
    if (m_indicator)
        emit headerDataChanged(Qt::Vertical, row, row);
}

int DatasetModel::columnOf(const QString &fieldName) const
{
    for (int c = 0; c < m_columns.size(); ++c)
        if (m_columns[c].field.compare(fieldName, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

int DatasetModel::fieldIndexOf(int column) const { return m_fieldIndex.value(column, -1); }

db::FieldType DatasetModel::fieldTypeOf(int column) const
{
    const int fi = fieldIndexOf(column);
    return fi >= 0 && m_dataset && fi < m_dataset->fieldCount() ? m_dataset->field(fi).type() : db::FieldType::Unknown;
}

ColumnKind DatasetModel::kindOf(int column) const
{
    const ColumnKind k = column >= 0 && column < m_columns.size() ? m_columns[column].kind : ColumnKind::Text;
    if (k != ColumnKind::Auto)
        return k;
    return fieldTypeOf(column) == db::FieldType::Boolean ? ColumnKind::Check : ColumnKind::Text;
}

bool DatasetModel::isNumeric(int column) const
{
    switch (fieldTypeOf(column)) {
    case db::FieldType::Integer:
    case db::FieldType::AutoInc:
    case db::FieldType::Float:
    case db::FieldType::Currency:
        return true;
    default:
        return false;
    }
}

QVariant DatasetModel::value(int row, int column) const
{
    if (!m_dataset || row < 0 || row >= m_rowCount)
        return QVariant();
    return m_dataset->rowValue(row, fieldIndexOf(column));
}

QString DatasetModel::text(int row, int column) const
{
    const int fi = fieldIndexOf(column);
    if (fi < 0 || !m_dataset || fi >= m_dataset->fieldCount())
        return QString();
    const db::Field &f = m_dataset->field(fi);
    const QString &own = m_columns[column].displayFormat;
    return db::Field::displayText(value(row, column), f.type(), own.isEmpty() ? f.displayFormat() : own);
}

int DatasetModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rowCount; }

int DatasetModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_columns.size()); }

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_dataset || index.row() >= m_dataset->viewRowCount())
        return QVariant();
    const int row = index.row();
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return kindOf(col) == ColumnKind::Check ? QVariant() : QVariant(text(row, col));
    case Qt::EditRole:
        if (kindOf(col) == ColumnKind::Check)
            return QVariant();
        if (isNumeric(col) || fieldTypeOf(col) == db::FieldType::Date || fieldTypeOf(col) == db::FieldType::Time)
            return value(row, col);
        return text(row, col);
    case ValueRole:
        return value(row, col);
    case Qt::CheckStateRole:
        if (kindOf(col) != ColumnKind::Check)
            return QVariant();
        return value(row, col).toBool() ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        if (kindOf(col) == ColumnKind::Check || kindOf(col) == ColumnKind::Button)
            return int(Qt::AlignCenter);
        return int((isNumeric(col) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (kindOf(col) == ColumnKind::HyperLink)
            return QGuiApplication::palette().brush(QPalette::Link);
        return QVariant();
    case Qt::FontRole:
        if (kindOf(col) == ColumnKind::HyperLink) {
            QFont f;
            f.setUnderline(true);
            return f;
        }
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole && section >= 0 && section < m_columns.size())
            return m_columns[section].caption.isEmpty() ? m_columns[section].field : m_columns[section].caption;
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role != Qt::DisplayRole)
        return QVariant();
    if (!m_indicator || !m_dataset || section != m_dataset->recNo())
        return QString();
    switch (m_dataset->state()) {
    case db::State::Insert: return u"＊"_s;
    case db::State::Edit: return u"✎"_s;
    default: return u"▶"_s;
    }
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (!index.isValid() || !m_editable || !m_dataset || !m_dataset->canModify())
        return f;
    const int col = index.column();
    if (m_columns[col].readOnly || fieldIndexOf(col) < 0 || fieldTypeOf(col) == db::FieldType::AutoInc
        || kindOf(col) == ColumnKind::Button)
        return f;
    return f | (kindOf(col) == ColumnKind::Check ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable);
}

bool DatasetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || !(flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)))
        return false;
    if (role != Qt::EditRole && role != Qt::CheckStateRole)
        return false;
    const int row = index.row();
    const int fi = fieldIndexOf(index.column());
    QVariant v = value;
    if (role == Qt::CheckStateRole)
        v = value.toInt() == Qt::Checked;
    try {
        if (m_dataset->recNo() != row) {
            m_dataset->moveTo(row);
            if (m_dataset->recNo() != row)
                return false; // the rows moved when the previous record was posted
        }
        if (!m_dataset->isEditing())
            m_dataset->edit();
        m_dataset->setValue(fi, v);
    } catch (const std::exception &e) {
        sys::error(QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

std::vector<DatasetModel::TextKey> &DatasetModel::textKeys(int column) const
{
    if (!m_collator) {
        m_collator = std::make_unique<QCollator>(QLocale());
        m_collator->setCaseSensitivity(Qt::CaseInsensitive);
    }
    auto &keys = m_sortKeys[column];
    if (int(keys.size()) != m_rowCount)
        keys.assign(size_t(m_rowCount), TextKey());
    return keys;
}

const DatasetModel::TextKey &DatasetModel::textKey(std::vector<TextKey> &keys, int row, int column) const
{
    TextKey &k = keys[size_t(row)];
    if (!k.known) {
        const QVariant v = value(row, column);
        k.known = true;
        k.null = v.isNull();
        if (!k.null)
            k.key.emplace(m_collator->sortKey(v.toString()));
    }
    return k;
}

bool DatasetModel::lessThan(int rowA, int rowB, int column) const
{
    if (!m_dataset || rowA >= m_rowCount || rowB >= m_rowCount)
        return false;
    const db::FieldType type = fieldTypeOf(column);
    if (type == db::FieldType::String || type == db::FieldType::Memo) {
        auto &keys = textKeys(column);
        const TextKey &a = textKey(keys, rowA, column);
        const TextKey &b = textKey(keys, rowB, column);
        if (a.null || b.null)
            return a.null && !b.null;
        return a.key->compare(*b.key) < 0;
    }
    const QVariant a = value(rowA, column);
    const QVariant b = value(rowB, column);
    if (a.isNull() || b.isNull())
        return a.isNull() && !b.isNull();
    switch (type) {
    case db::FieldType::Integer:
    case db::FieldType::AutoInc:
    case db::FieldType::Float:
    case db::FieldType::Currency:
        return a.toDouble() < b.toDouble();
    case db::FieldType::Boolean:
        return a.toBool() < b.toBool();
    default:
        break;
    }
    if (a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString) {
        auto &keys = textKeys(column);
        return textKey(keys, rowA, column).key->compare(*textKey(keys, rowB, column).key) < 0;
    }
    return QVariant::compare(a, b) == QPartialOrdering::Less;
}

} // namespace widgets
