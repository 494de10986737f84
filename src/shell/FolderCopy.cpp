#include "shell/FolderCopy.h"

#include "platform/db/Connection.h"
#include "platform/system/Services.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QSaveFile>
#include <cstdio>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace shell {

FolderCopyError::FolderCopyError(const QString &message) : std::runtime_error(message.toStdString()) {}

namespace {

QString native(const QString &path) { return QDir::toNativeSeparators(path); }

QString databaseName() { return QString::fromLatin1(db::Connection::DatabaseFileName); }

bool isDatabaseFile(const QString &name) { return name.compare(databaseName(), Qt::CaseInsensitive) == 0; }

// Beside the database, files of the running program rather than data: lock files and the journal.
bool isProgramState(const QString &name)
{
    if (name.endsWith(u".lck"_s, Qt::CaseInsensitive) || name.endsWith(u".lock"_s, Qt::CaseInsensitive))
        return true;
    for (const auto &suffix : {u"-journal"_s, u"-wal"_s, u"-shm"_s})
        if (name.compare(databaseName() + suffix, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool sameFile(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// An sqlite3 handle closed on every path out.
struct SqliteHandle
{
    sqlite3 *db = nullptr;
    bool owned = true;
    ~SqliteHandle()
    {
        if (db && owned)
            sqlite3_close(db);
    }
    QString message() const { return db::engineMessage(db); }
};

void openOrThrow(SqliteHandle &h, const QString &path, int flags, const QString &what)
{
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &h.db, flags, nullptr) != SQLITE_OK)
        throw FolderCopyError(u"%1：%2\n%3"_s.arg(what, native(path), h.message()));
}

void checkIntegrity(const QString &path)
{
    SqliteHandle h;
    openOrThrow(h, path, SQLITE_OPEN_READONLY, u"无法检查数据库副本"_s);
    sqlite3_stmt *st = nullptr;
    QString result;
    if (sqlite3_prepare_v2(h.db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    else
        result = h.message();
    sqlite3_finalize(st);
    if (result != u"ok"_s)
        throw FolderCopyError(u"数据库副本未通过完整性检查：%1\n%2"_s.arg(native(path), result));
}

void copyFile(const QString &source, const QString &target, qint64 &done, qint64 total, const CopyProgress &progress)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw FolderCopyError(u"无法读取文件：%1\n%2"_s.arg(native(source), in.errorString()));
    // Written beside the target and renamed over it at the end: a failed copy leaves the old file.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        throw FolderCopyError(u"无法写入文件：%1\n%2"_s.arg(native(target), out.errorString()));
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(buffer.data(), buffer.size());
        if (n < 0)
            throw FolderCopyError(u"无法读取文件：%1\n%2"_s.arg(native(source), in.errorString()));
        if (n == 0)
            break;
        if (out.write(buffer.constData(), n) != n)
            throw FolderCopyError(u"无法写入文件：%1\n%2"_s.arg(native(target), out.errorString()));
        done += n;
        if (progress)
            progress(done, total, source);
    }
    if (!out.commit())
        throw FolderCopyError(u"无法写入文件：%1\n%2"_s.arg(native(target), out.errorString()));
    // Keep the modification time, as a copy made by the desktop does.
    QFile written(target);
    if (written.open(QIODevice::ReadWrite))
        written.setFileTime(QFileInfo(source).lastModified(), QFileDevice::FileModificationTime);
}

// The entries of the target folders, read once per folder and kept up to date as the copy adds to them.
class TargetNames
{
public:
    QString resolve(const QString &folder, const QString &name)
    {
        auto it = m_names.find(folder);
        if (it == m_names.end()) {
            QHash<QString, QString> names;
            const QStringList entries =
                QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
            for (const QString &e : entries)
                names.insert(e.toLower(), e);
            it = m_names.insert(folder, names);
        }
        const QString real = it->value(name.toLower(), name);
        it->insert(name.toLower(), real);
        return QDir(folder).filePath(real);
    }

private:
    QHash<QString, QHash<QString, QString>> m_names;
};

struct Entry
{
    QString source;
    QString relativeParent; // "" for the copied folder itself
    QString name;
    bool folder;
    bool database; // the database file, copied through SQLite
};

// Only the folder that holds the database is treated specially; a user's attachment that happens to
// be called "x.lock" is copied like any other file.
void collect(const QString &folder, const QString &relative, QList<Entry> &entries, qint64 &total)
{
    const QFileInfoList infos = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name | QDir::DirsFirst);
    const bool databaseFolder = relative.isEmpty()
        && std::any_of(infos.begin(), infos.end(), [](const QFileInfo &i) { return i.isFile() && isDatabaseFile(i.fileName()); });
    for (const QFileInfo &info : infos) {
        if (info.isDir()) {
            entries.append({info.filePath(), relative, info.fileName(), true, false});
            if (!info.isSymLink())
                collect(info.filePath(), relative + info.fileName() + u'/', entries, total);
        } else if (!databaseFolder || !isProgramState(info.fileName())) {
            entries.append({info.filePath(), relative, info.fileName(), false, databaseFolder && isDatabaseFile(info.fileName())});
            total += info.size();
        }
    }
}

} // namespace

QString childInAnyCase(const QString &folder, const QString &name)
{
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString &e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return e;
    return name;
}

void copyDatabaseFile(const QString &source, const QString &target)
{
    SqliteHandle src;
    if (db::Connection::isOpen() && sameFile(db::Connection::get().filePath(), source)) {
        src.db = db::Connection::get().handle();
        src.owned = false;
    } else {
        openOrThrow(src, source, SQLITE_OPEN_READONLY, u"无法打开数据库文件"_s);
    }

    const QString part = target + u".part"_s;
    QFile::remove(part);
    QString failure;
    {
        SqliteHandle dst;
        openOrThrow(dst, part, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, u"无法写入数据库副本"_s);
        if (sqlite3_backup *backup = sqlite3_backup_init(dst.db, "main", src.db, "main")) {
            const int step = sqlite3_backup_step(backup, -1);
            if (sqlite3_backup_finish(backup) != SQLITE_OK || step != SQLITE_DONE)
                failure = dst.message();
        } else {
            failure = dst.message();
        }
    }
    if (!failure.isEmpty()) {
        QFile::remove(part);
        throw FolderCopyError(u"无法复制数据库文件：%1\n%2"_s.arg(native(source), failure));
    }
    try {
        checkIntegrity(part);
    } catch (...) {
        QFile::remove(part);
        throw;
    }
    // A journal left beside the old file would be rolled into the new one when it is next opened.
    QFile::remove(target + u"-journal"_s);
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(part);
        throw FolderCopyError(u"无法替换数据库文件：%1"_s.arg(native(target)));
    }
}

void copyFolderTree(const QString &source, const QString &targetParent, const CopyProgress &progress)
{
    const QFileInfo src(source);
    if (!src.isDir())
        throw FolderCopyError(u"文件夹不存在：%1"_s.arg(native(source)));
    if (!QFileInfo(targetParent).isDir())
        throw FolderCopyError(u"目标文件夹不存在：%1"_s.arg(native(targetParent)));
    const QString srcCanon = src.canonicalFilePath();
    const QString parentCanon = QFileInfo(targetParent).canonicalFilePath() + u'/';
    const QString root = QDir(targetParent).filePath(childInAnyCase(targetParent, src.fileName()));
    const QString rootCanon = QFileInfo(root).canonicalFilePath();
    if (rootCanon == srcCanon || parentCanon.startsWith(srcCanon + u'/'))
        throw FolderCopyError(u"不能把文件夹复制到它自己或它的子文件夹中：%1"_s.arg(native(source)));

    QList<Entry> entries;
    qint64 total = 0;
    collect(source, QString(), entries, total);

    if (!QFileInfo(root).isDir() && !QDir().mkpath(root))
        throw FolderCopyError(u"无法创建文件夹：%1"_s.arg(native(root)));
    QHash<QString, QString> folders{{QString(), root}}; // relative path in the source -> target folder
    TargetNames names;
    qint64 done = 0;
    for (const Entry &e : entries) {
        const QString target = names.resolve(folders.value(e.relativeParent), e.name);
        if (e.folder) {
            if (!QFileInfo(target).isDir() && !QDir().mkdir(target))
                throw FolderCopyError(u"无法创建文件夹：%1"_s.arg(native(target)));
            folders.insert(e.relativeParent + e.name + u'/', target);
            continue;
        }
        if (progress)
            progress(done, total, e.source);
        if (e.database) {
            copyDatabaseFile(e.source, target);
            done += QFileInfo(e.source).size();
        } else {
            copyFile(e.source, target, done, total, progress);
        }
    }
    if (progress)
        progress(total, total, QString());
}

bool CopyFolder(const QString &source, const QString &targetParent, QWidget *parent)
{
    std::unique_ptr<QProgressDialog> window;
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        window = std::make_unique<QProgressDialog>(parent);
        window->setWindowTitle(u"正在复制"_s);
        window->setLabelText(u"正在复制 %1 …"_s.arg(native(source)));
        window->setCancelButton(nullptr); // half a restore is worse than waiting
        window->setWindowModality(Qt::ApplicationModal);
        window->setMinimumDuration(600);
        window->setRange(0, 1000);
        window->setAutoReset(false);
        window->setValue(0);
    }
    try {
        copyFolderTree(source, targetParent, [&](qint64 done, qint64 total, const QString &file) {
            if (!window)
                return;
            if (!file.isEmpty())
                window->setLabelText(u"正在复制：%1"_s.arg(
                    native(QFileInfo(source).fileName() + u'/' + QDir(source).relativeFilePath(file))));
            window->setValue(total > 0 ? int(done * 1000 / total) : 1000);
        });
        return true;
    } catch (const std::exception &e) {
        window.reset();
        sys::error(u"复制文件夹失败。\n%1"_s.arg(QString::fromUtf8(e.what())));
        return false;
    }
}

} // namespace shell
