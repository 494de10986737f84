#pragma once
#include <QAbstractListModel>
#include <QFileIconProvider>
#include <QFileInfo>

namespace shell {

// The entries of one folder: sub-folders first, then files, each in the locale's name order.
// Names can be edited, which renames the entry on disk.
class FolderListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { PathRole = Qt::UserRole + 1, IsFolderRole };

    explicit FolderListModel(QObject *parent = nullptr);

    // Lists folder (an existing one); false, and nothing changes, when it does not exist.
    bool setFolder(const QString &folder);
    QString folder() const { return m_folder; }
    // Reads the folder again, keeping the rows that did not change.
    void refresh();

    QFileInfo entry(int row) const { return m_entries.value(row); }
    int rowOf(const QString &fileName) const; // -1 when missing; names compare without case
    QStringList names() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Renames the entry; a refused name is reported in a message box and nothing changes.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    QFileInfoList read() const;

    QString m_folder;
    QFileInfoList m_entries;
    QFileIconProvider m_icons;
};

} // namespace shell
