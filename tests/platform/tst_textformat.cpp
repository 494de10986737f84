#include "platform/system/TextFormat.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestTextFormat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(u"zh_CN"_s)); }

    void formatFloat_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");

        QTest::newRow("thousands") << u",0;-,0"_s << 1234567.4 << u"1,234,567"_s;
        QTest::newRow("thousands negative") << u",0;-,0"_s << -1234.5 << u"-1,235"_s;
        QTest::newRow("thousands zero") << u",0;-,0"_s << 0.0 << u"0"_s;
        QTest::newRow("thousands small") << u",0;-,0"_s << 999.49 << u"999"_s;
        QTest::newRow("negative rounds to zero") << u",0;-,0"_s << -0.4 << u"0"_s;
        QTest::newRow("yuan") << u"￥,0;-￥,0"_s << 1234.5 << u"￥1,235"_s;
        QTest::newRow("yuan negative, sign first") << u"￥,0;-￥,0"_s << -1234.5 << u"-￥1,235"_s;
        QTest::newRow("yuan negative, sign after ￥") << u"￥,0;￥-,0"_s << -1234.5 << u"￥-1,235"_s;
        QTest::newRow("yuan zero") << u"￥,0;-￥,0"_s << 0.0 << u"￥0"_s;
        QTest::newRow("yuan million") << u"￥,0;-￥,0"_s << -1000000.0 << u"-￥1,000,000"_s;
        QTest::newRow("two decimals") << u"0.00"_s << 12.345678 << u"12.35"_s;
        QTest::newRow("two decimals half up as typed") << u"0.00"_s << 1.005 << u"1.01"_s;
        QTest::newRow("two decimals negative half away") << u"0.00"_s << -2.125 << u"-2.13"_s;
        QTest::newRow("two decimals zero") << u"0.00"_s << 0.0 << u"0.00"_s;
        QTest::newRow("two decimals carry") << u"0.00"_s << 9.999 << u"10.00"_s;
        QTest::newRow("percent sign is text") << u"0.00%"_s << 25.0 << u"25.00%"_s;
        QTest::newRow("percent small") << u"0.00%"_s << 0.125 << u"0.13%"_s;
        QTest::newRow("scientific small") << u"0.00E+00"_s << 0.00005 << u"5.00E-05"_s;
        QTest::newRow("scientific negative") << u"0.00E+00"_s << -25.0 << u"-2.50E+01"_s;
        QTest::newRow("scientific zero") << u"0.00E+00"_s << 0.0 << u"0.00E+00"_s;
        QTest::newRow("scientific carry") << u"0.00E+00"_s << 9.999 << u"1.00E+01"_s;
        QTest::newRow("scientific big") << u"0.00E+00"_s << 123456.0 << u"1.23E+05"_s;
        QTest::newRow("optional decimals") << u"#,##0.###"_s << 1234.5 << u"1,234.5"_s;
        QTest::newRow("optional decimals rounded") << u"#,##0.###"_s << 1234.56789 << u"1,234.568"_s;
        QTest::newRow("optional decimals none") << u"#,##0.###"_s << 1234567.0 << u"1,234,567"_s;
        QTest::newRow("optional decimals tiny") << u"#,##0.###"_s << 0.0004 << u"0"_s;
        QTest::newRow("optional decimals negative") << u"#,##0.##"_s << -0.5 << u"-0.5"_s;
        QTest::newRow("no required digit") << u"#.##"_s << 0.5 << u".5"_s;
        QTest::newRow("zero section") << u"0.0;(0.0);零"_s << 0.0 << u"零"_s;
        QTest::newRow("zero section after rounding") << u"0.0;(0.0);零"_s << -0.04 << u"零"_s;
        QTest::newRow("negative section") << u"0.0;(0.0);零"_s << -3.25 << u"(3.3)"_s;
        QTest::newRow("empty negative section") << u"0;;零"_s << -3.0 << u"-3"_s;
        QTest::newRow("quoted text") << u"'#'0\"元\""_s << 42.0 << u"#42元"_s;
        QTest::newRow("required integer digits") << u"000"_s << 7.0 << u"007"_s;
        QTest::newRow("general") << QString() << 1234.5 << u"1234.5"_s;
        QTest::newRow("general negative") << QString() << -0.1 << u"-0.1"_s;
        QTest::newRow("general zero") << QString() << 0.0 << u"0"_s;
        QTest::newRow("general exponent") << QString() << 1.5e20 << u"1.5E20"_s;
    }
    void formatFloat()
    {
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(sys::formatFloat(pattern, value), expected);
    }

    void datesAndTimes()
    {
        QCOMPARE(sys::shortDate(QDate(2024, 3, 5)), u"2024/3/5"_s);
        QCOMPARE(sys::parseShortDate(u"2024/3/5"_s), QDate(2024, 3, 5));
        QCOMPARE(sys::parseShortDate(u" 2024/03/05 "_s), QDate(2024, 3, 5));
        QVERIFY(!sys::parseShortDate(u"2024/13/5"_s).isValid());
        QVERIFY(!sys::parseShortDate(u"明天"_s).isValid());
        QCOMPARE(sys::longTime(QTime(9, 5, 7)), u"09:05:07"_s);
    }
};

QTEST_GUILESS_MAIN(TestTextFormat)
#include "tst_textformat.moc"
