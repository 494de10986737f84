#pragma once
#include "platform/widgets/DataEditor.h"

#include <QLineEdit>

namespace widgets {

// Shared base of the date and time boxes: a line edit that may be empty and reads its text
// in the system formats. Text that is no valid value is refused with a message when the box is
// left (the text stays for correcting) and stops a post.
class DBTemporalEdit : public QLineEdit, public DataEditor
{
    Q_OBJECT
public:
    bool isEmpty() const { return text().trimmed().isEmpty(); }

signals:
    void exited();

protected:
    explicit DBTemporalEdit(QWidget *parent);

    // Text for a value (null: empty) and the value of a text (an invalid QVariant when unreadable).
    virtual QString format(const QVariant &value) const = 0;
    virtual QVariant parse(const QString &text) const = 0;
    // "日期", "时间": named in the refusal message.
    virtual QString kindName() const = 0;

    void showValue(const QVariant &value) override;
    QVariant editorValue() const override;
    bool modifiedFlag() const override { return isModified(); }
    void setModifiedFlag(bool on) override { setModified(on); }
    void emitExited() override { emit exited(); }
};

} // namespace widgets
