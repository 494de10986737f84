#pragma once
#include "platform/widgets/DataEditor.h"

#include <QCheckBox>

namespace widgets {

// A check box bound to a Boolean field (null shows unchecked). A click enters Edit and writes
// the new state to the field at once.
class DBCheckBox : public QCheckBox, public DataEditor
{
    Q_OBJECT
public:
    explicit DBCheckBox(QWidget *parent = nullptr);
    DBCheckBox(const QString &text, db::Dataset *dataset, const QString &fieldName, QWidget *parent = nullptr);

    bool isModified() const { return m_modified; }
    void setModified(bool on) { m_modified = on; }
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool on) { m_readOnly = on; }

signals:
    void exited();

protected:
    void showValue(const QVariant &value) override;
    QVariant editorValue() const override { return isChecked(); }
    bool modifiedFlag() const override { return m_modified; }
    void setModifiedFlag(bool on) override { m_modified = on; }
    void emitExited() override { emit exited(); }
    void nextCheckState() override;

private:
    bool m_modified = false;
    bool m_readOnly = false;
};

} // namespace widgets
