#include "FakeServices.h"
#include "platform/system/Guard.h"
#include "platform/system/Settings.h"

#include <QtTest>
#include <stdexcept>

using namespace Qt::StringLiterals;

class TestServices : public QObject
{
    Q_OBJECT

private slots:
    void guardShowsEveryFailureOnce_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("text");
        QTest::newRow("engine error, UTF-8 message") << 0 << false << u"数据库错误：表“Customers”已被锁定"_s;
        QTest::newRow("unknown exception") << 1 << false << u"操作失败：发生了未知错误。"_s;
        QTest::newRow("no failure") << 2 << true << QString();
    }
    void guardShowsEveryFailureOnce()
    {
        QFETCH(int, kind);
        QFETCH(bool, result);
        QFETCH(QString, text);
        fake::Services fakes;
        bool finished = false;
        const bool ok = sys::guarded(nullptr, [&] {
            if (kind == 0)
                throw std::runtime_error(text.toStdString());
            if (kind == 1)
                throw 42;
            finished = true;
        });
        QCOMPARE(ok, result);
        QCOMPARE(finished, result);
        if (result) {
            QVERIFY(fakes.messages.shown.isEmpty());
            return;
        }
        QCOMPARE(fakes.messages.shown.size(), 1);
        const fake::ShownMessage &box = fakes.messages.shown.first();
        QCOMPARE(box.text, text);
        QCOMPARE(box.title, u"系统提示"_s);
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void helpersShowTheConventionalBoxes()
    {
        fake::Services fakes;
        sys::warn(u"请输入客户名称！"_s);
        sys::info(u"数据备份成功！"_s);
        sys::error(u"失败"_s, u"找不到打印机"_s);
        QVERIFY(sys::confirm(u"确定删除吗？"_s));
        fakes.messages.answers.enqueue(QMessageBox::Cancel);
        QVERIFY(!sys::confirm(u"确定删除吗？"_s));

        const auto &shown = fakes.messages.shown;
        QCOMPARE(shown.size(), 5);
        QCOMPARE(shown[0].icon, QMessageBox::Warning);
        QCOMPARE(shown[0].text, u"请输入客户名称！"_s);
        QCOMPARE(shown[0].title, u"系统提示"_s);
        QCOMPARE(shown[1].icon, QMessageBox::Information);
        QCOMPARE(shown[2].icon, QMessageBox::Critical);
        QCOMPARE(shown[2].title, u"找不到打印机"_s);
        QCOMPARE(shown[3].icon, QMessageBox::Question);
        QCOMPARE(shown[3].buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(shown[3].defaultButton, QMessageBox::Cancel);
    }

    void shellHelpersBuildTheAddresses()
    {
        fake::Services fakes;
        sys::mailTo(u"wang@example.cn"_s);
        sys::openWebPage(u"www.example.com"_s);
        sys::openPath(u"/data/客户 A/合同.doc"_s);
        QCOMPARE(fakes.shell.opened,
                 (QList<QUrl>{QUrl(u"mailto:wang@example.cn"_s), QUrl(u"http://www.example.com"_s),
                              QUrl::fromLocalFile(u"/data/客户 A/合同.doc"_s)}));
    }

    void installerRestoresWhatWasInUse()
    {
        const sys::ServiceSet real = sys::realServices();
        const auto check = [](const sys::ServiceSet &s, const QString &settings) {
            QCOMPARE(&sys::messages(), s.messages);
            QCOMPARE(&sys::dialogs(), s.dialogs);
            QCOMPARE(&sys::shell(), s.shell);
            QCOMPARE(&sys::sound(), s.sound);
            QCOMPARE(&sys::clock(), s.clock);
            QCOMPARE(sys::Settings::fileOverride(), settings);
        };
        const auto setOf = [](fake::Services &f) {
            return sys::ServiceSet{&f.messages, &f.dialogs, &f.shell, &f.sound, &f.clock};
        };
        {
            fake::Services outer;
            check(setOf(outer), outer.settingsFile());
            {
                fake::Services inner;
                check(setOf(inner), inner.settingsFile());
                QVERIFY(inner.settingsFile() != outer.settingsFile());
                inner.clock.current = QDateTime(QDate(2030, 1, 2), QTime(8, 0));
                QCOMPARE(sys::clock().today(), QDate(2030, 1, 2));
            }
            check(setOf(outer), outer.settingsFile());
        }
        check(real, QString());
    }
};

QTEST_MAIN(TestServices)
#include "tst_services.moc"
