// Backup and restore: what lands on disk, what the user is told, and the data module's tables.
#include "FakeServices.h"
#include "TempProgramFolder.h"

#include "platform/db/Connection.h"
#include "shell/EndProcess.h"
#include "shell/TfrmOperateDatabase.h"
#include "store/DMOrvane.h"
#include "store/General.h"

#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using shell::TfrmOperateDatabase;

namespace {

void writeFile(const QString &path, const QByteArray &content)
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

// Every file below a folder with its content, leaving out the database file and the lock files
// of tables in use.
QMap<QString, QByteArray> filesBelow(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.endsWith(u"CRM.sqlite"_s) && !path.endsWith(u".lck"_s))
            files.insert(QDir(folder).relativeFilePath(path), readFile(path));
    }
    return files;
}

// Rows of a database file, read through a connection of its own.
QStringList customers(const QString &dataFolder)
{
    db::Connection::openAlias(u"CHECK"_s, dataFolder, false);
    QStringList rows;
    {
        db::Statement st(db::Connection::get(u"CHECK"_s), u"SELECT CustName_S || '|' || IFNULL(Address, '') FROM Customers ORDER BY CustNo"_s);
        while (st.step())
            rows << st.column(0, db::FieldType::String).toString();
        db::Statement check(db::Connection::get(u"CHECK"_s), u"PRAGMA integrity_check"_s);
        if (!check.step() || check.column(0, db::FieldType::String).toString() != u"ok"_s)
            rows << u"<corrupt>"_s;
    }
    db::Connection::closeAlias(u"CHECK"_s);
    return rows;
}

} // namespace

class TestBackup : public QObject
{
    Q_OBJECT
    std::unique_ptr<fake::Services> m_services;
    std::unique_ptr<testing::TempProgramFolder> m_folder;
    std::unique_ptr<store::TDMOrvane> m_dm;
    std::unique_ptr<QTemporaryDir> m_backup;
    int m_ended = 0;

    QString program(const QString &relative) const { return m_folder->path(relative); }
    QString backup(const QString &relative = {}) const { return m_backup->filePath(relative); }

    QStringList shownTexts() const
    {
        QStringList texts;
        for (const auto &m : m_services->messages.shown)
            texts << m.text;
        return texts;
    }

    // Opens the window for a task, picks the folder with "...", and presses "确定".
    std::unique_ptr<TfrmOperateDatabase> run(bool restore, const QString &folder)
    {
        auto w = std::make_unique<TfrmOperateDatabase>();
        restore ? w->setUpRestore() : w->setUpBackup();
        w->show();
        if (!folder.isNull()) {
            m_services->dialogs.folders.enqueue(folder);
            QTest::mouseClick(w->findChild<QPushButton *>(u"Button2"_s), Qt::LeftButton);
        }
        QTest::mouseClick(w->findChild<QPushButton *>(u"Button1"_s), Qt::LeftButton);
        return w;
    }

    void verifyTablesBackInUse()
    {
        for (db::Dataset *ds : TfrmOperateDatabase::backupReopenOrder(*m_dm))
            QVERIFY2(ds->isActive(), qPrintable(ds->objectName()));
        QVERIFY(!m_dm->tlbExchangeRate->isActive()); // opened again by its next user
    }

private slots:
    void init()
    {
        m_services = std::make_unique<fake::Services>();
        m_folder = std::make_unique<testing::TempProgramFolder>();
        m_backup = std::make_unique<QTemporaryDir>();
        crm::AppPath = m_folder->appPath();
        crm::AccessoryRoot = crm::AppPath + u"Accessory/"_s;
        m_ended = 0;
        shell::endProcessHook() = [this] { ++m_ended; };

        m_folder->exec(u"INSERT INTO Customers (CustNo, CustName_S, Address) VALUES (1, '华信', '北京'), (2, '远东', NULL)"_s);
        writeFile(program(u"data/Report/CustList.frf"_s), "<html>客户列表</html>");
        writeFile(program(u"data/dingdong.wav"_s), QByteArray(70000, 'w'));
        writeFile(program(u"Accessory/华信/画册/报价.xls"_s), "quote");
        writeFile(program(u"Accessory/说明.txt"_s), "readme");
        QDir().mkpath(program(u"Accessory/远东"_s)); // empty folders are copied too

        m_dm = std::make_unique<store::TDMOrvane>();
        store::DMOrvane = m_dm.get();
        for (db::Dataset *ds : TfrmOperateDatabase::restoreCloseOrder(*m_dm))
            ds->open();
        m_dm->QryOperateList->setParam(u"StartTime"_s, QDate(1900, 1, 1));
        m_dm->QryOperateList->setParam(u"EndTime"_s, QDate(2100, 1, 1));
        m_dm->QryOperateList->open(); // stays open through a backup
    }
    void cleanup()
    {
        shell::endProcessHook() = nullptr;
        m_dm.reset();
        m_backup.reset();
        m_folder.reset();
        m_services.reset();
    }

    void windowIsSetUpByTheCommand_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("label");
        QTest::newRow("backup") << false << u"备份数据库"_s << u"备份数据库到目录："_s;
        QTest::newRow("restore") << true << u"恢复数据库"_s << u"从目录恢复数据库："_s;
    }
    void windowIsSetUpByTheCommand()
    {
        QFETCH(bool, restore);
        QFETCH(QString, caption);
        QFETCH(QString, label);
        TfrmOperateDatabase w;
        restore ? w.setUpRestore() : w.setUpBackup();
        w.show();
        QCOMPARE(w.windowTitle(), caption);
        QCOMPARE(w.findChild<QLabel *>(u"Label1"_s)->text(), label);
        auto *edit = w.findChild<QLineEdit *>(u"Edit1"_s);
        QCOMPARE(edit->text(), QDir::toNativeSeparators(program(u"BackupData"_s)));
        edit->setFocus();
        QTest::keyClicks(edit, u"xyz"_s);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QDir::toNativeSeparators(program(u"BackupData"_s))); // typing is ignored

        QTest::mouseClick(w.findChild<QPushButton *>(u"Button2"_s), Qt::LeftButton); // browser cancelled
        QCOMPARE(m_services->dialogs.asked, QStringList{u"chooseFolder: 打开目录"_s});
        QCOMPARE(edit->text(), QDir::toNativeSeparators(program(u"BackupData"_s)));
        if (!qEnvironmentVariableIsEmpty("CRM_GRAB_DIR"))
            QVERIFY(w.grab().save(QDir(qEnvironmentVariable("CRM_GRAB_DIR")).filePath(u"frmOperateDatabase-%1.png"_s.arg(restore))));
    }

    void backupToMissingFolderChangesNothing()
    {
        auto w = run(false, QString()); // the default folder does not exist yet
        QCOMPARE(m_services->messages.shown.size(), 1);
        QCOMPARE(m_services->messages.shown[0].text, u"目录不存在！"_s);
        QCOMPARE(m_services->messages.shown[0].title, u"系统提示"_s);
        QCOMPARE(m_services->messages.shown[0].icon, sys::Icon::Warning);
        QCOMPARE(w->findChild<QLineEdit *>(u"Edit1"_s)->text(), QString());
        QVERIFY(w->isVisible());
        QVERIFY(m_dm->tlbCust->isActive() && m_dm->tlbExchangeRate->isActive()); // nothing was closed

        QTest::mouseClick(w->findChild<QPushButton *>(u"Button1"_s), Qt::LeftButton); // empty box: the same
        QCOMPARE(shownTexts(), (QStringList{u"目录不存在！"_s, u"目录不存在！"_s}));
    }

    // A backup and a restore give back the same files and the same rows in a database that opens.
    void backupThenRestoreRoundTrip()
    {
        const auto dataBefore = filesBelow(program(u"data"_s));
        const auto accessoryBefore = filesBelow(program(u"Accessory"_s));
        const QStringList rowsBefore = customers(program(u"data"_s));

        auto w = run(false, backup());
        QCOMPARE(shownTexts(), (QStringList{u"数据备份成功！"_s, u"备份附件夹成功！"_s}));
        for (const auto &m : m_services->messages.shown)
            QCOMPARE(m.icon, sys::Icon::Information);
        QVERIFY(!w->isVisible());
        QCOMPARE(w->result(), int(QDialog::Accepted));
        QCOMPARE(filesBelow(backup(u"data"_s)), dataBefore);
        QCOMPARE(filesBelow(backup(u"Accessory"_s)), accessoryBefore);
        QVERIFY(QFileInfo(backup(u"Accessory/远东"_s)).isDir());
        QCOMPARE(customers(backup(u"data"_s)), rowsBefore);
        QVERIFY(QDir(backup()).entryList(QDir::Files).isEmpty()); // nothing of its own beside the two folders
        verifyTablesBackInUse();
        QCOMPARE(m_dm->tlbCust->recordCount(), 2);
        QCOMPARE(m_ended, 0);

        // The program's data moves on after the backup ...
        m_dm->tlbCust->first();
        m_dm->tlbCust->edit();
        m_dm->tlbCust->field(u"Address"_s).setValue(u"上海"_s);
        m_dm->tlbCust->post();
        m_folder->exec(u"INSERT INTO Customers (CustNo, CustName_S) VALUES (3, '新客户')"_s);
        writeFile(program(u"Accessory/华信/画册/报价.xls"_s), "changed");
        writeFile(program(u"Accessory/新客户/名片.jpg"_s), "card");

        // ... and the restore brings the backup back, keeping files only the program has.
        m_services->messages.shown.clear();
        auto r = run(true, backup());
        QCOMPARE(shownTexts(), (QStringList{u"数据恢复成功！"_s, u"恢复附件夹成功！"_s, u"数据恢复以后,按确定退出程序重新运行!"_s}));
        for (const auto &m : m_services->messages.shown)
            QCOMPARE(m.icon, sys::Icon::Information);
        QCOMPARE(m_ended, 1);
        QVERIFY(!db::Connection::isOpen());
        QCOMPARE(customers(program(u"data"_s)), rowsBefore);
        QCOMPARE(filesBelow(program(u"data"_s)), dataBefore);
        QCOMPARE(readFile(program(u"Accessory/华信/画册/报价.xls"_s)), QByteArray("quote"));
        QCOMPARE(readFile(program(u"Accessory/新客户/名片.jpg"_s)), QByteArray("card"));
    }

    void backupOverwritesAnEarlierBackupAndKeepsOtherFiles()
    {
        writeFile(backup(u"data/Report/CustList.frf"_s), "old template");
        writeFile(backup(u"data/CRM.sqlite"_s), "an old database file");
        writeFile(backup(u"data/notes.txt"_s), "mine");
        writeFile(backup(u"Accessory/旧客户/a.doc"_s), "old");
        run(false, backup());
        QCOMPARE(readFile(backup(u"data/Report/CustList.frf"_s)), QByteArray("<html>客户列表</html>"));
        QCOMPARE(customers(backup(u"data"_s)), customers(program(u"data"_s)));
        QCOMPARE(readFile(backup(u"data/notes.txt"_s)), QByteArray("mine"));
        QCOMPARE(readFile(backup(u"Accessory/旧客户/a.doc"_s)), QByteArray("old"));
    }

    // Lock files beside the database belong to the running program; a user's file of that kind does not.
    void programStateIsLeftOut()
    {
        writeFile(program(u"data/Orvane.lock"_s), "12345");
        writeFile(program(u"Accessory/华信/会议.lock"_s), "attachment");
        QVERIFY(QFileInfo::exists(program(u"data/Operates.lck"_s))); // the business table is open exclusively
        run(false, backup());
        QVERIFY(!QFileInfo::exists(backup(u"data/Orvane.lock"_s)));
        QVERIFY(QDir(backup(u"data"_s)).entryList({u"*.lck"_s}).isEmpty());
        QCOMPARE(readFile(backup(u"Accessory/华信/会议.lock"_s)), QByteArray("attachment"));
    }

    void backupWithoutAttachmentFolderCopiesOnlyTheData()
    {
        QVERIFY(QDir(program(u"Accessory"_s)).removeRecursively());
        run(false, backup());
        QCOMPARE(shownTexts(), QStringList{u"数据备份成功！"_s});
        QVERIFY(!QFileInfo::exists(backup(u"Accessory"_s)));
    }

    // What was typed into a record being edited goes into the backup instead of being dropped.
    void recordBeingEditedIsSavedFirst()
    {
        m_dm->tlbCust->locate(u"CustName_S"_s, u"远东"_s);
        m_dm->tlbCust->edit();
        m_dm->tlbCust->field(u"Address"_s).setValue(u"广州"_s);
        run(false, backup());
        QCOMPARE(customers(backup(u"data"_s)), (QStringList{u"华信|北京"_s, u"远东|广州"_s}));
        QCOMPARE(m_dm->tlbCust->state(), db::State::Browse);
    }

    // A copy that fails says so and never claims success; the tables are opened again anyway.
    void failedCopyIsReported_data()
    {
        QTest::addColumn<QString>("blocker"); // a file where the backup needs a folder
        QTest::addColumn<QStringList>("successes");
        QTest::newRow("data") << u"data"_s << QStringList{u"备份附件夹成功！"_s};
        QTest::newRow("attachments") << u"Accessory"_s << QStringList{u"数据备份成功！"_s};
    }
    void failedCopyIsReported()
    {
        QFETCH(QString, blocker);
        QFETCH(QStringList, successes);
        writeFile(backup(blocker), "not a folder");
        auto w = run(false, backup());
        QStringList infos;
        int errors = 0;
        for (const auto &m : m_services->messages.shown) {
            if (m.icon == sys::Icon::Information)
                infos << m.text;
            if (m.icon == sys::Icon::Critical && m.text.contains(QDir::toNativeSeparators(backup(blocker))))
                ++errors;
        }
        QCOMPARE(infos, successes);
        QCOMPARE(errors, 1);
        verifyTablesBackInUse();
        QVERIFY(!w->isVisible());
    }

    void backupIntoTheProgramFolderIsRefused()
    {
        run(false, m_folder->appPath());
        QCOMPARE(m_services->messages.shown.size(), 2);
        for (const auto &m : m_services->messages.shown)
            QCOMPARE(m.icon, sys::Icon::Critical);
        QCOMPARE(customers(program(u"data"_s)), (QStringList{u"华信|北京"_s, u"远东|"_s}));
        QCOMPARE(readFile(program(u"Accessory/说明.txt"_s)), QByteArray("readme"));
    }

    void restoreFromAFolderWithoutBackupStillEnds()
    {
        run(true, backup());
        QCOMPARE(shownTexts(), QStringList{u"数据恢复以后,按确定退出程序重新运行!"_s});
        QCOMPARE(m_ended, 1);
        QCOMPARE(customers(program(u"data"_s)), (QStringList{u"华信|北京"_s, u"远东|"_s}));
    }

    // Folder names match without regard to case: the restore fills the existing folders.
    void restoreFillsFoldersOfAnyCase()
    {
        writeFile(backup(u"DATA/report/custlist.frf"_s), "restored template");
        writeFile(backup(u"accessory/华信/新.doc"_s), "new");
        run(true, backup());
        QCOMPARE(shownTexts(), (QStringList{u"数据恢复成功！"_s, u"恢复附件夹成功！"_s, u"数据恢复以后,按确定退出程序重新运行!"_s}));
        QCOMPARE(readFile(program(u"data/Report/CustList.frf"_s)), QByteArray("restored template"));
        QCOMPARE(readFile(program(u"Accessory/华信/新.doc"_s)), QByteArray("new"));
        const QStringList folders = QDir(m_folder->appPath()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(folders.filter(u"accessory"_s, Qt::CaseInsensitive), QStringList{u"Accessory"_s});
        QCOMPARE(folders.filter(u"data"_s, Qt::CaseInsensitive), QStringList{u"data"_s});
        QCOMPARE(QDir(program(u"data"_s)).entryList(QDir::Dirs | QDir::NoDotAndDotDot).filter(u"report"_s, Qt::CaseInsensitive),
                 QStringList{u"Report"_s});
    }

    // A damaged database in the backup is not copied over the program's own.
    void restoreRefusesADamagedDatabase()
    {
        writeFile(backup(u"data/CRM.sqlite"_s), QByteArray(8192, 'x'));
        run(true, backup());
        QCOMPARE(m_services->messages.shown.size(), 2);
        QCOMPARE(m_services->messages.shown[0].icon, sys::Icon::Critical);
        QCOMPARE(m_services->messages.shown[1].text, u"数据恢复以后,按确定退出程序重新运行!"_s);
        QCOMPARE(customers(program(u"data"_s)), (QStringList{u"华信|北京"_s, u"远东|"_s}));
    }
};

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
