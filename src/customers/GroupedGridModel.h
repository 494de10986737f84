#pragma once
#include <QAbstractItemModel>
#include <QHash>
#include <QList>
#include <memory>
#include <vector>

namespace widgets { class DatasetModel; }

namespace customers {

// The rows of a DatasetModel as a tree for the grouped grid: one level of group rows per
// grouped column (each with its row count and the sums of the sum columns), the dataset's
// rows as leaves, sorted by one column inside their groups. Leaves show the source's data;
// the dataset keeps its own order. Rebuilt when the source is reset or rows come and go.
class GroupedGridModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    enum Role {
        IsGroupRole = Qt::UserRole + 100, // true on group rows
    };

    explicit GroupedGridModel(widgets::DatasetModel *source, QObject *parent = nullptr);
    ~GroupedGridModel() override;

    widgets::DatasetModel *source() const { return m_source; }

    // Grouping, outermost first. Each grouped column keeps its own order of groups.
    QList<int> groupColumns() const { return m_groupColumns; }
    void setGroupColumns(const QList<int> &columns);
    void groupBy(int column, int position = -1); // moves it there when already grouped
    void ungroup(int column);
    bool isGrouped(int column) const { return m_groupColumns.contains(column); }
    Qt::SortOrder groupOrder(int column) const { return m_groupOrder.value(column, Qt::AscendingOrder); }
    void setGroupOrder(int column, Qt::SortOrder order);

    // Columns whose values each group row sums.
    void setSumColumns(const QList<int> &columns);
    QList<int> sumColumns() const { return m_sumColumns; }

    // Order of the rows inside their groups; column -1 keeps the dataset's order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    bool isGroup(const QModelIndex &index) const;
    int datasetRow(const QModelIndex &index) const; // -1 for group rows
    QModelIndex indexOfDatasetRow(int datasetRow, int column = 0) const;
    // Group rows: the grouped column, its value as shown, the rows below, a column's sum.
    int groupColumn(const QModelIndex &group) const;
    QString groupValueText(const QModelIndex &group) const;
    int groupRowCount(const QModelIndex &group) const;
    QVariant groupSum(const QModelIndex &group, int column) const;
    // The text a group row shows: "客户级别：VIP（3 条；合同总额 合计 ￥1,200）".
    QString groupText(const QModelIndex &group) const;
    // Identifies a group across rebuilds (its column and value and those of its parents).
    QString groupKey(const QModelIndex &group) const;
    // Every group row, parents before their children.
    QModelIndexList groupIndexes() const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    void groupingChanged();

private:
    struct Node;
    void rebuild();
    void build();
    QString valueKey(int datasetRow, int column) const;
    QString valueText(int datasetRow, int column) const;
    QString sumText(double sum, int column) const;
    Node *groupNode(const QModelIndex &index) const;
    int childCount(const Node *node) const;
    void sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles);

    widgets::DatasetModel *m_source;
    QList<int> m_groupColumns;
    QHash<int, Qt::SortOrder> m_groupOrder;
    QList<int> m_sumColumns;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    std::unique_ptr<Node> m_root;
    // Per dataset row: the node holding it as a leaf and its position there.
    std::vector<std::pair<Node *, int>> m_leafOf;
};

} // namespace customers
