#include "customers/GroupedGridModel.h"

#include "platform/db/Dataset.h"
#include "platform/widgets/DatasetModel.h"

#include <QFont>
#include <algorithm>
#include <functional>
#include <numeric>

using namespace Qt::StringLiterals;

namespace customers {

struct GroupedGridModel::Node
{
    Node *parent = nullptr;
    int row = 0;       // position among the parent's groups
    int level = 0;     // 0: the root; k: a group of the k-th grouped column
    int firstRow = -1; // a dataset row of the group: its value stands for the group's
    QString key;
    int count = 0;
    QVector<double> sums;
    std::vector<std::unique_ptr<Node>> groups;
    QHash<QString, Node *> byKey; // only while building
    std::vector<int> leaves;
};

GroupedGridModel::GroupedGridModel(widgets::DatasetModel *source, QObject *parent)
    : QAbstractItemModel(parent), m_source(source), m_root(std::make_unique<Node>())
{
    connect(source, &QAbstractItemModel::modelReset, this, &GroupedGridModel::rebuild);
    connect(source, &QAbstractItemModel::layoutChanged, this, &GroupedGridModel::rebuild);
    connect(source, &QAbstractItemModel::rowsInserted, this, &GroupedGridModel::rebuild);
    connect(source, &QAbstractItemModel::rowsRemoved, this, &GroupedGridModel::rebuild);
    connect(source, &QAbstractItemModel::dataChanged, this, &GroupedGridModel::sourceDataChanged);
    build();
}

GroupedGridModel::~GroupedGridModel() = default;

void GroupedGridModel::setGroupColumns(const QList<int> &columns)
{
    QList<int> valid;
    for (int c : columns)
        if (c >= 0 && c < m_source->columnCount() && !valid.contains(c))
            valid << c;
    if (valid == m_groupColumns)
        return;
    m_groupColumns = valid;
    rebuild();
    emit groupingChanged();
}

void GroupedGridModel::groupBy(int column, int position)
{
    QList<int> columns = m_groupColumns;
    columns.removeAll(column);
    if (position < 0 || position > columns.size())
        position = int(columns.size());
    columns.insert(position, column);
    setGroupColumns(columns);
}

void GroupedGridModel::ungroup(int column)
{
    QList<int> columns = m_groupColumns;
    columns.removeAll(column);
    setGroupColumns(columns);
}

void GroupedGridModel::setGroupOrder(int column, Qt::SortOrder order)
{
    if (groupOrder(column) == order)
        return;
    m_groupOrder.insert(column, order);
    if (isGrouped(column)) {
        rebuild();
        emit groupingChanged();
    }
}

void GroupedGridModel::setSumColumns(const QList<int> &columns)
{
    m_sumColumns = columns;
    rebuild();
}

void GroupedGridModel::sort(int column, Qt::SortOrder order)
{
    if (column == m_sortColumn && order == m_sortOrder)
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    rebuild();
}

void GroupedGridModel::rebuild()
{
    beginResetModel();
    build();
    endResetModel();
}

void GroupedGridModel::build()
{
    m_root = std::make_unique<Node>();
    const int n = m_source->rowCount();
    const int depth = int(m_groupColumns.size());
    const int sumCount = int(m_sumColumns.size());
    m_root->sums = QVector<double>(sumCount, 0.0);
    m_leafOf.assign(size_t(n), {nullptr, -1});

    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    if (m_sortColumn >= 0 && m_sortColumn < m_source->columnCount()) {
        const int col = m_sortColumn;
        const bool desc = m_sortOrder == Qt::DescendingOrder;
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return desc ? m_source->lessThan(b, a, col) : m_source->lessThan(a, b, col);
        });
    }

    // Rows fall into their groups in sorted order, so each group keeps that order.
    for (const int r : order) {
        Node *node = m_root.get();
        for (int level = 0; level < depth; ++level) {
            const QString key = valueKey(r, m_groupColumns[level]);
            Node *&child = node->byKey[key];
            if (!child) {
                auto group = std::make_unique<Node>();
                group->parent = node;
                group->level = level + 1;
                group->firstRow = r;
                group->key = key;
                group->sums = QVector<double>(sumCount, 0.0);
                child = group.get();
                node->groups.push_back(std::move(group));
            }
            node = child;
        }
        node->leaves.push_back(r);
    }

    std::function<void(Node *)> finish = [&](Node *node) {
        node->byKey.clear();
        if (node->level < depth) {
            const int col = m_groupColumns[node->level];
            const bool desc = groupOrder(col) == Qt::DescendingOrder;
            std::stable_sort(node->groups.begin(), node->groups.end(), [&](const auto &a, const auto &b) {
                const bool lt = m_source->lessThan(a->firstRow, b->firstRow, col);
                const bool gt = m_source->lessThan(b->firstRow, a->firstRow, col);
                if (lt != gt)
                    return desc ? gt : lt;
                return desc ? b->key < a->key : a->key < b->key; // e.g. texts that differ in case only
            });
            for (int i = 0; i < int(node->groups.size()); ++i) {
                Node *g = node->groups[size_t(i)].get();
                g->row = i;
                finish(g);
                node->count += g->count;
                for (int s = 0; s < sumCount; ++s)
                    node->sums[s] += g->sums[s];
            }
            return;
        }
        for (int i = 0; i < int(node->leaves.size()); ++i) {
            const int r = node->leaves[size_t(i)];
            m_leafOf[size_t(r)] = {node, i};
            for (int s = 0; s < sumCount; ++s)
                node->sums[s] += m_source->value(r, m_sumColumns[s]).toDouble();
        }
        node->count = int(node->leaves.size());
    };
    finish(m_root.get());
}

QString GroupedGridModel::valueKey(int datasetRow, int column) const
{
    const QVariant v = m_source->value(datasetRow, column);
    if (!v.isValid() || v.isNull())
        return QString();
    return u'=' + v.toString(); // never equal to the null key
}

QString GroupedGridModel::valueText(int datasetRow, int column) const
{
    const QVariant v = m_source->value(datasetRow, column);
    QString text;
    if (!v.isNull())
        text = m_source->kindOf(column) == widgets::ColumnKind::Check ? (v.toBool() ? u"是"_s : u"否"_s)
                                                                      : m_source->text(datasetRow, column);
    return text.isEmpty() ? u"（空）"_s : text;
}

QString GroupedGridModel::sumText(double sum, int column) const
{
    const int fi = m_source->fieldIndexOf(column);
    const db::Dataset *ds = m_source->dataset();
    const QString &own = m_source->columns().at(column).displayFormat;
    const QString format = own.isEmpty() && ds && fi >= 0 ? ds->field(fi).displayFormat() : own;
    return db::Field::displayText(sum, m_source->fieldTypeOf(column), format);
}

GroupedGridModel::Node *GroupedGridModel::groupNode(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    const auto *parent = static_cast<const Node *>(index.internalPointer());
    if (!parent || parent->level >= m_groupColumns.size() || index.row() >= int(parent->groups.size()))
        return nullptr;
    return parent->groups[size_t(index.row())].get();
}

int GroupedGridModel::childCount(const Node *node) const
{
    return node->level < m_groupColumns.size() ? int(node->groups.size()) : int(node->leaves.size());
}

bool GroupedGridModel::isGroup(const QModelIndex &index) const { return groupNode(index) != nullptr; }

int GroupedGridModel::datasetRow(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this)
        return -1;
    const auto *parent = static_cast<const Node *>(index.internalPointer());
    if (!parent || parent->level < m_groupColumns.size() || index.row() >= int(parent->leaves.size()))
        return -1;
    return parent->leaves[size_t(index.row())];
}

QModelIndex GroupedGridModel::indexOfDatasetRow(int datasetRow, int column) const
{
    if (datasetRow < 0 || datasetRow >= int(m_leafOf.size()) || !m_leafOf[size_t(datasetRow)].first)
        return QModelIndex();
    const auto &[node, pos] = m_leafOf[size_t(datasetRow)];
    return createIndex(pos, column, node);
}

int GroupedGridModel::groupColumn(const QModelIndex &group) const
{
    const Node *g = groupNode(group);
    return g ? m_groupColumns[g->level - 1] : -1;
}

QString GroupedGridModel::groupValueText(const QModelIndex &group) const
{
    const Node *g = groupNode(group);
    return g ? valueText(g->firstRow, m_groupColumns[g->level - 1]) : QString();
}

int GroupedGridModel::groupRowCount(const QModelIndex &group) const
{
    const Node *g = groupNode(group);
    return g ? g->count : 0;
}

QVariant GroupedGridModel::groupSum(const QModelIndex &group, int column) const
{
    const Node *g = groupNode(group);
    const int s = int(m_sumColumns.indexOf(column));
    return g && s >= 0 ? QVariant(g->sums[s]) : QVariant();
}

QString GroupedGridModel::groupText(const QModelIndex &group) const
{
    const Node *g = groupNode(group);
    if (!g)
        return QString();
    const int col = m_groupColumns[g->level - 1];
    QString text = u"%1：%2（%3 条记录"_s.arg(headerData(col, Qt::Horizontal).toString(), valueText(g->firstRow, col),
                                             QString::number(g->count));
    for (int s = 0; s < m_sumColumns.size(); ++s)
        text += u"，%1合计：%2"_s.arg(headerData(m_sumColumns[s], Qt::Horizontal).toString(), sumText(g->sums[s], m_sumColumns[s]));
    return text + u'）';
}

QString GroupedGridModel::groupKey(const QModelIndex &group) const
{
    QStringList parts;
    for (const Node *g = groupNode(group); g && g->level > 0; g = g->parent)
        parts.prepend(QString::number(m_groupColumns[g->level - 1]) + g->key);
    return parts.join(QChar(0x1f));
}

QModelIndexList GroupedGridModel::groupIndexes() const
{
    QModelIndexList out;
    std::function<void(const Node *)> walk = [&](const Node *node) {
        if (node->level >= m_groupColumns.size())
            return;
        for (const auto &g : node->groups) {
            out << createIndex(g->row, 0, const_cast<Node *>(node));
            walk(g.get());
        }
    };
    walk(m_root.get());
    return out;
}

QModelIndex GroupedGridModel::index(int row, int column, const QModelIndex &parent) const
{
    const Node *node = parent.isValid() ? groupNode(parent) : m_root.get();
    if (!node || row < 0 || row >= childCount(node) || column < 0 || column >= columnCount())
        return QModelIndex();
    return createIndex(row, column, const_cast<Node *>(node));
}

QModelIndex GroupedGridModel::parent(const QModelIndex &child) const
{
    if (!child.isValid())
        return QModelIndex();
    const auto *node = static_cast<const Node *>(child.internalPointer());
    if (!node || node == m_root.get())
        return QModelIndex();
    return createIndex(node->row, 0, node->parent);
}

int GroupedGridModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return childCount(m_root.get());
    if (parent.column() != 0)
        return 0;
    const Node *g = groupNode(parent);
    return g ? childCount(g) : 0;
}

int GroupedGridModel::columnCount(const QModelIndex &) const { return m_source->columnCount(); }

QVariant GroupedGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (isGroup(index)) {
        switch (role) {
        case IsGroupRole: return true;
        case Qt::DisplayRole:
        case Qt::ToolTipRole: return groupText(index);
        case Qt::FontRole: {
            QFont f;
            f.setBold(true);
            return f;
        }
        default: return QVariant();
        }
    }
    if (role == IsGroupRole)
        return false;
    const int row = datasetRow(index);
    return row < 0 ? QVariant() : m_source->data(m_source->index(row, index.column()), role);
}

QVariant GroupedGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return m_source->headerData(section, orientation, role);
}

Qt::ItemFlags GroupedGridModel::flags(const QModelIndex &index) const
{
    if (isGroup(index))
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int row = datasetRow(index);
    return row < 0 ? Qt::NoItemFlags : m_source->flags(m_source->index(row, index.column()));
}

void GroupedGridModel::sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &)
{
    // A changed value that places or sums rows moves them: build again; otherwise repaint.
    for (int c = topLeft.column(); c <= bottomRight.column(); ++c)
        if (c == m_sortColumn || m_groupColumns.contains(c) || m_sumColumns.contains(c)) {
            rebuild();
            return;
        }
    for (int r = topLeft.row(); r <= bottomRight.row(); ++r) {
        const QModelIndex first = indexOfDatasetRow(r, topLeft.column());
        if (first.isValid())
            emit dataChanged(first, indexOfDatasetRow(r, bottomRight.column()));
    }
}

} // namespace customers
