#include "customers/GroupedGrid.h"

#include "customers/GroupedGridModel.h"
#include "customers/GroupedGridPanel.h"
#include "platform/db/Dataset.h"
#include "platform/system/Guard.h"
#include "platform/widgets/DatasetModel.h"

#include <QApplication>
#include <QDrag>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace customers {

namespace {

// A header whose sections can be dragged out (into the group panel); clicks still sort and the
// edges between sections still resize.
class DragOutHeader : public QHeaderView
{
public:
    explicit DragOutHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
    {
        setSectionsClickable(true);
        setSortIndicatorShown(true);
        setHighlightSections(false);
        setStretchLastSection(false);
        setContextMenuPolicy(Qt::CustomContextMenu);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        m_pressed = -1;
        if (event->button() == Qt::LeftButton && !onSectionEdge(event->position().toPoint())) {
            m_pressed = logicalIndexAt(event->position().toPoint());
            m_pressPos = event->position().toPoint();
        }
        QHeaderView::mousePressEvent(event);
    }

    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (m_pressed >= 0 && (event->buttons() & Qt::LeftButton)
            && (event->position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
            const int column = m_pressed;
            m_pressed = -1;
            auto *drag = new QDrag(this);
            drag->setMimeData(GroupedGridPanel::columnMimeData(column));
            const QRect section(sectionViewportPosition(column), 0, sectionSize(column), height());
            drag->setPixmap(viewport()->grab(section));
            drag->setHotSpot(m_pressPos - section.topLeft());
            drag->exec(Qt::MoveAction);
            return;
        }
        QHeaderView::mouseMoveEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        m_pressed = -1;
        QHeaderView::mouseReleaseEvent(event);
    }

private:
    bool onSectionEdge(const QPoint &pos) const
    {
        const int section = logicalIndexAt(pos);
        if (section < 0)
            return true;
        const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
        const int left = sectionViewportPosition(section);
        const int right = left + sectionSize(section);
        return pos.x() <= left + grip || pos.x() >= right - grip;
    }

    int m_pressed = -1;
    QPoint m_pressPos;
};

// Rows as tall as the program's other grids.
class RowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), option.fontMetrics.height() + 8));
        return size;
    }
};

// Paints group rows across the whole width (expand sign, then the group's text) and thin grid
// lines between the cells of ordinary rows.
class GroupTreeView : public QTreeView
{
public:
    explicit GroupTreeView(QWidget *parent) : QTreeView(parent) {}

protected:
    void drawRow(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QRect row(0, option.rect.y(), viewport()->width(), option.rect.height());
        const QColor line = palette().color(QPalette::Mid).lighter(130);
        if (!index.data(GroupedGridModel::IsGroupRole).toBool()) {
            QTreeView::drawRow(painter, option, index);
            painter->save();
            painter->setPen(line);
            painter->drawLine(row.bottomLeft(), row.bottomRight());
            for (int v = 0; v < header()->count(); ++v) {
                const int c = header()->logicalIndex(v);
                if (!header()->isSectionHidden(c)) {
                    const int x = columnViewportPosition(c) + columnWidth(c) - 1;
                    painter->drawLine(x, row.top(), x, row.bottom());
                }
            }
            painter->restore();
            return;
        }
        const bool selected = selectionModel() && selectionModel()->isSelected(index);
        painter->save();
        painter->fillRect(row, selected ? palette().brush(QPalette::Highlight)
                                        : QBrush(palette().color(QPalette::Window).darker(104)));
        int depth = 0;
        for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
            ++depth;
        const int treeColumn = treePosition() >= 0 ? treePosition() : header()->logicalIndex(0);
        const int x = columnViewportPosition(treeColumn);
        const int indent = indentation() * (depth + (rootIsDecorated() ? 1 : 0));
        drawBranches(painter, QRect(x, row.y(), indent, row.height()), index);
        QFont bold = font();
        bold.setBold(true);
        painter->setFont(bold);
        painter->setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect text(x + indent + 2, row.y(), std::max(0, row.right() - x - indent - 6), row.height());
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(bold).elidedText(index.data().toString(), Qt::ElideRight, text.width()));
        painter->setPen(line);
        painter->drawLine(row.bottomLeft(), row.bottomRight());
        painter->restore();
    }
};

} // namespace

GroupedGrid::GroupedGrid(QWidget *parent)
    : QWidget(parent), m_source(new widgets::DatasetModel(this)), m_model(new GroupedGridModel(m_source, this)),
      m_panel(new GroupedGridPanel(this)), m_view(new GroupTreeView(this))
{
    m_view->setObjectName(u"groupedGridView"_s);
    auto *header = new DragOutHeader(m_view);
    m_view->setHeader(header);
    m_view->setModel(m_model);
    m_view->setItemDelegate(new RowDelegate(m_view));
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setAllColumnsShowFocus(true);
    m_view->setUniformRowHeights(true);
    m_view->setAlternatingRowColors(true);
    m_view->setRootIsDecorated(false);
    m_view->setIndentation(16);
    m_view->setExpandsOnDoubleClick(true);
    m_view->setSortingEnabled(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_panel);
    layout->addWidget(m_view, 1);
    setFocusProxy(m_view);

    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { currentRowChanged(current); });
    connect(m_view, &QTreeView::clicked, this, [this](const QModelIndex &index) {
        if (const int row = m_model->datasetRow(index); row >= 0)
            emit rowClicked(row);
    });
    connect(m_view, &QTreeView::doubleClicked, this, [this](const QModelIndex &index) {
        if (const int row = m_model->datasetRow(index); row >= 0)
            emit rowDoubleClicked(row);
    });
    connect(m_view, &QTreeView::collapsed, this, [this](const QModelIndex &index) {
        if (!m_restoring)
            m_collapsed.insert(m_model->groupKey(index));
    });
    connect(m_view, &QTreeView::expanded, this, [this](const QModelIndex &index) {
        if (!m_restoring)
            m_collapsed.remove(m_model->groupKey(index));
    });
    // After the view has taken the new rows in.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        restoreExpansion();
        followCursor(false);
    });
    connect(m_model, &GroupedGridModel::groupingChanged, this, &GroupedGrid::groupingChanged);
    connect(header, &QHeaderView::customContextMenuRequested, this, &GroupedGrid::showHeaderMenu);
    connect(m_panel, &GroupedGridPanel::columnDropped, this, [this](int column, int position) { groupBy(column, position); });
    connect(m_panel, &GroupedGridPanel::removeRequested, this, &GroupedGrid::ungroup);
    connect(m_panel, &GroupedGridPanel::orderToggled, this, [this](int column) {
        m_model->setGroupOrder(column, m_model->groupOrder(column) == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                                          : Qt::AscendingOrder);
    });
}

GroupedGrid::~GroupedGrid() = default;

db::Dataset *GroupedGrid::dataset() const { return m_source->dataset(); }

void GroupedGrid::setDataset(db::Dataset *dataset, const widgets::ColumnLayout &columns)
{
    disconnect(m_cursorConnection);
    m_layout = columns;
    m_shown.clear();
    for (const widgets::ColumnSpec &c : columns)
        m_shown << c.visible;
    m_collapsed.clear();
    m_model->setGroupColumns({});
    m_source->setColumns(columns);
    m_source->setDataset(dataset);
    if (dataset)
        m_cursorConnection = connect(dataset, &db::Dataset::currentChanged, this, [this] {
            if (!m_moving)
                followCursor(true);
        });
    m_treeColumn = -1;
    m_treeExtra = 0;
    for (int c = 0; c < columns.size(); ++c)
        m_view->setColumnWidth(c, baseWidth(c));
    updateColumns();
    int sorted = -1;
    for (int c = 0; c < columns.size() && sorted < 0; ++c)
        if (columns[c].initialSort != widgets::Sort::None)
            sorted = c;
    if (sorted >= 0)
        sortBy(sorted, columns[sorted].initialSort == widgets::Sort::Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    followCursor(false);
}

void GroupedGrid::setSumFields(const QStringList &fieldNames)
{
    QList<int> columns;
    for (const QString &f : fieldNames)
        if (const int c = columnOf(f); c >= 0)
            columns << c;
    m_model->setSumColumns(columns);
}

int GroupedGrid::columnOf(const QString &fieldName) const
{
    for (int c = 0; c < m_layout.size(); ++c)
        if (m_layout[c].field.compare(fieldName, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

int GroupedGrid::baseWidth(int column) const
{
    if (column < 0 || column >= m_layout.size())
        return 0;
    if (m_layout[column].width > 0)
        return m_layout[column].width;
    return std::max(fontMetrics().horizontalAdvance(m_source->headerData(column, Qt::Horizontal).toString()) + 28, 64);
}

void GroupedGrid::groupBy(int column, int position) { m_model->groupBy(column, position); }

void GroupedGrid::ungroup(int column) { m_model->ungroup(column); }

void GroupedGrid::clearGrouping() { m_model->setGroupColumns({}); }

void GroupedGrid::sortBy(int column, Qt::SortOrder order)
{
    if (column < 0) {
        m_view->header()->setSortIndicator(-1, Qt::AscendingOrder);
        m_model->sort(-1);
        return;
    }
    m_view->sortByColumn(column, order); // moves the header's indicator too
}

void GroupedGrid::expandAll()
{
    m_collapsed.clear();
    m_view->expandAll();
}

void GroupedGrid::collapseAll()
{
    for (const QModelIndex &g : m_model->groupIndexes())
        m_collapsed.insert(m_model->groupKey(g));
    m_restoring = true;
    m_view->collapseAll();
    m_restoring = false;
}

void GroupedGrid::setColumnShown(int column, bool shown)
{
    if (column < 0 || column >= m_shown.size())
        return;
    m_shown[column] = shown;
    updateColumns();
}

bool GroupedGrid::isColumnShown(int column) const { return column >= 0 && column < m_shown.size() && m_shown[column]; }

void GroupedGrid::groupingChanged()
{
    QList<GroupedGridPanel::Chip> chips;
    for (int c : m_model->groupColumns())
        chips << GroupedGridPanel::Chip{c, m_source->headerData(c, Qt::Horizontal).toString(), m_model->groupOrder(c)};
    m_panel->setChips(chips);
    updateColumns();
}

void GroupedGrid::updateColumns()
{
    // The tree column makes room for the indentation of the group levels; other widths stay as
    // the user left them. Its extra width goes before columns are hidden or shown.
    if (m_treeColumn >= 0 && m_treeExtra > 0 && !m_view->isColumnHidden(m_treeColumn))
        m_view->setColumnWidth(m_treeColumn, std::max(m_view->columnWidth(m_treeColumn) - m_treeExtra, 16));
    // A grouped column's value stands on its group rows, so its cells are not repeated.
    const QList<int> grouped = m_model->groupColumns();
    QHeaderView *header = m_view->header();
    for (int c = 0; c < m_shown.size(); ++c)
        m_view->setColumnHidden(c, !m_shown[c] || grouped.contains(c));
    m_treeColumn = -1;
    for (int v = 0; v < header->count() && m_treeColumn < 0; ++v)
        if (!header->isSectionHidden(header->logicalIndex(v)))
            m_treeColumn = header->logicalIndex(v);
    m_view->setRootIsDecorated(!grouped.isEmpty());
    m_view->setTreePosition(m_treeColumn);
    m_treeExtra = grouped.isEmpty() ? 0 : m_view->indentation() * int(grouped.size() + 1);
    if (m_treeColumn >= 0 && m_treeExtra > 0)
        m_view->setColumnWidth(m_treeColumn, m_view->columnWidth(m_treeColumn) + m_treeExtra);
}

void GroupedGrid::restoreExpansion()
{
    if (m_model->groupColumns().isEmpty())
        return;
    m_restoring = true;
    m_view->expandAll();
    if (!m_collapsed.isEmpty())
        for (const QModelIndex &g : m_model->groupIndexes())
            if (m_collapsed.contains(m_model->groupKey(g)))
                m_view->collapse(g);
    m_restoring = false;
}

QModelIndex GroupedGrid::viewIndex(int datasetRow, int column) const { return m_model->indexOfDatasetRow(datasetRow, column); }

int GroupedGrid::datasetRowAt(const QPoint &viewportPos) const { return m_model->datasetRow(m_view->indexAt(viewportPos)); }

void GroupedGrid::followCursor(bool reveal)
{
    db::Dataset *ds = dataset();
    if (!ds || !ds->isActive() || ds->recNo() < 0)
        return;
    const int column = m_view->treePosition() >= 0 ? m_view->treePosition() : 0;
    QModelIndex target = m_model->indexOfDatasetRow(ds->recNo(), column);
    if (!target.isValid())
        return;
    m_following = true;
    // A record the cursor moves to is shown; after a rebuild a collapsed group keeps it hidden
    // and its group row stands for it.
    for (QModelIndex p = target.parent(); p.isValid(); p = p.parent()) {
        if (reveal)
            m_view->expand(p);
        else if (!m_view->isExpanded(p))
            target = p;
    }
    if (target != m_view->currentIndex())
        m_view->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_view->scrollTo(target);
    m_following = false;
}

void GroupedGrid::currentRowChanged(const QModelIndex &current)
{
    db::Dataset *ds = dataset();
    const int row = m_model->datasetRow(current);
    if (m_following || row < 0 || !ds || !ds->isActive() || row == ds->recNo())
        return;
    m_moving = true;
    sys::guarded(this, [&] { ds->moveTo(row); });
    m_moving = false;
    // Where the cursor did not get to (a refused post), show where it is.
    if (ds->recNo() != row)
        QTimer::singleShot(0, this, [this] { followCursor(true); });
}

QMenu *GroupedGrid::createHeaderMenu(int column, QWidget *parent)
{
    auto *menu = new QMenu(parent);
    const bool grouped = !m_model->groupColumns().isEmpty();
    auto add = [menu](const QString &text, const QString &name, bool enabled, auto handler) {
        QAction *a = menu->addAction(text);
        a->setObjectName(name);
        a->setEnabled(enabled);
        QObject::connect(a, &QAction::triggered, menu, handler);
        return a;
    };
    if (column >= 0 && column < m_layout.size()) {
        add(u"按此列分组"_s, u"actGroupBy"_s, !m_model->isGrouped(column), [this, column] { groupBy(column); });
        add(u"升序排列"_s, u"actSortAscending"_s, true, [this, column] { sortBy(column, Qt::AscendingOrder); });
        add(u"降序排列"_s, u"actSortDescending"_s, true, [this, column] { sortBy(column, Qt::DescendingOrder); });
    }
    add(u"取消排序"_s, u"actSortNone"_s, m_model->sortColumn() >= 0, [this] { sortBy(-1, Qt::AscendingOrder); });
    menu->addSeparator();
    add(u"取消分组"_s, u"actUngroupAll"_s, grouped, [this] { clearGrouping(); });
    add(u"全部展开"_s, u"actExpandAll"_s, grouped, [this] { expandAll(); });
    add(u"全部折叠"_s, u"actCollapseAll"_s, grouped, [this] { collapseAll(); });
    QAction *panel = add(u"显示分组面板"_s, u"actShowGroupPanel"_s, true, [this](bool on) { m_panel->setVisible(on); });
    panel->setCheckable(true);
    panel->setChecked(!m_panel->isHidden());
    menu->addSeparator();
    QMenu *shown = menu->addMenu(u"显示列"_s);
    shown->setObjectName(u"menuColumns"_s);
    for (int c = 0; c < m_layout.size(); ++c) {
        QAction *a = shown->addAction(m_source->headerData(c, Qt::Horizontal).toString());
        a->setObjectName(u"actShow_"_s + m_layout[c].field);
        a->setCheckable(true);
        a->setChecked(m_shown[c]);
        connect(a, &QAction::toggled, menu, [this, c](bool on) { setColumnShown(c, on); });
    }
    return menu;
}

void GroupedGrid::showHeaderMenu(const QPoint &pos)
{
    QHeaderView *header = m_view->header();
    std::unique_ptr<QMenu> menu(createHeaderMenu(header->logicalIndexAt(pos), this));
    menu->exec(header->viewport()->mapToGlobal(pos));
}

} // namespace customers
