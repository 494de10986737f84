#include "business/MemoStamp.h"

#include "platform/db/Dataset.h"
#include "platform/system/Services.h"
#include "platform/system/TextFormat.h"

using namespace Qt::StringLiterals;

namespace business {

QString memoStampText(const QString &previous, const QDateTime &now)
{
    return previous + u"\r\n"_s + sys::shortDate(now.date()) + u' ' + sys::longTime(now.time());
}

bool stampMemo(db::Dataset &dataset, const QString &fieldName)
{
    try {
        db::Field &field = dataset.field(fieldName);
        if (dataset.state() == db::State::Browse)
            dataset.edit();
        field.setValue(memoStampText(field.asString(), sys::clock().now()));
        return true;
    } catch (const std::exception &) {
        // A stamp is a convenience: failing to write one must not interrupt the user.
        return false;
    }
}

} // namespace business
