#include "platform/widgets/DataEditor.h"

#include "platform/db/Field.h"
#include "platform/system/TextFormat.h"
#include "platform/widgets/FieldLink.h"

namespace widgets {

DataEditor::DataEditor(QWidget *self) : m_link(new FieldLink(self, this)) {}

// The link is a child of the widget and is deleted with it, after this part is gone.
DataEditor::~DataEditor() { m_link->release(); }

void DataEditor::setDataField(db::Dataset *dataset, const QString &fieldName) { m_link->bind(dataset, fieldName); }

db::Dataset *DataEditor::dataset() const { return m_link->dataset(); }

QString DataEditor::dataField() const { return m_link->fieldName(); }

db::Field *DataEditor::field() const { return m_link->field(); }

void DataEditor::updateRecord() { m_link->updateRecord(); }

void DataEditor::refresh() { m_link->show(); }

void DataEditor::enterValue(const QVariant &value) { m_link->enterValue(value); }

bool DataEditor::userChanged() { return m_link->userChanged(); }

bool DataEditor::isShowingRecord() const { return m_link->showing(); }

QString DataEditor::editText(const QVariant &value, const db::Field *field)
{
    if (value.isNull())
        return QString();
    switch (field ? field->type() : db::FieldType::Unknown) {
    case db::FieldType::Date:
        return sys::shortDate(value.toDate());
    case db::FieldType::Time:
        return sys::longTime(value.toTime());
    case db::FieldType::Float:
    case db::FieldType::Currency:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return db::Field::displayText(value, field ? field->type() : db::FieldType::Unknown, QString());
    }
}

} // namespace widgets
