#pragma once
#include <QString>

// Fetching a file into the folder the main window's attachment panel shows.
namespace attachments {

enum class FetchResult { Copied, Moved, NameExists, Failed };

// Copies file into folder under its own name, never over an existing file; with move the
// source is deleted, but only after the copy succeeded.
FetchResult fetchFile(const QString &file, const QString &folder, bool move);

// The folder the main window's attachment panel shows now; empty when no panel is there.
QString attachmentPanelFolder();

} // namespace attachments
