#pragma once
#include <QString>
#include <QVariant>

class QWidget;

namespace db {
class Dataset;
class Field;
} // namespace db

namespace widgets {

class FieldLink;

// What every data-aware editor shares. Bound to (dataset, field) it shows the current record's
// value, puts the dataset into Edit when the user types and writes the typed value to the field
// when the box is left and before every post. Showing a record (scrolling, posting, cancelling)
// never sets the modified flag. A closed dataset shows an empty, disabled box. Without a dataset
// the editor is a plain input box.
class DataEditor
{
public:
    virtual ~DataEditor();
    DataEditor(const DataEditor &) = delete;
    DataEditor &operator=(const DataEditor &) = delete;

    // Binds the box; a null dataset unbinds it.
    void setDataField(db::Dataset *dataset, const QString &fieldName);
    db::Dataset *dataset() const;
    QString dataField() const;
    // The bound field, or null when unbound, the dataset is closed or has no such field.
    db::Field *field() const;

    // Writes a typed change into the field now (the dataset must be editing).
    // Throws db::Error when the text is no valid value for the field.
    void updateRecord();
    // Shows the current record again and clears the modified flag.
    void refresh();
    // The "changed by typing" flag, the same as the widget's isModified().
    bool isEditorModified() const { return modifiedFlag(); }
    // Puts value into the box as if the user had typed it: enters Edit, sets the modified flag;
    // the value reaches the field when the box is left or the record is posted.
    void enterValue(const QVariant &value);

protected:
    explicit DataEditor(QWidget *self);

    // Shows value (null: empty); must not set the modified flag.
    virtual void showValue(const QVariant &value) = 0;
    // The value to store; throws db::Error for text that is no valid value.
    virtual QVariant editorValue() const = 0;
    virtual bool modifiedFlag() const = 0;
    virtual void setModifiedFlag(bool on) = 0;
    // Called before each showing with the bound field (null when there is none), e.g. for widths.
    virtual void fieldBound(const db::Field *field) { Q_UNUSED(field) }
    // Emits the editor's exited() signal: the box was left after its value was written.
    virtual void emitExited() = 0;

    // The subclass calls this when the user changed the value (typing, choosing, clicking).
    // Puts the dataset into Edit and sets the modified flag. Returns false when the change must
    // be dropped: the record is being shown, or the dataset refused to edit (the box then shows
    // the record again after the refusal was reported).
    bool userChanged();
    // True while the box is being filled from the record; change signals are not the user's.
    bool isShowingRecord() const;
    // A value as text to edit: dates and times in the system formats, numbers unrounded.
    static QString editText(const QVariant &value, const db::Field *field);

private:
    friend class FieldLink;
    FieldLink *m_link;
};

} // namespace widgets
