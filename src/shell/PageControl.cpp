#include "shell/PageControl.h"

#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace shell {

PageControl::PageControl(QWidget *parent)
    : QWidget(parent), m_bar(new QTabBar(this)), m_stack(new QStackedWidget(this)), m_empty(new QWidget(m_stack))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_bar->setDrawBase(true);
    m_bar->setExpanding(false);
    m_bar->setUsesScrollButtons(true);
    m_bar->setElideMode(Qt::ElideNone);
    layout->addWidget(m_bar);
    m_stack->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(m_stack, 1);
    m_stack->addWidget(m_empty);
    connect(m_bar, &QTabBar::currentChanged, this, [this] { sync(); });
}

int PageControl::addPage(QWidget *page, const QString &caption)
{
    m_pages << page;
    m_stack->addWidget(page);
    const int index = m_bar->addTab(caption);
    sync();
    return index;
}

int PageControl::count() const { return int(m_pages.size()); }

QWidget *PageControl::page(int index) const { return m_pages.value(index); }

int PageControl::indexOf(const QString &pageName) const
{
    for (int i = 0; i < m_pages.size(); ++i)
        if (m_pages[i]->objectName() == pageName)
            return i;
    return -1;
}

QString PageControl::pageName(int index) const
{
    const QWidget *p = page(index);
    return p ? p->objectName() : QString();
}

bool PageControl::isTabVisible(int index) const { return m_bar->isTabVisible(index); }

void PageControl::setTabVisible(int index, bool visible)
{
    if (index < 0 || index >= count())
        return;
    m_bar->setTabVisible(index, visible);
    // A tab shown while no page is active becomes the active one.
    if (visible && m_active < 0)
        m_bar->setCurrentIndex(index);
    sync();
}

QString PageControl::tabText(int index) const { return m_bar->tabText(index); }

void PageControl::setTabText(int index, const QString &text) { m_bar->setTabText(index, text); }

QStringList PageControl::visibleTabs() const
{
    QStringList names;
    for (int i = 0; i < count(); ++i)
        if (isTabVisible(i))
            names << pageName(i);
    return names;
}

void PageControl::setActiveIndex(int index)
{
    if (index < 0 || index >= count() || !isTabVisible(index))
        return;
    m_bar->setCurrentIndex(index);
    sync();
}

QString PageControl::activePageName() const { return pageName(m_active); }

void PageControl::sync()
{
    // The bar keeps a hidden tab current when no other tab is left to take over.
    const int current = m_bar->currentIndex();
    const int active = current >= 0 && m_bar->isTabVisible(current) ? current : -1;
    m_stack->setCurrentWidget(active < 0 ? m_empty : m_pages[active]);
    if (active == m_active)
        return;
    m_active = active;
    emit activePageChanged(activePageName());
}

} // namespace shell
