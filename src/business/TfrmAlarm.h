#pragma once
#include <QDialog>
#include <QStringList>

class QPushButton;

namespace db { class Table; }
namespace widgets {
class DBDateEdit;
class DBGrid;
class DBMemo;
class DBPickEdit;
class DBTimeEdit;
} // namespace widgets

namespace business {

// "闹钟设置": the reminders of the data module's tlbAlarm in a grid, with boxes for the
// current one. Shows whatever reminder tlbAlarm stands on; construct and exec().
class TfrmAlarm : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAlarm(QWidget *parent = nullptr);

    // The kinds offered in the kind box, and the shorter list of the grid's kind column.
    static QStringList alarmKinds();
    static QStringList gridKinds();

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fbtnAddClick();
    void fbtnSaveClick();
    void fbtnDeleteClick();

    db::Table *m_alarm;
    widgets::DBGrid *dxDGAlarm;
    widgets::DBTimeEdit *dxDBTimeAlarm;
    widgets::DBDateEdit *dxDBDateAlarm;
    widgets::DBPickEdit *dxDBPickAlarmType;
    widgets::DBMemo *dxDBMemoAlarm;
    QPushButton *fbtnAdd;
    QPushButton *fbtnSave;
    QPushButton *fbtnDelete;
};

} // namespace business
