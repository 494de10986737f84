#pragma once
#include <QDate>
#include <QString>
#include <QTime>

namespace sys {

// Formats a number with a display-format pattern of the kind the column layouts carry:
//   sections "positive;negative;zero" (the negative section prints no minus sign of its own;
//   an empty or missing section falls back to the positive one, which then gets a leading "-"),
//   "0" and "#" digit placeholders, "." decimal point, "," thousands separators,
//   "E+00"/"E-00" scientific notation, text in '...' or "..." and any other character kept
//   where it stands ("%" too: the value is not scaled). Rounds half away from zero.
// An empty pattern gives the general format (up to 15 significant digits).
QString formatFloat(const QString &pattern, double value);

// Dates and times in the system's formats (the default QLocale).
QString shortDate(const QDate &date);
QDate parseShortDate(const QString &text); // invalid when the text is no date
QString longTime(const QTime &time);

} // namespace sys
