#pragma once
#include "platform/widgets/ColumnLayout.h"

#include <QTableView>

namespace db {
class Dataset;
} // namespace db

namespace widgets {

class DatasetModel;
class DatasetSortProxy;

// A grid over a dataset in a declared column layout. Selecting a row moves the dataset's cursor,
// and the cursor moving selects the row. Clicking a header sorts the view (the dataset keeps its
// order; datasetRow() maps a view index back to the dataset's row). Whole rows are selected;
// the grid is read-only unless setEditable(true).
class DBGrid : public QTableView
{
    Q_OBJECT
public:
    explicit DBGrid(QWidget *parent = nullptr);
    DBGrid(db::Dataset *dataset, const ColumnLayout &columns, QWidget *parent = nullptr);

    // An empty layout shows every field. Applies visibility, widths and the initial sort.
    void setDataset(db::Dataset *dataset, const ColumnLayout &columns = {});
    void setColumns(const ColumnLayout &columns);
    db::Dataset *dataset() const;
    DatasetModel *datasetModel() const { return m_model; }
    DatasetSortProxy *sortModel() const { return m_proxy; }

    // Dataset rows of view indexes and positions (-1 for none).
    int datasetRow(const QModelIndex &index) const;
    int datasetRowAt(const QPoint &viewportPos) const;
    QModelIndex viewIndex(int datasetRow, int column = 0) const;
    // A cell by dataset row and layout column (hidden columns count): stored value, shown text.
    QVariant cellValue(int datasetRow, int column) const;
    QString cellText(int datasetRow, int column) const;

    // In-place editing of the cells (the dataset enters Edit; moving to another row posts).
    void setEditable(bool on);
    bool isEditable() const;
    // Insert inserts a record, Down on the last row appends one.
    void setAllowInsert(bool on) { m_allowInsert = on; }
    // Ctrl+Delete asks "真的要删除该记录吗？" and deletes the current record on OK.
    void setAllowDelete(bool on) { m_allowDelete = on; }
    // Shows the record indicator column (▶ current, ✎ editing, ＊ inserting).
    void setRowIndicator(bool on);

signals:
    // A click on the button of a Button column.
    void buttonClicked(int datasetRow, int column);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void followCursor();
    void applyLayout();
    void modelWasReset();
    bool run(const std::function<void()> &action);

    DatasetModel *m_model;
    DatasetSortProxy *m_proxy;
    bool m_following = false;
    bool m_moving = false;
    bool m_allowInsert = false;
    bool m_allowDelete = false;
    int m_laidOutColumns = -1;
    QMetaObject::Connection m_cursorConnection;
};

} // namespace widgets
