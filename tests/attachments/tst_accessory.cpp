// The attachment-folder manager: order, levels, and what each command does on disk.
#include "FakeServices.h"

#include "attachments/AccessoryTree.h"
#include "attachments/TfrmAccessory.h"
#include "store/General.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace Qt::StringLiterals;
using attachments::TfrmAccessory;

namespace {

void writeFile(const QString &path, const QByteArray &content = "x")
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList names(QTreeWidget *tree, QTreeWidgetItem *parent = nullptr)
{
    QStringList out;
    const int n = parent ? parent->childCount() : tree->topLevelItemCount();
    for (int i = 0; i < n; ++i)
        out << (parent ? parent->child(i) : tree->topLevelItem(i))->text(0);
    return out;
}

QTreeWidgetItem *child(QTreeWidget *tree, QTreeWidgetItem *parent, const QString &name)
{
    const int n = parent ? parent->childCount() : tree->topLevelItemCount();
    for (int i = 0; i < n; ++i) {
        QTreeWidgetItem *c = parent ? parent->child(i) : tree->topLevelItem(i);
        if (c->text(0) == name)
            return c;
    }
    return nullptr;
}

void typeText(QWidget *target, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class TestAccessory : public QObject
{
    Q_OBJECT
    QTemporaryDir m_xdg; // the desktop's trash lives here during the tests
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<fake::Services> m_services;
    std::unique_ptr<TfrmAccessory> m_window;

    QString root() const { return crm::AccessoryRoot; }
    QString at(const QString &relative) const { return root() + relative; }
    QTreeWidget *tree() const { return m_window->findChild<QTreeWidget *>(u"TLDirTree"_s); }
    QString label(const char *name) const { return m_window->findChild<QLabel *>(QString::fromLatin1(name))->text(); }
    void click(const char *button) { QTest::mouseClick(m_window->findChild<QPushButton *>(QString::fromLatin1(button)), Qt::LeftButton); }

    TfrmAccessory &open()
    {
        m_window = std::make_unique<TfrmAccessory>();
        m_window->show();
        m_window->activateWindow();
        if (!QTest::qWaitForWindowActive(m_window.get()))
            qWarning("window not active");
        return *m_window;
    }

    // Expands the folders on the way down and focuses the entry, as a user's clicks do.
    QTreeWidgetItem *select(const QString &relative)
    {
        QTreeWidgetItem *item = nullptr;
        const QStringList parts = relative.split(u'/', Qt::SkipEmptyParts);
        for (const QString &part : parts) {
            if (item)
                item->setExpanded(true);
            item = child(tree(), item, part);
            if (!item)
                return nullptr;
        }
        tree()->scrollToItem(item);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(item).center());
        return tree()->currentItem() == item ? item : nullptr;
    }

private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", QFile::encodeName(m_xdg.path())); }

    void init()
    {
        m_services = std::make_unique<fake::Services>();
        m_dir = std::make_unique<QTemporaryDir>();
        crm::AppPath = m_dir->path() + u'/';
        crm::AccessoryRoot = crm::AppPath + u"Accessory/"_s;
        QDir().mkpath(crm::AccessoryRoot);
    }
    void cleanup()
    {
        m_window.reset();
        m_dir.reset();
        m_services.reset();
    }

    // Folders first; names in byte order, so upper case comes before lower case and Chinese last.
    void entriesSortFoldersFirstThenByBytes()
    {
        for (const QString &f : {u"b"_s, u"华信"_s, u"a"_s, u"B"_s})
            QDir().mkpath(at(f));
        for (const QString &f : {u"z.doc"_s, u"A.txt"_s, u"Ä.txt"_s, u".hidden"_s})
            writeFile(at(f));
        const QStringList expected{u"B"_s, u"a"_s, u"b"_s, u"华信"_s, u".hidden"_s, u"A.txt"_s, u"z.doc"_s, u"Ä.txt"_s};

        QStringList listed;
        for (const auto &e : attachments::listFolder(root()))
            listed << e.name;
        QCOMPARE(listed, expected);

        open();
        QCOMPARE(names(tree()), expected);
        QCOMPARE(tree()->topLevelItem(0)->text(1), u"文件夹"_s);
        QCOMPARE(tree()->topLevelItem(5)->text(1), u"文件"_s);
        QCOMPARE(tree()->currentItem(), tree()->topLevelItem(0)); // the first entry is focused
        QCOMPARE(m_window->selectedPath(), at(u"B/"_s));
    }

    void levelsFromFullPath_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QStringList>("levels");
        QTest::newRow("file at the top") << u"说明.doc"_s << QStringList{{}, {}, {}};
        QTest::newRow("customer folder") << u"华信/"_s << QStringList{u"华信"_s, {}, {}};
        QTest::newRow("file of a customer") << u"华信/合同.doc"_s << QStringList{u"华信"_s, {}, {}};
        QTest::newRow("file of a business") << u"华信/画册/报价.xls"_s << QStringList{u"华信"_s, u"画册"_s, {}};
        QTest::newRow("item folder") << u"华信/画册/校样/"_s << QStringList{u"华信"_s, u"画册"_s, u"校样"_s};
        QTest::newRow("deeper") << u"华信/画册/校样/第二稿/p1.jpg"_s << QStringList{u"华信"_s, u"画册"_s, u"校样"_s};
    }
    void levelsFromFullPath()
    {
        QFETCH(QString, relative);
        QFETCH(QStringList, levels);
        const auto got = attachments::folderLevels(at(relative), root());
        QCOMPARE((QStringList{got[0], got[1], got[2]}), levels);
    }

    // The labels follow the focused entry; folders are read when first expanded.
    void selectionShowsTheFolderLevels()
    {
        writeFile(at(u"华信/画册/报价.xls"_s));
        writeFile(at(u"说明.doc"_s));
        open();
        QTreeWidgetItem *customer = child(tree(), nullptr, u"华信"_s);
        QCOMPARE(customer->childCount(), 0); // not read yet

        QVERIFY(select(u"华信/画册/报价.xls"_s));
        QCOMPARE(m_window->selectedPath(), at(u"华信/画册/报价.xls"_s));
        QCOMPARE(m_window->selectedType(), u"文件"_s);
        QCOMPARE(label("Label2"), u"华信"_s);
        QCOMPARE(label("Label4"), u"画册"_s);
        QCOMPARE(label("Label6"), QString());

        QVERIFY(select(u"说明.doc"_s));
        QCOMPARE(label("Label2"), QString());
        QCOMPARE(label("Label4"), QString());
        QCOMPARE(label("Label6"), QString());
    }

    void emptyRootLeavesEveryCommandIdle()
    {
        open();
        QCOMPARE(tree()->topLevelItemCount(), 0);
        m_services->dialogs.inputs.enqueue(u"新建"_s);
        m_services->dialogs.folders.enqueue(root());
        for (const char *b : {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4"})
            click(b);
        QVERIFY(m_services->dialogs.asked.isEmpty());
        QVERIFY(m_services->messages.shown.isEmpty());
        QVERIFY(QDir(root()).isEmpty());
    }

    // Each command acts on the entry type it is for and ignores the other.
    void commandsIgnoreTheWrongType()
    {
        QDir().mkpath(at(u"华信"_s));
        writeFile(at(u"合同.doc"_s));
        open();
        QVERIFY(select(u"华信"_s));
        click("BitBtn2");
        click("BitBtn4");
        QVERIFY(!(tree()->currentItem()->flags() & Qt::ItemIsEditable));
        QVERIFY(QFileInfo(at(u"华信"_s)).isDir());

        QVERIFY(select(u"合同.doc"_s));
        m_services->dialogs.inputs.enqueue(u"新建"_s);
        click("BitBtn1");
        QVERIFY(m_services->dialogs.asked.isEmpty());
        QVERIFY(m_services->messages.shown.isEmpty());
        QCOMPARE(names(tree()), (QStringList{u"华信"_s, u"合同.doc"_s}));
    }

    // The new folder shows under its (expanded) parent beside the folders already there.
    void createFolderUnderACustomer()
    {
        QDir().mkpath(at(u"华信/旧业务"_s));
        open();
        QVERIFY(select(u"华信"_s));
        m_services->dialogs.inputs.enqueue(u"年度画册"_s);
        click("BitBtn1");

        QCOMPARE(m_services->dialogs.asked, QStringList{u"input: 创建新的附件夹"_s});
        QCOMPARE(m_services->dialogs.lastPrompt, u"附件夹名称"_s);
        QCOMPARE(m_services->dialogs.lastDefaultText, QString());
        QVERIFY(QFileInfo(at(u"华信/年度画册"_s)).isDir());
        QTreeWidgetItem *customer = child(tree(), nullptr, u"华信"_s);
        QVERIFY(customer->isExpanded());
        QCOMPARE(names(tree(), customer), (QStringList{u"年度画册"_s, u"旧业务"_s}));
        QTreeWidgetItem *created = tree()->currentItem();
        QCOMPARE(created->text(0), u"年度画册"_s);
        QCOMPARE(created->text(1), u"文件夹"_s);
        QVERIFY(tree()->viewport()->rect().contains(tree()->visualItemRect(created).center()));
        QCOMPARE(label("Label4"), u"年度画册"_s);
    }

    void createFolderRefusals_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<bool>("warned");
        QTest::newRow("cancelled") << std::optional<QString>() << false;
        QTest::newRow("empty") << std::optional<QString>(u"  "_s) << false;
        QTest::newRow("separator") << std::optional<QString>(u"a/b"_s) << true;
        QTest::newRow("backslash") << std::optional<QString>(u"a\\b"_s) << true;
        QTest::newRow("exists") << std::optional<QString>(u"旧业务"_s) << true;
    }
    void createFolderRefusals()
    {
        QFETCH(std::optional<QString>, answer);
        QFETCH(bool, warned);
        QDir().mkpath(at(u"华信/旧业务"_s));
        open();
        QVERIFY(select(u"华信"_s));
        m_services->dialogs.inputs.enqueue(answer);
        click("BitBtn1");
        QCOMPARE(m_services->messages.shown.size(), warned ? 1 : 0);
        if (warned)
            QCOMPARE(m_services->messages.shown[0].icon, sys::Icon::Warning);
        QCOMPARE(QDir(at(u"华信"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{u"旧业务"_s});
        QCOMPARE(tree()->currentItem()->text(0), u"华信"_s);
    }

    void renameFileInPlace()
    {
        writeFile(at(u"华信/草稿.doc"_s), "draft");
        writeFile(at(u"华信/定稿.doc"_s), "final");
        open();
        QVERIFY(select(u"华信/草稿.doc"_s));
        click("BitBtn2");
        auto *editor = tree()->findChild<QLineEdit *>();
        QVERIFY(editor && editor->isVisible());
        editor->selectAll();
        typeText(editor, u"报价单.doc"_s);
        QTest::keyClick(editor, Qt::Key_Return);

        QTRY_COMPARE(readFile(at(u"华信/报价单.doc"_s)), QByteArray("draft"));
        QVERIFY(!QFileInfo::exists(at(u"华信/草稿.doc"_s)));
        QCOMPARE(tree()->currentItem()->text(0), u"报价单.doc"_s);
        QCOMPARE(m_window->selectedPath(), at(u"华信/报价单.doc"_s));
        QVERIFY(m_services->messages.shown.isEmpty());
        QVERIFY(!(tree()->currentItem()->flags() & Qt::ItemIsEditable)); // editing ends with the edit

        // A name that is taken is refused: both files stay and the tree shows what is on disk.
        click("BitBtn2");
        editor = tree()->findChild<QLineEdit *>();
        editor->selectAll();
        typeText(editor, u"定稿.doc"_s);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(m_services->messages.shown.size(), 1);
        QCOMPARE(m_services->messages.shown[0].icon, sys::Icon::Warning);
        QCOMPARE(readFile(at(u"华信/定稿.doc"_s)), QByteArray("final"));
        QCOMPARE(readFile(at(u"华信/报价单.doc"_s)), QByteArray("draft"));
        QCOMPARE(names(tree(), child(tree(), nullptr, u"华信"_s)), (QStringList{u"定稿.doc"_s, u"报价单.doc"_s}));

        // Closing the window while a name is being typed takes that name.
        QVERIFY(select(u"华信/报价单.doc"_s));
        click("BitBtn2");
        editor = tree()->findChild<QLineEdit *>();
        editor->selectAll();
        typeText(editor, u"终稿.doc"_s);
        click("BitBtn5");
        m_window.reset();
        QCOMPARE(readFile(at(u"华信/终稿.doc"_s)), QByteArray("draft"));
    }

    void moveFileToAnotherFolder()
    {
        writeFile(at(u"华信/合同.doc"_s), "contract");
        QDir().mkpath(at(u"远东/印刷"_s));
        open();
        QVERIFY(select(u"华信/合同.doc"_s));

        m_services->dialogs.folders.enqueue(QString()); // cancelled: nothing happens
        click("BitBtn3");
        QCOMPARE(m_services->dialogs.asked, QStringList{u"chooseFolder: 移至附件夹"_s});
        QCOMPARE(QDir::cleanPath(m_services->dialogs.lastDir), QDir::cleanPath(root()));
        QVERIFY(QFileInfo::exists(at(u"华信/合同.doc"_s)));

        m_services->dialogs.folders.enqueue(at(u"远东/印刷"_s));
        click("BitBtn3");
        QCOMPARE(readFile(at(u"远东/印刷/合同.doc"_s)), QByteArray("contract"));
        QVERIFY(!QFileInfo::exists(at(u"华信/合同.doc"_s)));
        QCOMPARE(m_window->selectedPath(), at(u"远东/印刷/合同.doc"_s)); // the tree was read again and shows it
        QCOMPARE(names(tree(), child(tree(), nullptr, u"华信"_s)), QStringList());
    }

    void moveNeverOverwrites()
    {
        writeFile(at(u"华信/合同.doc"_s), "new");
        writeFile(at(u"远东/合同.doc"_s), "old");
        open();
        QVERIFY(select(u"华信/合同.doc"_s));
        m_services->dialogs.folders.enqueue(at(u"远东"_s));
        click("BitBtn3");
        QCOMPARE(m_services->messages.shown.size(), 1);
        QCOMPARE(readFile(at(u"华信/合同.doc"_s)), QByteArray("new"));
        QCOMPARE(readFile(at(u"远东/合同.doc"_s)), QByteArray("old"));
        QCOMPARE(m_window->selectedPath(), at(u"华信/合同.doc"_s));
    }

    // "删  除" puts the file into the desktop's trash: the user can take it back.
    void deleteMovesFileToTrash()
    {
        writeFile(at(u"华信/旧稿.doc"_s), "keep me");
        writeFile(at(u"华信/新稿.doc"_s));
        open();
        QVERIFY(select(u"华信/旧稿.doc"_s));
        click("BitBtn4");
        QVERIFY(!QFileInfo::exists(at(u"华信/旧稿.doc"_s)));
        QCOMPARE(readFile(m_xdg.filePath(u"Trash/files/旧稿.doc"_s)), QByteArray("keep me"));
        QCOMPARE(names(tree(), child(tree(), nullptr, u"华信"_s)), QStringList{u"新稿.doc"_s});
        QVERIFY(m_services->messages.shown.isEmpty());
        QCOMPARE(m_window->selectedPath(), entryPathOf(tree()->currentItem()));
    }

    void lookOfTheWindow()
    {
        writeFile(at(u"华信/年度画册/报价.xls"_s));
        writeFile(at(u"远东/合同.doc"_s));
        writeFile(at(u"说明.txt"_s));
        open();
        QVERIFY(select(u"华信/年度画册/报价.xls"_s));
        if (!qEnvironmentVariableIsEmpty("CRM_GRAB_DIR"))
            QVERIFY(m_window->grab().save(QDir(qEnvironmentVariable("CRM_GRAB_DIR")).filePath(u"frmAccessory.png"_s)));
        QCOMPARE(m_window->windowTitle(), u"整理附件夹"_s);
        QCOMPARE(m_window->findChild<QPlainTextEdit *>(u"FlatMemo1"_s)->toPlainText(),
                 u"整理附近夹的功能：\n1.创建附件夹，创建新的附近夹；\n2.重命名，给附件夹或附件重新命名；\n"
                 "3.移至文件夹，将一个附件夹或附件移动至\n   另外的附近夹；\n4.删除，删除选定的附近夹或附件。"_s);
    }

private:
    QString entryPathOf(QTreeWidgetItem *item) const
    {
        QString path;
        for (auto *i = item; i; i = i->parent())
            path.prepend(i->text(0) + (i->text(1) == u"文件夹"_s ? u"/"_s : QString()));
        return root() + path;
    }
};

QTEST_MAIN(TestAccessory)
#include "tst_accessory.moc"
