#include "attachments/AttachmentFetch.h"

#include "store/DMOrvane.h"

#include <QDir>
#include <QFileInfo>

namespace attachments {

FetchResult fetchFile(const QString &file, const QString &folder, bool move)
{
    const QFileInfo source(file);
    if (!source.isFile() || folder.isEmpty())
        return FetchResult::Failed;
    const QString target = QDir(folder).filePath(source.fileName());
    if (QFileInfo::exists(target))
        return FetchResult::NameExists;
    if (!QFile::copy(file, target))
        return FetchResult::Failed;
    if (!move)
        return FetchResult::Copied;
    // A source that cannot be deleted stays: the file is then in both places, never in none.
    return QFile::remove(file) ? FetchResult::Moved : FetchResult::Copied;
}

QString attachmentPanelFolder()
{
    if (store::DMOrvane && store::DMOrvane->hooks.attachmentPanelPath)
        return store::DMOrvane->hooks.attachmentPanelPath();
    return {};
}

} // namespace attachments
