#pragma once
#include <QFrame>
#include <QList>

class QHBoxLayout;
class QLabel;
class QMimeData;

namespace customers {

// The group panel above a grouped grid's columns: a column header dropped here groups the rows
// by that column. One chip per grouped column, outermost first; a click on a chip flips the
// order of its groups, its "×" ends that grouping.
class GroupedGridPanel : public QFrame
{
    Q_OBJECT
public:
    struct Chip
    {
        int column = -1;
        QString caption;
        Qt::SortOrder order = Qt::AscendingOrder;
    };

    explicit GroupedGridPanel(QWidget *parent = nullptr);

    // What a dragged column header carries.
    static QString mimeType();
    static QMimeData *columnMimeData(int column);
    static int columnOf(const QMimeData *data); // -1 when it carries no column

    void setChips(const QList<Chip> &chips);
    QList<Chip> chips() const { return m_chips; }

signals:
    void columnDropped(int column, int position);
    void orderToggled(int column);
    void removeRequested(int column);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QWidget *makeChip(const Chip &chip);
    int dropPosition(const QPoint &pos) const;

    QHBoxLayout *m_layout;
    QLabel *m_hint;
    QList<Chip> m_chips;
    QList<QWidget *> m_chipWidgets; // chips and the arrows between them
    QList<QWidget *> m_chipFrames;  // the chips, in order
};

} // namespace customers
