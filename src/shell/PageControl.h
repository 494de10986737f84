#pragma once
#include <QWidget>

class QStackedWidget;
class QTabBar;

namespace shell {

// A page control whose tabs can be hidden one by one. When no tab is visible there is no
// active page and the pages area stays empty (a plain tab widget would keep showing the
// last page).
class PageControl : public QWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget *parent = nullptr);

    // The page carries its name as objectName.
    int addPage(QWidget *page, const QString &caption);
    int count() const;
    QWidget *page(int index) const;
    int indexOf(const QString &pageName) const; // -1 when there is no such page
    QString pageName(int index) const;

    bool isTabVisible(int index) const;
    void setTabVisible(int index, bool visible);
    QString tabText(int index) const;
    void setTabText(int index, const QString &text);
    QStringList visibleTabs() const;

    // Makes a page with a visible tab the active one.
    void setActiveIndex(int index);
    int activeIndex() const { return m_active; } // -1 when no tab is visible
    QString activePageName() const;

    QTabBar *tabBar() const { return m_bar; }

signals:
    void activePageChanged(const QString &pageName);

private:
    void sync();

    QTabBar *m_bar;
    QStackedWidget *m_stack;
    QWidget *m_empty;
    QList<QWidget *> m_pages;
    int m_active = -1;
};

} // namespace shell
