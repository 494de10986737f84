#pragma once
#include "platform/widgets/DataEditor.h"

#include <QSpinBox>

namespace widgets {

// A whole-number spin box (arrows, wheel or typing) bound to one field; a null value shows an
// empty box. isModified() is set by the user's changes only.
class DBSpinEdit : public QSpinBox, public DataEditor
{
    Q_OBJECT
public:
    explicit DBSpinEdit(QWidget *parent = nullptr);
    DBSpinEdit(db::Dataset *dataset, const QString &fieldName, QWidget *parent = nullptr);

    bool isModified() const { return m_modified; }
    void setModified(bool on) { m_modified = on; }

signals:
    void exited();

protected:
    void showValue(const QVariant &value) override;
    QVariant editorValue() const override;
    bool modifiedFlag() const override { return m_modified; }
    void setModifiedFlag(bool on) override { m_modified = on; }
    void emitExited() override { emit exited(); }

private:
    bool m_modified = false;
};

} // namespace widgets
