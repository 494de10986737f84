#pragma once
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;

namespace store { class TDMOrvane; }
namespace widgets { class DBLookupCombo; }

namespace shell {

class AnalysisLink;
class AttachmentPanel;
class CommandSet;
class PageControl;

// Orvane's main window: menus, large toolbar, the ten pages that receive the panels of the
// embedded windows, the analysis links and the attachment panel on the right, the status bar.
//
// Windows of the subsystems plug in through:
//   embed(page, panel)       their content panel goes into a page ("dxTSCust", "dxTSOperate",
//                            "dxTSCustList", "dxTSOperateList", "dxTSValue", "dxTSCRM",
//                            "dxTSFinancial", "dxTSFinancialC", "dxTSCurCustDetail",
//                            "dxTSCurCustValue");
//   setCommand(key, handler) connects every menu item, toolbar button and link of a command.
//
// Command keys (the command's first caption). A command without a handler is disabled.
//   文件:   "新建客户" "查找" "冲突查询" "关闭"* "打印" "信封套打" "退出"*
//   附件:   "新建附件"* (also the panel's "新建") "获取附件" (also "获取文件") "整理附件夹"
//   分析:   "当前客户收支明细分析" "当前客户客户价值分析" "总客户价值分析" "总客户关系分析"
//           "总财务分析" "自定义财务分析" (each also run by its link on the right)
//   设置:   "客户级别设置" "客户区域设置" "客户类型设置" "行业类型设置" "业务来源设置"
//           "业务类型设置" "业务进展设置" "汇率设置" "自定义设置" "密码设置" "数据备份" "数据恢复"
//   帮助:   "目录与索引"* "公司简介"* "律师在线"* "发送反馈意见"* "关于本软件"*
//   工具栏: "客户列表" "业务列表"* "闹钟" "通讯录" "法律咨询"* "信封邮件输出"
//   附件夹: "还原"* "向上"* "邮件"*
// Commands marked * are built in. A handler set for a built-in command runs after the
// built-in part: for "业务列表" the built-in part embeds the panels and shows the business-list
// page as the only tab, and the handler refreshes the list and focuses its grid.
class TMainOrvane : public QMainWindow {
    Q_OBJECT
public:
    // Runs the creation step for the program folder: program-wide state, attachment root,
    // first-run date, user name; points the attachment panel at the attachment root.
    explicit TMainOrvane(const QString &programFolder, QWidget *parent = nullptr);
    ~TMainOrvane() override;

    // --- Plug-in points -------------------------------------------------------------------
    // Moves a window's content panel into a page (filling it) and remembers it, so the
    // "业务列表" command can put it back in place. False for an unknown page.
    bool embed(const QString &pageName, QWidget *panel);
    // Puts every embedded panel into its page and makes it visible.
    void embedPanels();
    // Sets (or, with an empty function, removes) the handler of a command; false for an
    // unknown key. Handlers run through sys::guarded: a failure shows the error box.
    bool setCommand(const QString &key, std::function<void()> handler);
    bool runCommand(const QString &key);
    bool isCommandEnabled(const QString &key) const;
    QStringList commandKeys() const;
    QList<QAction *> commandActions(const QString &key) const;

    // --- Pages ----------------------------------------------------------------------------
    // Shows a page by the show-page rules: the customer page and the two lists stand alone;
    // an overall analysis hides the record and list pages; a current-customer analysis hides
    // the lists and the overall analyses. Other pages are shown without hiding any.
    void showPage(const QString &pageName);
    QString activePageName() const; // empty when no tab is visible
    bool isTabVisible(const QString &pageName) const;
    void setTabVisible(const QString &pageName, bool visible);
    QStringList visibleTabs() const;
    QString pageCaption(const QString &pageName) const;
    void setPageCaption(const QString &pageName, const QString &caption);
    // The main-window panel of a page ("pnCust" of "dxTSCust" ...).
    QWidget *pagePanel(const QString &pageName) const;
    static QStringList pageNames();

    // --- Data module ----------------------------------------------------------------------
    // Fills the data module's hooks for the attachment panel and the caption.
    void attachDataModule(store::TDMOrvane *dm);

    // Moves the window where it belongs on its screen (see mainWindowPosition).
    void placeOnScreen();

    // Named parts.
    PageControl *dxPCMain;
    QFrame *pnRight;
    QSplitter *FlatSplitter1;
    AttachmentPanel *ptshlAccessory;
    widgets::DBLookupCombo *dxLKEdtAddress;
    QLabel *imgHomePage;

    // Window state of the new-attachment command.
    int NewAccessoryCounter = 0;
    QString NewAccessoryFile;

    // Command parts that live here.
    void dxBarButtonCloseClick();
    void ToolButtonNewClick();
    void ToolButtonCurrentDirClick();
    void ToolButtonUpClick();
    void ToolButtonMailClick();
    void dxBarLargeButtonOperListClick();

signals:
    void pageActivated(const QString &pageName);
    // The window is closing (it never refuses): embedded windows free what they hold.
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPages();
    void buildMenus();
    void buildToolbar();
    void buildRightColumn();
    void buildStatusBar();
    void defineBuiltIns();
    QAction *commandAction(const QString &key, const QString &name, const QString &caption, int glyph = -1);
    AnalysisLink *link(const QString &labelName, const QString &caption, const QString &key);
    void addressChosen(int row);

    CommandSet *m_commands;
    QHash<QString, QWidget *> m_embedded; // page name -> panel
    QList<AnalysisLink *> m_links;
    QPointer<store::TDMOrvane> m_dm;
    bool m_newAccessoryPending = false;
};

// The one main window of the run (set by the start sequence).
extern TMainOrvane *MainOrvane;

} // namespace shell
