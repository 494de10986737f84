#include "platform/widgets/DBSpinEdit.h"

#include <QLineEdit>

namespace widgets {

DBSpinEdit::DBSpinEdit(QWidget *parent) : QSpinBox(parent), DataEditor(this)
{
    setRange(-999999999, 999999999);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QSpinBox::valueChanged, this, [this] { userChanged(); });
}

DBSpinEdit::DBSpinEdit(db::Dataset *dataset, const QString &fieldName, QWidget *parent) : DBSpinEdit(parent)
{
    setDataField(dataset, fieldName);
}

void DBSpinEdit::showValue(const QVariant &value)
{
    setValue(value.isNull() ? std::clamp(0, minimum(), maximum()) : value.toInt());
    if (value.isNull())
        lineEdit()->clear();
}

QVariant DBSpinEdit::editorValue() const
{
    if (cleanText().trimmed().isEmpty())
        return QVariant();
    return value();
}

} // namespace widgets
