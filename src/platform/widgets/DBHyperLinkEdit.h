#pragma once
#include "platform/widgets/DBEdit.h"

#include <QTimer>

namespace widgets {

// A line edit that shows its text as a link (e-mail address, web page). A single click emits
// linkClicked, a double click linkDoubleClicked only (the single click waits for the double-click
// interval); both carry the box's text, also when it is empty. The window decides what to open.
class DBHyperLinkEdit : public DBEdit
{
    Q_OBJECT
public:
    explicit DBHyperLinkEdit(QWidget *parent = nullptr);
    DBHyperLinkEdit(db::Dataset *dataset, const QString &fieldName, QWidget *parent = nullptr);

signals:
    void linkClicked(const QString &text);
    void linkDoubleClicked(const QString &text);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void updateLook();

    QTimer m_singleClick;
    QPoint m_pressPos;
    bool m_pressed = false;
    bool m_afterDoubleClick = false;
};

} // namespace widgets
