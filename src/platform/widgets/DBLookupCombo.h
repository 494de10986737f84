#pragma once
#include "platform/widgets/DBComboBase.h"

#include <QHash>

class QTableView;

namespace widgets {

class DatasetModel;

// A drop-down list over another dataset (levels, districts, business types, customers ...):
// stores the key field's value of the chosen row and shows its list field. With several list
// fields the drop-down shows them as columns (e.g. Email and Name); the first one is the box's
// text. A key that the list does not hold shows an empty box. Delete clears the choice.
// The combo's index is the list dataset's row, so highlighted(int)/activated(int) give rows of
// the list dataset (an unbound combo can move the list's cursor with them).
class DBLookupCombo : public DBComboBase
{
    Q_OBJECT
public:
    explicit DBLookupCombo(QWidget *parent = nullptr);
    DBLookupCombo(db::Dataset *dataset, const QString &fieldName, QWidget *parent = nullptr);

    void setListSource(db::Dataset *listDataset, const QString &keyField, const QStringList &listFields);
    void setListSource(db::Dataset *listDataset, const QString &keyField, const QString &listField)
    {
        setListSource(listDataset, keyField, QStringList{listField});
    }
    db::Dataset *listDataset() const;
    QString keyField() const { return m_keyField; }
    QStringList listFields() const { return m_listFields; }

    // The key shown (null when none).
    QVariant keyValue() const { return m_key; }
    // Shows the list row of key as the program (not the user) does.
    void setKeyValue(const QVariant &key);
    // A field of the list row shown (null when none is shown).
    QVariant listValue(const QString &fieldName) const;

    void showPopup() override;

protected:
    void showValue(const QVariant &value) override;
    QVariant editorValue() const override { return m_key; }
    void keyPressEvent(QKeyEvent *event) override;

private:
    int rowOfKey(const QVariant &key) const;
    void selectKey();
    void listChanged();

    DatasetModel *m_model;
    QTableView *m_table = nullptr;
    QString m_keyField;
    QStringList m_listFields;
    int m_keyColumn = -1;
    QVariant m_key;
    bool m_selecting = false;
    mutable QHash<QString, int> m_keyRows;
    mutable bool m_keyRowsValid = false;
};

} // namespace widgets
