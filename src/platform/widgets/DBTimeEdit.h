#pragma once
#include "platform/widgets/DBTemporalEdit.h"

#include <QTime>

namespace widgets {

// A time-of-day box in the system long-time format ("14:05:00") that may be empty; reads
// "14:05", "14:05:30" and "1405".
class DBTimeEdit : public DBTemporalEdit
{
    Q_OBJECT
public:
    explicit DBTimeEdit(QWidget *parent = nullptr);
    DBTimeEdit(db::Dataset *dataset, const QString &fieldName, QWidget *parent = nullptr);

    QTime time() const; // invalid when empty or no time
    void setTime(const QTime &time);

    static QTime parseTime(const QString &text);

protected:
    QString format(const QVariant &value) const override;
    QVariant parse(const QString &text) const override;
    QString kindName() const override;
};

} // namespace widgets
