#pragma once
#include <QFrame>

class QAction;
class QLabel;

namespace shell {

// One analysis link of the main window's right-hand column: a label on its own small panel.
// Over the panel the cursor becomes a hand and the label is underlined; a click triggers the
// command's action. A disabled command shows a grey label that does nothing.
class AnalysisLink : public QFrame {
    Q_OBJECT
public:
    AnalysisLink(const QString &labelName, const QString &caption, QAction *action, QWidget *parent = nullptr);

    QLabel *label() const { return m_label; }
    bool isUnderlined() const;
    void setUnderlined(bool on);

signals:
    void hovered(AnalysisLink *link);

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void syncEnabled();

    QLabel *m_label;
    QAction *m_action;
};

} // namespace shell
