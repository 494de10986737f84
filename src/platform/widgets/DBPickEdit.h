#pragma once
#include "platform/widgets/DBComboBase.h"

namespace widgets {

class GbkValidator;

// A pick list bound to a text field: fixed items, and any other text may be typed unless
// setFreeText(false) makes it a plain drop-down list (a stored text that is not an item then
// shows empty). Typed text is written when the box is left, a chosen item at once.
class DBPickEdit : public DBComboBase
{
    Q_OBJECT
public:
    explicit DBPickEdit(QWidget *parent = nullptr);
    DBPickEdit(db::Dataset *dataset, const QString &fieldName, QWidget *parent = nullptr);

    void setItems(const QStringList &items);
    QStringList items() const;
    void setFreeText(bool allowed);
    bool freeText() const { return isEditable(); }
    // Shows a text as the program (not the user) does.
    void setText(const QString &text);

protected:
    void showValue(const QVariant &value) override;
    QVariant editorValue() const override;
    void fieldBound(const db::Field *field) override;

private:
    void makeEditable(bool on);

    GbkValidator *m_validator = nullptr;
    int m_maxBytes = -1;
};

} // namespace widgets
