#include "platform/widgets/DBComboBase.h"

#include "platform/db/Field.h"
#include "platform/system/Services.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace widgets {

DBComboBase::DBComboBase(QWidget *parent) : QComboBox(parent), DataEditor(this)
{
    setInsertPolicy(QComboBox::NoInsert);
    // Sizing to the longest entry would read every row of a long list.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(6);
}

void DBComboBase::setReadOnly(bool on)
{
    m_readOnly = on;
    if (lineEdit())
        lineEdit()->setReadOnly(on);
}

void DBComboBase::showPopup()
{
    if (!m_readOnly)
        QComboBox::showPopup();
}

void DBComboBase::keyPressEvent(QKeyEvent *event)
{
    // Read-only: no key may change the choice; Tab and Enter still move on.
    if (m_readOnly && event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void DBComboBase::wheelEvent(QWheelEvent *event)
{
    // The wheel scrolls the window; it does not change a choice by accident.
    if (m_readOnly || !hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

void DBComboBase::chosen()
{
    // Choosing the entry the record already holds changes nothing.
    if (const db::Field *f = field(); f && f->value() == editorValue())
        return;
    if (!userChanged())
        return;
    try {
        updateRecord();
    } catch (const std::exception &e) {
        sys::error(QString::fromUtf8(e.what()));
        refresh();
    }
}

} // namespace widgets
