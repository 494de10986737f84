#include "shell/TMainOrvane.h"

#include "shell/AnalysisLink.h"
#include "shell/AttachmentFiles.h"
#include "shell/AttachmentPanel.h"
#include "shell/CommandSet.h"
#include "shell/PageControl.h"
#include "shell/ProgramState.h"
#include "shell/ShellIcons.h"
#include "shell/ShellLinks.h"
#include "shell/ShellResources.h"
#include "shell/TAboutBox.h"
#include "shell/WindowPlacement.h"

#include "platform/system/Services.h"
#include "platform/widgets/DBLookupCombo.h"
#include "store/DMOrvane.h"
#include "store/General.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScopeGuard>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace shell {

TMainOrvane *MainOrvane = nullptr;

namespace {

using icons::Glyph;

struct PageDef {
    QString page;
    QString caption;
    QString panel;
};

const QList<PageDef> &pageDefs()
{
    static const QList<PageDef> defs{
        {u"dxTSCust"_s, u"客户信息"_s, u"pnCust"_s},
        {u"dxTSOperate"_s, u"业务信息"_s, u"pnOperate"_s},
        {u"dxTSCustList"_s, u"我的客户列表"_s, u"pnCustList"_s},
        {u"dxTSOperateList"_s, u"我的业务列表"_s, u"pnOperateList"_s},
        {u"dxTSValue"_s, u"总客户价值分析"_s, u"pnValue"_s},
        {u"dxTSCRM"_s, u"总客户关系分析"_s, u"pnCRM"_s},
        {u"dxTSFinancial"_s, u"总财务分析"_s, u"pnFinancial"_s},
        {u"dxTSFinancialC"_s, u"自定义财务分析"_s, u"pnFinancialC"_s},
        {u"dxTSCurCustDetail"_s, u"当前客户收支明细分析"_s, u"pnCurCustDetail"_s},
        {u"dxTSCurCustValue"_s, u"当前客户价值分析"_s, u"pnCurCustCRM"_s},
    };
    return defs;
}

// The pages whose tabs showing a page hides.
QStringList pagesHiddenBy(const QString &page)
{
    static const QStringList standAlone{u"dxTSCust"_s, u"dxTSCustList"_s, u"dxTSOperateList"_s};
    static const QStringList overall{u"dxTSValue"_s, u"dxTSCRM"_s, u"dxTSFinancial"_s, u"dxTSFinancialC"_s};
    static const QStringList current{u"dxTSCurCustDetail"_s, u"dxTSCurCustValue"_s};
    if (standAlone.contains(page)) {
        QStringList all = TMainOrvane::pageNames();
        all.removeOne(page);
        return all;
    }
    if (overall.contains(page))
        return {u"dxTSCust"_s, u"dxTSOperate"_s, u"dxTSCustList"_s, u"dxTSOperateList"_s, u"dxTSCurCustDetail"_s,
                u"dxTSCurCustValue"_s};
    if (current.contains(page))
        return {u"dxTSCustList"_s, u"dxTSOperateList"_s, u"dxTSValue"_s, u"dxTSCRM"_s, u"dxTSFinancial"_s,
                u"dxTSFinancialC"_s};
    return {};
}

// A page's panel: shows a faint program mark while no window has been embedded in it.
class PagePanel : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        for (const QObject *child : children())
            if (child->isWidgetType() && static_cast<const QWidget *>(child)->isVisible())
                return;
        QPainter p(this);
        p.setOpacity(0.08);
        const QPixmap mark = icons::programPixmap(128);
        p.drawPixmap(rect().center() - QPoint(64, 64), mark);
    }
};

QLabel *heading(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setProperty("role", u"heading"_s);
    return label;
}

} // namespace

TMainOrvane::TMainOrvane(const QString &programFolder, QWidget *parent)
    : QMainWindow(parent), m_commands(new CommandSet(this))
{
    ensureResources();
    setObjectName(u"MainOrvane"_s);
    setWindowTitle(u"Kelvor企业客户管理软件 V1.4"_s);
    setWindowIcon(icons::program());
    resize(886, 655);

    buildPages();
    buildRightColumn();

    FlatSplitter1 = new QSplitter(Qt::Horizontal, this);
    FlatSplitter1->setObjectName(u"FlatSplitter1"_s);
    FlatSplitter1->setHandleWidth(5);
    FlatSplitter1->setChildrenCollapsible(false);
    FlatSplitter1->addWidget(dxPCMain);
    FlatSplitter1->addWidget(pnRight);
    FlatSplitter1->setStretchFactor(0, 1);
    FlatSplitter1->setStretchFactor(1, 0);
    FlatSplitter1->setSizes({886 - 120 - FlatSplitter1->handleWidth(), 120});
    connect(FlatSplitter1, &QSplitter::splitterMoved, this, [this] {
        if (pnRight->width() < 120) {
            const int total = FlatSplitter1->sizes().value(0) + FlatSplitter1->sizes().value(1);
            FlatSplitter1->setSizes({total - 120, 120});
        }
    });

    auto *central = new QWidget(this);
    auto *centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(4, 4, 4, 2);
    centralLayout->addWidget(FlatSplitter1);
    setCentralWidget(central);

    defineBuiltIns();
    buildMenus();
    buildToolbar();
    buildStatusBar();

    setStyleSheet(uR"(
        QFrame#pnRight { background: #F3F6FA; border: 1px solid #C9D3DF; }
        QLabel[role="heading"] { color: white; font-weight: bold; padding: 4px 6px;
            background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3C7FCF, stop:1 #2460AC); }
        QLabel[role="group"] { color: #2B3A4D; font-weight: bold; padding: 5px 6px 1px 6px; }
        QFrame#pnRight QLabel[role="link"] { color: #1F5FAF; }
        QFrame#pnRight QLabel[role="link"]:disabled { color: #9AA6B4; }
        QStatusBar QLabel { color: #4A5868; padding: 0 8px; border-right: 1px solid #C9D3DF; }
    )"_s);

    initProgramState(programFolder);
    ptshlAccessory->setFolder(crm::AccessoryRoot);
}

TMainOrvane::~TMainOrvane()
{
    // The data module outlives the window: leave it no hooks into a deleted window.
    if (m_dm) {
        m_dm->hooks.pointAttachmentPanel = nullptr;
        m_dm->hooks.attachmentPanelPath = nullptr;
        m_dm->hooks.setMainCaption = nullptr;
    }
    if (MainOrvane == this)
        MainOrvane = nullptr;
}

// --- construction ------------------------------------------------------------------------

QStringList TMainOrvane::pageNames()
{
    QStringList names;
    for (const PageDef &def : pageDefs())
        names << def.page;
    return names;
}

void TMainOrvane::buildPages()
{
    dxPCMain = new PageControl(this);
    dxPCMain->setObjectName(u"TdxPCMain"_s);
    for (const PageDef &def : pageDefs()) {
        auto *page = new QWidget(dxPCMain);
        page->setObjectName(def.page);
        auto *layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        auto *panel = new PagePanel(page);
        panel->setObjectName(def.panel);
        auto *panelLayout = new QVBoxLayout(panel);
        panelLayout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(panel, 1);
        dxPCMain->addPage(page, def.caption);
    }

    // The business-list page carries the maker's mark, a link to the home page.
    imgHomePage = new QLabel(this);
    imgHomePage->setObjectName(u"imgHomePage"_s);
    imgHomePage->setPixmap(icons::wordMark(18));
    imgHomePage->setToolTip(u"访问 Kelvor 主页"_s);
    imgHomePage->setCursor(Qt::PointingHandCursor);
    imgHomePage->installEventFilter(this);
    auto *strip = new QHBoxLayout;
    strip->setContentsMargins(4, 2, 6, 2);
    strip->addStretch(1);
    strip->addWidget(imgHomePage);
    static_cast<QVBoxLayout *>(dxPCMain->page(dxPCMain->indexOf(u"dxTSOperateList"_s))->layout())->addLayout(strip);

    connect(dxPCMain, &PageControl::activePageChanged, this, &TMainOrvane::pageActivated);
}

QAction *TMainOrvane::commandAction(const QString &key, const QString &name, const QString &caption, int glyph)
{
    auto *action = new QAction(caption.isEmpty() ? key : caption, this);
    action->setObjectName(name);
    if (glyph >= 0)
        action->setIcon(icons::tile(Glyph(glyph)));
    m_commands->attach(key, action);
    return action;
}

void TMainOrvane::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(u"dxBarManager1"_s);
    const auto menu = [bar](const QString &name, const QString &title) {
        QMenu *m = bar->addMenu(title);
        m->setObjectName(name);
        return m;
    };
    const auto item = [this](QMenu *m, const QString &key, const QString &name, int glyph = -1,
                             const QKeySequence &shortcut = {}) {
        QAction *a = commandAction(key, name, key, glyph);
        a->setShortcut(shortcut);
        m->addAction(a);
        return a;
    };

    QMenu *file = menu(u"dxBarSubItemFile"_s, u"文件(&F)"_s);
    item(file, u"新建客户"_s, u"dxBarButtonNewCust"_s, int(Glyph::NewCustomer));
    item(file, u"查找"_s, u"dxBarButtonFind"_s, int(Glyph::Find));
    item(file, u"冲突查询"_s, u"dxBarButton7"_s);
    item(file, u"关闭"_s, u"dxBarButtonClose"_s, int(Glyph::Close));
    file->addSeparator();
    item(file, u"打印"_s, u"dxBarButtonPrint"_s, int(Glyph::Print));
    item(file, u"信封套打"_s, u"dxBarButton2"_s, int(Glyph::Envelope));
    file->addSeparator();
    item(file, u"退出"_s, u"dxBarButtonExit"_s, int(Glyph::Exit), QKeySequence(Qt::ALT | Qt::Key_X));

    QMenu *accessory = menu(u"dxBarSubItemAccessory"_s, u"附件(&A)"_s);
    item(accessory, u"新建附件"_s, u"dxBarButtonNewAccessory"_s, int(Glyph::NewFile));
    item(accessory, u"获取附件"_s, u"dxBarButtonMoveTo"_s, int(Glyph::GetFile));
    item(accessory, u"整理附件夹"_s, u"dxBarButtonManageAccessory"_s, int(Glyph::ManageFolder));

    QMenu *analysis = menu(u"dxBarSubItemAnalysis"_s, u"分析(&N)"_s);
    item(analysis, u"当前客户收支明细分析"_s, u"dxBarButtonCurCustDetail"_s, int(Glyph::Chart));
    item(analysis, u"当前客户客户价值分析"_s, u"dxBarButtonCurCustValue"_s);
    analysis->addSeparator();
    item(analysis, u"总客户价值分析"_s, u"dxBarButtonAllValue"_s);
    item(analysis, u"总客户关系分析"_s, u"dxBarButtonAllCRM"_s);
    item(analysis, u"总财务分析"_s, u"dxBarButtonAllFinanical"_s);
    item(analysis, u"自定义财务分析"_s, u"dxBarButtonFinanicalC"_s);

    QMenu *settings = menu(u"dxBarSubItemSettings"_s, u"设置(&O)"_s);
    item(settings, u"客户级别设置"_s, u"dxBarButtonCustLevel"_s, int(Glyph::Settings));
    item(settings, u"客户区域设置"_s, u"dxclientdistrictBarButton"_s);
    item(settings, u"客户类型设置"_s, u"dxBarButton3"_s);
    item(settings, u"行业类型设置"_s, u"dxBarButton5"_s);
    item(settings, u"业务来源设置"_s, u"dxBarButtonBussOrign"_s);
    item(settings, u"业务类型设置"_s, u"dxBarButtonBussType"_s);
    item(settings, u"业务进展设置"_s, u"dxBarButton4"_s);
    item(settings, u"汇率设置"_s, u"dxBarButtonRateSet"_s);
    item(settings, u"自定义设置"_s, u"dxBarButton6"_s);
    settings->addSeparator();
    item(settings, u"密码设置"_s, u"dxBarButtonPwd"_s, int(Glyph::Key));
    settings->addSeparator();
    item(settings, u"数据备份"_s, u"dxBarButtonBackupData"_s, int(Glyph::Backup));
    item(settings, u"数据恢复"_s, u"dxBarButtonRestoreData"_s, int(Glyph::Restore));

    QMenu *help = menu(u"dxBarSubItemHelp"_s, u"帮助(&H)"_s);
    item(help, u"目录与索引"_s, u"dxBarButtonHelp"_s, int(Glyph::Help), QKeySequence(Qt::CTRL | Qt::Key_H));
    help->addSeparator();
    item(help, u"公司简介"_s, u"dxBarButtonAboutKelvor"_s, int(Glyph::Web));
    item(help, u"律师在线"_s, u"dxBarButtonLawyersNet"_s);
    item(help, u"发送反馈意见"_s, u"dxBarButtonContact"_s, int(Glyph::Mail));
    help->addSeparator();
    item(help, u"关于本软件"_s, u"dxBarButtonAboutMe"_s, int(Glyph::About), QKeySequence(Qt::CTRL | Qt::Key_A));
}

void TMainOrvane::buildToolbar()
{
    QToolBar *bar = addToolBar(u"工具栏"_s);
    bar->setObjectName(u"dxBarLargeToolbar"_s);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(32, 32));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const auto button = [this, bar](const QString &key, const QString &name, Glyph glyph) {
        bar->addAction(commandAction(key, name, key, int(glyph)));
    };
    button(u"新建客户"_s, u"dxBarLargeButtonNewCust"_s, Glyph::NewCustomer);
    button(u"客户列表"_s, u"dxBarLargeButtonCustList"_s, Glyph::CustomerList);
    button(u"业务列表"_s, u"dxBarLargeButtonOperList"_s, Glyph::OperateList);
    bar->addSeparator();
    button(u"打印"_s, u"dxBarLargeButtonPrintL"_s, Glyph::Print);
    button(u"查找"_s, u"dxBarLargeButtonFind"_s, Glyph::Find);
    button(u"整理附件夹"_s, u"dxBarLargeButtonManAceeL"_s, Glyph::ManageFolder);
    bar->addSeparator();
    button(u"闹钟"_s, u"dxBarLargeButtonClockL"_s, Glyph::Alarm);
    button(u"通讯录"_s, u"dxBarLargeButtonTXL"_s, Glyph::AddressBook);
    button(u"法律咨询"_s, u"dxBarLargeButtonCaseL"_s, Glyph::LegalAdvice);
    button(u"信封邮件输出"_s, u"dxBarLargeButton1"_s, Glyph::Envelope);

    auto *spacer = new QWidget(bar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spacer);
    // The maker's mark closes the bar; a click visits the home page.
    auto *logo = new QLabel(bar);
    logo->setObjectName(u"dxBarLargeButtonLogo"_s);
    logo->setPixmap(icons::wordMark(30));
    logo->setToolTip(u"访问 Kelvor 主页"_s);
    logo->setCursor(Qt::PointingHandCursor);
    logo->setContentsMargins(6, 0, 10, 0);
    logo->installEventFilter(this);
    bar->addWidget(logo);
}

AnalysisLink *TMainOrvane::link(const QString &labelName, const QString &caption, const QString &key)
{
    auto *action = new QAction(key, this);
    m_commands->attach(key, action);
    auto *l = new AnalysisLink(labelName, caption, action, pnRight);
    l->label()->setProperty("role", u"link"_s);
    connect(l, &AnalysisLink::hovered, this, [this](AnalysisLink *hovered) {
        for (AnalysisLink *other : std::as_const(m_links))
            if (other != hovered)
                other->setUnderlined(false);
    });
    m_links << l;
    return l;
}

void TMainOrvane::buildRightColumn()
{
    pnRight = new QFrame(this);
    pnRight->setObjectName(u"pnRight"_s);
    pnRight->setMinimumWidth(120);
    auto *layout = new QVBoxLayout(pnRight);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);

    layout->addWidget(heading(u"分析报表"_s, pnRight));
    const auto group = [this, layout](const QString &title) {
        auto *g = new QLabel(title, pnRight);
        g->setProperty("role", u"group"_s);
        layout->addWidget(g);
    };
    group(u"当前客户分析"_s);
    layout->addWidget(link(u"lblDetail"_s, u"收支明细分析"_s, u"当前客户收支明细分析"_s));
    layout->addWidget(link(u"lblCValue"_s, u"客户价值分析"_s, u"当前客户客户价值分析"_s));
    group(u"全部客户分析"_s);
    layout->addWidget(link(u"lblAllCValue"_s, u"总客户价值分析"_s, u"总客户价值分析"_s));
    layout->addWidget(link(u"lblAllCRM"_s, u"总客户关系分析"_s, u"总客户关系分析"_s));
    layout->addWidget(link(u"lblAllAcount"_s, u"总财务分析"_s, u"总财务分析"_s));
    layout->addWidget(link(u"lblUserAcount"_s, u"自定义财务分析"_s, u"自定义财务分析"_s));
    layout->addSpacing(10);

    layout->addWidget(heading(u"业务附件夹"_s, pnRight));
    // Five small buttons side by side: the column is only 120 pixels wide.
    auto *tools = new QWidget(pnRight);
    tools->setObjectName(u"tbAccessory"_s);
    auto *toolsLayout = new QHBoxLayout(tools);
    toolsLayout->setContentsMargins(2, 2, 2, 2);
    toolsLayout->setSpacing(0);
    const auto tool = [this, tools, toolsLayout](const QString &key, const QString &name, const QString &caption,
                                                 Glyph glyph) {
        QAction *a = commandAction(key, name, caption);
        a->setIcon(icons::plain(glyph));
        a->setToolTip(caption);
        auto *button = new QToolButton(tools);
        button->setDefaultAction(a);
        button->setAutoRaise(true);
        button->setIconSize(QSize(16, 16));
        button->setFixedSize(22, 22);
        toolsLayout->addWidget(button);
    };
    tool(u"获取附件"_s, u"ToolButtonGetFile"_s, u"获取文件"_s, Glyph::GetFile);
    tool(u"新建附件"_s, u"ToolButtonNew"_s, u"新建"_s, Glyph::NewFile);
    tool(u"还原"_s, u"ToolButtonCurrentDir"_s, u"还原"_s, Glyph::HomeFolder);
    tool(u"向上"_s, u"ToolButtonUp"_s, u"向上"_s, Glyph::Up);
    tool(u"邮件"_s, u"ToolButtonMail"_s, u"邮件"_s, Glyph::Mail);
    toolsLayout->addStretch(1);
    layout->addWidget(tools);

    dxLKEdtAddress = new widgets::DBLookupCombo(pnRight);
    dxLKEdtAddress->setObjectName(u"dxLKEdtAddress"_s);
    dxLKEdtAddress->setToolTip(u"选择收件人，即用系统的邮件程序给他写信"_s);
    dxLKEdtAddress->setPlaceholderText(u"选择收件人"_s);
    dxLKEdtAddress->hide();
    dxLKEdtAddress->installEventFilter(this);
    connect(dxLKEdtAddress, &QComboBox::activated, this, &TMainOrvane::addressChosen);
    layout->addWidget(dxLKEdtAddress);

    ptshlAccessory = new AttachmentPanel(pnRight);
    ptshlAccessory->setObjectName(u"ptshlAccessory"_s);
    layout->addWidget(ptshlAccessory, 1);
    pnRight->installEventFilter(this);
}

void TMainOrvane::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(u"StatusBar1"_s);
    const QStringList texts{links::makerCredit(), links::supportCredit(), QString(), QString()};
    const int stretch[] = {0, 0, 1, 0};
    for (int i = 0; i < texts.size(); ++i) {
        auto *panel = new QLabel(texts[i], bar);
        panel->setObjectName(u"StatusBar1Panel%1"_s.arg(i));
        panel->setMinimumWidth(i == 3 ? 120 : 60);
        bar->addWidget(panel, stretch[i]);
    }
}

void TMainOrvane::defineBuiltIns()
{
    const auto builtIn = [this](const QString &key, std::function<void()> part) {
        m_commands->setBuiltIn(key, std::move(part));
    };
    const auto web = [](const QString &address) { return [address] { sys::openWebPage(address); }; };
    builtIn(u"关闭"_s, [this] { dxBarButtonCloseClick(); });
    builtIn(u"退出"_s, [this] { close(); });
    builtIn(u"新建附件"_s, [this] { ToolButtonNewClick(); });
    builtIn(u"还原"_s, [this] { ToolButtonCurrentDirClick(); });
    builtIn(u"向上"_s, [this] { ToolButtonUpClick(); });
    builtIn(u"邮件"_s, [this] { ToolButtonMailClick(); });
    builtIn(u"业务列表"_s, [this] { dxBarLargeButtonOperListClick(); });
    builtIn(u"目录与索引"_s, [] { sys::openPath(crm::AppPath + links::helpFileName()); });
    builtIn(u"公司简介"_s, web(links::homePage()));
    builtIn(u"律师在线"_s, web(links::homePage()));
    builtIn(u"发送反馈意见"_s, web(links::contactPage()));
    builtIn(u"法律咨询"_s, web(links::legalAdvicePage()));
    builtIn(u"关于本软件"_s, [this] {
        TAboutBox box(this);
        box.exec();
    });
}

// --- plug-in points ----------------------------------------------------------------------

bool TMainOrvane::embed(const QString &pageName, QWidget *panel)
{
    QWidget *target = pagePanel(pageName);
    if (!target || !panel)
        return false;
    m_embedded.insert(pageName, panel);
    if (panel->parentWidget() != target) {
        panel->setParent(target);
        target->layout()->addWidget(panel);
    }
    panel->move(0, 0);
    panel->show();
    return true;
}

void TMainOrvane::embedPanels()
{
    for (auto it = m_embedded.cbegin(); it != m_embedded.cend(); ++it)
        if (it.value())
            embed(it.key(), it.value());
}

bool TMainOrvane::setCommand(const QString &key, std::function<void()> handler)
{
    return m_commands->setHandler(key, std::move(handler));
}

bool TMainOrvane::runCommand(const QString &key) { return m_commands->run(key); }

bool TMainOrvane::isCommandEnabled(const QString &key) const { return m_commands->isEnabled(key); }

QStringList TMainOrvane::commandKeys() const { return m_commands->keys(); }

QList<QAction *> TMainOrvane::commandActions(const QString &key) const { return m_commands->actions(key); }

// --- pages -------------------------------------------------------------------------------

void TMainOrvane::showPage(const QString &pageName)
{
    const int index = dxPCMain->indexOf(pageName);
    if (index < 0)
        return;
    for (const QString &other : pagesHiddenBy(pageName))
        dxPCMain->setTabVisible(dxPCMain->indexOf(other), false);
    dxPCMain->setTabVisible(index, true);
    dxPCMain->setActiveIndex(index);
}

QString TMainOrvane::activePageName() const { return dxPCMain->activePageName(); }

bool TMainOrvane::isTabVisible(const QString &pageName) const
{
    const int index = dxPCMain->indexOf(pageName);
    return index >= 0 && dxPCMain->isTabVisible(index);
}

void TMainOrvane::setTabVisible(const QString &pageName, bool visible)
{
    dxPCMain->setTabVisible(dxPCMain->indexOf(pageName), visible);
}

QStringList TMainOrvane::visibleTabs() const { return dxPCMain->visibleTabs(); }

QString TMainOrvane::pageCaption(const QString &pageName) const
{
    return dxPCMain->tabText(dxPCMain->indexOf(pageName));
}

void TMainOrvane::setPageCaption(const QString &pageName, const QString &caption)
{
    const int index = dxPCMain->indexOf(pageName);
    if (index >= 0)
        dxPCMain->setTabText(index, caption);
}

QWidget *TMainOrvane::pagePanel(const QString &pageName) const
{
    for (const PageDef &def : pageDefs())
        if (def.page == pageName)
            return dxPCMain->findChild<QWidget *>(def.panel);
    return nullptr;
}

// --- data module -------------------------------------------------------------------------

void TMainOrvane::attachDataModule(store::TDMOrvane *dm)
{
    m_dm = dm;
    if (!dm)
        return;
    dm->hooks.pointAttachmentPanel = [this](const QString &folder) { return ptshlAccessory->setFolder(folder); };
    dm->hooks.attachmentPanelPath = [this] { return ptshlAccessory->folderPath(); };
    dm->hooks.setMainCaption = [this](const QString &caption) { setWindowTitle(caption); };
    dxLKEdtAddress->setListSource(dm->QryMail, u"LinkmanNO"_s, QStringList{u"Email"_s, u"Name"_s});
}

void TMainOrvane::placeOnScreen()
{
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s)
        move(mainWindowPosition(s->geometry(), frameGeometry().size()));
}

// --- commands ----------------------------------------------------------------------------

void TMainOrvane::dxBarButtonCloseClick()
{
    if (dxPCMain->activeIndex() >= 0)
        dxPCMain->setTabVisible(dxPCMain->activeIndex(), false);
}

void TMainOrvane::dxBarLargeButtonOperListClick()
{
    embedPanels();
    showPage(u"dxTSOperateList"_s);
}

void TMainOrvane::ToolButtonNewClick()
{
    // The list follows no disk changes meanwhile: the new entry is found and opened here.
    ptshlAccessory->setChangeHandling(false);
    m_newAccessoryPending = true;
    const auto restore = qScopeGuard([this] {
        m_newAccessoryPending = false;
        ptshlAccessory->setChangeHandling(true);
    });
    NewAccessoryFile = createNewAttachment(ptshlAccessory->folderPath(), NewAccessoryCounter);
    ptshlAccessory->refresh();
    ptshlAccessory->setFocus();
    ptshlAccessory->editEntry(QFileInfo(NewAccessoryFile).fileName());
}

void TMainOrvane::ToolButtonCurrentDirClick()
{
    const auto folder = recordFolder(activePageName(), m_dm ? m_dm->tlbCust : nullptr, m_dm ? m_dm->tlbOperates : nullptr);
    if (!folder)
        return;
    if (m_dm) {
        m_dm->syncAttachmentPanel(*folder);
    } else {
        ptshlAccessory->setFolder(*folder);
        setWindowTitle(store::TDMOrvane::attachmentTitle(ptshlAccessory->folderPath()));
    }
}

void TMainOrvane::ToolButtonUpClick() { ptshlAccessory->setFolder(parentFolder(ptshlAccessory->folderPath())); }

void TMainOrvane::ToolButtonMailClick()
{
    dxLKEdtAddress->show();
    if (m_dm) {
        // Read afresh: addresses typed since the last use are offered too.
        if (m_dm->QryMail->isActive())
            m_dm->QryMail->refresh();
        else
            m_dm->QryMail->open();
    }
    dxLKEdtAddress->setKeyValue(QVariant());
    dxLKEdtAddress->setFocus(Qt::OtherFocusReason);
    if (isVisible())
        dxLKEdtAddress->showPopup();
}

void TMainOrvane::addressChosen(int row)
{
    Q_UNUSED(row);
    const QString address = dxLKEdtAddress->listValue(u"Email"_s).toString();
    if (address.isEmpty())
        return;
    sys::mailTo(address);
    dxLKEdtAddress->hide();
}

// --- events ------------------------------------------------------------------------------

bool TMainOrvane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == dxLKEdtAddress && event->type() == QEvent::FocusOut) {
        // Leaving the box hides it; its own drop-down taking the focus is no leaving.
        const QWidget *now = QApplication::focusWidget();
        const QWidget *popup = dxLKEdtAddress->view()->window();
        const bool toOwnList = popup->isVisible() || (now && (now == popup || popup->isAncestorOf(now)));
        if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason && !toOwnList)
            dxLKEdtAddress->hide();
    } else if (watched == pnRight && event->type() == QEvent::Enter) {
        for (AnalysisLink *l : std::as_const(m_links))
            l->setUnderlined(false);
    } else if ((watched == imgHomePage || watched->objectName() == u"dxBarLargeButtonLogo"_s)
               && event->type() == QEvent::MouseButtonRelease) {
        runCommand(u"公司简介"_s);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainOrvane::closeEvent(QCloseEvent *event)
{
    emit closing();
    event->accept();
}

} // namespace shell
