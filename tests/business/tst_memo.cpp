// The memo windows: the date-and-time stamp written into the record, and saving the record.
#include "FakeServices.h"
#include "TempProgramFolder.h"

#include "business/MemoStamp.h"
#include "business/TFrmMemo1.h"
#include "business/TfrmMemo.h"
#include "platform/widgets/DBMemo.h"
#include "store/DMOrvane.h"
#include "store/General.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;
using business::TfrmMemo;
using business::TFrmMemo1;

namespace {

const QString kStamp = u"\r\n2024/5/15 10:30:00"_s; // the fake clock's now

void typeText(QWidget *target, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class TestMemo : public QObject
{
    Q_OBJECT
    std::unique_ptr<fake::Services> m_services;
    std::unique_ptr<testing::TempProgramFolder> m_folder;
    std::unique_ptr<store::TDMOrvane> m_dm;

    QVariant stored(const QString &sql) const { return m_folder->scalar(sql); }
    void show(TfrmMemo &memo)
    {
        memo.show();
        memo.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&memo));
    }
    void click(TfrmMemo &memo, const char *button)
    {
        auto *b = memo.findChild<QPushButton *>(QString::fromLatin1(button));
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void typeInMemo(TfrmMemo &memo, const QString &text)
    {
        memo.dxDBMemoGeneral->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(memo.dxDBMemoGeneral->hasFocus());
        QTest::keyClick(memo.dxDBMemoGeneral, Qt::Key_End, Qt::ControlModifier);
        typeText(memo.dxDBMemoGeneral, text);
    }
    db::Table *dataset(const QString &name) const { return m_dm->findChild<db::Table *>(name); }

private slots:
    void init()
    {
        m_services = std::make_unique<fake::Services>();
        m_folder = std::make_unique<testing::TempProgramFolder>();
        crm::AppPath = m_folder->appPath();
        crm::AccessoryRoot = crm::AppPath + u"Accessory/"_s;
        m_dm = std::make_unique<store::TDMOrvane>();
        store::DMOrvane = m_dm.get();
        m_folder->exec(u"INSERT INTO Customers (CustNo, CustName_S, CustMemo, CreateTime) VALUES "
                       "(1, '华信广告', NULL, '2024-03-01'), (2, '新月翻译', '老客户，月结', '2024-05-10')"_s);
        m_folder->exec(u"INSERT INTO Operates (OperateNO, CustNo, OperateTitle, OperateMemo) VALUES "
                       "(1, 1, '通讯录整理', '客户提供名单')"_s);
        m_folder->exec(u"INSERT INTO Linkmans (LinkmanNO, CustNo, Name, LinkmanMemo) VALUES (1, 1, '王业务', '只接上午电话')"_s);
        for (db::Table *t : {m_dm->tlbCust, m_dm->tlbOperates, m_dm->tlbLinkman, m_dm->tlbAddressBook})
            t->open();
    }
    void cleanup()
    {
        store::DMOrvane = nullptr;
        m_dm.reset();
        m_folder.reset();
        m_services.reset();
    }

    void stampText_data()
    {
        QTest::addColumn<QString>("previous");
        QTest::addColumn<QString>("stamped");
        QTest::newRow("empty memo starts with a line break") << QString() << kStamp;
        QTest::newRow("text kept in front") << u"老客户，月结"_s << u"老客户，月结"_s + kStamp;
        QTest::newRow("stamp after stamp") << u"a"_s + kStamp << u"a"_s + kStamp + kStamp;
    }
    void stampText()
    {
        QFETCH(QString, previous);
        QFETCH(QString, stamped);
        QCOMPARE(business::memoStampText(previous, m_services->clock.now()), stamped);
    }

    // "插入时间" writes into tlbCust.CustMemo (edit state, nothing posted); the box shows it.
    void customerStampGoesIntoTheRecord_data()
    {
        QTest::addColumn<int>("custNo");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty memo") << 1 << kStamp;
        QTest::newRow("memo with text") << 2 << u"老客户，月结"_s + kStamp;
    }
    void customerStampGoesIntoTheRecord()
    {
        QFETCH(int, custNo);
        QFETCH(QString, expected);
        m_dm->tlbCust->locate(u"CustNo"_s, custNo);
        TFrmMemo1 memo;
        memo.setNotice(u"客户名称--"_s + m_dm->tlbCust->field(u"CustName_S"_s).asString());
        show(memo);
        QCOMPARE(memo.windowTitle(), u"备注"_s);
        QCOMPARE(memo.dxDBMemoGeneral->dataset(), m_dm->tlbCust);
        QCOMPARE(memo.dxDBMemoGeneral->dataField(), u"CustMemo"_s);
        QVERIFY(memo.dxMemoGeneral->isHidden());

        click(memo, "fbtnAddTime");

        QCOMPARE(m_dm->tlbCust->state(), db::State::Edit);
        QCOMPARE(m_dm->tlbCust->field(u"CustMemo"_s).asString(), expected);
        QCOMPARE(memo.dxDBMemoGeneral->toPlainText().replace(u"\r"_s, QString()), QString(expected).remove(u'\r'));
        QCOMPARE(stored(u"SELECT ifnull(CustMemo, '') FROM Customers WHERE CustNo = %1"_s.arg(custNo)).toString(),
                 custNo == 1 ? QString() : u"老客户，月结"_s);
    }

    // Text typed before the stamp is kept in front of it, and "保存" writes both.
    void typedTextThenStampThenSave()
    {
        m_dm->tlbCust->locate(u"CustNo"_s, 2);
        TFrmMemo1 memo;
        show(memo);
        typeInMemo(memo, u"，已报价"_s);
        click(memo, "fbtnAddTime");
        QCOMPARE(m_dm->tlbCust->field(u"CustMemo"_s).asString(), u"老客户，月结，已报价"_s + kStamp);
        click(memo, "fbtnSave");
        QCOMPARE(memo.result(), int(QDialog::Accepted));
        QVERIFY(!memo.isVisible());
        QCOMPARE(m_dm->tlbCust->state(), db::State::Browse);
        QCOMPARE(stored(u"SELECT CustMemo FROM Customers WHERE CustNo = 2"_s).toString(), u"老客户，月结，已报价"_s + kStamp);
    }

    // Closing without "保存" keeps the typed text pending in the record, unposted.
    void closingKeepsTheEditPending()
    {
        m_dm->tlbCust->locate(u"CustNo"_s, 2);
        TFrmMemo1 memo;
        show(memo);
        typeInMemo(memo, u"，催款"_s);
        memo.reject();
        QCOMPARE(m_dm->tlbCust->state(), db::State::Edit);
        QCOMPARE(m_dm->tlbCust->field(u"CustMemo"_s).asString(), u"老客户，月结，催款"_s);
        QCOMPARE(stored(u"SELECT CustMemo FROM Customers WHERE CustNo = 2"_s).toString(), u"老客户，月结"_s);
        m_dm->tlbCust->post(); // the next post of the dataset writes it
        QCOMPARE(stored(u"SELECT CustMemo FROM Customers WHERE CustNo = 2"_s).toString(), u"老客户，月结，催款"_s);
    }

    // "保存" posts the record the box is bound to, whatever words the notice holds: a business
    // title with "通讯录" and a contact name with "业务" post that record only.
    void savePostsTheBoundRecordOnly_data()
    {
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("bound");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("other");
        QTest::addColumn<QString>("storedSql");
        QTest::newRow("business titled 通讯录整理") << u"业务--通讯录整理"_s << u"tlbOperates"_s << u"OperateMemo"_s
                                                << u"tlbAddressBook"_s << u"SELECT OperateMemo FROM Operates WHERE OperateNO = 1"_s;
        QTest::newRow("contact named 王业务") << u"通讯录--王业务"_s << u"tlbAddressBook"_s << u"LinkmanMemo"_s
                                             << u"tlbOperates"_s << u"SELECT LinkmanMemo FROM Linkmans WHERE LinkmanNO = 1"_s;
    }
    void savePostsTheBoundRecordOnly()
    {
        QFETCH(QString, notice);
        QFETCH(QString, bound);
        QFETCH(QString, field);
        QFETCH(QString, other);
        QFETCH(QString, storedSql);
        db::Table *otherTable = dataset(other);
        otherTable->edit(); // the other window's record has an unsaved change
        otherTable->field(other == u"tlbOperates"_s ? u"OperateMemo"_s : u"LinkmanMemo"_s).setValue(u"未保存的修改"_s);

        TfrmMemo memo;
        memo.setNotice(notice);
        memo.dxMemoGeneral->setPlainText(dataset(bound)->field(field).asString());
        memo.bindMemo(dataset(bound), field);
        show(memo);
        QCOMPARE(memo.lblNotice->text(), notice);
        const QString before = memo.dxDBMemoGeneral->toPlainText();
        typeInMemo(memo, u"，已确认"_s);
        click(memo, "fbtnSave");

        QCOMPARE(stored(storedSql).toString(), before + u"，已确认"_s);
        QCOMPARE(dataset(bound)->state(), db::State::Browse);
        QCOMPARE(otherTable->state(), db::State::Edit);
        QVERIFY(stored(u"SELECT COUNT(*) FROM Operates WHERE OperateMemo = '未保存的修改'"_s).toInt() == 0);
        QVERIFY(stored(u"SELECT COUNT(*) FROM Linkmans WHERE LinkmanMemo = '未保存的修改'"_s).toInt() == 0);
        QVERIFY(memo.dxMemoGeneral->toPlainText().isEmpty());
        QCOMPARE(memo.result(), int(QDialog::Accepted));
    }

    // The business memo's stamp goes into tlbOperates.OperateMemo; a stamp that cannot be
    // written is dropped without a word.
    void businessStampAndSwallowedFailures()
    {
        TfrmMemo memo;
        memo.bindMemo(m_dm->tlbOperates, u"OperateMemo"_s);
        show(memo);
        click(memo, "fbtnAddTime");
        QCOMPARE(m_dm->tlbOperates->field(u"OperateMemo"_s).asString(), u"客户提供名单"_s + kStamp);
        m_dm->tlbOperates->cancel();

        m_dm->tlbOperates->close();
        click(memo, "fbtnAddTime");
        QVERIFY(!m_dm->tlbOperates->isActive());
        memo.bindMemo(nullptr, QString());
        click(memo, "fbtnAddTime");
        QVERIFY(m_services->messages.shown.isEmpty());
        QCOMPARE(stored(u"SELECT OperateMemo FROM Operates WHERE OperateNO = 1"_s).toString(), u"客户提供名单"_s);
    }

    void getFilesOpensTheFetchWindow()
    {
        TFrmMemo1 memo;
        show(memo);
        QString shownTitle;
        QTimer::singleShot(0, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && modal != &memo) {
                shownTitle = modal->windowTitle();
                modal->close();
            }
        });
        click(memo, "fbtnGetFiles");
        QCOMPARE(shownTitle, u"获取附件"_s);
        QVERIFY(memo.isVisible());
    }

    // For a look at both windows as users see them (CRM_GRAB_DIR=<folder>).
    void screenshots()
    {
        if (qEnvironmentVariableIsEmpty("CRM_GRAB_DIR"))
            QSKIP("set CRM_GRAB_DIR to save screenshots");
        const QDir dir(qEnvironmentVariable("CRM_GRAB_DIR"));
        m_dm->tlbCust->locate(u"CustNo"_s, 2);
        m_dm->tlbCust->edit();
        m_dm->tlbCust->field(u"CustMemo"_s)
            .setValue(u"老客户，月结。\r\n2024/3/2 09:15:00\r\n来电询问秋季画册报价，约下周二面谈。\r\n2024/4/18 16:40:12\r\n已发报价单，对方财务审批中。"_s);
        TFrmMemo1 customer;
        customer.setNotice(u"客户名称--新月翻译"_s);
        show(customer);
        click(customer, "fbtnAddTime");
        QVERIFY(customer.grab().save(dir.filePath(u"FrmMemo1.png"_s)));
        customer.reject();

        m_dm->tlbCust->cancel();
        m_dm->tlbCust->locate(u"CustNo"_s, 1);
        m_dm->tlbOperates->edit();
        m_dm->tlbOperates->field(u"OperateMemo"_s)
            .setValue(u"客户提供名单，共 326 人，需按部门整理并核对手机号。\r\n2024/5/6 14:02:31\r\n第一批 120 人已整理完，发对方确认。"_s);
        TfrmMemo business;
        business.setNotice(u"业务--通讯录整理"_s);
        business.bindMemo(m_dm->tlbOperates, u"OperateMemo"_s);
        show(business);
        QVERIFY(business.grab().save(dir.filePath(u"frmMemo.png"_s)));
    }
};

QTEST_MAIN(TestMemo)
#include "tst_memo.moc"
