#include "shell/AttachmentFiles.h"

#include "platform/db/Dataset.h"
#include "store/General.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace shell {

QString parentFolder(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return cut < 0 ? path : path.left(cut + 1);
}

QString createNewAttachment(const QString &folder, int &counter)
{
    const QDir dir(folder);
    if (!dir.exists())
        throw std::runtime_error(u"无法新建附件：附件夹“%1”不存在。"_s.arg(QDir::toNativeSeparators(folder)).toStdString());
    for (;;) {
        ++counter;
        const QString path = dir.filePath(u"新附件"_s + QString::number(counter));
        if (QFileInfo::exists(path))
            continue;
        QFile file(path);
        // NewOnly: a file that appeared in the meantime is never opened, let alone truncated.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return path;
        if (QFileInfo::exists(path))
            continue;
        throw std::runtime_error(u"无法新建附件“%1”：%2"_s.arg(QDir::toNativeSeparators(path), file.errorString()).toStdString());
    }
}

namespace {

std::optional<QString> folderOf(const db::Dataset *ds)
{
    if (!ds || !ds->isActive() || (ds->isEmpty() && ds->state() != db::State::Insert))
        return std::nullopt;
    const db::Field *path = ds->findField(u"AccessoryPath"_s);
    if (!path || path->isNull())
        return std::nullopt;
    return crm::accessoryFolder(path->asString());
}

} // namespace

std::optional<QString> recordFolder(const QString &activePage, const db::Dataset *customers,
                                    const db::Dataset *operates)
{
    if (activePage == u"dxTSCust"_s)
        return folderOf(customers);
    if (activePage == u"dxTSOperate"_s)
        return folderOf(operates);
    if (customers && customers->isActive())
        return folderOf(customers);
    return crm::AccessoryRoot;
}

} // namespace shell
