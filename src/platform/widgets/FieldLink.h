#pragma once
#include "platform/db/Dataset.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

class QWidget;

namespace widgets {

class DataEditor;

// The connection of one editor to its dataset: follows the dataset's signals, writes typed values
// and watches the box being left. Owned by the editor's widget.
class FieldLink : public QObject
{
    Q_OBJECT
public:
    FieldLink(QWidget *widget, DataEditor *editor);

    void bind(db::Dataset *dataset, const QString &fieldName);
    // The editor is going away: stop calling it (its widget part outlives it briefly).
    void release();
    db::Dataset *dataset() const { return m_dataset; }
    QString fieldName() const { return m_fieldName; }
    db::Field *field() const;

    void show();
    void updateRecord();
    bool userChanged();
    void enterValue(const QVariant &value);
    bool showing() const { return m_showing; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool beginTyping();
    void followRecord();
    void followField(int fieldIndex);
    void writeBeforePost();
    void left();
    void setLinkEnabled(bool on);

    QWidget *m_widget;
    DataEditor *m_editor;
    QPointer<db::Dataset> m_dataset;
    QString m_fieldName;
    QList<QMetaObject::Connection> m_connections;
    bool m_showing = false;  // filling the box from the record
    bool m_writing = false;  // writing the box into the field
    bool m_entering = false; // putting the dataset into Edit for a keystroke
    bool m_disabledByLink = false;
};

} // namespace widgets
