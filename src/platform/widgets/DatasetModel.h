#pragma once
#include "platform/db/Dataset.h"
#include "platform/widgets/ColumnLayout.h"

#include <QAbstractTableModel>
#include <QCollator>
#include <QHash>
#include <QPointer>
#include <memory>
#include <optional>
#include <vector>

namespace widgets {

// A table model over a dataset in a declared column layout. Model row = the dataset's row
// (Dataset::rowValue); values are read on demand and never copied, so 100,000 rows cost nothing
// until they are painted. Follows the dataset's row signals (reset, insert, remove, change).
class DatasetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Role {
        ValueRole = Qt::UserRole + 1, // the stored value (QDate, double, ...)
    };

    explicit DatasetModel(QObject *parent = nullptr);
    DatasetModel(db::Dataset *dataset, const ColumnLayout &columns = {}, QObject *parent = nullptr);

    void setDataset(db::Dataset *dataset);
    db::Dataset *dataset() const { return m_dataset; }
    // An empty layout shows every field of the dataset under its display label.
    void setColumns(const ColumnLayout &columns);
    // The layout in use (for an empty one: the generated columns once the dataset is open).
    const ColumnLayout &columns() const { return m_columns; }
    int columnOf(const QString &fieldName) const; // -1 when no column shows it
    int fieldIndexOf(int column) const;           // the dataset's field index, -1 when missing
    db::FieldType fieldTypeOf(int column) const;
    ColumnKind kindOf(int column) const;          // Auto resolved

    // In-place editing (also needs a dataset that can be modified).
    void setEditable(bool on) { m_editable = on; }
    bool isEditable() const { return m_editable; }
    // Shows the record indicator (current, editing, inserting) in the vertical header.
    void setRowIndicator(bool on) { m_indicator = on; }

    QVariant value(int row, int column) const;
    QString text(int row, int column) const;
    // Order of two dataset rows by a column: nulls first, texts in the locale's collation,
    // numbers, dates and times by value.
    bool lessThan(int rowA, int rowB, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    void reset();
    void resolveColumns();
    void sourceInserted(int row);
    void sourceRemoved(int row);
    void sourceChanged(int row);
    bool isNumeric(int column) const;
    // Collation keys of a text column, made once per row and kept until the row changes.
    struct TextKey
    {
        bool known = false;
        bool null = false;
        std::optional<QCollatorSortKey> key;
    };
    std::vector<TextKey> &textKeys(int column) const;
    const TextKey &textKey(std::vector<TextKey> &keys, int row, int column) const;

    QPointer<db::Dataset> m_dataset;
    ColumnLayout m_declared;
    ColumnLayout m_columns;
    QVector<int> m_fieldIndex; // per column
    QList<QMetaObject::Connection> m_connections;
    int m_rowCount = 0;
    bool m_editable = false;
    bool m_indicator = false;

    mutable std::unique_ptr<QCollator> m_collator;
    mutable QHash<int, std::vector<TextKey>> m_sortKeys; // per column
};

} // namespace widgets
