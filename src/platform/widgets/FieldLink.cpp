#include "platform/widgets/FieldLink.h"

#include "platform/db/Dataset.h"
#include "platform/system/Services.h"
#include "platform/widgets/DataEditor.h"

#include <QFocusEvent>
#include <QTimer>
#include <QWidget>

namespace widgets {

namespace {

QString messageOf(const std::exception &e) { return QString::fromUtf8(e.what()); }

} // namespace

FieldLink::FieldLink(QWidget *widget, DataEditor *editor) : QObject(widget), m_widget(widget), m_editor(editor)
{
    widget->installEventFilter(this);
}

void FieldLink::release()
{
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_widget->removeEventFilter(this);
    m_editor = nullptr;
}

void FieldLink::bind(db::Dataset *dataset, const QString &fieldName)
{
    if (!m_editor)
        return;
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_dataset = dataset;
    m_fieldName = fieldName;
    if (dataset && dataset->isActive() && !dataset->findField(fieldName))
        qWarning("%s has no field %s", qPrintable(dataset->objectName()), qPrintable(fieldName));
    if (!dataset) {
        setLinkEnabled(true);
        m_editor->fieldBound(nullptr);
        return;
    }
    m_connections << connect(dataset, &db::Dataset::recordChanged, this, &FieldLink::followRecord)
                  << connect(dataset, &db::Dataset::stateChanged, this,
                             [this](db::State s) {
                                 // Edit and Insert change no value; Browse follows post and cancel.
                                 if (s == db::State::Browse || s == db::State::Inactive)
                                     followRecord();
                             })
                  << connect(dataset, &db::Dataset::fieldChanged, this, &FieldLink::followField)
                  << connect(dataset, &db::Dataset::updatingRecord, this, &FieldLink::writeBeforePost)
                  << connect(dataset, &QObject::destroyed, this, [this] { bind(nullptr, QString()); });
    show();
}

db::Field *FieldLink::field() const
{
    if (!m_dataset || !m_dataset->isActive())
        return nullptr;
    return m_dataset->findField(m_fieldName);
}

void FieldLink::show()
{
    if (!m_editor)
        return;
    db::Field *f = field();
    m_editor->fieldBound(f);
    if (!m_dataset)
        return;
    setLinkEnabled(f != nullptr);
    m_showing = true;
    m_editor->showValue(f ? f->value() : QVariant());
    m_editor->setModifiedFlag(false);
    m_showing = false;
}

void FieldLink::followRecord()
{
    if (m_writing || m_entering || !m_dataset || m_dataset->controlsDisabled())
        return;
    show();
}

void FieldLink::followField(int fieldIndex)
{
    if (m_writing || !m_dataset || fieldIndex != m_dataset->fieldIndex(m_fieldName))
        return;
    show();
}

void FieldLink::setLinkEnabled(bool on)
{
    if (on && m_disabledByLink) {
        m_disabledByLink = false;
        m_widget->setEnabled(true);
    } else if (!on && m_widget->isEnabled()) {
        m_disabledByLink = true;
        m_widget->setEnabled(false);
    }
}

void FieldLink::updateRecord()
{
    db::Field *f = field();
    if (!f || !m_editor->modifiedFlag() || !m_dataset->isEditing())
        return;
    const QVariant v = m_editor->editorValue();
    m_writing = true;
    try {
        f->setValue(v);
    } catch (...) {
        m_writing = false;
        throw;
    }
    m_writing = false;
}

void FieldLink::writeBeforePost()
{
    // A failure travels up to whoever posts, so the post stops and the typed text stays.
    updateRecord();
}

bool FieldLink::beginTyping()
{
    if (!m_dataset) {
        m_editor->setModifiedFlag(true);
        return true;
    }
    if (!field())
        return false;
    if (!m_dataset->isEditing()) {
        m_entering = true;
        try {
            m_dataset->edit();
        } catch (const std::exception &e) {
            m_entering = false;
            sys::error(messageOf(e));
            // Put the record back once the widget has finished handling the keystroke.
            QTimer::singleShot(0, this, &FieldLink::show);
            return false;
        }
        m_entering = false;
    }
    m_editor->setModifiedFlag(true);
    return true;
}

bool FieldLink::userChanged()
{
    if (m_showing)
        return false;
    return beginTyping();
}

void FieldLink::enterValue(const QVariant &value)
{
    if (!beginTyping())
        return;
    m_showing = true; // the box's own change signals are not keystrokes
    m_editor->showValue(value);
    m_showing = false;
    m_editor->setModifiedFlag(true);
}

void FieldLink::left()
{
    try {
        updateRecord();
    } catch (const std::exception &e) {
        sys::warn(messageOf(e));
        // The text stays as typed; the user corrects it in the box.
        QTimer::singleShot(0, m_widget, [w = m_widget] { w->setFocus(Qt::OtherFocusReason); });
        return;
    }
    m_editor->emitExited();
}

bool FieldLink::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_widget && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // A drop-down, a context menu or another program taking the focus does not leave the box.
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            return false;
        // Let the widget finish first (spin boxes read their text on focus out).
        watched->event(event);
        left();
        return true;
    }
    return false;
}

} // namespace widgets
