#pragma once
#include <QDateTime>
#include <QString>

namespace db { class Dataset; }

namespace business {

// The memo time stamp: the previous text, a carriage return and line feed, the date in the
// system's short format, one space and the time in the system's long format.
QString memoStampText(const QString &previous, const QDateTime &now);

// Stamps the field of the dataset's current record with the clock's current time, putting a
// browsing dataset into edit state first; nothing is posted. A stamp that cannot be written
// (closed or read-only dataset, unknown field) is dropped and the field keeps its text.
// Returns whether the field was stamped.
bool stampMemo(db::Dataset &dataset, const QString &fieldName);

} // namespace business
