#include "shell/AnalysisLink.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace shell {

AnalysisLink::AnalysisLink(const QString &labelName, const QString &caption, QAction *action, QWidget *parent)
    : QFrame(parent), m_label(new QLabel(caption, this)), m_action(action)
{
    setObjectName(QStringLiteral("pn") + labelName.mid(3));
    m_label->setObjectName(labelName);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 2, 4, 2);
    layout->addWidget(m_label);
    m_label->setToolTip(action->text());
    connect(action, &QAction::changed, this, &AnalysisLink::syncEnabled);
    syncEnabled();
}

bool AnalysisLink::isUnderlined() const { return m_label->font().underline(); }

void AnalysisLink::setUnderlined(bool on)
{
    QFont f = m_label->font();
    if (f.underline() == on)
        return;
    f.setUnderline(on);
    m_label->setFont(f);
}

void AnalysisLink::syncEnabled()
{
    setEnabled(m_action->isEnabled());
    setCursor(m_action->isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (!m_action->isEnabled())
        setUnderlined(false);
}

void AnalysisLink::enterEvent(QEnterEvent *event)
{
    QFrame::enterEvent(event);
    if (!isEnabled())
        return;
    setUnderlined(true);
    emit hovered(this);
}

void AnalysisLink::leaveEvent(QEvent *event)
{
    QFrame::leaveEvent(event);
    setUnderlined(false);
}

void AnalysisLink::mouseReleaseEvent(QMouseEvent *event)
{
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && m_action->isEnabled())
        m_action->trigger();
}

} // namespace shell
