#pragma once
#include <QStyledItemDelegate>

namespace widgets {

class DatasetModel;

// Cell editors and painting of DBGrid: in-place editors that keep the field's rules (width in GBK
// bytes, dates that may be empty, calculator numbers, pick lists) and button cells.
class GridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    GridDelegate(DatasetModel *model, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

signals:
    void buttonClicked(const QModelIndex &index);

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

private:
    DatasetModel *m_model;
};

} // namespace widgets
