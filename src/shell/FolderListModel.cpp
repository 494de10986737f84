#include "shell/FolderListModel.h"

#include "platform/system/Services.h"

#include <QCollator>
#include <QDir>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace shell {

FolderListModel::FolderListModel(QObject *parent) : QAbstractListModel(parent) {}

QFileInfoList FolderListModel::read() const
{
    if (m_folder.isEmpty())
        return {};
    QFileInfoList list = QDir(m_folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    QCollator collator{QLocale()};
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(list.begin(), list.end(), [&](const QFileInfo &a, const QFileInfo &b) {
        if (a.isDir() != b.isDir())
            return a.isDir();
        return collator.compare(a.fileName(), b.fileName()) < 0;
    });
    return list;
}

bool FolderListModel::setFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir())
        return false;
    beginResetModel();
    m_folder = QDir::cleanPath(info.absoluteFilePath());
    m_entries = read();
    endResetModel();
    return true;
}

void FolderListModel::refresh()
{
    const QFileInfoList fresh = read();
    // Removals and insertions one row at a time keep the view's selection and editor in place.
    for (int row = int(m_entries.size()) - 1; row >= 0; --row) {
        if (!fresh.contains(m_entries[row])) {
            beginRemoveRows({}, row, row);
            m_entries.removeAt(row);
            endRemoveRows();
        }
    }
    for (int row = 0; row < fresh.size(); ++row) {
        if (row < m_entries.size() && m_entries[row] == fresh[row])
            continue;
        beginInsertRows({}, row, row);
        m_entries.insert(row, fresh[row]);
        endInsertRows();
    }
    // Anything still out of step (a changed order) is read afresh.
    if (m_entries != fresh) {
        beginResetModel();
        m_entries = fresh;
        endResetModel();
        return;
    }
    // Only rows whose file changed are repainted: an open name editor is left alone.
    for (int row = 0; row < fresh.size(); ++row) {
        const QFileInfo &was = m_entries[row];
        const QFileInfo &now = fresh[row];
        const bool changed = was.size() != now.size() || was.lastModified() != now.lastModified();
        m_entries[row] = now;
        if (changed)
            emit dataChanged(index(row), index(row));
    }
}

int FolderListModel::rowOf(const QString &fileName) const
{
    for (int i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].fileName().compare(fileName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QStringList FolderListModel::names() const
{
    QStringList list;
    for (const QFileInfo &fi : m_entries)
        list << fi.fileName();
    return list;
}

int FolderListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_entries.size()); }

QVariant FolderListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const QFileInfo &fi = m_entries[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return fi.fileName();
    case Qt::DecorationRole:
        return m_icons.icon(fi);
    case Qt::ToolTipRole:
        if (fi.isDir())
            return u"%1\n文件夹"_s.arg(fi.fileName());
        return u"%1\n大小：%2\n修改日期：%3"_s.arg(fi.fileName(), QLocale().formattedDataSize(fi.size()),
                                             QLocale().toString(fi.lastModified(), QLocale::ShortFormat));
    case PathRole:
        return fi.absoluteFilePath();
    case IsFolderRole:
        return fi.isDir();
    default:
        return {};
    }
}

Qt::ItemFlags FolderListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
}

bool FolderListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= m_entries.size())
        return false;
    const QFileInfo fi = m_entries[index.row()];
    const QString name = value.toString().trimmed();
    if (name == fi.fileName())
        return false;
    QString refusal;
    if (name.isEmpty())
        refusal = u"文件名不能为空。"_s;
    else if (name.contains(u'/') || name.contains(u'\\') || name == u"."_s || name == u".."_s)
        refusal = u"文件名“%1”无效：名称中不能含有 \\ 或 /。"_s.arg(name);
    else if (QFileInfo::exists(fi.dir().filePath(name)) && name.compare(fi.fileName(), Qt::CaseInsensitive) != 0)
        refusal = u"无法重命名：本文件夹中已有名为“%1”的文件或文件夹。"_s.arg(name);
    else if (!QDir(fi.absolutePath()).rename(fi.fileName(), name))
        refusal = u"无法将“%1”重命名为“%2”：请检查该文件是否正被其他程序使用。"_s.arg(fi.fileName(), name);
    if (!refusal.isEmpty()) {
        sys::warn(refusal);
        return false;
    }
    refresh();
    return true;
}

} // namespace shell
