#pragma once
#include <QDialog>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace attachments {

// "整理附件夹": the attachment tree below the root, read one level at a time, with creating
// folders and renaming, moving and deleting files. Construct and exec().
class TfrmAccessory : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAccessory(QWidget *parent = nullptr);
    ~TfrmAccessory() override;

    void done(int result) override;

    // The selection, set whenever the focused entry changes: full path (empty when none) and
    // type ("文件夹", "文件" or empty).
    QString selectedPath() const { return m_selectedPath; }
    QString selectedType() const { return m_selectedType; }

private:
    void FillTree();
    void fillEntry(QTreeWidgetItem *parent, const QString &folder);
    void ensureFilled(QTreeWidgetItem *item);
    QString entryPath(const QTreeWidgetItem *item) const;
    QTreeWidgetItem *childNamed(QTreeWidgetItem *parent, const QString &name) const;
    void reveal(const QString &path);

    void TLDirTreeChangeNode(QTreeWidgetItem *current);
    void TLDirTreeExpanded(QTreeWidgetItem *item);
    void TLDirTreeCollapsed(QTreeWidgetItem *item);
    void TLDirTreeEdited(QTreeWidgetItem *item, int column);
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();

    QPlainTextEdit *FlatMemo1;
    QTreeWidget *TLDirTree;
    QGroupBox *GroupBox1;
    QLabel *Label2;
    QLabel *Label4;
    QLabel *Label6;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;
    QPushButton *BitBtn3;
    QPushButton *BitBtn4;
    QPushButton *BitBtn5;

    QTreeWidgetItem *m_selected = nullptr;
    QString m_selectedPath;
    QString m_selectedType;
    QTreeWidgetItem *m_renaming = nullptr; // the file whose name is being edited in place
    QString m_oldName;
};

} // namespace attachments
