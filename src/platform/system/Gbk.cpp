#include "platform/system/Gbk.h"

#include <QStringEncoder>

namespace sys {

std::optional<int> gbkByteCount(QStringView text)
{
    // Plain ASCII is the common case and needs no encoder.
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return int(text.size());
    QStringEncoder enc("GBK");
    const QByteArray bytes = enc.encode(text);
    if (enc.hasError())
        return std::nullopt;
    return int(bytes.size());
}

QString gbkTruncated(const QString &text, int maxBytes)
{
    int used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const auto n = gbkByteCount(QStringView(text).mid(i, len));
        if (!n || used + *n > maxBytes)
            break;
        used += *n;
        i += len;
    }
    return text.left(i);
}

} // namespace sys
