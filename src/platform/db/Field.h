#pragma once
#include "platform/db/FieldType.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>

namespace db {

class Dataset;

// One column of a dataset; reads and writes the dataset's current record.
class Field {
public:
    Field(Dataset *dataset, int index, FieldDef def) : m_dataset(dataset), m_index(index), m_def(std::move(def)) {}

    const QString &name() const { return m_def.name; }
    FieldType type() const { return m_def.type; }
    int size() const { return m_def.size; }
    bool required() const { return m_def.required; }
    int index() const { return m_index; }
    Dataset *dataset() const { return m_dataset; }
    const FieldDef &def() const { return m_def; }

    QVariant value() const;
    bool isNull() const;
    QString asString() const;
    int asInteger() const;
    double asFloat() const;
    bool asBoolean() const;
    QDate asDate() const;
    QTime asTime() const;

    // Needs the dataset in edit or insert state; converts to the field's type.
    void setValue(const QVariant &value);
    void clear() { setValue(QVariant()); }

    // Display format pattern ("￥,0;-￥,0") used by grids and reports.
    QString displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString &pattern) { m_displayFormat = pattern; }
    QString displayLabel() const { return m_displayLabel.isEmpty() ? m_def.name : m_displayLabel; }
    void setDisplayLabel(const QString &label) { m_displayLabel = label; }
    QString displayText() const;
    static QString displayText(const QVariant &value, FieldType type, const QString &format);

    // Converts a value to the stored form of a type (dates from ISO or short-date text, ...).
    static QVariant coerce(const QVariant &value, FieldType type, const QString &fieldName);

private:
    Dataset *m_dataset;
    int m_index;
    FieldDef m_def;
    QString m_displayFormat;
    QString m_displayLabel;
};

} // namespace db
