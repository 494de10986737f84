// The main window: menus and commands, the show-page rules, the attachment panel and its
// toolbar, the e-mail drop-down, the right-hand column and placement.
#include "FakeServices.h"
#include "TempProgramFolder.h"

#include "shell/AnalysisLink.h"
#include "shell/AttachmentFiles.h"
#include "shell/AttachmentPanel.h"
#include "shell/FolderListModel.h"
#include "shell/PageControl.h"
#include "shell/TAboutBox.h"
#include "shell/TMainOrvane.h"
#include "shell/TSplashForm.h"
#include "shell/WindowPlacement.h"

#include "platform/widgets/DBLookupCombo.h"
#include "store/DMOrvane.h"
#include "store/General.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QString readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

// A menu as "caption[shortcut]" items with "---" for separators.
QStringList menuItems(const QMenu *menu)
{
    QStringList items;
    for (const QAction *a : menu->actions()) {
        if (a->isSeparator())
            items << u"---"_s;
        else
            items << a->text() + (a->shortcut().isEmpty() ? QString() : u"["_s + a->shortcut().toString() + u"]"_s);
    }
    return items;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<fake::Services> m_services;
    std::unique_ptr<testing::TempProgramFolder> m_folder;
    std::unique_ptr<store::TDMOrvane> m_dm;
    std::unique_ptr<shell::TMainOrvane> m_w;

    shell::TMainOrvane &w() { return *m_w; }
    QString root() const { return crm::AccessoryRoot; }
    QString panelFolder() { return w().ptshlAccessory->folderPath(); }
    static QString noSlash(QString path)
    {
        while (path.endsWith(u'/') && path.size() > 1)
            path.chop(1);
        return path;
    }
    void withDataModule()
    {
        m_dm = std::make_unique<store::TDMOrvane>();
        w().attachDataModule(m_dm.get());
    }

private slots:
    void init()
    {
        m_services = std::make_unique<fake::Services>();
        m_folder = std::make_unique<testing::TempProgramFolder>();
        m_w = std::make_unique<shell::TMainOrvane>(m_folder->appPath());
    }
    void cleanup()
    {
        m_w.reset();
        m_dm.reset();
        m_folder.reset();
        m_services.reset();
    }

    void menusAndToolbarInOrder()
    {
        QCOMPARE(w().windowTitle(), u"Kelvor企业客户管理软件 V1.4"_s);
        QCOMPARE(w().size(), QSize(886, 655));
        QStringList titles;
        for (const QAction *a : w().menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{u"文件(&F)"_s, u"附件(&A)"_s, u"分析(&N)"_s, u"设置(&O)"_s, u"帮助(&H)"_s}));

        const auto menu = [this](const QString &name) { return menuItems(w().findChild<QMenu *>(name)); };
        QCOMPARE(menu(u"dxBarSubItemFile"_s),
                 (QStringList{u"新建客户"_s, u"查找"_s, u"冲突查询"_s, u"关闭"_s, u"---"_s, u"打印"_s, u"信封套打"_s, u"---"_s,
                              u"退出[Alt+X]"_s}));
        QCOMPARE(menu(u"dxBarSubItemAccessory"_s), (QStringList{u"新建附件"_s, u"获取附件"_s, u"整理附件夹"_s}));
        QCOMPARE(menu(u"dxBarSubItemAnalysis"_s),
                 (QStringList{u"当前客户收支明细分析"_s, u"当前客户客户价值分析"_s, u"---"_s, u"总客户价值分析"_s,
                              u"总客户关系分析"_s, u"总财务分析"_s, u"自定义财务分析"_s}));
        QCOMPARE(menu(u"dxBarSubItemSettings"_s),
                 (QStringList{u"客户级别设置"_s, u"客户区域设置"_s, u"客户类型设置"_s, u"行业类型设置"_s, u"业务来源设置"_s,
                              u"业务类型设置"_s, u"业务进展设置"_s, u"汇率设置"_s, u"自定义设置"_s, u"---"_s, u"密码设置"_s,
                              u"---"_s, u"数据备份"_s, u"数据恢复"_s}));
        QCOMPARE(menu(u"dxBarSubItemHelp"_s),
                 (QStringList{u"目录与索引[Ctrl+H]"_s, u"---"_s, u"公司简介"_s, u"律师在线"_s, u"发送反馈意见"_s, u"---"_s,
                              u"关于本软件[Ctrl+A]"_s}));

        QStringList large;
        for (const QAction *a : w().findChild<QToolBar *>(u"dxBarLargeToolbar"_s)->actions())
            if (!a->isSeparator() && !qobject_cast<const QWidgetAction *>(a))
                large << a->text();
        QCOMPARE(large, (QStringList{u"新建客户"_s, u"客户列表"_s, u"业务列表"_s, u"打印"_s, u"查找"_s, u"整理附件夹"_s, u"闹钟"_s,
                                     u"通讯录"_s, u"法律咨询"_s, u"信封邮件输出"_s}));
        QVERIFY(w().findChild<QLabel *>(u"dxBarLargeButtonLogo"_s)); // the maker's mark closes the bar

        // Every command component carries its name.
        for (const QString &name : {u"dxBarButtonNewCust"_s, u"dxBarLargeButtonNewCust"_s, u"dxBarButton7"_s,
                                    u"dxBarLargeButtonManAceeL"_s, u"ToolButtonGetFile"_s, u"ToolButtonMail"_s})
            QVERIFY2(w().findChild<QAction *>(name), qPrintable(name));
        for (const QString &name : {u"lblDetail"_s, u"lblCValue"_s, u"lblAllCValue"_s, u"lblAllCRM"_s, u"lblAllAcount"_s,
                                    u"lblUserAcount"_s})
            QVERIFY2(w().findChild<QLabel *>(name), qPrintable(name));
    }

    void commandWithoutHandlerIsDisabled()
    {
        const QString key = u"新建客户"_s;
        const QList<QAction *> actions = w().commandActions(key);
        QCOMPARE(actions.size(), 2);
        QVERIFY(!w().isCommandEnabled(key));
        for (QAction *a : actions)
            QVERIFY(!a->isEnabled());
        QVERIFY(!w().runCommand(key));

        int runs = 0;
        QVERIFY(w().setCommand(key, [&runs] { ++runs; }));
        for (QAction *a : actions) {
            QVERIFY(a->isEnabled());
            a->trigger();
        }
        QCOMPARE(runs, 2);

        QVERIFY(w().setCommand(key, {}));
        QVERIFY(!actions.first()->isEnabled());
        QVERIFY(!w().setCommand(u"没有这个命令"_s, [] {}));

        // Built-in commands are enabled from the start.
        for (const QString &builtIn : {u"关闭"_s, u"退出"_s, u"新建附件"_s, u"还原"_s, u"向上"_s, u"邮件"_s, u"业务列表"_s,
                                       u"目录与索引"_s, u"关于本软件"_s, u"法律咨询"_s})
            QVERIFY2(w().isCommandEnabled(builtIn), qPrintable(builtIn));
    }

    void failingHandlerShowsErrorBox()
    {
        w().setCommand(u"查找"_s, [] { throw std::runtime_error("查询失败：磁盘已满"); });
        QVERIFY(!w().runCommand(u"查找"_s));
        QCOMPARE(m_services->messages.shown.size(), 1);
        QCOMPARE(m_services->messages.shown.first().title, u"系统提示"_s);
        QVERIFY(m_services->messages.shown.first().text.contains(u"查询失败：磁盘已满"_s));
    }

    void analysisLinksRunTheirCommand()
    {
        auto *lbl = w().findChild<QLabel *>(u"lblAllCRM"_s);
        auto *link = qobject_cast<shell::AnalysisLink *>(lbl->parentWidget());
        auto *other = qobject_cast<shell::AnalysisLink *>(w().findChild<QLabel *>(u"lblDetail"_s)->parentWidget());
        QVERIFY(link && other);
        QVERIFY(!link->isEnabled()); // no handler yet

        QStringList ran;
        w().setCommand(u"总客户关系分析"_s, [&ran] { ran << u"crm"_s; });
        w().setCommand(u"当前客户收支明细分析"_s, [&ran] { ran << u"detail"_s; });
        QVERIFY(link->isEnabled());
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);

        w().show();
        QVERIFY(QTest::qWaitForWindowExposed(&w()));
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(other, &enter);
        QApplication::sendEvent(link, &enter);
        QVERIFY(link->isUnderlined());
        QVERIFY(!other->isUnderlined()); // only the label under the mouse
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(link, &leave);
        QVERIFY(!link->isUnderlined());

        QTest::mouseClick(link, Qt::LeftButton);
        QTest::mouseClick(other, Qt::LeftButton);
        QCOMPARE(ran, (QStringList{u"crm"_s, u"detail"_s}));
    }

    void showPageRules_data()
    {
        QTest::addColumn<QStringList>("visibleBefore");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("visibleAfter");
        const QStringList all = shell::TMainOrvane::pageNames();
        QTest::newRow("customer page stands alone") << all << u"dxTSCust"_s << QStringList{u"dxTSCust"_s};
        QTest::newRow("value analysis after customer list")
            << QStringList{u"dxTSCustList"_s} << u"dxTSValue"_s << QStringList{u"dxTSValue"_s};
        QTest::newRow("overall analysis keeps the other overall ones")
            << QStringList{u"dxTSCust"_s, u"dxTSOperate"_s, u"dxTSValue"_s, u"dxTSCRM"_s, u"dxTSCurCustValue"_s}
            << u"dxTSFinancial"_s << QStringList{u"dxTSValue"_s, u"dxTSCRM"_s, u"dxTSFinancial"_s};
        QTest::newRow("current-customer analysis keeps the record pages")
            << QStringList{u"dxTSCust"_s, u"dxTSOperate"_s, u"dxTSCustList"_s, u"dxTSValue"_s, u"dxTSCurCustValue"_s}
            << u"dxTSCurCustDetail"_s
            << QStringList{u"dxTSCust"_s, u"dxTSOperate"_s, u"dxTSCurCustDetail"_s, u"dxTSCurCustValue"_s};
        QTest::newRow("business list after everything") << all << u"dxTSOperateList"_s << QStringList{u"dxTSOperateList"_s};
    }
    void showPageRules()
    {
        QFETCH(QStringList, visibleBefore);
        QFETCH(QString, page);
        QFETCH(QStringList, visibleAfter);
        for (const QString &name : shell::TMainOrvane::pageNames())
            w().setTabVisible(name, visibleBefore.contains(name));
        w().showPage(page);
        QCOMPARE(w().visibleTabs(), visibleAfter);
        QCOMPARE(w().activePageName(), page);
        QCOMPARE(w().dxPCMain->page(w().dxPCMain->activeIndex())->objectName(), page);
    }

    void closeHidesTheActiveTab()
    {
        w().showPage(u"dxTSCust"_s);
        w().setTabVisible(u"dxTSOperate"_s, true);
        w().showPage(u"dxTSOperate"_s);
        QVERIFY(w().runCommand(u"关闭"_s));
        QCOMPARE(w().visibleTabs(), QStringList{u"dxTSCust"_s});
        QCOMPARE(w().activePageName(), u"dxTSCust"_s);

        w().runCommand(u"关闭"_s);
        QVERIFY(w().visibleTabs().isEmpty());
        QCOMPARE(w().activePageName(), QString());
        w().runCommand(u"关闭"_s); // nothing left to close
        QVERIFY(w().visibleTabs().isEmpty());

        // A page shown afterwards is active again.
        w().showPage(u"dxTSCRM"_s);
        QCOMPARE(w().activePageName(), u"dxTSCRM"_s);
    }

    void operateListCommandEmbedsAndShowsTheList()
    {
        auto *custPanel = new QWidget;
        auto *listPanel = new QWidget;
        QVERIFY(w().embed(u"dxTSCust"_s, custPanel));
        QVERIFY(w().embed(u"dxTSOperateList"_s, listPanel));
        QVERIFY(!w().embed(u"dxTSNothing"_s, new QWidget(&w())));
        QCOMPARE(custPanel->parentWidget(), w().pagePanel(u"dxTSCust"_s));
        QCOMPARE(w().pagePanel(u"dxTSCust"_s)->objectName(), u"pnCust"_s);

        // A panel taken away (a window showing it for a moment) is put back.
        custPanel->setParent(nullptr);
        custPanel->hide();
        bool refreshed = false;
        w().setCommand(u"业务列表"_s, [&] { refreshed = w().activePageName() == u"dxTSOperateList"_s; });
        QVERIFY(w().runCommand(u"业务列表"_s));
        QVERIFY(refreshed); // the handler runs after the page is shown
        QCOMPARE(custPanel->parentWidget(), w().pagePanel(u"dxTSCust"_s));
        QVERIFY(!custPanel->isHidden());
        QCOMPARE(w().visibleTabs(), QStringList{u"dxTSOperateList"_s});
    }

    void newAttachmentTakesNextFreeName()
    {
        writeFile(root() + u"新附件1"_s, "合同正文");
        w().show();
        QVERIFY(w().runCommand(u"新建附件"_s));
        QCOMPARE(readAll(root() + u"新附件1"_s), u"合同正文"_s); // never truncated
        QVERIFY(QFileInfo(root() + u"新附件2"_s).exists());
        QCOMPARE(QFileInfo(root() + u"新附件2"_s).size(), 0);
        QCOMPARE(w().ptshlAccessory->editingEntry(), u"新附件2"_s);

        // The name typed in place renames the file.
        auto *editor = w().ptshlAccessory->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        editor->setText(u"报价单.txt"_s);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(QFileInfo(root() + u"报价单.txt"_s).exists());
        QVERIFY(!QFileInfo(root() + u"新附件2"_s).exists());

        QVERIFY(w().runCommand(u"新建附件"_s));
        QVERIFY(QFileInfo(root() + u"新附件3"_s).exists());
        QCOMPARE(w().ptshlAccessory->editingEntry(), u"新附件3"_s);
    }

    void newAttachmentsCountFromOne()
    {
        QVERIFY(w().runCommand(u"新建附件"_s));
        QVERIFY(w().runCommand(u"新建附件"_s));
        QCOMPARE(w().ptshlAccessory->entryNames(), (QStringList{u"新附件1"_s, u"新附件2"_s}));
        QVERIFY(w().ptshlAccessory->changeHandling());
    }

    void newAttachmentInVanishedFolderIsReported()
    {
        QDir(root()).mkdir(u"临时"_s);
        QVERIFY(w().ptshlAccessory->setFolder(root() + u"临时"_s));
        QDir(root() + u"临时"_s).removeRecursively();
        QVERIFY(!w().runCommand(u"新建附件"_s));
        QCOMPARE(m_services->messages.shown.size(), 1);
        QVERIFY(m_services->messages.shown.first().text.contains(u"不存在"_s));
    }

    void renameRefusesClashes()
    {
        writeFile(root() + u"a.txt"_s, "A");
        writeFile(root() + u"b.txt"_s, "B");
        w().ptshlAccessory->refresh();
        shell::FolderListModel *model = w().ptshlAccessory->folderModel();
        const QModelIndex a = model->index(model->rowOf(u"a.txt"_s));
        QVERIFY(!model->setData(a, u"b.txt"_s));
        QVERIFY(!model->setData(a, u"x/y"_s));
        QVERIFY(!model->setData(a, u"  "_s));
        QCOMPARE(m_services->messages.shown.size(), 3);
        QCOMPARE(m_services->messages.shown.first().icon, QMessageBox::Warning);
        QCOMPARE(readAll(root() + u"b.txt"_s), u"B"_s);
        QCOMPARE(w().ptshlAccessory->entryNames(), (QStringList{u"a.txt"_s, u"b.txt"_s}));
    }

    void openingEntries()
    {
        QDir(root()).mkdir(u"华信"_s);
        writeFile(root() + u"说明.txt"_s, "x");
        w().ptshlAccessory->refresh();
        // Folders first.
        QCOMPARE(w().ptshlAccessory->entryNames(), (QStringList{u"华信"_s, u"说明.txt"_s}));
        shell::FolderListModel *model = w().ptshlAccessory->folderModel();
        w().ptshlAccessory->openEntry(model->index(1));
        QCOMPARE(m_services->shell.opened, QList<QUrl>{QUrl::fromLocalFile(root() + u"说明.txt"_s)});
        w().ptshlAccessory->openEntry(model->index(0));
        QCOMPARE(panelFolder(), root() + u"华信"_s);

        // A folder that does not exist leaves the list where it is.
        QVERIFY(!w().ptshlAccessory->setFolder(root() + u"没有"_s));
        QCOMPARE(panelFolder(), root() + u"华信"_s);
    }

    void parentFolder_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("parent");
        QTest::newRow("folder") << u"/home/crm/Accessory/华信"_s << u"/home/crm/Accessory/"_s;
        QTest::newRow("root stays") << u"/"_s << u"/"_s;
        QTest::newRow("drive root stays") << u"C:\\"_s << u"C:\\"_s;
        QTest::newRow("windows folder") << u"C:\\CRM\\Accessory"_s << u"C:\\CRM\\"_s;
    }
    void parentFolder()
    {
        QFETCH(QString, path);
        QFETCH(QString, parent);
        QCOMPARE(shell::parentFolder(path), parent);
    }

    void upGoesToTheParentWithoutTitle()
    {
        QDir(root()).mkpath(u"华信/年度画册"_s);
        QVERIFY(w().ptshlAccessory->setFolder(root() + u"华信/年度画册"_s));
        const QString title = w().windowTitle();
        QVERIFY(w().runCommand(u"向上"_s));
        QCOMPARE(panelFolder(), root() + u"华信"_s);
        QVERIFY(w().runCommand(u"向上"_s));
        QCOMPARE(panelFolder(), noSlash(root()));
        QCOMPARE(w().windowTitle(), title);
    }

    void restoreGoesBackToTheRecordFolder_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("custOpen");
        QTest::addColumn<QString>("custFolder"); // customer's AccessoryPath, "<null>" for none
        QTest::addColumn<QString>("expected");   // below the root; "<unchanged>" when the panel stays
        QTest::newRow("customer page") << u"dxTSCust"_s << true << u"华信"_s << u"华信"_s;
        QTest::newRow("business page") << u"dxTSOperate"_s << true << u"华信"_s << u"华信/年度画册"_s;
        QTest::newRow("list page, customer open") << u"dxTSOperateList"_s << true << u"华信"_s << u"华信"_s;
        QTest::newRow("list page, customer closed") << u"dxTSOperateList"_s << false << u"华信"_s << QString();
        QTest::newRow("customer without folder") << u"dxTSCust"_s << true << u"<null>"_s << u"<unchanged>"_s;
    }
    void restoreGoesBackToTheRecordFolder()
    {
        QFETCH(QString, page);
        QFETCH(bool, custOpen);
        QFETCH(QString, custFolder);
        QFETCH(QString, expected);
        QDir(root()).mkpath(u"华信/年度画册"_s);
        QDir(root()).mkpath(u"别处"_s);
        m_folder->exec(u"INSERT INTO Customers (CustNo, CustName_S, AccessoryPath) VALUES (1, '华信', %1)"_s.arg(
            custFolder == u"<null>"_s ? u"NULL"_s : u"'"_s + custFolder + u"'"_s));
        m_folder->exec(u"INSERT INTO Operates (CustNo, OperateTitle, AccessoryPath) VALUES (1, '年度画册', '华信\\年度画册')"_s);
        withDataModule();
        if (custOpen) {
            m_dm->tlbCust->open();
            m_dm->tlbOperates->open();
        }
        w().showPage(page);
        if (page == u"dxTSOperate"_s)
            w().showPage(u"dxTSOperate"_s);
        QVERIFY(w().ptshlAccessory->setFolder(root() + u"别处"_s));

        QVERIFY(w().runCommand(u"还原"_s));
        const QString want = expected == u"<unchanged>"_s ? root() + u"别处"_s : noSlash(root() + expected);
        QCOMPARE(panelFolder(), want);
        if (expected != u"<unchanged>"_s)
            QCOMPARE(w().windowTitle(), u"Kelvor中小企业客户管理－附件夹路径："_s + want);
    }

    void mailDropDownHandsTheAddressToTheMailProgram()
    {
        m_folder->exec(u"INSERT INTO Linkmans (Name, Email) VALUES ('王伟', 'wang@huaxin.cn'), ('李娜', 'nil'), "
                       "('赵军', ''), ('陈静', 'chen@kaida.com')"_s);
        withDataModule();
        w().show();
        QVERIFY(QTest::qWaitForWindowExposed(&w()));
        widgets::DBLookupCombo *box = w().dxLKEdtAddress;
        QVERIFY(box->isHidden());

        QVERIFY(w().runCommand(u"邮件"_s));
        QVERIFY(box->isVisible());
        QCOMPARE(box->count(), 2); // "nil" and empty addresses are not offered
        QCOMPARE(box->currentIndex(), -1);
        box->hidePopup();
        QTest::keyClick(box, Qt::Key_Down); // the first address, chen@kaida.com
        QCOMPARE(m_services->shell.opened, QList<QUrl>{QUrl(u"mailto:chen@kaida.com"_s)});
        QVERIFY(box->isHidden());

        // Leaving the box hides it, and nothing is sent.
        QVERIFY(w().runCommand(u"邮件"_s));
        box->hidePopup();
        QVERIFY(box->isVisible());
        w().ptshlAccessory->setFocus();
        QTRY_VERIFY(box->isHidden());
        QCOMPARE(m_services->shell.opened.size(), 1);
    }

    void helpAndWebCommands()
    {
        w().runCommand(u"目录与索引"_s);
        w().runCommand(u"法律咨询"_s);
        QCOMPARE(m_services->shell.opened.size(), 2);
        QCOMPARE(m_services->shell.opened[0], QUrl::fromLocalFile(m_folder->appPath() + u"OrvaneHelp.chm"_s));
        QVERIFY(m_services->shell.opened[1].scheme().startsWith(u"http"_s));
        m_services->shell.succeeds = false; // a target the shell cannot open shows nothing
        QVERIFY(w().runCommand(u"公司简介"_s));
        QVERIFY(m_services->messages.shown.isEmpty());
    }

    void dataModuleMovesThePanel()
    {
        withDataModule();
        QDir(root()).mkdir(u"凯达"_s);
        m_dm->syncAttachmentPanel(root() + u"凯达"_s);
        QCOMPARE(panelFolder(), root() + u"凯达"_s);
        QCOMPARE(w().windowTitle(), u"Kelvor中小企业客户管理－附件夹路径："_s + root() + u"凯达"_s);
        m_w.reset(); // the module is left without hooks into a deleted window
        m_dm->syncAttachmentPanel(root());
    }

    void splitterKeepsTheRightColumn()
    {
        w().show();
        QVERIFY(QTest::qWaitForWindowExposed(&w()));
        QCOMPARE(w().pnRight->width(), 120);
        w().FlatSplitter1->setSizes({840, 30});
        QCOMPARE(w().pnRight->width(), 120);
        w().FlatSplitter1->setSizes({500, 300});
        QVERIFY(w().pnRight->width() > 250);
    }

    void placement_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("position");
        QTest::newRow("800 x 600: top-left") << QRect(0, 0, 800, 600) << QPoint(0, 0);
        QTest::newRow("1024 x 768: centred") << QRect(0, 0, 1024, 768) << QPoint(69, 56);
        QTest::newRow("second screen") << QRect(1920, 0, 1280, 1024) << QPoint(1920 + 197, 184);
        QTest::newRow("too low to centre") << QRect(0, 0, 1024, 600) << QPoint(69, 0);
    }
    void placement()
    {
        QFETCH(QRect, screen);
        QFETCH(QPoint, position);
        QCOMPARE(shell::mainWindowPosition(screen, QSize(886, 655)), position);
    }

    // Pictures for a person to look at: set CRM_SHOT_DIR to keep them.
    void lookOfTheWindows()
    {
        QDir(root()).mkdir(u"华信广告"_s);
        for (const QString &name : {u"报价单.xlsx"_s, u"合同扫描件.pdf"_s, u"设计初稿.png"_s, u"会议纪要.docx"_s})
            writeFile(root() + name, "x");
        w().setCommand(u"新建客户"_s, [] {});
        w().setCommand(u"客户列表"_s, [] {});
        w().setCommand(u"总客户价值分析"_s, [] {});
        w().runCommand(u"业务列表"_s);
        w().ptshlAccessory->refresh();
        w().show();
        QVERIFY(QTest::qWaitForWindowExposed(&w()));
        shell::TAboutBox about(&w());
        shell::TSplashForm splash;
        const QString dir = qEnvironmentVariable("CRM_SHOT_DIR");
        const QList<std::pair<QWidget *, QString>> shots{
            {&w(), u"mainwindow.png"_s}, {&about, u"aboutbox.png"_s}, {&splash, u"splash.png"_s}};
        for (const auto &[widget, file] : shots) {
            const QPixmap pix = widget->grab();
            QVERIFY(!pix.isNull());
            if (!dir.isEmpty())
                pix.save(QDir(dir).filePath(file));
        }
        QCOMPARE(splash.size(), QSize(398, 243));
        QCOMPARE(about.windowTitle(), u"关于本软件"_s);
        QCOMPARE(about.OKButton->text(), u"确定"_s);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
