#include "platform/widgets/DBCheckBox.h"

#include "platform/system/Services.h"

namespace widgets {

DBCheckBox::DBCheckBox(QWidget *parent) : QCheckBox(parent), DataEditor(this) {}

DBCheckBox::DBCheckBox(const QString &text, db::Dataset *dataset, const QString &fieldName, QWidget *parent)
    : DBCheckBox(parent)
{
    setText(text);
    setDataField(dataset, fieldName);
}

void DBCheckBox::showValue(const QVariant &value) { setChecked(!value.isNull() && value.toBool()); }

void DBCheckBox::nextCheckState()
{
    if (m_readOnly || !userChanged())
        return;
    QCheckBox::nextCheckState();
    try {
        updateRecord();
    } catch (const std::exception &e) {
        sys::error(QString::fromUtf8(e.what()));
        refresh();
    }
}

} // namespace widgets
