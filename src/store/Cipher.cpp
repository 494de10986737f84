#include "store/Cipher.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace {

QByteArray keyBytes(const QString &key)
{
    QStringEncoder gbk("GBK");
    const QByteArray bytes = gbk.encode(key.isEmpty() ? u"QWOPMB"_s : key);
    if (gbk.hasError() || bytes.isEmpty())
        throw CipherError(u"密钥中含有无法处理的字符。"_s);
    return bytes;
}

int hexPair(const QString &text, qsizetype pos)
{
    bool ok = false;
    const QString pair = text.mid(pos, 2);
    const int v = pair.size() == 2 ? pair.toInt(&ok, 16) : 0;
    // toInt also takes signs and spaces; only two plain hex digits are valid here.
    const auto isHex = [](QChar c) { return c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f'); };
    if (!ok || !isHex(pair.at(0)) || !isHex(pair.at(1)))
        throw CipherError(u"保存的密码无效：“%1”不是十六进制数。"_s.arg(pair));
    return v;
}

} // namespace

CipherError::CipherError(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

QString ByteToHex(int n)
{
    if (n < 0 || n > 255)
        throw std::out_of_range("ByteToHex: value outside 0..255");
    static const char16_t digits[] = u"0123456789ABCDEF";
    return QString(QChar(digits[n / 16])) + QChar(digits[n % 16]);
}

namespace cipher {

QString encipherBytes(const QByteArray &plain, const QByteArray &key, int startByte)
{
    if (plain.isEmpty())
        return {};
    int a = startByte;
    QString out = ByteToHex(a);
    qsizetype i = 0;
    for (const char ch : plain) {
        const int c = static_cast<unsigned char>(ch);
        a = (a + c) % 255;
        i = i >= key.size() ? 1 : i + 1;
        a ^= static_cast<unsigned char>(key.at(i - 1));
        out += ByteToHex(a);
    }
    return out;
}

QByteArray decipherBytes(const QString &text, const QByteArray &key)
{
    if (text.isEmpty())
        return {};
    if (text.size() < 4 || text.size() % 2 != 0)
        throw CipherError(u"保存的密码无效：长度 %1 不是有效的加密文本。"_s.arg(text.size()));
    int a = hexPair(text, 0);
    QByteArray out;
    qsizetype i = 0;
    for (qsizetype p = 2; p < text.size(); p += 2) {
        const int q = hexPair(text, p);
        i = i >= key.size() ? 1 : i + 1;
        const int b = static_cast<unsigned char>(key.at(i - 1)) ^ q;
        // b = (a + c) mod 255 with c in 1..255; the modulo form also holds when a is 255.
        int c = ((b - a) % 255 + 255) % 255;
        if (c == 0)
            c = 255;
        out += char(c);
        a = q;
    }
    return out;
}

} // namespace cipher

QString EncryptText(const QString &plain, const QString &key)
{
    if (plain.isEmpty())
        return {};
    QStringEncoder gbk("GBK");
    const QByteArray bytes = gbk.encode(plain);
    if (gbk.hasError())
        throw CipherError(u"密码中含有无法保存的字符，请只使用字母、数字和常用汉字。"_s);
    return cipher::encipherBytes(bytes, keyBytes(key), int(QRandomGenerator::global()->bounded(256)));
}

QString DecryptText(const QString &text, const QString &key)
{
    QStringDecoder gbk("GBK");
    return gbk.decode(cipher::decipherBytes(text, keyBytes(key)));
}
