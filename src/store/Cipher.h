#pragma once
#include <QByteArray>
#include <QString>
#include <stdexcept>

// The keyed cipher that keeps the login password in the settings store. It works on the
// GBK bytes of the text: "PassWord" values written by older copies still decipher.

// A stored text that is not a valid enciphered text, or a password GBK cannot hold. what() is UTF-8.
class CipherError : public std::runtime_error
{
public:
    explicit CipherError(const QString &message);
};

// An empty key means the built-in default key "QWOPMB".
QString EncryptText(const QString &plain, const QString &key);
QString DecryptText(const QString &text, const QString &key);
// Two uppercase hexadecimal digits for 0 to 255.
QString ByteToHex(int n);

namespace cipher {
// The byte-level steps, with the start byte given, so results can be checked exactly.
QString encipherBytes(const QByteArray &plain, const QByteArray &key, int startByte);
QByteArray decipherBytes(const QString &text, const QByteArray &key);
} // namespace cipher
