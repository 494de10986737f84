#include "platform/widgets/DBGrid.h"

#include "platform/db/Dataset.h"
#include "platform/system/Services.h"
#include "platform/widgets/DatasetModel.h"
#include "platform/widgets/DatasetSortProxy.h"
#include "platform/widgets/GridDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace widgets {

DBGrid::DBGrid(QWidget *parent)
    : QTableView(parent), m_model(new DatasetModel(this)), m_proxy(new DatasetSortProxy(m_model, this))
{
    setModel(m_proxy);
    auto *delegate = new GridDelegate(m_model, this);
    setItemDelegate(delegate);
    connect(delegate, &GridDelegate::buttonClicked, this,
            [this](const QModelIndex &index) { emit buttonClicked(datasetRow(index), index.column()); });

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setAlternatingRowColors(true);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder); // no sort until asked for
    setSortingEnabled(true);

    connect(m_proxy, &QAbstractItemModel::modelReset, this, &DBGrid::modelWasReset);
    connect(m_proxy, &QAbstractItemModel::layoutChanged, this, [this] {
        if (currentIndex().isValid())
            scrollTo(currentIndex());
    });
}

DBGrid::DBGrid(db::Dataset *dataset, const ColumnLayout &columns, QWidget *parent) : DBGrid(parent)
{
    setDataset(dataset, columns);
}

db::Dataset *DBGrid::dataset() const { return m_model->dataset(); }

void DBGrid::setDataset(db::Dataset *dataset, const ColumnLayout &columns)
{
    disconnect(m_cursorConnection);
    m_model->setDataset(dataset);
    if (dataset)
        m_cursorConnection = connect(dataset, &db::Dataset::currentChanged, this, [this] {
            if (!m_moving)
                followCursor();
        });
    setColumns(columns);
}

void DBGrid::setColumns(const ColumnLayout &columns)
{
    m_model->setColumns(columns);
    applyLayout();
    // A new layout brings its own order: its initial sort, else the dataset's order.
    int sortColumn = -1;
    Qt::SortOrder order = Qt::AscendingOrder;
    for (int c = 0; c < columns.size() && sortColumn < 0; ++c) {
        if (columns[c].initialSort != Sort::None) {
            sortColumn = c;
            order = columns[c].initialSort == Sort::Ascending ? Qt::AscendingOrder : Qt::DescendingOrder;
        }
    }
    sortByColumn(sortColumn, order);
    followCursor();
}

void DBGrid::applyLayout()
{
    const ColumnLayout &columns = m_model->columns();
    for (int c = 0; c < columns.size(); ++c) {
        setColumnHidden(c, !columns[c].visible);
        const QString caption = m_model->headerData(c, Qt::Horizontal).toString();
        setColumnWidth(c, columns[c].width > 0 ? columns[c].width
                                               : std::max(fontMetrics().horizontalAdvance(caption) + 28, 64));
    }
    m_laidOutColumns = int(columns.size());
}

void DBGrid::modelWasReset()
{
    // Widths and hidden columns survive a reset unless the columns themselves changed.
    if (m_model->columnCount() != m_laidOutColumns)
        applyLayout();
    followCursor();
}

int DBGrid::datasetRow(const QModelIndex &index) const
{
    if (!index.isValid())
        return -1;
    return m_proxy->mapToSource(index.model() == m_proxy ? index : m_proxy->index(index.row(), index.column())).row();
}

int DBGrid::datasetRowAt(const QPoint &viewportPos) const { return datasetRow(indexAt(viewportPos)); }

QModelIndex DBGrid::viewIndex(int datasetRow, int column) const
{
    if (datasetRow < 0 || datasetRow >= m_model->rowCount() || column < 0 || column >= m_model->columnCount())
        return QModelIndex();
    return m_proxy->mapFromSource(m_model->index(datasetRow, column));
}

QVariant DBGrid::cellValue(int datasetRow, int column) const { return m_model->value(datasetRow, column); }

QString DBGrid::cellText(int datasetRow, int column) const { return m_model->text(datasetRow, column); }

void DBGrid::setEditable(bool on)
{
    m_model->setEditable(on);
    setEditTriggers(on ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked
                       : QAbstractItemView::NoEditTriggers);
}

bool DBGrid::isEditable() const { return m_model->isEditable(); }

void DBGrid::setRowIndicator(bool on)
{
    m_model->setRowIndicator(on);
    verticalHeader()->setVisible(on);
    if (on)
        verticalHeader()->setFixedWidth(fontMetrics().horizontalAdvance(u"＊"_s) + 10);
}

void DBGrid::followCursor()
{
    db::Dataset *ds = dataset();
    if (!ds || !ds->isActive() || m_model->rowCount() == 0)
        return;
    int column = currentIndex().isValid() ? currentIndex().column() : 0;
    while (column < m_model->columnCount() - 1 && isColumnHidden(column))
        ++column;
    const QModelIndex target = viewIndex(ds->recNo(), column);
    m_following = true;
    if (target.isValid() && target != currentIndex()) {
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(target);
    }
    m_following = false;
    if (verticalHeader()->isVisible())
        verticalHeader()->viewport()->update();
}

void DBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    db::Dataset *ds = dataset();
    if (m_following || !current.isValid() || !ds || !ds->isActive())
        return;
    const int row = datasetRow(current);
    if (row < 0 || row == ds->recNo())
        return;
    m_moving = true;
    run([&] { ds->moveTo(row); });
    m_moving = false;
    // Where the cursor did not get to (a refused post) or rows moved, show where it is.
    QTimer::singleShot(0, this, &DBGrid::followCursor);
    if (verticalHeader()->isVisible())
        verticalHeader()->viewport()->update();
}

bool DBGrid::run(const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const std::exception &e) {
        sys::error(QString::fromUtf8(e.what()));
        return false;
    }
}

void DBGrid::keyPressEvent(QKeyEvent *event)
{
    db::Dataset *ds = dataset();
    if (ds && ds->isActive() && state() != QAbstractItemView::EditingState) {
        const bool ctrl = event->modifiers() & Qt::ControlModifier;
        if (m_allowDelete && ctrl && event->key() == Qt::Key_Delete) {
            if (!ds->isEmpty() && sys::confirm(u"真的要删除该记录吗？"_s))
                run([ds] { ds->remove(); });
            return;
        }
        if (m_allowInsert && event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
            run([ds] { ds->insert(); });
            return;
        }
        if (m_allowInsert && event->key() == Qt::Key_Down && event->modifiers() == Qt::NoModifier
            && currentIndex().row() == m_proxy->rowCount() - 1 && ds->state() != db::State::Insert) {
            run([ds] { ds->append(); });
            return;
        }
        if (event->key() == Qt::Key_Escape && ds->isEditing()) {
            run([ds] { ds->cancel(); });
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

} // namespace widgets
