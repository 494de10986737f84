#pragma once
#include "platform/widgets/DataEditor.h"

#include <QLineEdit>

namespace widgets {

class GbkValidator;

// A line edit bound to one field. isModified() is the "changed by typing" flag; typing past
// the field's width in GBK bytes is refused.
class DBEdit : public QLineEdit, public DataEditor
{
    Q_OBJECT
public:
    explicit DBEdit(QWidget *parent = nullptr);
    DBEdit(db::Dataset *dataset, const QString &fieldName, QWidget *parent = nullptr);

    GbkValidator *widthValidator() const { return m_validator; }

signals:
    // The box was left; a typed value has been written to the field.
    void exited();

protected:
    void showValue(const QVariant &value) override;
    QVariant editorValue() const override;
    bool modifiedFlag() const override { return isModified(); }
    void setModifiedFlag(bool on) override { setModified(on); }
    void fieldBound(const db::Field *field) override;
    void emitExited() override { emit exited(); }

private:
    GbkValidator *m_validator;
};

} // namespace widgets
