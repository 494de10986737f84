#include "store/Cipher.h"

#include <QRegularExpression>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestCipher : public QObject
{
    Q_OBJECT

private slots:
    void knownTexts_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("expected");
        // Seven bytes on a three-byte key: bytes 1, 4 and 7 use key byte 1 again.
        QTest::newRow("key reused past its length") << QByteArray("abcdefg") << QByteArray("739") << 0x10
                                                    << u"10469BC71BB323BD"_s;
        QTest::newRow("Chinese, GBK bytes") << QByteArray("\xbf\xda\xc1\xee") << QByteArray("QWOPMB") << 200
                                            << u"C8D9E3EA89"_s;
        QTest::newRow("empty") << QByteArray() << QByteArray("739") << 5 << QString();
    }
    void knownTexts()
    {
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, key);
        QFETCH(int, start);
        QFETCH(QString, expected);
        QCOMPARE(cipher::encipherBytes(plain, key, start), expected);
        QCOMPARE(cipher::decipherBytes(expected, key), plain);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("key");
        QTest::newRow("ascii") << u"secret"_s << u"739"_s;
        QTest::newRow("longer than key") << u"abcdefghijklmnop"_s << u"739"_s;
        QTest::newRow("Chinese") << u"我的密码Abc"_s << u"739"_s;
        QTest::newRow("default key") << u"secret"_s << QString();
        QTest::newRow("Chinese key") << u"pass"_s << u"钥匙"_s;
        QTest::newRow("GBK byte 255") << QString(QChar(0xF8F5)) + u"x"_s + QChar(0xF8F5) << u"739"_s;
    }
    void roundTrip()
    {
        QFETCH(QString, plain);
        QFETCH(QString, key);
        const QString text = EncryptText(plain, key);
        static const QRegularExpression hex(u"^([0-9A-F]{2})+$"_s);
        QVERIFY(hex.match(text).hasMatch());
        QCOMPARE(DecryptText(text, key), plain);
        QCOMPARE(DecryptText(text.toLower(), key), plain);
    }

    void emptyKeyIsTheDefaultKey()
    {
        const QString text = EncryptText(u"abc"_s, QString());
        QCOMPARE(DecryptText(text, u"QWOPMB"_s), u"abc"_s);
        QVERIFY(DecryptText(text, u"739"_s) != u"abc"_s);
    }

    // Byte 255 meets a = b when deciphering; a running value of 255 must not turn it into 0.
    void everyStartByteWithByte255()
    {
        const QList<QByteArray> plains{QByteArray("\xff"), QByteArray("\xff\xff\xff"), QByteArray("\x01\xfe\xff\x80"),
                                       QByteArray("a\xff" "b\xff")};
        const QList<QByteArray> keys{QByteArray("739"), QByteArray("\x01"), QByteArray("\xff\x80")};
        for (const QByteArray &key : keys) {
            for (const QByteArray &plain : plains) {
                for (int start = 0; start < 256; ++start) {
                    const QString text = cipher::encipherBytes(plain, key, start);
                    QCOMPARE(text.size(), 2 * plain.size() + 2);
                    QCOMPARE(cipher::decipherBytes(text, key), plain);
                }
            }
        }
    }

    void encipheringTwiceDiffers()
    {
        const QString first = EncryptText(u"secret"_s, u"739"_s);
        QString second = first;
        for (int i = 0; i < 20 && second == first; ++i) // the start byte repeats once in 256
            second = EncryptText(u"secret"_s, u"739"_s);
        QVERIFY(first != second);
        QCOMPARE(DecryptText(first, u"739"_s), u"secret"_s);
        QCOMPARE(DecryptText(second, u"739"_s), u"secret"_s);
        QCOMPARE(EncryptText(QString(), u"739"_s), QString());
        QCOMPARE(DecryptText(QString(), u"739"_s), QString());
    }

    void invalidTextsAreRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("not hex") << u"10ZZ"_s;
        QTest::newRow("bad start") << u"G1469B"_s;
        QTest::newRow("sign") << u"10+4"_s;
        QTest::newRow("odd length") << u"10469"_s;
        QTest::newRow("start byte only") << u"10"_s;
        QTest::newRow("Chinese") << u"10密码"_s;
    }
    void invalidTextsAreRefused()
    {
        QFETCH(QString, text);
        try {
            DecryptText(text, u"739"_s);
            QFAIL("no error");
        } catch (const CipherError &e) {
            QVERIFY(QString::fromUtf8(e.what()).contains(u"密码"_s));
        }
    }

    void passwordGbkCannotHoldIsRefused()
    {
        QVERIFY_THROWS_EXCEPTION(CipherError, EncryptText(u"ab\U0001F600"_s, u"739"_s));
    }

    void byteToHex()
    {
        QCOMPARE(ByteToHex(0), u"00"_s);
        QCOMPARE(ByteToHex(10), u"0A"_s);
        QCOMPARE(ByteToHex(171), u"AB"_s);
        QCOMPARE(ByteToHex(255), u"FF"_s);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, ByteToHex(256));
    }
};

QTEST_GUILESS_MAIN(TestCipher)
#include "tst_cipher.moc"
