#pragma once
#include "platform/widgets/DataEditor.h"

#include <QLineEdit>

namespace widgets {

// A calculator box for numbers. While it has the focus it shows the plain number and takes
// sums ("1200*3+50", evaluated when it is left); without the focus it shows the value in the
// display format (its own, else the field's: "￥,0;-￥,0"). Empty means null.
class DBNumericEdit : public QLineEdit, public DataEditor
{
    Q_OBJECT
public:
    explicit DBNumericEdit(QWidget *parent = nullptr);
    DBNumericEdit(db::Dataset *dataset, const QString &fieldName, QWidget *parent = nullptr);

    // The number shown (null when empty or unreadable).
    QVariant value() const;
    // Shows a number as the program (not the user) does.
    void setValue(const QVariant &value);

    // Overrides the field's display format; empty: use the field's.
    void setDisplayFormat(const QString &pattern);
    QString displayFormat() const { return m_displayFormat; }

signals:
    void exited();

protected:
    void showValue(const QVariant &value) override;
    QVariant editorValue() const override;
    bool modifiedFlag() const override { return isModified(); }
    void setModifiedFlag(bool on) override { setModified(on); }
    void emitExited() override { emit exited(); }

    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QString formatted(const QVariant &value) const;
    QString plain(const QVariant &value) const;
    void showText(const QString &text);

    QString m_displayFormat;
    QVariant m_value;          // the value behind a formatted text
    bool m_showsFormatted = false;
};

} // namespace widgets
