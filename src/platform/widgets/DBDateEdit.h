#pragma once
#include "platform/widgets/DBTemporalEdit.h"

#include <QDate>

class QCalendarWidget;

namespace widgets {

// A date box in the system short-date format ("2024/5/15" in zh_CN) that may be empty, with a
// drop-down calendar (button, Alt+Down or F4). Also reads "2024-5-15", "2024.5.15" and "20240515".
class DBDateEdit : public DBTemporalEdit
{
    Q_OBJECT
public:
    explicit DBDateEdit(QWidget *parent = nullptr);
    DBDateEdit(db::Dataset *dataset, const QString &fieldName, QWidget *parent = nullptr);

    // The date in the box; invalid when it is empty or holds no date.
    QDate date() const;
    // Shows a date as the program (not the user) does; an invalid date empties the box.
    void setDate(const QDate &date);

    void showPopup();
    QCalendarWidget *calendar() const { return m_calendar; }

    static QDate parseDate(const QString &text);

protected:
    QString format(const QVariant &value) const override;
    QVariant parse(const QString &text) const override;
    QString kindName() const override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QCalendarWidget *m_calendar;
};

} // namespace widgets
