#pragma once
#include <QString>
#include <optional>

namespace sys {

// Stored texts are limited in GBK bytes (a Chinese character takes two).
// Returns nothing when the text holds a character GBK cannot encode.
std::optional<int> gbkByteCount(QStringView text);

// The longest prefix of text that fits into maxBytes GBK bytes (never splits a character).
QString gbkTruncated(const QString &text, int maxBytes);

} // namespace sys
