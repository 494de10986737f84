#include "attachments/TfrmAccessory.h"

#include "attachments/AccessoryTree.h"
#include "attachments/HelpMemo.h"

#include "platform/system/Guard.h"
#include "platform/system/Services.h"
#include "store/General.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace attachments {

namespace {

QString root()
{
    QString r = QDir::fromNativeSeparators(crm::AccessoryRoot);
    if (!r.endsWith(u'/'))
        r += u'/';
    return r;
}

QString native(const QString &path) { return QDir::toNativeSeparators(path); }

// One entry of the tree: folders first, then names in byte order, whatever column is shown.
class AccessoryItem : public QTreeWidgetItem
{
public:
    explicit AccessoryItem(const AccessoryEntry &entry) : QTreeWidgetItem(UserType), folder(entry.folder)
    {
        setText(0, entry.name);
        setText(1, typeText(entry.folder));
        if (folder)
            setChildIndicatorPolicy(ShowIndicator); // read when first expanded
        showImage();
    }

    bool operator<(const QTreeWidgetItem &other) const override
    {
        const auto &o = static_cast<const AccessoryItem &>(other);
        return accessoryLess({text(0), folder}, {o.text(0), o.folder});
    }

    // Open folder when expanded, otherwise closed folder or file.
    void showImage()
    {
        const QStyle::StandardPixmap image = isExpanded() ? QStyle::SP_DirOpenIcon
            : folder                                      ? QStyle::SP_DirClosedIcon
                                                          : QStyle::SP_FileIcon;
        setIcon(0, QApplication::style()->standardIcon(image));
    }

    const bool folder;
    bool filled = false;
};

AccessoryItem *entry(QTreeWidgetItem *item) { return static_cast<AccessoryItem *>(item); }

// Restores the cursor and the painting on every way out.
class BusyTree
{
public:
    explicit BusyTree(QWidget *tree) : m_tree(tree)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_tree->setUpdatesEnabled(false);
    }
    ~BusyTree()
    {
        m_tree->setUpdatesEnabled(true);
        QApplication::restoreOverrideCursor();
    }

private:
    QWidget *m_tree;
};

} // namespace

TfrmAccessory::TfrmAccessory(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"frmAccessory"_s);
    setWindowTitle(u"整理附件夹"_s);

    TLDirTree = new QTreeWidget(this);
    TLDirTree->setObjectName(u"TLDirTree"_s);
    TLDirTree->setColumnCount(2);
    TLDirTree->setHeaderLabels({u"名称"_s, u"类型"_s});
    TLDirTree->setEditTriggers(QAbstractItemView::NoEditTriggers); // only "重命名" edits a name
    TLDirTree->setSortingEnabled(true);
    TLDirTree->sortByColumn(0, Qt::AscendingOrder);
    TLDirTree->header()->setSectionsClickable(false);
    TLDirTree->header()->setStretchLastSection(false);
    TLDirTree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    TLDirTree->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    TLDirTree->header()->resizeSection(1, 64);
    TLDirTree->setMinimumSize(320, 380);

    FlatMemo1 = newHelpMemo(u"FlatMemo1"_s,
                            u"整理附近夹的功能：\n"
                            "1.创建附件夹，创建新的附近夹；\n"
                            "2.重命名，给附件夹或附件重新命名；\n"
                            "3.移至文件夹，将一个附件夹或附件移动至\n"
                            "   另外的附近夹；\n"
                            "4.删除，删除选定的附近夹或附件。"_s,
                            this);

    GroupBox1 = new QGroupBox(u"所属记录"_s, this);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    auto *levels = new QFormLayout(GroupBox1);
    auto level = [&](const QString &caption, const QString &name) {
        auto *value = new QLabel(GroupBox1);
        value->setObjectName(name);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        levels->addRow(caption, value);
        return value;
    };
    Label2 = level(u"客户名称"_s, u"Label2"_s);
    Label4 = level(u"业务名称"_s, u"Label4"_s);
    Label6 = level(u"业务项描述"_s, u"Label6"_s);

    auto button = [this](const QString &caption, const QString &name) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    BitBtn1 = button(u"创建附件夹"_s, u"BitBtn1"_s);
    BitBtn2 = button(u"重命名"_s, u"BitBtn2"_s);
    BitBtn3 = button(u"移至附件夹"_s, u"BitBtn3"_s);
    BitBtn4 = button(u"删  除"_s, u"BitBtn4"_s);
    BitBtn5 = button(u"关  闭"_s, u"BitBtn5"_s);

    auto *buttons = new QGridLayout;
    buttons->addWidget(BitBtn1, 0, 0);
    buttons->addWidget(BitBtn2, 0, 1);
    buttons->addWidget(BitBtn3, 1, 0);
    buttons->addWidget(BitBtn4, 1, 1);
    buttons->addWidget(BitBtn5, 2, 1);
    auto *side = new QVBoxLayout;
    side->addWidget(FlatMemo1);
    side->addWidget(GroupBox1);
    side->addStretch(1);
    side->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(TLDirTree, 1);
    layout->addLayout(side);

    connect(TLDirTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { TLDirTreeChangeNode(current); });
    connect(TLDirTree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *item) { TLDirTreeExpanded(item); });
    connect(TLDirTree, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *item) { TLDirTreeCollapsed(item); });
    connect(TLDirTree, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem *item, int column) { sys::guarded(this, [&] { TLDirTreeEdited(item, column); }); });
    const QList<std::pair<QPushButton *, void (TfrmAccessory::*)()>> handlers{
        {BitBtn1, &TfrmAccessory::BitBtn1Click},
        {BitBtn2, &TfrmAccessory::BitBtn2Click},
        {BitBtn3, &TfrmAccessory::BitBtn3Click},
        {BitBtn4, &TfrmAccessory::BitBtn4Click}};
    for (const auto &[b, handler] : handlers)
        connect(b, &QPushButton::clicked, this, [this, handler] { sys::guarded(this, [&] { (this->*handler)(); }); });
    connect(BitBtn5, &QPushButton::clicked, this, &QDialog::accept);

    FillTree();
}

TfrmAccessory::~TfrmAccessory()
{
    // The tree goes after this part of the window: it must not call back into it.
    TLDirTree->disconnect(this);
}

void TfrmAccessory::done(int result)
{
    // A name typed in place and not yet confirmed is taken, as leaving the box would.
    if (m_renaming)
        if (auto *editor = TLDirTree->findChild<QLineEdit *>(); editor && editor->isVisible())
            emit TLDirTree->itemDelegate()->commitData(editor);
    QDialog::done(result);
}

// --- the tree ---------------------------------------------------------------------

void TfrmAccessory::FillTree()
{
    {
        BusyTree busy(TLDirTree);
        m_renaming = nullptr;
        m_selected = nullptr;
        TLDirTree->clear();
        fillEntry(nullptr, root());
        if (QTreeWidgetItem *first = TLDirTree->topLevelItem(0)) {
            TLDirTree->setCurrentItem(first);
            TLDirTree->scrollToItem(first);
        }
    }
    TLDirTreeChangeNode(TLDirTree->currentItem());
}

void TfrmAccessory::fillEntry(QTreeWidgetItem *parent, const QString &folder)
{
    QList<QTreeWidgetItem *> items;
    for (const AccessoryEntry &e : listFolder(folder))
        items << new AccessoryItem(e);
    if (parent) {
        parent->addChildren(items);
        entry(parent)->filled = true;
        if (items.isEmpty())
            parent->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    } else {
        TLDirTree->addTopLevelItems(items);
    }
}

void TfrmAccessory::ensureFilled(QTreeWidgetItem *item)
{
    if (item && entry(item)->folder && !entry(item)->filled)
        fillEntry(item, entryPath(item));
}

QString TfrmAccessory::entryPath(const QTreeWidgetItem *item) const
{
    QList<AccessoryEntry> chain;
    for (auto *i = item; i; i = i->parent())
        chain.prepend({i->text(0), static_cast<const AccessoryItem *>(i)->folder});
    return fullPath(root(), chain);
}

QTreeWidgetItem *TfrmAccessory::childNamed(QTreeWidgetItem *parent, const QString &name) const
{
    const int n = parent ? parent->childCount() : TLDirTree->topLevelItemCount();
    for (int i = 0; i < n; ++i) {
        QTreeWidgetItem *child = parent ? parent->child(i) : TLDirTree->topLevelItem(i);
        if (child->text(0) == name)
            return child;
    }
    return nullptr;
}

// Opens the tree down to a path below the root and focuses its entry.
void TfrmAccessory::reveal(const QString &path)
{
    const QString r = root();
    if (!path.startsWith(r))
        return;
    QTreeWidgetItem *item = nullptr;
    const QStringList parts = path.mid(r.size()).split(u'/', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        if (item) {
            ensureFilled(item);
            item->setExpanded(true);
        }
        QTreeWidgetItem *child = childNamed(item, part);
        if (!child)
            break;
        item = child;
    }
    if (item) {
        TLDirTree->setCurrentItem(item);
        TLDirTree->scrollToItem(item);
    }
}

void TfrmAccessory::TLDirTreeChangeNode(QTreeWidgetItem *current)
{
    // Editing in place ends with the selection it was started for.
    m_renaming = nullptr;
    if (m_selected && m_selected != current)
        m_selected->setFlags(m_selected->flags() & ~Qt::ItemIsEditable);
    m_selected = current;
    m_selectedPath = current ? entryPath(current) : QString();
    m_selectedType = current ? current->text(1) : QString();
    const auto levels = folderLevels(m_selectedPath, root());
    Label2->setText(levels[0]);
    Label4->setText(levels[1]);
    Label6->setText(levels[2]);
}

void TfrmAccessory::TLDirTreeExpanded(QTreeWidgetItem *item)
{
    if (!entry(item)->filled) {
        BusyTree busy(TLDirTree);
        ensureFilled(item);
    }
    entry(item)->showImage();
}

void TfrmAccessory::TLDirTreeCollapsed(QTreeWidgetItem *item) { entry(item)->showImage(); }

// --- commands ---------------------------------------------------------------------

// "创建附件夹": a new folder directly under the selected folder.
void TfrmAccessory::BitBtn1Click()
{
    if (!m_selected || !QFileInfo(m_selectedPath).isDir())
        return;
    const std::optional<QString> answer = sys::dialogs().input(this, u"创建新的附件夹"_s, u"附件夹名称"_s, QString());
    const QString name = answer.value_or(QString()).trimmed();
    if (name.isEmpty())
        return;
    if (!isValidName(name)) {
        sys::warn(u"附件夹名称“%1”不能使用：名称中不能含有“/”或“\\”。"_s.arg(name));
        return;
    }
    const QString path = m_selectedPath + name;
    if (QFileInfo::exists(path)) {
        sys::warn(u"已经有名为“%1”的附件夹或文件。"_s.arg(name));
        return;
    }
    if (!QDir().mkdir(path)) {
        sys::warn(u"无法创建附件夹：%1"_s.arg(native(path)));
        return;
    }
    QTreeWidgetItem *parent = m_selected;
    if (entry(parent)->filled) {
        parent->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        parent->addChild(new AccessoryItem({name, true}));
    } else {
        ensureFilled(parent); // lists the new folder with the others
    }
    parent->setExpanded(true);
    if (QTreeWidgetItem *created = childNamed(parent, name)) {
        TLDirTree->setCurrentItem(created);
        TLDirTree->scrollToItem(created);
    }
}

// "重命名": the selected file's name is edited in place; TLDirTreeEdited renames the file.
void TfrmAccessory::BitBtn2Click()
{
    if (!m_selected || m_selectedType != typeText(false))
        return;
    // Changing the flags reports the entry as changed: set them before the edit is watched.
    m_selected->setFlags(m_selected->flags() | Qt::ItemIsEditable);
    m_renaming = m_selected;
    m_oldName = m_selected->text(0);
    TLDirTree->setCurrentItem(m_selected);
    TLDirTree->scrollToItem(m_selected);
    TLDirTree->editItem(m_selected, 0);
}

void TfrmAccessory::TLDirTreeEdited(QTreeWidgetItem *item, int column)
{
    if (item != m_renaming || column != 0)
        return;
    m_renaming = nullptr;
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    const QString newName = item->text(0);
    if (newName == m_oldName)
        return;

    const QString folder = entryPath(item->parent()); // the root for a top-level file
    const QString oldPath = folder + m_oldName;
    const QString newPath = folder + newName;
    QString refusal;
    if (!isValidName(newName))
        refusal = u"文件名“%1”不能使用：名称不能为空，也不能含有“/”或“\\”。"_s.arg(newName);
    else if (!QFileInfo(oldPath).isFile())
        refusal = u"文件已不存在：%1"_s.arg(native(oldPath));
    else if (QFileInfo::exists(newPath))
        refusal = u"已经有名为“%1”的文件或附件夹，未重命名。"_s.arg(newName);
    else if (!QFile::rename(oldPath, newPath))
        refusal = u"无法重命名文件：%1"_s.arg(native(oldPath));
    if (!refusal.isEmpty()) {
        item->setText(0, m_oldName); // the tree keeps showing what is on disk
        sys::warn(refusal);
    }
    if (item == m_selected)
        m_selectedPath = entryPath(item);
    TLDirTree->scrollToItem(item);
}

// "移至附件夹": the selected file goes into a folder the user chooses, never over another file.
void TfrmAccessory::BitBtn3Click()
{
    if (!m_selected || m_selectedType != typeText(false) || !QFileInfo(m_selectedPath).isFile())
        return;
    const QString folder = sys::dialogs().chooseFolder(this, u"移至附件夹"_s, QDir::cleanPath(root()));
    if (folder.isEmpty())
        return; // cancelled
    const QString source = m_selectedPath;
    const QString target = QDir(folder).filePath(QFileInfo(source).fileName());
    if (QFileInfo(target).canonicalFilePath() == QFileInfo(source).canonicalFilePath())
        return; // already there
    if (QFileInfo::exists(target)) {
        sys::warn(u"目标附件夹中已有同名文件“%1”，文件未移动。"_s.arg(QFileInfo(source).fileName()));
        return;
    }
    if (!QFile::rename(source, target)) {
        sys::warn(u"无法把文件移到：%1"_s.arg(native(target)));
        return;
    }
    FillTree();
    reveal(QFileInfo(target).absoluteFilePath());
}

// "删  除": the selected file goes to the desktop's trash, from where the user can take it back.
void TfrmAccessory::BitBtn4Click()
{
    if (!m_selected || m_selectedType != typeText(false))
        return;
    const QFileInfo file(m_selectedPath);
    if ((file.exists() || file.isSymLink()) && !QFile::moveToTrash(m_selectedPath)) {
        sys::warn(u"无法把文件“%1”移到回收站，文件仍保留在原处。"_s.arg(native(m_selectedPath)));
        return;
    }
    QTreeWidgetItem *gone = m_selected;
    m_selected = nullptr;
    m_renaming = nullptr;
    delete gone;
    TLDirTreeChangeNode(TLDirTree->currentItem());
}

} // namespace attachments
