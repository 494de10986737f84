#include "shell/TfrmOperateDatabase.h"

#include "shell/EndProcess.h"
#include "shell/FolderCopy.h"

#include "platform/db/Connection.h"
#include "platform/system/Guard.h"
#include "platform/system/Services.h"
#include "store/DMOrvane.h"
#include "store/General.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace shell {

namespace {

// A folder of the program (or of a backup) by its name, matched without regard to case;
// empty when base is empty or holds no such folder.
QString subfolder(const QString &base, const QString &name)
{
    if (base.trimmed().isEmpty() || !QFileInfo(base).isDir())
        return {};
    const QString path = QDir(base).filePath(childInAnyCase(base, name));
    return QFileInfo(path).isDir() ? path : QString();
}

QString programFolder() { return QDir::cleanPath(crm::AppPath); }

// Opens every dataset even when one fails, then reports the first failure.
void reopen(const QList<db::Dataset *> &datasets)
{
    std::exception_ptr first;
    for (db::Dataset *ds : datasets) {
        try {
            ds->open();
        } catch (...) {
            if (!first)
                first = std::current_exception();
        }
    }
    if (first)
        std::rethrow_exception(first);
}

} // namespace

TfrmOperateDatabase::TfrmOperateDatabase(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(u"frmOperateDatabase"_s);
    setWindowTitle(u"备份与恢复数据库"_s);

    Label1 = new QLabel(u"数据库目录："_s, this);
    Label1->setObjectName(u"Label1"_s);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(u"Edit1"_s);
    Edit1->setReadOnly(true); // changed only by the command and the folder browser
    Edit1->setMinimumWidth(360);
    Button2 = new QPushButton(u"..."_s, this);
    Button2->setObjectName(u"Button2"_s);
    Button2->setFixedWidth(32);
    Button1 = new QPushButton(u"确定"_s, this);
    Button1->setObjectName(u"Button1"_s);
    BtnClose = new QPushButton(u"取消"_s, this);
    BtnClose->setObjectName(u"BtnClose"_s);

    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(Edit1, 1);
    folderRow->addWidget(Button2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(BtnClose);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(Label1);
    layout->addLayout(folderRow);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, [this] { sys::guarded(this, [this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { sys::guarded(this, [this] { Button2Click(); }); });
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::reject);
}

QString TfrmOperateDatabase::backupCaption() { return u"备份数据库"_s; }
QString TfrmOperateDatabase::restoreCaption() { return u"恢复数据库"_s; }

void TfrmOperateDatabase::setUp(const QString &caption, const QString &label)
{
    setWindowTitle(caption);
    Label1->setText(label);
    Edit1->setText(QDir::toNativeSeparators(crm::AppPath + u"BackupData"_s));
}

void TfrmOperateDatabase::setUpBackup() { setUp(backupCaption(), u"备份数据库到目录："_s); }
void TfrmOperateDatabase::setUpRestore() { setUp(restoreCaption(), u"从目录恢复数据库："_s); }

QList<db::Dataset *> TfrmOperateDatabase::backupCloseOrder(const store::TDMOrvane &dm)
{
    return {dm.tlbCustDist, dm.tlbCust,         dm.tlbTypeColor, dm.tlbExchangeRate, dm.tlbLinkman, dm.tlbOperates,
            dm.tlbOperateItems, dm.tlbType,     dm.tlbOrigin,    dm.tlbAlarm,        dm.tlbAddressBook,
            dm.tlbCustList, dm.tlbCustLevel,    dm.QryType,      dm.tlbEvolveType,   dm.tlbCustType,
            dm.tlbCustVocation};
}

QList<db::Dataset *> TfrmOperateDatabase::backupReopenOrder(const store::TDMOrvane &dm)
{
    // Masters before their details; the exchange-rate table is opened by its users when needed.
    return {dm.tlbTypeColor, dm.tlbCustLevel,   dm.tlbCust,     dm.tlbLinkman, dm.tlbOperates, dm.tlbOperateItems,
            dm.tlbType,      dm.tlbOrigin,      dm.tlbAlarm,    dm.tlbAddressBook, dm.tlbCustList, dm.tlbCustDist,
            dm.QryType,      dm.tlbEvolveType,  dm.tlbCustType, dm.tlbCustVocation};
}

QList<db::Dataset *> TfrmOperateDatabase::restoreCloseOrder(const store::TDMOrvane &dm)
{
    return {dm.tlbCustDist,   dm.tlbCustLevel,   dm.tlbCust,      dm.tlbLinkman,   dm.tlbOperates,
            dm.tlbOperateItems, dm.tlbType,      dm.tlbOrigin,    dm.tlbAlarm,     dm.tlbAddressBook,
            dm.tlbCustList,   dm.tlbTypeColor,   dm.tlbExchangeRate, dm.tlbEvolveType, dm.tlbCustType,
            dm.tlbCustVocation, dm.QryTypeColor, dm.QryType};
}

void TfrmOperateDatabase::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TfrmOperateDatabase::Button2Click()
{
    const QString folder = sys::dialogs().chooseFolder(this, u"打开目录"_s, Edit1->text());
    // A cancelled browser keeps the folder shown before.
    if (!folder.isEmpty())
        Edit1->setText(QDir::toNativeSeparators(folder));
}

void TfrmOperateDatabase::Button1Click()
{
    if (windowTitle() == backupCaption())
        backup();
    else if (windowTitle() == restoreCaption())
        restore();
}

void TfrmOperateDatabase::backup()
{
    const QString target = QDir::fromNativeSeparators(Edit1->text());
    if (target.trimmed().isEmpty() || !QFileInfo(target).isDir()) {
        sys::warn(u"目录不存在！"_s);
        Edit1->clear();
        return;
    }

    const QList<db::Dataset *> closing = store::DMOrvane ? backupCloseOrder(*store::DMOrvane) : QList<db::Dataset *>();
    // Closing a table drops a record being edited: save what the user typed into the backup instead.
    for (db::Dataset *ds : closing)
        ds->checkBrowseMode();
    for (db::Dataset *ds : closing)
        ds->close();

    if (const QString data = subfolder(programFolder(), u"data"_s); !data.isEmpty())
        if (CopyFolder(data, target, this))
            sys::info(u"数据备份成功！"_s);
    if (const QString accessory = subfolder(programFolder(), u"Accessory"_s); !accessory.isEmpty())
        if (CopyFolder(accessory, target, this))
            sys::info(u"备份附件夹成功！"_s);

    if (store::DMOrvane)
        reopen(backupReopenOrder(*store::DMOrvane));
    accept();
}

void TfrmOperateDatabase::restore()
{
    if (store::DMOrvane)
        for (db::Dataset *ds : restoreCloseOrder(*store::DMOrvane))
            ds->close();

    const QString source = QDir::fromNativeSeparators(Edit1->text());
    if (const QString data = subfolder(source, u"data"_s); !data.isEmpty()) {
        // The database file is replaced, so nothing may hold it open.
        db::Connection::closeAlias();
        if (CopyFolder(data, programFolder(), this))
            sys::info(u"数据恢复成功！"_s);
    }
    if (const QString accessory = subfolder(source, u"Accessory"_s); !accessory.isEmpty())
        if (CopyFolder(accessory, programFolder(), this))
            sys::info(u"恢复附件夹成功！"_s);

    sys::info(u"数据恢复以后,按确定退出程序重新运行!"_s);
    endProcessNow();
    accept(); // reached only when the end of the process is stood in for (tests)
}

void runBackupCommand(QWidget *parent)
{
    TfrmOperateDatabase window(parent);
    window.setUpBackup();
    window.exec();
}

void runRestoreCommand(QWidget *parent)
{
    TfrmOperateDatabase window(parent);
    window.setUpRestore();
    window.exec();
}

} // namespace shell
