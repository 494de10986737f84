#include "platform/system/IniFile.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A hand-edited envelope file: BOM, comments, blank lines, CRLF, odd spacing, a quoted value,
// a section that occurs twice and no line end after the last line.
const QByteArray kSample = QByteArray("\xEF\xBB\xBF")
    + u"; 信封设置\r\n"
      "[五号信封]\r\n"
      "Width=220\r\n"
      "Height = 110\r\n"
      "rePostCode Left=10\r\n"
      "\r\n"
      "[DL 信封]\r\n"
      "; 自定义\r\n"
      "Width=\"  110 \"\r\n"
      "\r\n"
      "[五号信封]\r\n"
      "Width=999\r\n"
      "seName Top=65"_s.toUtf8();

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    sys::IniFile sample()
    {
        sys::IniFile ini;
        ini.setText(QString::fromUtf8(kSample));
        return ini;
    }

private slots:
    void unchangedFileIsWrittenBackByteForByte()
    {
        writeAll(path(u"in.ini"_s), kSample);
        sys::IniFile ini;
        QVERIFY(ini.load(path(u"in.ini"_s)));
        ini.save(path(u"out.ini"_s));
        QCOMPARE(readAll(path(u"out.ini"_s)), kSample);
    }

    void reading()
    {
        const sys::IniFile ini = sample();
        QCOMPARE(ini.sections(), (QStringList{u"五号信封"_s, u"DL 信封"_s}));
        QCOMPARE(ini.keys(u"五号信封"_s),
                 (QStringList{u"Width"_s, u"Height"_s, u"rePostCode Left"_s, u"seName Top"_s}));
        QCOMPARE(ini.value(u"五号信封"_s, u"Height"_s), u"110"_s);
        QCOMPARE(ini.value(u"五号信封"_s, u"REPOSTCODE LEFT"_s), u"10"_s);
        QCOMPARE(ini.value(u"dl 信封"_s, u"width"_s), u"  110 "_s);
        // The first occurrence of a key wins; the repeated section still adds new keys.
        QCOMPARE(ini.value(u"五号信封"_s, u"Width"_s), u"220"_s);
        QCOMPARE(ini.value(u"五号信封"_s, u"seName Top"_s), u"65"_s);
        QCOMPARE(ini.value(u"五号信封"_s, u"seFax Top"_s, u"80"_s), u"80"_s);
        QVERIFY(!ini.contains(u"六号信封"_s, u"Width"_s));
        QVERIFY(ini.keys(u"六号信封"_s).isEmpty());
    }

    void changingAValueTouchesOnlyItsLine()
    {
        sys::IniFile ini = sample();
        ini.setValue(u"五号信封"_s, u"height"_s, u"120"_s);
        QString expected = QString::fromUtf8(kSample);
        expected.replace(u"Height = 110"_s, u"Height = 120"_s);
        QCOMPARE(ini.text(), expected);
    }

    void newKeysAndSectionsGoAtTheEnd()
    {
        sys::IniFile ini = sample();
        ini.setValue(u"DL 信封"_s, u"Height"_s, u"220"_s);
        ini.setValue(u"五号信封"_s, u"seFax Top"_s, u"80"_s);
        ini.setValue(u"我的信封 A"_s, u"reAddress Left"_s, u"20"_s);
        QCOMPARE(ini.text(), QString::fromUtf8(QByteArray("\xEF\xBB\xBF")) + u"; 信封设置\r\n"
                                 "[五号信封]\r\n"
                                 "Width=220\r\n"
                                 "Height = 110\r\n"
                                 "rePostCode Left=10\r\n"
                                 "seFax Top=80\r\n"
                                 "\r\n"
                                 "[DL 信封]\r\n"
                                 "; 自定义\r\n"
                                 "Width=\"  110 \"\r\n"
                                 "Height=220\r\n"
                                 "\r\n"
                                 "[五号信封]\r\n"
                                 "Width=999\r\n"
                                 "seName Top=65\r\n"
                                 "\r\n"
                                 "[我的信封 A]\r\n"
                                 "reAddress Left=20\r\n"_s);
    }

    void savedFileReadsBackAndStaysReadable()
    {
        sys::IniFile ini;
        QVERIFY(!ini.load(path(u"missing.ini"_s)));
        QVERIFY(ini.sections().isEmpty());
        ini.setValue(u"七号信封"_s, u"rePostCode Left"_s, u"10"_s);
        ini.setValue(u"七号信封"_s, u"Note"_s, u" 两端有空格 "_s);
        ini.setValue(u"七号信封"_s, u"Quoted"_s, u"\"引号\""_s);
        ini.save(path(u"new.ini"_s));

        const QByteArray bytes = readAll(path(u"new.ini"_s));
        QVERIFY(bytes.contains(u"[七号信封]\nrePostCode Left=10\n"_s.toUtf8()));

        sys::IniFile again;
        QVERIFY(again.load(path(u"new.ini"_s)));
        QCOMPARE(again.value(u"七号信封"_s, u"rePostCode Left"_s), u"10"_s);
        QCOMPARE(again.value(u"七号信封"_s, u"Note"_s), u" 两端有空格 "_s);
        QCOMPARE(again.value(u"七号信封"_s, u"Quoted"_s), u"\"引号\""_s);
    }

    void removeSectionRemovesEveryOccurrence()
    {
        sys::IniFile ini = sample();
        ini.removeSection(u"五号信封"_s);
        QCOMPARE(ini.sections(), QStringList{u"DL 信封"_s});
        QCOMPARE(ini.text(), QString::fromUtf8(QByteArray("\xEF\xBB\xBF")) + u"; 信封设置\r\n"
                                 "[DL 信封]\r\n"
                                 "; 自定义\r\n"
                                 "Width=\"  110 \"\r\n"
                                 "\r\n"_s);
    }

    void gbkFileFromAnOlderCopyIsRead()
    {
        QStringEncoder gbk("GBK");
        writeAll(path(u"gbk.ini"_s), gbk.encode(u"[一号信封]\r\nWidth=220\r\n"_s));
        sys::IniFile ini;
        QVERIFY(ini.load(path(u"gbk.ini"_s)));
        QCOMPARE(ini.sections(), QStringList{u"一号信封"_s});
        QCOMPARE(ini.value(u"一号信封"_s, u"Width"_s), u"220"_s);
    }

    void namesThatCannotBeStoredAreRefused_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("line break in section") << u"a\nb"_s << u"Width"_s << u"1"_s;
        QTest::newRow("line break in value") << u"a"_s << u"Width"_s << u"1\r\n[x]"_s;
        QTest::newRow("= in key") << u"a"_s << u"W=idth"_s << u"1"_s;
        QTest::newRow("empty key") << u"a"_s << QString() << u"1"_s;
        QTest::newRow("comment key") << u"a"_s << u";Width"_s << u"1"_s;
    }
    void namesThatCannotBeStoredAreRefused()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        sys::IniFile ini = sample();
        QVERIFY_THROWS_EXCEPTION(sys::IniError, ini.setValue(section, key, value));
        QCOMPARE(ini.text(), QString::fromUtf8(kSample));
    }

    void unwritableFileThrows()
    {
        writeAll(path(u"file"_s), "x");
        const sys::IniFile ini = sample();
        try {
            ini.save(path(u"file/EnvIni.ini"_s));
            QFAIL("no error");
        } catch (const sys::IniError &e) {
            QVERIFY(QString::fromUtf8(e.what()).contains(u"无法保存文件"_s));
        }
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
