#include "platform/widgets/DatasetSortProxy.h"

#include "platform/widgets/DatasetModel.h"

namespace widgets {

DatasetSortProxy::DatasetSortProxy(DatasetModel *source, QObject *parent)
    : QSortFilterProxyModel(parent), m_source(source)
{
    setSourceModel(source);
    setDynamicSortFilter(true);
}

int DatasetSortProxy::datasetRow(int viewRow) const
{
    if (viewRow < 0 || viewRow >= rowCount())
        return -1;
    return mapToSource(index(viewRow, 0)).row();
}

int DatasetSortProxy::viewRow(int datasetRow) const
{
    if (datasetRow < 0 || datasetRow >= m_source->rowCount())
        return -1;
    return mapFromSource(m_source->index(datasetRow, 0)).row();
}

bool DatasetSortProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    return m_source->lessThan(left.row(), right.row(), left.column());
}

} // namespace widgets
