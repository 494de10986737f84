#include "platform/widgets/DBLookupCombo.h"

#include "platform/db/Dataset.h"
#include "platform/widgets/DatasetModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>

namespace widgets {

namespace {

// Keys compare by value whatever their stored type (3 == 3.0).
QString keyText(const QVariant &v)
{
    if (v.isNull())
        return QString();
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 15);
    default:
        return v.toString();
    }
}

} // namespace

DBLookupCombo::DBLookupCombo(QWidget *parent) : DBComboBase(parent), m_model(new DatasetModel(this))
{
    setModel(m_model);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DBLookupCombo::listChanged);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &DBLookupCombo::listChanged);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &DBLookupCombo::listChanged);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &DBLookupCombo::listChanged);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &DBLookupCombo::listChanged);
    connect(this, &QComboBox::activated, this, [this](int row) {
        if (m_keyColumn < 0)
            return;
        m_key = m_model->value(row, m_keyColumn);
        chosen();
    });
}

DBLookupCombo::DBLookupCombo(db::Dataset *dataset, const QString &fieldName, QWidget *parent) : DBLookupCombo(parent)
{
    setDataField(dataset, fieldName);
}

db::Dataset *DBLookupCombo::listDataset() const { return m_model->dataset(); }

void DBLookupCombo::setListSource(db::Dataset *listDataset, const QString &keyField, const QStringList &listFields)
{
    m_keyField = keyField;
    m_listFields = listFields.isEmpty() ? QStringList{keyField} : listFields;
    ColumnLayout columns;
    for (const QString &f : std::as_const(m_listFields))
        columns << ColumnSpec{f, f};
    m_keyColumn = int(m_listFields.indexOf(keyField, 0));
    if (m_keyColumn < 0) {
        for (int i = 0; i < m_listFields.size(); ++i)
            if (m_listFields[i].compare(keyField, Qt::CaseInsensitive) == 0)
                m_keyColumn = i;
    }
    if (m_keyColumn < 0) {
        m_keyColumn = int(columns.size());
        columns << ColumnSpec{keyField, keyField, false};
    }

    if (m_listFields.size() > 1 && !m_table) {
        m_table = new QTableView(this);
        m_table->horizontalHeader()->hide();
        m_table->verticalHeader()->hide();
        m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
        m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
        m_table->setShowGrid(false);
        m_table->setWordWrap(false);
        setView(m_table);
    }
    m_model->setDataset(listDataset);
    m_model->setColumns(columns); // resets the model: listChanged shows the key again
    if (m_table)
        for (int c = 0; c < columns.size(); ++c)
            m_table->setColumnHidden(c, !columns[c].visible);
}

int DBLookupCombo::rowOfKey(const QVariant &key) const
{
    if (key.isNull() || m_keyColumn < 0)
        return -1;
    if (!m_keyRowsValid) {
        m_keyRows.clear();
        const int n = m_model->rowCount();
        for (int r = n - 1; r >= 0; --r) // the first row of a key wins
            m_keyRows.insert(keyText(m_model->value(r, m_keyColumn)), r);
        m_keyRowsValid = true;
    }
    return m_keyRows.value(keyText(key), -1);
}

void DBLookupCombo::selectKey()
{
    m_selecting = true;
    setCurrentIndex(rowOfKey(m_key));
    m_selecting = false;
}

void DBLookupCombo::listChanged()
{
    m_keyRowsValid = false;
    if (!m_selecting)
        selectKey();
}

void DBLookupCombo::setKeyValue(const QVariant &key)
{
    m_key = key;
    selectKey();
    setModified(false);
}

void DBLookupCombo::showValue(const QVariant &value)
{
    m_key = value;
    selectKey();
}

QVariant DBLookupCombo::listValue(const QString &fieldName) const
{
    const db::Dataset *ds = listDataset();
    const int row = currentIndex();
    if (!ds || row < 0)
        return QVariant();
    return ds->rowValue(row, ds->fieldIndex(fieldName));
}

void DBLookupCombo::showPopup()
{
    if (m_table) {
        m_table->resizeColumnsToContents();
        int width = 0;
        for (int c = 0; c < m_model->columnCount(); ++c)
            if (!m_table->isColumnHidden(c))
                width += m_table->columnWidth(c);
        width += m_table->verticalScrollBar()->sizeHint().width() + 2 * m_table->frameWidth();
        m_table->setMinimumWidth(std::max(width, this->width()));
    }
    DBComboBase::showPopup();
}

void DBLookupCombo::keyPressEvent(QKeyEvent *event)
{
    if (!isReadOnly() && (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)
        && event->modifiers() == Qt::NoModifier) {
        if (!m_key.isNull()) {
            m_key = QVariant();
            selectKey();
            chosen();
        }
        return;
    }
    DBComboBase::keyPressEvent(event);
}

} // namespace widgets
