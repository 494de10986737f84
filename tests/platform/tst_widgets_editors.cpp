#include "platform/db/Connection.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/widgets/DBCheckBox.h"
#include "platform/widgets/DBDateEdit.h"
#include "platform/widgets/DBEdit.h"
#include "platform/widgets/DBHyperLinkEdit.h"
#include "platform/widgets/DBLookupCombo.h"
#include "platform/widgets/DBMemo.h"
#include "platform/widgets/DBNumericEdit.h"
#include "platform/widgets/DBPickEdit.h"
#include "platform/widgets/DBSpinEdit.h"
#include "platform/widgets/DBTimeEdit.h"
#include "platform/widgets/EnterChain.h"
#include "FakeServices.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using widgets::DataEditor;

namespace {

// A customer table and a list of levels in a fresh database.
struct Fixture
{
    Fixture()
    {
        db::Connection::openAlias(u"CRM"_s, dir.path());
        auto &c = db::Connection::get();
        c.exec(u"CREATE TABLE Customers(CustNo INTEGER PRIMARY KEY AUTOINCREMENT, CustName_S VARCHAR(10), "
               "CreateTime DATE, IsConsult BOOLEAN, GoalAmount CURRENCY, CustMemo TEXT, AlarmTime TIME, "
               "CustLevel INTEGER, InOrOut VARCHAR(10), Visits INTEGER, Email VARCHAR(50))"_s);
        c.exec(u"INSERT INTO Customers VALUES(1, 'ACME', '2024-05-15', 1, 1234.56, '第一行备注', '09:30:00', 1, "
               "'收入', 3, 'a@x.com')"_s);
        c.exec(u"INSERT INTO Customers VALUES(2, '华信', '2023-01-02', 0, NULL, NULL, NULL, 2, NULL, NULL, NULL)"_s);
        c.exec(u"CREATE TABLE Levels(LevelNo INTEGER PRIMARY KEY, LevelName VARCHAR(20), Email VARCHAR(30))"_s);
        c.exec(u"INSERT INTO Levels VALUES(1, 'VIP客户', 'vip@x.com'), (2, '普通客户', 'common@x.com'), "
               "(3, '潜在客户', NULL)"_s);
        customers.setTableName(u"Customers"_s);
        customers.setObjectName(u"tlbCust"_s);
        customers.open();
        levels.setTableName(u"Levels"_s);
        levels.open();
    }
    ~Fixture()
    {
        customers.close();
        levels.close();
        db::Connection::closeAlias();
    }

    // What the database holds, read by a dataset of its own.
    QVariant stored(int custNo, const QString &field)
    {
        db::Table t(u"Customers"_s);
        t.open();
        if (!t.locate(u"CustNo"_s, custNo))
            return u"<missing>"_s;
        return t.field(field).value();
    }

    QTemporaryDir dir;
    fake::Services services;
    db::Table customers;
    db::Table levels;
};

QWidget *makeEditor(const QString &kind, db::Dataset *ds, const QString &field)
{
    if (kind == u"DBEdit")
        return new widgets::DBEdit(ds, field);
    if (kind == u"DBMemo")
        return new widgets::DBMemo(ds, field);
    if (kind == u"DBDateEdit")
        return new widgets::DBDateEdit(ds, field);
    if (kind == u"DBTimeEdit")
        return new widgets::DBTimeEdit(ds, field);
    if (kind == u"DBNumericEdit")
        return new widgets::DBNumericEdit(ds, field);
    if (kind == u"DBSpinEdit")
        return new widgets::DBSpinEdit(ds, field);
    if (kind == u"DBPickEdit") {
        auto *p = new widgets::DBPickEdit(ds, field);
        p->setItems({u"收入"_s, u"支出"_s, u"无收支"_s});
        return p;
    }
    if (kind == u"DBHyperLinkEdit")
        return new widgets::DBHyperLinkEdit(ds, field);
    return nullptr;
}

DataEditor *editorOf(QWidget *w) { return dynamic_cast<DataEditor *>(w); }

QString shownText(QWidget *w)
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *e = qobject_cast<widgets::DBMemo *>(w))
        return e->text();
    if (auto *e = qobject_cast<QComboBox *>(w))
        return e->currentText();
    if (auto *e = qobject_cast<QAbstractSpinBox *>(w))
        return e->text();
    return QString();
}

// Types text into the focused widget the way a user does (Chinese through key events with text).
void typeText(const QString &text)
{
    QWidget *target = QApplication::focusWidget();
    QVERIFY(target);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = text.at(i).isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, text.mid(i, len), Qt::NoModifier);
        i += len - 1;
    }
}

void focus(QWidget *w)
{
    w->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(w->hasFocus());
}

// A window with the editors under test and a plain box to move the focus to.
struct Form
{
    explicit Form(const QList<QWidget *> &editors)
    {
        auto *layout = new QFormLayout(&window);
        for (QWidget *e : editors)
            layout->addRow(QString::fromLatin1(e->metaObject()->className()), e);
        other = new QLineEdit;
        layout->addRow(u"other"_s, other);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("window not active");
    }
    QWidget window;
    QLineEdit *other;
};

} // namespace

class TestWidgetsEditors : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(u"zh_CN"_s)); }

    // Typing enters Edit and sets the modified flag; the value reaches the field when the box is left.
    void typingEditsAndLeavingWrites_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("line edit") << u"DBEdit"_s << u"CustName_S"_s << u"Zeta"_s << QVariant(u"Zeta"_s);
        QTest::newRow("memo") << u"DBMemo"_s << u"CustMemo"_s << u"note"_s << QVariant(u"note"_s);
        QTest::newRow("date") << u"DBDateEdit"_s << u"CreateTime"_s << u"2024/6/1"_s << QVariant(QDate(2024, 6, 1));
        QTest::newRow("date, ISO dashes") << u"DBDateEdit"_s << u"CreateTime"_s << u"2024-06-01"_s
                                          << QVariant(QDate(2024, 6, 1));
        QTest::newRow("time") << u"DBTimeEdit"_s << u"AlarmTime"_s << u"14:05"_s << QVariant(QTime(14, 5));
        QTest::newRow("calculator sum") << u"DBNumericEdit"_s << u"GoalAmount"_s << u"100*3+0.5"_s
                                        << QVariant(300.5);
        QTest::newRow("spin") << u"DBSpinEdit"_s << u"Visits"_s << u"42"_s << QVariant(42);
        QTest::newRow("pick list, free text") << u"DBPickEdit"_s << u"InOrOut"_s << u"misc"_s << QVariant(u"misc"_s);
        QTest::newRow("hyperlink") << u"DBHyperLinkEdit"_s << u"Email"_s << u"b@y.cn"_s << QVariant(u"b@y.cn"_s);
    }
    void typingEditsAndLeavingWrites()
    {
        QFETCH(QString, kind);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QVariant, expected);
        Fixture f;
        QWidget *w = makeEditor(kind, &f.customers, field);
        Form form({w});
        QSignalSpy exited(w, SIGNAL(exited()));
        const QVariant before = f.customers.field(field).value();

        focus(w);
        QCOMPARE(f.customers.state(), db::State::Browse);
        QVERIFY(!editorOf(w)->isEditorModified());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QCOMPARE(f.customers.state(), db::State::Edit);
        QVERIFY(editorOf(w)->isEditorModified());
        QCOMPARE(f.customers.field(field).value(), before); // not yet: the box is still being typed in

        focus(form.other);
        QCOMPARE(f.customers.field(field).value(), expected);
        QCOMPARE(exited.count(), 1);
        // The flag says "changed by typing" to the window's exit handler; writing does not clear it.
        QVERIFY(editorOf(w)->isEditorModified());
        QVERIFY(f.services.messages.shown.isEmpty());

        f.customers.post();
        QCOMPARE(f.stored(1, field), expected);
        QVERIFY(!editorOf(w)->isEditorModified());
    }

    // A post (and a cursor move) takes the typed text even when the box was never left.
    void postAndMoveWriteTextOfTheFocusedBox()
    {
        Fixture f;
        auto *name = new widgets::DBEdit(&f.customers, u"CustName_S"_s);
        auto *memo = new widgets::DBMemo(&f.customers, u"CustMemo"_s);
        Form form({name, memo});

        focus(name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        typeText(u"华夏广告"_s);
        f.customers.post();
        QCOMPARE(f.stored(1, u"CustName_S"_s), QVariant(u"华夏广告"_s));

        focus(memo);
        typeText(u"补充"_s);
        QCOMPARE(f.customers.state(), db::State::Edit);
        f.customers.next(); // moving on posts the modified record
        QCOMPARE(f.stored(1, u"CustMemo"_s).toString(), u"补充第一行备注"_s);
        QCOMPARE(memo->text(), QString()); // and the memo shows the second record
    }

    // Scrolling, posting and cancelling show the record again without the modified flag.
    void followingTheRecordDoesNotSetModified()
    {
        Fixture f;
        QStringList kinds{u"DBEdit"_s, u"DBMemo"_s, u"DBDateEdit"_s, u"DBTimeEdit"_s, u"DBNumericEdit"_s,
                          u"DBSpinEdit"_s, u"DBPickEdit"_s, u"DBHyperLinkEdit"_s};
        QStringList fields{u"CustName_S"_s, u"CustMemo"_s, u"CreateTime"_s, u"AlarmTime"_s, u"GoalAmount"_s,
                           u"Visits"_s, u"InOrOut"_s, u"Email"_s};
        QList<QWidget *> editors;
        for (int i = 0; i < kinds.size(); ++i)
            editors << makeEditor(kinds[i], &f.customers, fields[i]);
        auto *check = new widgets::DBCheckBox(u"顾问单位"_s, &f.customers, u"IsConsult"_s);
        editors << check;
        Form form(editors);

        QCOMPARE(shownText(editors[0]), u"ACME"_s);
        QCOMPARE(shownText(editors[2]), u"2024/5/15"_s);
        QCOMPARE(shownText(editors[3]), u"09:30:00"_s);
        QCOMPARE(shownText(editors[6]), u"收入"_s);
        QVERIFY(check->isChecked());

        f.customers.next();
        const QStringList second{u"华信"_s, {}, u"2023/1/2"_s, {}, {}, {}, {}, {}};
        for (int i = 0; i < kinds.size(); ++i) {
            QCOMPARE(shownText(editors[i]), second[i]);
            QVERIFY2(!editorOf(editors[i])->isEditorModified(), qPrintable(kinds[i]));
        }
        QVERIFY(!check->isChecked());
        QCOMPARE(f.customers.state(), db::State::Browse);

        // A typed change that is cancelled goes back to the stored value.
        focus(editors[0]);
        typeText(u"X"_s);
        f.customers.cancel();
        QCOMPARE(shownText(editors[0]), u"华信"_s);
        QVERIFY(!editorOf(editors[0])->isEditorModified());

        // Code that sets a field is shown at once, not as typing.
        f.customers.edit();
        f.customers.field(u"CustName_S"_s).setValue(u"新名"_s);
        QCOMPARE(shownText(editors[0]), u"新名"_s);
        QVERIFY(!editorOf(editors[0])->isEditorModified());
    }

    // Typing past the field's width in GBK bytes, or a character GBK cannot hold, is refused.
    void refusesTypingPastTheWidth_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("five Chinese fit, the sixth not") << u"DBEdit"_s << u"一二三四五六"_s << u"一二三四五"_s;
        QTest::newRow("ten ASCII fit") << u"DBEdit"_s << u"abcdefghijk"_s << u"abcdefghij"_s;
        QTest::newRow("mixed: 2 + 4x2 bytes") << u"DBEdit"_s << u"ab一二三四c五"_s << u"ab一二三四"_s;
        QTest::newRow("a Chinese character does not fit into one byte") << u"DBEdit"_s << u"abcdefghi一"_s
                                                                        << u"abcdefghi"_s;
        QTest::newRow("emoji refused") << u"DBEdit"_s << u"ab😀c"_s << u"abc"_s;
        QTest::newRow("pick list") << u"DBPickEdit"_s << u"一二三四五六"_s << u"一二三四五"_s;
        QTest::newRow("memo on a sized field") << u"DBMemo"_s << u"一二三四五六"_s << u"一二三四五"_s;
    }
    void refusesTypingPastTheWidth()
    {
        QFETCH(QString, kind);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        Fixture f;
        f.customers.append(); // an empty record; the name is a VARCHAR(10)
        QWidget *w = makeEditor(kind, &f.customers, u"CustName_S"_s);
        Form form({w});
        focus(w);
        typeText(typed);
        QCOMPARE(shownText(w), expected);
        focus(form.other);
        QCOMPARE(f.customers.field(u"CustName_S"_s).asString(), expected);
        f.customers.post();
        QCOMPARE(f.stored(3, u"CustName_S"_s).toString(), expected);
    }

    // An input method commits whole words: one that does not fit is refused as a whole.
    void refusesInputMethodCommitPastTheWidth()
    {
        Fixture f;
        auto *name = new widgets::DBEdit(&f.customers, u"CustName_S"_s);
        auto *memo = new widgets::DBMemo(&f.customers, u"CustMemo"_s);
        Form form({name, memo});
        for (QWidget *w : {static_cast<QWidget *>(name), static_cast<QWidget *>(memo)}) {
            focus(w);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
            QInputMethodEvent ok;
            ok.setCommitString(u"汉字汉字"_s);
            QApplication::sendEvent(w, &ok);
            QInputMethodEvent tooLong;
            tooLong.setCommitString(u"中文"_s);
            QApplication::sendEvent(w, &tooLong);
            // The memo is a TEXT field: no width, so it takes the second word too.
            QCOMPARE(shownText(w), w == name ? u"汉字汉字"_s : u"汉字汉字中文"_s);
            QInputMethodEvent emoji;
            emoji.setCommitString(u"😀"_s);
            QApplication::sendEvent(w, &emoji);
            QCOMPARE(shownText(w), w == name ? u"汉字汉字"_s : u"汉字汉字中文"_s);
        }
    }

    // A stored text longer than the width (an old value) shows in full and may be shortened.
    void overlongStoredTextCanBeShortened()
    {
        Fixture f;
        db::Connection::get().exec(u"UPDATE Customers SET CustName_S = '一二三四五六七' WHERE CustNo = 1"_s);
        f.customers.refresh();
        auto *name = new widgets::DBEdit(&f.customers, u"CustName_S"_s);
        Form form({name});
        QCOMPARE(name->text(), u"一二三四五六七"_s);
        focus(name);
        name->end(false);
        QTest::keyClick(name, Qt::Key_Backspace);
        QCOMPARE(name->text(), u"一二三四五六"_s);
        typeText(u"八"_s); // still too long: no growing
        QCOMPARE(name->text(), u"一二三四五六"_s);
    }

    void lookupComboStoresKeyAndShowsListText()
    {
        Fixture f;
        auto *level = new widgets::DBLookupCombo(&f.customers, u"CustLevel"_s);
        level->setListSource(&f.levels, u"LevelNo"_s, u"LevelName"_s);
        auto *mail = new widgets::DBLookupCombo;
        mail->setListSource(&f.levels, u"LevelNo"_s, {u"Email"_s, u"LevelName"_s});
        Form form({level, mail});

        QCOMPARE(level->currentText(), u"VIP客户"_s);
        QCOMPARE(level->keyValue(), QVariant(1));
        f.customers.next();
        QCOMPARE(level->currentText(), u"普通客户"_s);
        QVERIFY(!level->isModified());

        // Choosing with the keyboard stores the key at once and shows the list text.
        focus(level);
        QTest::keyClick(level, Qt::Key_Down);
        QCOMPARE(level->currentText(), u"潜在客户"_s);
        QCOMPARE(f.customers.state(), db::State::Edit);
        QCOMPARE(f.customers.field(u"CustLevel"_s).value(), QVariant(3));
        QVERIFY(level->isModified());
        f.customers.post();
        QCOMPARE(f.stored(2, u"CustLevel"_s), QVariant(3));

        // A key the list does not hold shows an empty box; renaming a list row shows the new text.
        db::Connection::get().exec(u"UPDATE Customers SET CustLevel = 9 WHERE CustNo = 1"_s);
        f.customers.refresh();
        f.customers.first();
        QCOMPARE(level->currentText(), QString());
        f.customers.next();
        f.levels.locate(u"LevelNo"_s, 3);
        f.levels.edit();
        f.levels.field(u"LevelName"_s).setValue(u"潜在"_s);
        f.levels.post();
        QCOMPARE(level->currentText(), u"潜在"_s);

        // Delete clears the choice and stores null.
        focus(level);
        QTest::keyClick(level, Qt::Key_Delete);
        QCOMPARE(level->currentText(), QString());
        QVERIFY(f.customers.field(u"CustLevel"_s).isNull());

        // Several list fields: the drop-down shows them as columns, the box the first.
        mail->setKeyValue(2);
        QCOMPARE(mail->currentText(), u"common@x.com"_s);
        QCOMPARE(mail->listValue(u"LevelName"_s), QVariant(u"普通客户"_s));
        auto *table = qobject_cast<QTableView *>(mail->view());
        QVERIFY(table);
        QCOMPARE(table->isColumnHidden(0), false);
        QCOMPARE(table->isColumnHidden(1), false);
        QCOMPARE(table->isColumnHidden(2), true); // the key
    }

    void closedDatasetShowsEmptyDisabledBoxes()
    {
        Fixture f;
        auto *name = new widgets::DBEdit(&f.customers, u"CustName_S"_s);
        auto *level = new widgets::DBLookupCombo(&f.customers, u"CustLevel"_s);
        level->setListSource(&f.levels, u"LevelNo"_s, u"LevelName"_s);
        auto *plain = new widgets::DBEdit; // unbound: a plain box
        Form form({name, level, plain});
        f.customers.close();
        QCOMPARE(name->text(), QString());
        QVERIFY(!name->isEnabled());
        QCOMPARE(level->currentText(), QString());
        QVERIFY(!level->isEnabled());
        QVERIFY(plain->isEnabled());
        f.customers.open();
        QVERIFY(name->isEnabled());
        QCOMPARE(name->text(), u"ACME"_s);
        QCOMPARE(level->currentText(), u"VIP客户"_s);
    }

    // Text that is no date is refused with a message when the box is left; the text stays,
    // and a post stops instead of storing something else.
    void unreadableDateIsRefusedAndKept()
    {
        Fixture f;
        auto *date = new widgets::DBDateEdit(&f.customers, u"CreateTime"_s);
        Form form({date});
        focus(date);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), u"2024/13/45"_s);
        focus(form.other);
        QCOMPARE(f.services.messages.shown.size(), 1);
        QCOMPARE(f.services.messages.shown[0].text, u"“2024/13/45”不是有效的日期。"_s);
        QCOMPARE(f.services.messages.shown[0].title, u"系统提示"_s);
        QCOMPARE(date->text(), u"2024/13/45"_s);
        QTRY_VERIFY(date->hasFocus()); // back for correcting
        QVERIFY_THROWS_EXCEPTION(db::Error, f.customers.post());
        QCOMPARE(f.customers.state(), db::State::Edit);
        QCOMPARE(f.stored(1, u"CreateTime"_s), QVariant(QDate(2024, 5, 15)));

        // Emptying a date box stores null.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        f.customers.post();
        QVERIFY(f.stored(1, u"CreateTime"_s).isNull());
    }

    void numericBoxFormatsWhenNotFocused()
    {
        Fixture f;
        f.customers.field(u"GoalAmount"_s).setDisplayFormat(u"￥,0;-￥,0"_s);
        auto *amount = new widgets::DBNumericEdit(&f.customers, u"GoalAmount"_s);
        Form form({amount});
        focus(form.other);
        QCOMPARE(amount->text(), u"￥1,235"_s);
        focus(amount);
        QCOMPARE(amount->text(), u"1234.56"_s);
        focus(form.other);
        QCOMPARE(amount->text(), u"￥1,235"_s);
        QCOMPARE(f.customers.state(), db::State::Browse); // looking is no typing

        // The formatted text is never read back as the value (no rounding to whole yuan).
        focus(amount);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), u"-2500.25"_s);
        focus(form.other);
        QCOMPARE(amount->text(), u"-￥2,500"_s);
        f.customers.post();
        QCOMPARE(f.stored(1, u"GoalAmount"_s).toDouble(), -2500.25);

        focus(amount);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), u"10/0"_s);
        focus(form.other);
        QCOMPARE(f.services.messages.shown.size(), 1);
        QCOMPARE(f.services.messages.shown[0].text, u"“10/0”不是有效的数值。"_s);
        QCOMPARE(amount->text(), u"10/0"_s);
    }

    void checkBoxWritesAtOnce()
    {
        Fixture f;
        auto *check = new widgets::DBCheckBox(u"顾问单位"_s, &f.customers, u"IsConsult"_s);
        Form form({check});
        QVERIFY(check->isChecked());
        QTest::mouseClick(check, Qt::LeftButton);
        QCOMPARE(f.customers.state(), db::State::Edit);
        QCOMPARE(f.customers.field(u"IsConsult"_s).value(), QVariant(false));
        QVERIFY(check->isModified());
        f.customers.post();
        QCOMPARE(f.stored(1, u"IsConsult"_s), QVariant(false));

        check->setReadOnly(true);
        QTest::mouseClick(check, Qt::LeftButton);
        QVERIFY(!check->isChecked());
        QCOMPARE(f.customers.state(), db::State::Browse);
    }

    // A dataset that cannot be edited refuses the keystroke: the error is shown, the record stays.
    void readOnlyDatasetRefusesTyping()
    {
        Fixture f;
        db::Query q;
        q.setSql(u"SELECT CustNo, CustName_S FROM Customers ORDER BY CustNo"_s);
        q.open();
        auto *name = new widgets::DBEdit(&q, u"CustName_S"_s);
        Form form({name});
        focus(name);
        typeText(u"Z"_s);
        QCOMPARE(f.services.messages.shown.size(), 1);
        QTRY_COMPARE(name->text(), u"ACME"_s);
        QVERIFY(!name->isModified());
        QCOMPARE(q.state(), db::State::Browse);
    }

    // Typing into an empty dataset inserts a record (edit on an empty dataset inserts).
    void typingIntoEmptyDatasetInserts()
    {
        Fixture f;
        db::Connection::get().exec(u"DELETE FROM Customers"_s);
        f.customers.refresh();
        auto *name = new widgets::DBEdit(&f.customers, u"CustName_S"_s);
        auto *memo = new widgets::DBMemo(&f.customers, u"CustMemo"_s);
        Form form({name, memo});
        focus(name);
        typeText(u"新客户"_s);
        QCOMPARE(f.customers.state(), db::State::Insert);
        QCOMPARE(name->text(), u"新客户"_s); // the keystroke survives the insert
        focus(memo);
        typeText(u"备注"_s);
        f.customers.post();
        QCOMPARE(f.customers.recordCount(), 1);
        QCOMPARE(f.customers.field(u"CustName_S"_s).asString(), u"新客户"_s);
        QCOMPARE(f.customers.field(u"CustMemo"_s).asString(), u"备注"_s);
    }

    // A value put in by the program "as typed" (e.g. a name put back) reaches the field like typing.
    void enterValueActsAsTyping()
    {
        Fixture f;
        auto *name = new widgets::DBEdit(&f.customers, u"CustName_S"_s);
        Form form({name});
        name->enterValue(u"旧名"_s);
        QCOMPARE(f.customers.state(), db::State::Edit);
        QVERIFY(name->isModified());
        f.customers.post();
        QCOMPARE(f.stored(1, u"CustName_S"_s), QVariant(u"旧名"_s));
    }

    void editorsAndDatasetsMayGoInEitherOrder()
    {
        Fixture f;
        {
            auto *name = new widgets::DBEdit(&f.customers, u"CustName_S"_s);
            Form form({name});
            focus(name);
            typeText(u"X"_s);
        } // a focused box with typed text goes away
        QCOMPARE(f.customers.state(), db::State::Edit);
        f.customers.post(); // and no longer takes part
        QCOMPARE(f.stored(1, u"CustName_S"_s), QVariant(u"ACME"_s));

        auto *table = new db::Table(u"Customers"_s);
        table->open();
        widgets::DBEdit box(table, u"CustName_S"_s);
        QCOMPARE(box.text(), u"ACME"_s);
        delete table;
        QVERIFY(!box.dataset());
        box.setText(u"plain"_s);
        QVERIFY(box.isEnabled());
    }

    void hyperlinkClicks()
    {
        Fixture f;
        auto *mail = new widgets::DBHyperLinkEdit(&f.customers, u"Email"_s);
        Form form({mail});
        QSignalSpy clicked(mail, &widgets::DBHyperLinkEdit::linkClicked);
        QSignalSpy doubleClicked(mail, &widgets::DBHyperLinkEdit::linkDoubleClicked);
        QTest::mouseClick(mail, Qt::LeftButton, {}, QPoint(10, mail->height() / 2));
        QTRY_COMPARE(clicked.count(), 1);
        QCOMPARE(clicked[0][0].toString(), u"a@x.com"_s);
        QVERIFY(mail->font().underline());

        // A double click is only a double click.
        clicked.clear();
        const QPoint p(10, mail->height() / 2);
        QTest::mousePress(mail, Qt::LeftButton, {}, p);
        QTest::mouseRelease(mail, Qt::LeftButton, {}, p);
        QTest::mouseDClick(mail, Qt::LeftButton, {}, p);
        QCOMPARE(doubleClicked.count(), 1);
        QCOMPARE(doubleClicked[0][0].toString(), u"a@x.com"_s);
        QTest::qWait(QApplication::styleHints()->mouseDoubleClickInterval() + 100);
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(f.customers.state(), db::State::Browse);
    }

    void enterMovesAlongTheChain()
    {
        Fixture f;
        auto *num = new widgets::DBEdit(&f.customers, u"CustNo"_s);
        auto *name = new widgets::DBEdit(&f.customers, u"CustName_S"_s);
        auto *level = new widgets::DBLookupCombo(&f.customers, u"CustLevel"_s);
        level->setListSource(&f.levels, u"LevelNo"_s, u"LevelName"_s);
        auto *pick = new widgets::DBPickEdit(&f.customers, u"InOrOut"_s);
        auto *hidden = new widgets::DBEdit(&f.customers, u"Email"_s);
        auto *date = new widgets::DBDateEdit(&f.customers, u"CreateTime"_s);
        auto *spin = new widgets::DBSpinEdit(&f.customers, u"Visits"_s);
        auto *button = new QPushButton(u"详情"_s);
        QSignalSpy pressed(button, &QPushButton::clicked);
        Form form({num, name, level, pick, hidden, date, spin, button});
        hidden->hide();
        widgets::EnterChain::install({num, name, level, pick, hidden, date, spin, button},
                                     widgets::EnterChain::Last::Press);

        focus(num);
        for (QWidget *next : {static_cast<QWidget *>(name), static_cast<QWidget *>(level),
                              static_cast<QWidget *>(pick), static_cast<QWidget *>(date),
                              static_cast<QWidget *>(spin)}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY2(next->hasFocus(), next->metaObject()->className());
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(pressed.count(), 1);
        QVERIFY(spin->hasFocus());
        QCOMPARE(f.customers.state(), db::State::Browse); // Enter types nothing
    }

    // Not a check: grabs a form with every editor when CRM_GRAB_DIR is set, to look at it.
    void grabForm()
    {
        const QString dir = qEnvironmentVariable("CRM_GRAB_DIR");
        if (dir.isEmpty())
            QSKIP("set CRM_GRAB_DIR to grab the editor form");
        Fixture f;
        f.customers.field(u"GoalAmount"_s).setDisplayFormat(u"￥,0;-￥,0"_s);
        auto *level = new widgets::DBLookupCombo(&f.customers, u"CustLevel"_s);
        level->setListSource(&f.levels, u"LevelNo"_s, u"LevelName"_s);
        auto *pick = new widgets::DBPickEdit(&f.customers, u"InOrOut"_s);
        pick->setItems({u"收入"_s, u"支出"_s, u"无收支"_s});
        db::Table closedTable(u"Levels"_s);
        auto *closedBox = new widgets::DBEdit(&closedTable, u"LevelName"_s);
        auto *memo = new widgets::DBMemo(&f.customers, u"CustMemo"_s);
        memo->setFixedHeight(60);
        QWidget window;
        auto *layout = new QFormLayout(&window);
        layout->addRow(u"客户简称"_s, new widgets::DBEdit(&f.customers, u"CustName_S"_s));
        auto *date = new widgets::DBDateEdit(&f.customers, u"CreateTime"_s);
        layout->addRow(u"建档时间"_s, date);
        layout->addRow(u"闹钟时间"_s, new widgets::DBTimeEdit(&f.customers, u"AlarmTime"_s));
        layout->addRow(u"合同金额"_s, new widgets::DBNumericEdit(&f.customers, u"GoalAmount"_s));
        layout->addRow(u"来访次数"_s, new widgets::DBSpinEdit(&f.customers, u"Visits"_s));
        layout->addRow(u"客户级别"_s, level);
        layout->addRow(u"收支情况"_s, pick);
        layout->addRow(u"Email"_s, new widgets::DBHyperLinkEdit(&f.customers, u"Email"_s));
        layout->addRow(QString(), new widgets::DBCheckBox(u"顾问单位"_s, &f.customers, u"IsConsult"_s));
        layout->addRow(u"备注"_s, memo);
        layout->addRow(u"(已关闭)"_s, closedBox);
        window.resize(360, 420);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.grab().save(QDir(dir).filePath(u"widgets_editors.png"_s)));
        date->showPopup();
        QVERIFY(date->calendar()->grab().save(QDir(dir).filePath(u"widgets_calendar.png"_s)));
        date->calendar()->hide();
        // The drop-down of a lookup with two columns.
        auto *mail = new widgets::DBLookupCombo(&window);
        mail->setListSource(&f.levels, u"LevelNo"_s, {u"Email"_s, u"LevelName"_s});
        layout->addRow(u"邮件"_s, mail);
        mail->showPopup();
        QTest::qWait(100);
        QVERIFY(mail->view()->window()->grab().save(QDir(dir).filePath(u"widgets_lookup_popup.png"_s)));
    }
};

QTEST_MAIN(TestWidgetsEditors)
#include "tst_widgets_editors.moc"
