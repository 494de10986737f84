#include "shell/AttachmentPanel.h"

#include "shell/FolderListModel.h"

#include "platform/system/Services.h"

#include <QDir>
#include <QFileSystemWatcher>

namespace shell {

AttachmentPanel::AttachmentPanel(QWidget *parent)
    : QListView(parent), m_model(new FolderListModel(this)), m_watcher(new QFileSystemWatcher(this))
{
    setModel(m_model);
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom);
    setWrapping(false);
    setUniformItemSizes(true);
    setIconSize(QSize(16, 16));
    setTextElideMode(Qt::ElideMiddle);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QAbstractItemView::activated, this, &AttachmentPanel::openEntry);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (m_followChanges)
            refresh();
    });
}

bool AttachmentPanel::setFolder(const QString &folder)
{
    const QString before = m_model->folder();
    if (!m_model->setFolder(folder))
        return false;
    if (!before.isEmpty())
        m_watcher->removePath(before);
    m_watcher->addPath(m_model->folder());
    if (m_model->rowCount() > 0)
        setCurrentIndex(m_model->index(0));
    emit folderChanged(folderPath());
    return true;
}

QString AttachmentPanel::folderPath() const { return m_model->folder(); }

void AttachmentPanel::refresh() { m_model->refresh(); }

void AttachmentPanel::setChangeHandling(bool on) { m_followChanges = on; }

bool AttachmentPanel::editEntry(const QString &fileName)
{
    const int row = m_model->rowOf(fileName);
    if (row < 0)
        return false;
    const QModelIndex index = m_model->index(row);
    scrollTo(index);
    setCurrentIndex(index);
    return edit(index, QAbstractItemView::AllEditTriggers, nullptr);
}

QString AttachmentPanel::editingEntry() const
{
    if (state() != QAbstractItemView::EditingState)
        return {};
    return currentIndex().data(Qt::EditRole).toString();
}

QStringList AttachmentPanel::entryNames() const { return m_model->names(); }

void AttachmentPanel::openEntry(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const QString path = index.data(FolderListModel::PathRole).toString();
    if (index.data(FolderListModel::IsFolderRole).toBool())
        setFolder(path);
    else
        sys::openPath(path);
}

} // namespace shell
