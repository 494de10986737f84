#pragma once
#include <QSortFilterProxyModel>

namespace widgets {

class DatasetModel;

// The sorted view of a DatasetModel: the grid sorts here, the dataset keeps its own order, and
// mapToSource(...).row() is the dataset's row. Compares stored values, not display texts.
class DatasetSortProxy : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit DatasetSortProxy(DatasetModel *source, QObject *parent = nullptr);

    DatasetModel *datasetModel() const { return m_source; }
    int datasetRow(int viewRow) const;
    int viewRow(int datasetRow) const;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
    bool filterAcceptsRow(int, const QModelIndex &) const override { return true; }

private:
    DatasetModel *m_source;
};

} // namespace widgets
