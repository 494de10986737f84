// The reminder window over the data module's reminder table.
#include "FakeServices.h"
#include "TempProgramFolder.h"

#include "business/TfrmAlarm.h"
#include "platform/widgets/DBGrid.h"
#include "platform/widgets/DBPickEdit.h"
#include "store/DMOrvane.h"

#include <QHeaderView>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using business::TfrmAlarm;

namespace {

// Types into the focused box as a user does (Chinese through key events carrying the text).
void typeText(const QString &text)
{
    QWidget *target = QApplication::focusWidget();
    QVERIFY(target);
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void pressEnter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

} // namespace

class TestAlarm : public QObject
{
    Q_OBJECT
    std::unique_ptr<fake::Services> m_services;
    std::unique_ptr<testing::TempProgramFolder> m_folder;
    std::unique_ptr<store::TDMOrvane> m_dm;
    std::unique_ptr<TfrmAlarm> m_window;

    template<typename T = QWidget> T *find(const char *name) const { return m_window->findChild<T *>(QString::fromLatin1(name)); }
    void click(const char *name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    QVariant stored(const QString &sql) const { return m_folder->scalar(sql); }

    void open()
    {
        m_window = std::make_unique<TfrmAlarm>();
        m_window->show();
        m_window->activateWindow();
        if (!QTest::qWaitForWindowActive(m_window.get()))
            qWarning("window not active");
    }
    void focusBox(const char *name)
    {
        find(name)->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(find(name)->hasFocus());
    }

private slots:
    void init()
    {
        m_services = std::make_unique<fake::Services>();
        m_folder = std::make_unique<testing::TempProgramFolder>();
        m_dm = std::make_unique<store::TDMOrvane>();
        store::DMOrvane = m_dm.get();
        m_folder->exec(u"INSERT INTO AlarmTab (AlarmNo, AlarmDate, AlarmTime, AlarmType, AlarmMemo) VALUES "
                       "(1, '2024-05-15', '09:00:00', '会议', '年度会议'), (2, '2024-05-16', '14:30:00', '收款', '画册尾款')"_s);
    }
    void cleanup()
    {
        m_window.reset();
        m_dm.reset();
        m_folder.reset();
        m_services.reset();
    }

    void showsTheRemindersItStandsOn()
    {
        m_dm->tlbAlarm->open();
        m_dm->tlbAlarm->locate(u"AlarmNo"_s, 2); // what the start-up check or the item's button does
        open();
        QCOMPARE(m_window->windowTitle(), u"闹钟设置"_s);
        auto *grid = find<widgets::DBGrid>("dxDGAlarm");
        QStringList headers;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            headers << grid->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headers, (QStringList{u"序号"_s, u"日期"_s, u"时间"_s, u"事项"_s, u"备注"_s}));
        QCOMPARE(find<QLineEdit>("dxDBTimeAlarm")->text(), u"14:30:00"_s);
        QCOMPARE(find<QLineEdit>("dxDBDateAlarm")->text(), u"2024/5/16"_s);
        QCOMPARE(find<widgets::DBPickEdit>("dxDBPickAlarmType")->items(), TfrmAlarm::alarmKinds());
        QCOMPARE(TfrmAlarm::alarmKinds().size(), 11);
        QCOMPARE(find<QPlainTextEdit>("dxDBMemoAlarm")->toPlainText(), u"画册尾款"_s);
        if (!qEnvironmentVariableIsEmpty("CRM_GRAB_DIR"))
            QVERIFY(m_window->grab().save(QDir(qEnvironmentVariable("CRM_GRAB_DIR")).filePath(u"frmAlarm.png"_s)));
    }

    void windowOpensAClosedTable()
    {
        QVERIFY(!m_dm->tlbAlarm->isActive());
        open();
        QVERIFY(m_dm->tlbAlarm->isActive());
        QCOMPARE(m_dm->tlbAlarm->recordCount(), 2);
    }

    // "添加" starts a reminder in the time box; Enter walks time -> date -> kind -> remark.
    void addByKeyboardAndSave()
    {
        open();
        click("fbtnAdd");
        QTRY_VERIFY(find("dxDBTimeAlarm")->hasFocus());
        typeText(u"08:15"_s);
        pressEnter();
        QTRY_VERIFY(find("dxDBDateAlarm")->hasFocus());
        typeText(u"2024/6/1"_s);
        pressEnter();
        QTRY_VERIFY(find("dxDBPickAlarmType")->hasFocus());
        typeText(u"生日"_s);
        pressEnter();
        QTRY_VERIFY(find("dxDBMemoAlarm")->hasFocus());
        typeText(u"买蛋糕"_s);
        click("fbtnSave");

        QCOMPARE(stored(u"SELECT COUNT(*) FROM AlarmTab"_s).toInt(), 3);
        QCOMPARE(stored(u"SELECT AlarmDate || ' ' || AlarmTime || ' ' || AlarmType || ' ' || AlarmMemo FROM AlarmTab WHERE AlarmNo > 2"_s).toString(),
                 u"2024-06-01 08:15:00 生日 买蛋糕"_s);
        QCOMPARE(m_dm->tlbAlarm->state(), db::State::Browse);
    }

    void saveWritesTheCurrentReminder()
    {
        open();
        auto *grid = find<widgets::DBGrid>("dxDGAlarm");
        const QModelIndex row = grid->viewIndex(m_dm->tlbAlarm->recNo() == 0 ? 1 : 0, 1);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(row).center());
        const int no = m_dm->tlbAlarm->field(u"AlarmNo"_s).asInteger();
        focusBox("dxDBMemoAlarm");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
        typeText(u"（已改）"_s);
        click("fbtnSave");
        QVERIFY(stored(u"SELECT AlarmMemo FROM AlarmTab WHERE AlarmNo = %1"_s.arg(no)).toString().endsWith(u"（已改）"_s));
        QCOMPARE(stored(u"SELECT COUNT(*) FROM AlarmTab"_s).toInt(), 2);
    }

    void deleteAsksFirst()
    {
        open();
        const int no = m_dm->tlbAlarm->field(u"AlarmNo"_s).asInteger();
        m_services->messages.answers.enqueue(sys::Button::Cancel);
        click("fbtnDelete");
        QCOMPARE(m_services->messages.shown.size(), 1);
        const auto &asked = m_services->messages.shown[0];
        QCOMPARE(asked.text, u"真的要删除该记录吗？"_s);
        QCOMPARE(asked.title, u"系统提示"_s);
        QCOMPARE(asked.icon, sys::Icon::Question);
        QCOMPARE(asked.defaultButton, sys::Button::Cancel);
        QCOMPARE(stored(u"SELECT COUNT(*) FROM AlarmTab"_s).toInt(), 2);

        click("fbtnDelete"); // OK
        QCOMPARE(stored(u"SELECT COUNT(*) FROM AlarmTab WHERE AlarmNo = %1"_s.arg(no)).toInt(), 0);
        click("fbtnDelete");
        QCOMPARE(stored(u"SELECT COUNT(*) FROM AlarmTab"_s).toInt(), 0);

        m_services->messages.shown.clear();
        click("fbtnDelete"); // nothing left: no question
        QVERIFY(m_services->messages.shown.isEmpty());
    }

    // Closing the window keeps what was typed; an untouched new reminder is dropped.
    void closingKeepsWhatWasTyped()
    {
        open();
        const int no = m_dm->tlbAlarm->field(u"AlarmNo"_s).asInteger();
        focusBox("dxDBMemoAlarm");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        typeText(u"改期"_s);
        m_window->close();
        QCOMPARE(stored(u"SELECT AlarmMemo FROM AlarmTab WHERE AlarmNo = %1"_s.arg(no)).toString(), u"改期"_s);

        open();
        click("fbtnAdd");
        m_window->close();
        QCOMPARE(stored(u"SELECT COUNT(*) FROM AlarmTab"_s).toInt(), 2);
        QCOMPARE(m_dm->tlbAlarm->state(), db::State::Browse);
    }
};

QTEST_MAIN(TestAlarm)
#include "tst_alarm.moc"
