// The change-password window and the login gate, over the stored enciphered password.
#include "FakeServices.h"

#include "platform/system/Settings.h"
#include "shell/EndProcess.h"
#include "shell/TfrmPWDConfirm.h"
#include "shell/TfrmPassword.h"
#include "store/Cipher.h"
#include "store/General.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const auto kKey = u"739"_s;

void storePassword(const QString &plain) { sys::Settings::write(u"PassWord"_s, EncryptText(plain, kKey)); }
QString stored() { return sys::Settings::read(u"PassWord"_s); }

QLineEdit *box(QWidget &w, const char *name) { return w.findChild<QLineEdit *>(QString::fromLatin1(name)); }
QPushButton *button(QWidget &w, const char *name) { return w.findChild<QPushButton *>(QString::fromLatin1(name)); }

// Types into a box as a user does (Chinese through key events carrying the text).
void type(QLineEdit *target, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void showActive(QWidget &w)
{
    w.show();
    w.activateWindow();
    if (!QTest::qWaitForWindowActive(&w))
        qWarning("window not active");
}

} // namespace

class TestPassword : public QObject
{
    Q_OBJECT
    std::unique_ptr<fake::Services> m_services;
    int m_ended = 0;

    QStringList shownTexts() const
    {
        QStringList texts;
        for (const auto &m : m_services->messages.shown)
            texts << m.text;
        return texts;
    }

private slots:
    void init()
    {
        m_services = std::make_unique<fake::Services>();
        m_ended = 0;
        shell::endProcessHook() = [this] { ++m_ended; };
        crm::LoginAccepted = false;
        crm::LoginRequired = false;
    }
    void cleanup()
    {
        shell::endProcessHook() = nullptr;
        m_services.reset();
    }

    void changePassword_data()
    {
        QTest::addColumn<QString>("current"); // null: nothing stored
        QTest::addColumn<QString>("oldTyped");
        QTest::addColumn<QString>("new1");
        QTest::addColumn<QString>("new2");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("passwordAfter");
        QTest::newRow("first password") << QString() << u""_s << u"秘密9"_s << u"秘密9"_s << QString() << u"秘密9"_s;
        QTest::newRow("changed") << u"abc"_s << u"abc"_s << u"xyz"_s << u"xyz"_s << QString() << u"xyz"_s;
        QTest::newRow("back to empty") << u"abc"_s << u"abc"_s << u""_s << u""_s << QString() << u""_s;
        QTest::newRow("wrong old") << u"abc"_s << u"abd"_s << u"xyz"_s << u"xyz"_s
                                   << u"对不起，旧密码输入不正确，请重新输入！"_s << u"abc"_s;
        QTest::newRow("old in other case") << u"abc"_s << u"ABC"_s << u"xyz"_s << u"xyz"_s
                                           << u"对不起，旧密码输入不正确，请重新输入！"_s << u"abc"_s;
        QTest::newRow("new ones differ") << u"abc"_s << u"abc"_s << u"xyz"_s << u"xyZ"_s
                                         << u"对不起，两次输入的新密码不一致，请重新输入！"_s << u"abc"_s;
    }
    void changePassword()
    {
        QFETCH(QString, current);
        QFETCH(QString, oldTyped);
        QFETCH(QString, new1);
        QFETCH(QString, new2);
        QFETCH(QString, message);
        QFETCH(QString, passwordAfter);
        if (!current.isNull())
            storePassword(current);
        const QString storedBefore = stored();

        shell::TfrmPassword w;
        showActive(w);
        QCOMPARE(w.windowTitle(), u"更改密码"_s);
        type(box(w, "Edit1"), oldTyped);
        type(box(w, "Edit2"), new1);
        type(box(w, "Edit3"), new2);
        QTest::mouseClick(button(w, "Button1"), Qt::LeftButton);

        if (message.isEmpty()) {
            QVERIFY(m_services->messages.shown.isEmpty()); // no message confirms a change
            QVERIFY(!w.isVisible());
            QCOMPARE(DecryptText(stored(), kKey), passwordAfter);
            if (passwordAfter.isEmpty())
                QCOMPARE(stored(), QString());
            return;
        }
        QCOMPARE(shownTexts(), QStringList{message});
        QCOMPARE(m_services->messages.shown[0].title, u"系统提示"_s);
        QCOMPARE(m_services->messages.shown[0].icon, sys::Icon::Warning);
        QCOMPARE(stored(), storedBefore); // nothing written
        QVERIFY(w.isVisible());
        const bool oldWrong = message.contains(u"旧密码"_s);
        QCOMPARE(box(w, "Edit1")->text(), oldWrong ? QString() : oldTyped);
        QCOMPARE(box(w, "Edit2")->text(), oldWrong ? new1 : QString());
        QCOMPARE(box(w, "Edit3")->text(), oldWrong ? new2 : QString());
        QTRY_VERIFY(box(w, oldWrong ? "Edit1" : "Edit2")->hasFocus());
    }

    // Enter walks old -> new -> confirm -> the button, and Enter on the button changes the password.
    void changeByKeyboard()
    {
        storePassword(u"abc"_s);
        shell::TfrmPassword w;
        showActive(w);
        for (const char *name : {"Edit1", "Edit2", "Edit3"})
            QCOMPARE(box(w, name)->echoMode(), QLineEdit::Password);
        QTRY_VERIFY(box(w, "Edit1")->hasFocus());
        QTest::keyClicks(box(w, "Edit1"), u"abc"_s);
        QTest::keyClick(box(w, "Edit1"), Qt::Key_Return);
        QTRY_VERIFY(box(w, "Edit2")->hasFocus());
        QTest::keyClicks(box(w, "Edit2"), u"new"_s);
        QTest::keyClick(box(w, "Edit2"), Qt::Key_Return);
        QTRY_VERIFY(box(w, "Edit3")->hasFocus());
        QTest::keyClicks(box(w, "Edit3"), u"new"_s);
        QTest::keyClick(box(w, "Edit3"), Qt::Key_Return);
        QTRY_VERIFY(button(w, "Button1")->hasFocus());
        QVERIFY(w.isVisible());
        QTest::keyClick(button(w, "Button1"), Qt::Key_Return);
        QVERIFY(!w.isVisible());
        QCOMPARE(DecryptText(stored(), kKey), u"new"_s);
        if (!qEnvironmentVariableIsEmpty("CRM_GRAB_DIR")) {
            w.show();
            QVERIFY(w.grab().save(QDir(qEnvironmentVariable("CRM_GRAB_DIR")).filePath(u"frmPassword.png"_s)));
        }
    }

    void showingAgainClearsTheBoxes()
    {
        shell::TfrmPassword w;
        showActive(w);
        type(box(w, "Edit1"), u"x"_s);
        type(box(w, "Edit2"), u"y"_s);
        w.hide();
        showActive(w);
        QCOMPARE(box(w, "Edit1")->text(), QString());
        QCOMPARE(box(w, "Edit2")->text(), QString());
    }

    // A value edited by hand is no enciphered text: the error box says so and nothing is written.
    void damagedStoredValueIsReported()
    {
        sys::Settings::write(u"PassWord"_s, u"ZZ12"_s);
        shell::TfrmPassword w;
        showActive(w);
        type(box(w, "Edit2"), u"new"_s);
        type(box(w, "Edit3"), u"new"_s);
        QTest::mouseClick(button(w, "Button1"), Qt::LeftButton);
        QCOMPARE(m_services->messages.shown.size(), 1);
        QCOMPARE(m_services->messages.shown[0].icon, sys::Icon::Critical);
        QCOMPARE(stored(), u"ZZ12"_s);
        QVERIFY(w.isVisible());
    }

    void gateIsSkippedWithoutAPassword()
    {
        QVERIFY(shell::runLoginGate()); // nothing stored
        QVERIFY(crm::LoginAccepted);
        QVERIFY(!crm::LoginRequired);
        storePassword(QString()); // an empty value counts as no password
        crm::LoginAccepted = false;
        QVERIFY(shell::runLoginGate());
        QVERIFY(crm::LoginAccepted);
        QCOMPARE(m_ended, 0);
    }

    void gateAcceptsOnlyTheExactPassword()
    {
        storePassword(u"Secret密"_s);
        shell::TfrmPWDConfirm gate;
        showActive(gate);
        QCOMPARE(gate.windowTitle(), u"即将进入公司客户管理系统"_s);
        QCOMPARE(box(gate, "Edit1")->echoMode(), QLineEdit::Password);
        QTRY_VERIFY(box(gate, "Edit1")->hasFocus());

        for (const QString &wrong : {u"secret密"_s, u"Secret"_s, u""_s}) {
            type(box(gate, "Edit1"), wrong);
            QTest::mouseClick(button(gate, "Button1"), Qt::LeftButton);
            QVERIFY(gate.isVisible());
            QVERIFY(!crm::LoginAccepted);
            QCOMPARE(box(gate, "Edit1")->text(), QString());
        }
        QCOMPARE(shownTexts(), QStringList(3, u"对不起，密码输入错误，请重新输入！"_s));
        QCOMPARE(m_services->messages.shown[0].icon, sys::Icon::Warning);

        // Enter in the box acts as "确  定".
        type(box(gate, "Edit1"), u"Secret密"_s);
        QTest::keyClick(box(gate, "Edit1"), Qt::Key_Return);
        QVERIFY(crm::LoginAccepted);
        QVERIFY(!gate.isVisible());
        QCOMPARE(m_ended, 0);
        if (!qEnvironmentVariableIsEmpty("CRM_GRAB_DIR")) {
            gate.show();
            QVERIFY(gate.grab().save(QDir(qEnvironmentVariable("CRM_GRAB_DIR")).filePath(u"frmPWDConfirm.png"_s)));
        }
    }

    // The start sequence's call: the gate is shown modally and its result returned.
    void runLoginGateAsTheStartDoes_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("ended");
        QTest::newRow("right password") << u"type"_s << true << 0;
        QTest::newRow("window closed") << u"close"_s << false << 0;
        QTest::newRow("cancel ends the process") << u"cancel"_s << false << 1;
    }
    void runLoginGateAsTheStartDoes()
    {
        QFETCH(QString, action);
        QFETCH(bool, accepted);
        QFETCH(int, ended);
        storePassword(u"pw"_s);
        QTimer::singleShot(0, this, [action] {
            auto *gate = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(gate);
            if (action == u"type"_s) {
                type(box(*gate, "Edit1"), u"pw"_s);
                QTest::mouseClick(button(*gate, "Button1"), Qt::LeftButton);
            } else if (action == u"close"_s) {
                gate->close();
            } else {
                QTest::mouseClick(button(*gate, "Button2"), Qt::LeftButton);
            }
        });
        QCOMPARE(shell::runLoginGate(), accepted);
        QVERIFY(crm::LoginRequired);
        QCOMPARE(crm::LoginAccepted, accepted);
        QCOMPARE(m_ended, ended);
    }
};

QTEST_MAIN(TestPassword)
#include "tst_password.moc"
