#include "attachments/AccessoryTree.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace attachments {

bool accessoryLess(const AccessoryEntry &a, const AccessoryEntry &b)
{
    if (a.folder != b.folder)
        return a.folder;
    return a.name.toUtf8() < b.name.toUtf8();
}

QList<AccessoryEntry> listFolder(const QString &folder)
{
    QList<AccessoryEntry> entries;
    const QFileInfoList infos =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo &info : infos)
        entries.append({info.fileName(), info.isDir()});
    std::sort(entries.begin(), entries.end(), accessoryLess);
    return entries;
}

QString typeText(bool folder) { return folder ? u"文件夹"_s : u"文件"_s; }

QString fullPath(const QString &root, const QList<AccessoryEntry> &chain)
{
    QString path = root;
    for (const AccessoryEntry &e : chain) {
        path += e.name;
        if (e.folder)
            path += u'/';
    }
    return path;
}

std::array<QString, 3> folderLevels(const QString &fullPath, const QString &root)
{
    QString rest = fullPath.startsWith(root) ? fullPath.mid(root.size()) : QString();
    std::array<QString, 3> levels;
    for (QString &level : levels) {
        const qsizetype cut = rest.indexOf(u'/');
        if (cut < 0)
            break;
        level = rest.left(cut);
        rest.remove(0, cut + 1);
    }
    return levels;
}

bool isValidName(const QString &name)
{
    if (name.isEmpty() || name == u"."_s || name == u".."_s)
        return false;
    for (const QChar c : name)
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            return false;
    return true;
}

} // namespace attachments
