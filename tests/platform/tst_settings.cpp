#include "platform/system/Settings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestSettings : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString file() const { return m_dir->filePath(u"CRM/CRM.ini"_s); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        sys::Settings::setFileOverride(file());
    }
    void cleanup() { sys::Settings::setFileOverride({}); }

    void valuesRoundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::newRow("Chinese company") << u"Company"_s << u"北京华信广告有限公司"_s;
        QTest::newRow("address with punctuation") << u"Address"_s << u"海淀区 中关村大街1号, 3层; A=B"_s;
        QTest::newRow("leading @ and quotes") << u"Fax"_s << u"@\"010\" 1234"_s;
        QTest::newRow("name with dash") << u"E-mail"_s << u"info@example.com"_s;
        QTest::newRow("empty") << u"UserName"_s << QString();
    }
    void valuesRoundTrip()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        QVERIFY(!sys::Settings::contains(name));
        QCOMPARE(sys::Settings::read(name), QString());
        sys::Settings::write(name, value);
        QVERIFY(sys::Settings::contains(name));
        QCOMPARE(sys::Settings::read(name), value);
        // The other program reads the same file afresh.
        QCOMPARE(QSettings(file(), QSettings::IniFormat).value(name).toString(), value);
    }

    void namesIgnoreCase()
    {
        sys::Settings::write(u"PassWord"_s, u"10469B"_s);
        QCOMPARE(sys::Settings::read(u"Password"_s), u"10469B"_s);
        sys::Settings::write(u"Password"_s, u"C8D9E3"_s);
        QCOMPARE(sys::Settings::read(u"PASSWORD"_s), u"C8D9E3"_s);
        QVERIFY(sys::Settings::contains(u"password"_s));
        // One value, kept under the spelling it was first stored with.
        QCOMPARE(QSettings(file(), QSettings::IniFormat).childKeys(), QStringList{u"PassWord"_s});
    }

    void unwritableStoreThrows()
    {
        // The store's folder cannot be created where a plain file stands.
        QFile blocker(m_dir->filePath(u"blocker"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        sys::Settings::setFileOverride(m_dir->filePath(u"blocker/CRM.ini"_s));
        try {
            sys::Settings::write(u"UserName"_s, u"张三"_s);
            QFAIL("no error");
        } catch (const sys::SettingsError &e) {
            const QString message = QString::fromUtf8(e.what());
            QVERIFY2(message.contains(u"无法保存设置“UserName”"_s), qPrintable(message));
            QVERIFY(message.contains(u"blocker"_s));
        }
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
