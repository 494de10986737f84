// Dataset, Table and Query behaviour on a real temporary database.
#include "TempProgramFolder.h"

#include "platform/db/Connection.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;
using db::State;

class TestDataset : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::TempProgramFolder> m_folder;

    int count(const QString &table) { return m_folder->scalar(u"SELECT COUNT(*) FROM "_s + table).toInt(); }
    void addCustomers(const QStringList &names)
    {
        for (const QString &n : names)
            m_folder->exec(u"INSERT INTO Customers (CustName_S) VALUES ('%1')"_s.arg(n));
    }

private slots:
    void init() { m_folder = std::make_unique<testing::TempProgramFolder>(); }
    void cleanup() { m_folder.reset(); }

    void indexGivesCaseInsensitiveOrderAndPostedRowsTakeTheirPlace()
    {
        addCustomers({u"delta"_s, u"Alpha"_s, u"charlie"_s});
        db::Table t(u"customers.DB"_s);
        t.setIndexName(u"IDX_NAME"_s);
        t.open();
        QCOMPARE(t.recordCount(), 3);
        QCOMPARE(t.field(u"custname_s"_s).asString(), u"Alpha"_s);
        t.append();
        t.field(u"CustName_S"_s).setValue(u"Bravo"_s);
        t.post();
        QCOMPARE(t.recNo(), 1); // moved into index order
        QVERIFY(t.field(u"CustNo"_s).asInteger() > 0); // assigned by the store, readable after post
        QStringList order;
        for (t.first(); !t.eof(); t.next())
            order << t.field(u"CustName_S"_s).asString();
        QCOMPARE(order, (QStringList{u"Alpha"_s, u"Bravo"_s, u"charlie"_s, u"delta"_s}));
    }

    void movingPostsModifiedAndCancelsUnmodifiedRecords()
    {
        addCustomers({u"A"_s, u"B"_s});
        db::Table t(u"Customers.db"_s);
        t.open();

        t.edit();
        t.field(u"Address"_s).setValue(u"北京"_s);
        t.next(); // modified: posted
        QCOMPARE(t.state(), State::Browse);
        QCOMPARE(m_folder->scalar(u"SELECT Address FROM Customers WHERE CustName_S='A'"_s).toString(), u"北京"_s);

        t.edit();
        t.prior(); // unmodified: cancelled, nothing written
        QCOMPARE(t.state(), State::Browse);
        QCOMPARE(t.recNo(), 0);

        t.edit();
        t.field(u"Address"_s).setValue(u"上海"_s);
        t.append(); // appending posts the modified record first
        QCOMPARE(t.state(), State::Insert);
        QCOMPARE(m_folder->scalar(u"SELECT Address FROM Customers WHERE CustName_S='A'"_s).toString(), u"上海"_s);

        t.first(); // an untouched new record is cancelled
        QCOMPARE(t.recordCount(), 2);
        QCOMPARE(count(u"Customers"_s), 2);
    }

    void editOnEmptyInsertsAndBrowseRefusesValues()
    {
        db::Table t(u"Customers.db"_s);
        t.open();
        QVERIFY(t.isEmpty());
        QVERIFY_THROWS_EXCEPTION(db::Error, t.field(u"CustName_S"_s).setValue(u"x"_s));
        t.edit();
        QCOMPARE(t.state(), State::Insert);
        t.field(u"CustName_S"_s).setValue(u"新客户"_s);
        t.post();
        QCOMPARE(count(u"Customers"_s), 1);
    }

    void cancelInsertReturnsToPreviousRecord()
    {
        addCustomers({u"A"_s, u"B"_s, u"C"_s});
        db::Table t(u"Customers.db"_s);
        t.open();
        t.next();
        t.insert();
        t.field(u"CustName_S"_s).setValue(u"X"_s);
        t.cancel();
        QCOMPARE(t.field(u"CustName_S"_s).asString(), u"B"_s);
        QCOMPARE(t.recordCount(), 3);
        QCOMPARE(count(u"Customers"_s), 3);
    }

    void beforePostRefusalWritesNothing()
    {
        db::Table t(u"Customers.db"_s);
        t.beforePost = [](db::Dataset &ds) { return !ds.field(u"CustName_S"_s).isNull(); };
        t.open();
        t.append();
        t.field(u"Address"_s).setValue(u"无名"_s);
        t.post();
        QCOMPARE(t.state(), State::Browse);
        QVERIFY(t.isEmpty());
        QCOMPARE(count(u"Customers"_s), 0);
    }

    void hooksRun()
    {
        addCustomers({u"A"_s, u"B"_s});
        db::Table t(u"Customers.db"_s);
        int scrolls = 0, opens = 0;
        t.afterScroll = [&](db::Dataset &) { ++scrolls; };
        t.afterOpen = [&](db::Dataset &) { ++opens; };
        t.onNewRecord = [](db::Dataset &ds) { ds.field(u"CustLevel"_s).setValue(u"A"_s); };
        t.open();
        QCOMPARE(opens, 1);
        const int before = scrolls;
        t.next();
        QCOMPARE(scrolls, before + 1);
        t.append();
        QCOMPARE(t.field(u"CustLevel"_s).asString(), u"A"_s);
        QVERIFY(!t.isModified()); // defaults alone do not make a record worth posting
    }

    void masterDetailFollowsAndFillsLink()
    {
        addCustomers({u"A"_s, u"B"_s});
        m_folder->exec(u"INSERT INTO Linkmans (CustNo, Name) VALUES (1, '张三'), (1, '李四'), (2, '王五')"_s);
        db::Table cust(u"Customers.db"_s);
        cust.setIndexName(u"idx_name"_s);
        db::Table link(u"Linkmans.db"_s);
        link.setIndexName(u"CustNo"_s);
        link.setMaster(&cust, u"CustNO"_s, u"CustNo"_s);
        cust.open();
        link.open();
        QCOMPARE(link.recordCount(), 2);
        cust.next();
        QCOMPARE(link.recordCount(), 1);
        QCOMPARE(link.field(u"Name"_s).asString(), u"王五"_s);
        link.append();
        QCOMPARE(link.field(u"CustNo"_s).asInteger(), 2);
        link.field(u"Name"_s).setValue(u"赵六"_s);
        cust.first(); // the detail posts its modified record before following
        QCOMPARE(m_folder->scalar(u"SELECT CustNo FROM Linkmans WHERE Name='赵六'"_s).toInt(), 2);
        QCOMPARE(link.recordCount(), 2);
        cust.append(); // a new master has no detail rows yet
        QVERIFY(link.isEmpty());
    }

    void locateAndFindKey()
    {
        addCustomers({u"Beijing"_s, u"beihai"_s, u"Shanghai"_s});
        db::Table t(u"Customers.db"_s);
        t.setIndexName(u"idx_name"_s);
        t.open();
        QVERIFY(!t.locate(u"CustName_S"_s, u"SHANGHAI"_s));
        QVERIFY(t.locate(u"CustName_S"_s, u"SHANGHAI"_s, {.caseInsensitive = true}));
        QCOMPARE(t.field(u"CustName_S"_s).asString(), u"Shanghai"_s);
        QVERIFY(t.locate(u"CustName_S"_s, u"Bei"_s, {.caseInsensitive = false, .partialKey = true}));
        QCOMPARE(t.field(u"CustName_S"_s).asString(), u"Beijing"_s);
        QVERIFY(t.findKey({u"BEIHAI"_s}));
        QCOMPARE(t.field(u"CustName_S"_s).asString(), u"beihai"_s);
        QVERIFY(!t.findKey({u"nowhere"_s}));
    }

    void textWidthsCountGbkBytes()
    {
        db::Table t(u"Customers.db"_s);
        t.open();
        t.append();
        t.field(u"CustName_S"_s).setValue(u"五个汉字啊"_s); // 10 bytes: fits
        try {
            t.field(u"CustName_S"_s).setValue(u"六个汉字啊啊"_s);
            QFAIL("an over-long text was accepted");
        } catch (const db::Error &e) {
            QVERIFY2(e.message().contains(u"CustName_S"_s), qPrintable(e.message()));
        }
        QCOMPARE(t.field(u"CustName_S"_s).asString(), u"五个汉字啊"_s); // never truncated
        QVERIFY_THROWS_EXCEPTION(db::Error, t.field(u"Address"_s).setValue(u"😀"_s));
        t.post();
        QCOMPARE(m_folder->scalar(u"SELECT CustName_S FROM Customers"_s).toString(), u"五个汉字啊"_s);
    }

    void typedValuesRoundTrip()
    {
        db::Table t(u"Operates.db"_s);
        t.open();
        t.append();
        t.field(u"CustNo"_s).setValue(1);
        t.field(u"SignDate"_s).setValue(QDate(2024, 3, 5));
        t.field(u"CreateTime"_s).setValue(u"2024/3/6"_s); // short-date text
        t.field(u"GoalAmount"_s).setValue(150000.5);
        t.field(u"EndOperate"_s).setValue(true);
        t.field(u"OperateMemo"_s).setValue(u"第一行\n第二行"_s);
        t.post();
        t.close();
        t.open();
        QCOMPARE(t.field(u"SignDate"_s).asDate(), QDate(2024, 3, 5));
        QCOMPARE(t.field(u"CreateTime"_s).asDate(), QDate(2024, 3, 6));
        QCOMPARE(t.field(u"GoalAmount"_s).asFloat(), 150000.5);
        QVERIFY(t.field(u"EndOperate"_s).asBoolean());
        QCOMPARE(t.field(u"OperateMemo"_s).asString(), u"第一行\n第二行"_s);
        QVERIFY(t.field(u"PaymentDate"_s).isNull());
        QCOMPARE(m_folder->scalar(u"SELECT SignDate FROM Operates"_s).toString(), u"2024-03-05"_s);
    }

    void businessRecordWithItemsCannotBeDeleted()
    {
        addCustomers({u"A"_s});
        m_folder->exec(u"INSERT INTO Operates (CustNo, OperateTitle) VALUES (1, '有事项'), (1, '无事项')"_s);
        m_folder->exec(u"INSERT INTO OperateItems (OperateNo, ItemDescription) VALUES (1, '定金')"_s);
        db::Table t(u"Operates.db"_s);
        t.open();
        QVERIFY_THROWS_EXCEPTION(db::Error, t.remove());
        QCOMPARE(t.recordCount(), 2);
        QCOMPARE(count(u"Operates"_s), 2);
        t.next();
        t.remove();
        QCOMPARE(count(u"Operates"_s), 1);
        // The rule holds for any statement on any connection, not only for datasets.
        db::Query q;
        q.setSql(u"DELETE FROM Operates.db WHERE OperateNO = 1"_s);
        QVERIFY_THROWS_EXCEPTION(db::Error, q.execSql());
        QCOMPARE(count(u"Operates"_s), 1);
    }

    void emptyTableAndExclusiveOpen()
    {
        addCustomers({u"A"_s, u"B"_s});
        db::Table t(u"TempCustList.db"_s);
        t.setExclusive(true);
        t.open();
        db::Table other(u"tempcustlist.DB"_s);
        other.setExclusive(true);
        QVERIFY_THROWS_EXCEPTION(db::Error, other.open());
        t.append();
        t.field(u"CustName_S"_s).setValue(u"A"_s);
        t.post();
        t.emptyTable();
        QVERIFY(t.isEmpty());
        t.close();
        other.open(); // free again once closed
        QVERIFY(other.isActive());
    }

    void errorsCarryTheEngineMessage()
    {
        db::Table missing(u"Nowhere.db"_s);
        QVERIFY_THROWS_EXCEPTION(db::Error, missing.open());
        db::Query q;
        q.setSql(u"SELECT nonsense FROM Customers.db"_s);
        try {
            q.open();
            QFAIL("a bad statement opened");
        } catch (const db::Error &e) {
            QVERIFY2(e.message().contains(u"nonsense"_s), qPrintable(e.message()));
        }
        QVERIFY(!q.isActive());
    }

    void queryParametersAndLiveEditing()
    {
        m_folder->exec(u"INSERT INTO TypeColor (FristTypeName, PointColor) VALUES ('广告', '$0000FF'), ('设计', '$00FF00')"_s);
        db::Query q;
        q.addLine(u"select * from Typecolor.DB"_s);
        q.addLine(u"where FristTypeName <> :Skip or PointColor = :skip"_s);
        q.setParam(u"SKIP"_s, u"设计"_s);
        q.setRequestLive(true);
        q.open();
        QCOMPARE(q.recordCount(), 1);
        q.edit();
        q.field(u"PointColor"_s).setValue(u"$FF0000"_s);
        q.post();
        QCOMPARE(m_folder->scalar(u"SELECT PointColor FROM TypeColor WHERE FristTypeName='广告'"_s).toString(), u"$FF0000"_s);

        db::Query ro;
        ro.setSql(u"select * from Typecolor.DB"_s);
        ro.open();
        QVERIFY_THROWS_EXCEPTION(db::Error, ro.edit());
        db::Query unbound;
        unbound.setSql(u"select * from Typecolor.DB where FristTypeName = :Name"_s);
        QVERIFY_THROWS_EXCEPTION(db::Error, unbound.open());
    }

    void controlsGuardHoldsNotificationsUntilReleased()
    {
        addCustomers({u"A"_s, u"B"_s, u"C"_s});
        db::Table t(u"Customers.db"_s);
        t.open();
        QSignalSpy spy(&t, &db::Dataset::currentChanged);
        {
            db::Dataset::ControlsGuard guard(t);
            for (t.first(); !t.eof(); t.next()) {
            }
            QCOMPARE(spy.count(), 0);
        }
        QCOMPARE(spy.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDataset)
#include "tst_db_dataset.moc"
