#pragma once
#include <QString>
#include <functional>
#include <stdexcept>

class QWidget;

namespace shell {

// Copies the folder source, with everything below it, into the folder targetParent: the copy
// lands in targetParent + the last name of source, which is created or filled. Files of the
// same name are overwritten without asking, all other files stay. A progress window appears
// when the copy takes a while; a failure is shown in an error box that names the file.
// Returns true when everything was copied.
bool CopyFolder(const QString &source, const QString &targetParent, QWidget *parent = nullptr);

// A copy that could not be made. what() is UTF-8 and names the file.
class FolderCopyError : public std::runtime_error
{
public:
    explicit FolderCopyError(const QString &message);
};

// Bytes copied so far, bytes in all, the file being copied.
using CopyProgress = std::function<void(qint64 done, qint64 total, const QString &file)>;

// The copy behind CopyFolder, without any window; throws FolderCopyError. In a folder that holds
// the database file, that file goes through copyDatabaseFile, and the lock files and the journal
// beside it are left out: they belong to the running program, not to the data.
void copyFolderTree(const QString &source, const QString &targetParent, const CopyProgress &progress = {});

// A consistent copy of an SQLite database file made by SQLite itself (the open database is
// read through its own connection, never byte-copied while in use). The target is replaced
// only after the copy passed SQLite's integrity check, so a failed copy leaves it as it was.
void copyDatabaseFile(const QString &source, const QString &target);

// The entry of folder whose name equals name without regard to case, so a copy fills the
// "Accessory" folder that exists rather than making an "accessory" beside it. name itself
// when there is none.
QString childInAnyCase(const QString &folder, const QString &name);

} // namespace shell
