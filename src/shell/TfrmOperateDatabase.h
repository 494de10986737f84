#pragma once
#include <QDialog>
#include <QList>

class QLabel;
class QLineEdit;
class QPushButton;

namespace db { class Dataset; }
namespace store { class TDMOrvane; }

namespace shell {

// Backup and restore of the data folder and the attachment tree. The window's caption decides
// the task ("备份数据库" or "恢复数据库"); the commands set it up through setUpBackup/setUpRestore.
class TfrmOperateDatabase : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmOperateDatabase(QWidget *parent = nullptr);

    static QString backupCaption();  // "备份数据库"
    static QString restoreCaption(); // "恢复数据库"
    void setUpBackup();
    void setUpRestore();

    // The data module's datasets each task closes and the backup reopens, in their orders.
    static QList<db::Dataset *> backupCloseOrder(const store::TDMOrvane &dm);
    static QList<db::Dataset *> backupReopenOrder(const store::TDMOrvane &dm);
    static QList<db::Dataset *> restoreCloseOrder(const store::TDMOrvane &dm);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setUp(const QString &caption, const QString &label);
    void Button1Click();
    void Button2Click();
    void backup();
    void restore();

    QLabel *Label1;
    QLineEdit *Edit1;
    QPushButton *Button2;
    QPushButton *Button1;
    QPushButton *BtnClose;
};

// The commands "数据备份" and "数据恢复": a new window set up for the task, shown modally.
void runBackupCommand(QWidget *parent);
void runRestoreCommand(QWidget *parent);

} // namespace shell
