#include "platform/widgets/DBEdit.h"

#include "platform/db/Field.h"
#include "platform/widgets/GbkValidator.h"

namespace widgets {

DBEdit::DBEdit(QWidget *parent) : QLineEdit(parent), DataEditor(this), m_validator(GbkValidator::install(this))
{
    connect(this, &QLineEdit::textEdited, this, [this] { userChanged(); });
}

DBEdit::DBEdit(db::Dataset *dataset, const QString &fieldName, QWidget *parent) : DBEdit(parent)
{
    setDataField(dataset, fieldName);
}

void DBEdit::fieldBound(const db::Field *field)
{
    const bool sized = field && field->type() == db::FieldType::String && field->size() > 0;
    m_validator->setMaxBytes(sized ? field->size() : -1);
}

void DBEdit::showValue(const QVariant &value)
{
    const QString text = editText(value, field());
    m_validator->setBaseline(text);
    setText(text);
}

QVariant DBEdit::editorValue() const { return text(); }

} // namespace widgets
