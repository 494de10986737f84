#pragma once
#include "platform/widgets/DataEditor.h"

#include <QComboBox>

namespace widgets {

// What the pick list and the lookup combo share: a modified flag set by the user's changes only,
// a read-only mode and the exited() signal. A choice from the list is written to the field at once.
class DBComboBase : public QComboBox, public DataEditor
{
    Q_OBJECT
public:
    bool isModified() const { return m_modified; }
    void setModified(bool on) { m_modified = on; }
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool on);
    QString text() const { return currentText(); }

    void showPopup() override;

signals:
    void exited();

protected:
    explicit DBComboBase(QWidget *parent);

    bool modifiedFlag() const override { return m_modified; }
    void setModifiedFlag(bool on) override { m_modified = on; }
    void emitExited() override { emit exited(); }

    // The user chose a row of the list; the subclass has already taken the choice.
    void chosen();
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    bool m_modified = false;
    bool m_readOnly = false;
};

} // namespace widgets
