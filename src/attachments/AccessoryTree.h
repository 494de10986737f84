#pragma once
#include <QList>
#include <QString>
#include <array>

// Rules of the attachment folder tree, free of any window.
namespace attachments {

struct AccessoryEntry
{
    QString name;
    bool folder = false;
};

// Folders before files; within each, the names' bytes (UTF-8) in plain ascending order, so
// "B..." comes before "a...".
bool accessoryLess(const AccessoryEntry &a, const AccessoryEntry &b);

// The entries of a folder (hidden ones too, without "." and ".."), in the order above.
QList<AccessoryEntry> listFolder(const QString &folder);

// "文件夹" or "文件", as the tree's type column shows it.
QString typeText(bool folder);

// The full path of an entry from the root's entries down to it: each folder's name is followed
// by a separator, so a folder's path ends with one and a file's does not. root ends with one.
QString fullPath(const QString &root, const QList<AccessoryEntry> &chain);

// The first three folder levels of a full path below root: customer, business record and item
// description. A level that is not followed by a separator is empty, so a file directly in a
// customer folder gives only the customer's name.
std::array<QString, 3> folderLevels(const QString &fullPath, const QString &root);

// A name a new folder or a renamed file may take: not empty, no separator ('/' or '\', which
// the stored relative paths use), not "." or "..", no control characters.
bool isValidName(const QString &name);

} // namespace attachments
