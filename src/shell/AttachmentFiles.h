#pragma once
#include <QString>
#include <optional>

namespace db { class Dataset; }

// Rules behind the attachment panel's toolbar, free of any window.
namespace shell {

// The folder "向上" goes to: the text up to and including the last separator ('/' or '\'),
// so a root ("/", "C:\") stays where it is.
QString parentFolder(const QString &path);

// Creates a new empty file "新附件<n>" in folder and returns its full path. counter is the
// number used last in this run; the next free number is taken, so an existing file is never
// truncated. Throws std::runtime_error (UTF-8 message) when the file cannot be created.
QString createNewAttachment(const QString &folder, int &counter);

// The folder "还原" goes back to for the active page, or nothing when the panel stays
// where it is: the customer's folder on the customer page, the business record's folder on
// the business page, elsewhere the customer's folder when the customer table is open and
// the attachment root when it is not. A record without a folder gives nothing.
std::optional<QString> recordFolder(const QString &activePage, const db::Dataset *customers,
                                    const db::Dataset *operates);

} // namespace shell
