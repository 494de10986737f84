#pragma once
#include <QListView>

class QFileSystemWatcher;

namespace shell {

class FolderListModel;

// The attachment panel's folder list: the entries of one folder in list style. Opening a
// file hands it to the desktop's default program; opening a folder lists that folder.
// Names are renamed in place (F2, or a slow second click). Follows changes made on disk.
class AttachmentPanel : public QListView {
    Q_OBJECT
public:
    explicit AttachmentPanel(QWidget *parent = nullptr);

    // Lists folder; false, and the list stays where it was, when the folder does not exist.
    bool setFolder(const QString &folder);
    // The folder listed, without a trailing separator except for a root ("/").
    QString folderPath() const;
    void refresh();

    // Suspends (false) and restores (true) following the folder's changes on disk.
    void setChangeHandling(bool on);
    bool changeHandling() const { return m_followChanges; }

    // Scrolls the entry into view and opens its name for renaming; false when not listed.
    bool editEntry(const QString &fileName);
    // The name being renamed, or empty.
    QString editingEntry() const;
    QStringList entryNames() const;
    FolderListModel *folderModel() const { return m_model; }

    // Opens the entry at row as a user's double click does.
    void openEntry(const QModelIndex &index);

signals:
    void folderChanged(const QString &path);

private:
    FolderListModel *m_model;
    QFileSystemWatcher *m_watcher;
    bool m_followChanges = true;
};

} // namespace shell
