#pragma once
#include "platform/db/FieldType.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <kainjow/mustache.hpp>

namespace db { class Dataset; }

namespace report {

// The rows of the data-band dataset as a report shows them: every field a template names,
// as its display text. A closed dataset is opened; otherwise reading goes by row index, so
// the dataset's cursor, its state and a record being edited are left exactly as they were
// (the record being edited shows its typed values).
class ReportData {
public:
    using Data = kainjow::mustache::data;

    ReportData() = default;
    // names: the lower-case names a template uses; only those fields are read.
    ReportData(db::Dataset *dataset, const QSet<QString> &names);

    int rowCount() const { return m_rowCount; }
    int currentRow() const { return m_currentRow; }

    // Display text of a field (lower-case name) in a row; false when the name is no field.
    bool text(int row, const QString &name, QString *out) const;

    // Mustache objects: one row (its fields, "rowno" from 1, "odd"), every row, sums of the
    // numeric fields over rows [from, to), and nested groups by the given fields.
    Data row(int index) const;
    Data emptyRow() const;
    Data rows() const;
    Data sums(int from, int to) const;
    Data groups(const QStringList &fields) const;

    // Text as Mustache data: an empty text is false, so a section over it is skipped.
    static Data value(const QString &text);

private:
    struct Column {
        QString key; // lower-case field name
        db::FieldType type = db::FieldType::Unknown;
        QString format;
        bool numeric = false;
    };
    const QString &cell(int row, int column) const { return m_texts[row * m_columns.size() + column]; }
    int columnIndex(const QString &key) const;
    Data groupList(const QStringList &fields, int level, int from, int to) const;

    QVector<Column> m_columns;
    QVector<QString> m_texts;   // row-major
    QVector<double> m_numbers;  // row-major, same layout; 0 for text columns and nulls
    int m_rowCount = 0;
    int m_currentRow = -1;
};

} // namespace report
