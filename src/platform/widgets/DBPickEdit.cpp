#include "platform/widgets/DBPickEdit.h"

#include "platform/db/Field.h"
#include "platform/widgets/GbkValidator.h"

#include <QLineEdit>

namespace widgets {

DBPickEdit::DBPickEdit(QWidget *parent) : DBComboBase(parent)
{
    makeEditable(true);
    connect(this, &QComboBox::activated, this, [this] { chosen(); });
}

DBPickEdit::DBPickEdit(db::Dataset *dataset, const QString &fieldName, QWidget *parent) : DBPickEdit(parent)
{
    setDataField(dataset, fieldName);
}

void DBPickEdit::setItems(const QStringList &items)
{
    const QString keep = currentText();
    const bool modified = isModified();
    clear();
    addItems(items);
    setText(keep);
    setModified(modified);
}

QStringList DBPickEdit::items() const
{
    QStringList list;
    for (int i = 0; i < count(); ++i)
        list << itemText(i);
    return list;
}

void DBPickEdit::setFreeText(bool allowed)
{
    if (allowed == isEditable())
        return;
    const QString keep = currentText();
    makeEditable(allowed);
    setText(keep);
}

void DBPickEdit::makeEditable(bool on)
{
    setEditable(on);
    m_validator = nullptr;
    if (!on)
        return;
    lineEdit()->setReadOnly(isReadOnly());
    m_validator = GbkValidator::install(lineEdit());
    m_validator->setMaxBytes(m_maxBytes);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { userChanged(); });
}

void DBPickEdit::fieldBound(const db::Field *field)
{
    m_maxBytes = field && field->type() == db::FieldType::String && field->size() > 0 ? field->size() : -1;
    if (m_validator)
        m_validator->setMaxBytes(m_maxBytes);
}

void DBPickEdit::setText(const QString &text)
{
    setCurrentIndex(findText(text));
    if (isEditable()) {
        m_validator->setBaseline(text);
        setEditText(text);
    }
}

void DBPickEdit::showValue(const QVariant &value) { setText(editText(value, field())); }

QVariant DBPickEdit::editorValue() const { return currentText(); }

} // namespace widgets
