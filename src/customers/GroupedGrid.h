#pragma once
#include "platform/widgets/ColumnLayout.h"

#include <QSet>
#include <QWidget>

class QMenu;
class QTreeView;

namespace db { class Dataset; }
namespace widgets { class DatasetModel; }

namespace customers {

class GroupedGridModel;
class GroupedGridPanel;

// The program's grouped grid ("group by column with a sum per group") over a dataset in a
// declared column layout: a group panel above the columns, into which a column header is
// dragged to group the rows by it (also "按此列分组" in the header's context menu); group rows
// that expand and collapse and show their row count and the sums of the sum columns; sorting
// by a click on a header; hidden layout columns the user can show from the context menu.
// Read-only; whole rows are selected. Selecting a row (mouse or keyboard) moves the dataset's
// cursor, and the cursor moving selects its row.
class GroupedGrid : public QWidget
{
    Q_OBJECT
public:
    explicit GroupedGrid(QWidget *parent = nullptr);
    ~GroupedGrid() override;

    // Applies visibility, widths and the initial sort of the layout.
    void setDataset(db::Dataset *dataset, const widgets::ColumnLayout &columns);
    db::Dataset *dataset() const;
    // Fields whose values every group row sums.
    void setSumFields(const QStringList &fieldNames);

    widgets::DatasetModel *datasetModel() const { return m_source; }
    GroupedGridModel *groupModel() const { return m_model; }
    GroupedGridPanel *groupPanel() const { return m_panel; }
    QTreeView *view() const { return m_view; }
    int columnOf(const QString &fieldName) const;

    // Grouping by layout columns (position -1: innermost).
    void groupBy(int column, int position = -1);
    void ungroup(int column);
    void clearGrouping();
    void sortBy(int column, Qt::SortOrder order);
    void expandAll();
    void collapseAll();
    // Columns shown; a hidden layout column can be shown and a shown one hidden.
    void setColumnShown(int column, bool shown);
    bool isColumnShown(int column) const;

    // The header's context menu for a column (-1: outside the columns); the caller owns it.
    QMenu *createHeaderMenu(int column, QWidget *parent = nullptr);

    // Where a dataset row stands in the view (invalid when it has none).
    QModelIndex viewIndex(int datasetRow, int column = 0) const;
    // Dataset row of a view position (-1 for a group row or nothing).
    int datasetRowAt(const QPoint &viewportPos) const;

signals:
    // A click and a double click on a row of the dataset (not on a group row).
    void rowClicked(int datasetRow);
    void rowDoubleClicked(int datasetRow);

private:
    void followCursor(bool reveal);
    void currentRowChanged(const QModelIndex &current);
    void groupingChanged();
    void updateColumns();
    void restoreExpansion();
    void showHeaderMenu(const QPoint &pos);
    int baseWidth(int column) const;

    widgets::DatasetModel *m_source;
    GroupedGridModel *m_model;
    GroupedGridPanel *m_panel;
    QTreeView *m_view;
    widgets::ColumnLayout m_layout;
    QVector<bool> m_shown;
    QSet<QString> m_collapsed; // group keys the user collapsed
    int m_treeColumn = -1;     // the column that carries the tree's indentation
    int m_treeExtra = 0;       // width added to it for the group levels
    QMetaObject::Connection m_cursorConnection;
    bool m_following = false;
    bool m_moving = false;
    bool m_restoring = false;
};

} // namespace customers
