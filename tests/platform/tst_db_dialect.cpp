// The local SQL the windows write, run on a small fixture.
#include "TempProgramFolder.h"

#include "platform/db/Dialect.h"
#include "platform/db/Query.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestDialect : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::TempProgramFolder> m_folder;

    // Rows of a query as "a|b|c" texts of the given columns.
    static QStringList rows(db::Query &q, const QStringList &cols)
    {
        QStringList out;
        for (q.first(); !q.eof(); q.next()) {
            QStringList cells;
            for (const QString &c : cols)
                cells << q.field(c).asString();
            out << cells.join(u'|');
            if (q.recNo() == q.recordCount() - 1)
                break;
        }
        return out;
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<testing::TempProgramFolder>();
        m_folder->exec(uR"(
            INSERT INTO Customers (CustNo, CustName_S, CustLevel, CustDistdb, CreateTime, AccessoryPath, IsConsult) VALUES
              (1, '华信', 'A', '华北', '2023-02-10', '华信', 0),
              (2, '东方', 'B', '华东', '2024-05-01', '东方', 0),
              (3, '南风', 'A', '华南', '2024-08-20', NULL, 1);
            INSERT INTO OperateType (TypeID, FristTypeName, OperateTypeName_S, OperateTypeName) VALUES
              (1, '广告', '平面', '平面-广告'), (2, '广告', '影视', '影视-广告');
            INSERT INTO OperateOrigin (OriginID, OperateOriginName) VALUES (1, '老客户介绍'), (2, '网站');
            INSERT INTO Operates (OperateNO, CustNo, OperateTitle, TypeID, OriginID, SignDate, CreateTime, GoalAmount,
                                  PaymentAmount, EndOperate, EndOperateMemo, AccessoryPath) VALUES
              (1, 1, '年度画册', 1, 1, '2024-01-15', '2024-01-10', 100000, 30000, 1, '完成－合同履行完毕', '华信\年度画册'),
              (2, 1, '电视广告', 2, 2, '2024-04-02', '2024-04-01', 250000, 80000, 0, NULL, NULL),
              (3, 2, '展会海报', 1, 2, '2023-11-30', '2023-11-20', 50000, 10000, 0, NULL, NULL);
            INSERT INTO OperateItems (OperateNo, ExecDate, ItemDescription, InOrOut, ItemSun, CurrID, RMB) VALUES
              (1, '2024-02-01', '首付款', '收入', 50000, 'RMB', 50000),
              (1, '2024-03-01', '印刷费', '支出', 20000, 'RMB', 20000),
              (2, '2024-05-01', '定金', '收入', 1000, 'USD', 7200);
            INSERT INTO Linkmans (CustNo, Name, Email, PhoneOffice) VALUES
              (1, '张三', 'zhang@hx.cn', '010-1'), (1, '李四', 'nil', '010-2'), (2, '王五', NULL, '021-1'), (NULL, '赵六', 'zhao@x.cn', NULL);
            INSERT INTO CustLevel (CustLevelNO, CustLevelName) VALUES ('A', '重要'), ('B', '一般');
        )"_s);
    }
    void cleanup() { m_folder.reset(); }

    void customerListAggregatesWithOuterJoin()
    {
        db::Query q;
        q.addLine(u"SELECT Customers.CustName_S,Customers.custdistdb, COUNT( Operates.OperateNO ) OperateCount, SUM( Operates.GoalAmount ) SumGoalAmount, Customers.CustLevel, Customers.Isconsult, Customers.CreateTime, Customers.AccessoryPath"_s);
        q.addLine(u"FROM \"Customers.DB\" Customers"_s);
        q.addLine(u"   LEFT OUTER JOIN \"Operates.DB\" Operates"_s);
        q.addLine(u"   ON  (Customers.CustNo = Operates.CustNo)  "_s);
        q.addLine(u"GROUP BY Customers.CustName_S, Customers.CreateTime, Customers.CustLevel,Customers.Isconsult,Customers.custdistdb, Customers.AccessoryPath"_s);
        q.addLine(u"ORDER BY Customers.CreateTime DESC"_s);
        q.open();
        QCOMPARE(rows(q, {u"CustName_S"_s, u"OperateCount"_s, u"SumGoalAmount"_s}),
                 (QStringList{u"南风|0|"_s, u"东方|1|50000"_s, u"华信|2|350000"_s}));
        QCOMPARE(q.field(u"CreateTime"_s).asDate(), QDate(2023, 2, 10));
    }

    void yearlySumsWithExtractAndParameters()
    {
        db::Query q;
        q.setSql(QStringList{
            u"SELECT Customers.CustName_S,Sum(Operates.GoalAmount)  SumOfGoal,SUM( Operates.PaymentAmount ) SumOfPayment"_s,
            u"FROM \"Customers.DB\" Customers"_s, u"   INNER JOIN \"Operates.DB\" Operates"_s,
            u"   ON  (Customers.CustNo = Operates.CustNo)  "_s, u"WHERE  EXTRACT( YEAR FROM Operates.SignDate ) = :CurYear"_s,
            u"GROUP BY Customers.CustName_S"_s, u"ORDER BY SumOfPayment DESC"_s});
        q.setParam(u"curyear"_s, 2024);
        q.open();
        QCOMPARE(rows(q, {u"CustName_S"_s, u"SumOfGoal"_s, u"SumOfPayment"_s}), QStringList{u"华信|350000|110000"_s});

        db::Query t;
        t.setSql(QStringList{u"select  operatetype.operatetypename,sum(operates.goalamount)sumin"_s,
                             u"FROM \"Operates.DB\" Operates,\"Operatetype.DB\" Operatetype"_s,
                             u"where (extract(Year from operates.signdate)=:curyear) and (operatetype.typeid=operates.typeid)"_s,
                             u"group by operatetype.operatetypename"_s, u"order by operatetype.operateTypeName"_s});
        t.setParam(u"CurYear"_s, 2024);
        t.open();
        QCOMPARE(rows(t, {u"operatetypename"_s, u"sumin"_s}), (QStringList{u"平面-广告|100000"_s, u"影视-广告|250000"_s}));
    }

    void statisticsWithBooleansMonthsAndDoubleQuotedLiterals_data()
    {
        QTest::addColumn<QStringList>("sql");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("expected");
        QTest::newRow("customers up to year end")
            << QStringList{u"SELECT COUNT( CustNo ) CountCust"_s, u"FROM \"Customers.DB\" Customers"_s,
                           u"WHERE   (EXTRACT( YEAR FROM CreateTime ) <= :CurYear)"_s, u"AND  (CustLevel =:CustLevel )"_s}
            << u"CountCust"_s << u"2"_s;
        QTest::newRow("income in double quotes")
            << QStringList{u"SELECT sum( ItemSun ) SumofIn"_s, u"FROM \"OperateItems.DB\" OperateItems"_s,
                           u"WHERE   (EXTRACT( YEAR FROM ExecDate ) = :CurYear)"_s, u"AND InorOut=\"收入\""_s}
            << u"SumofIn"_s << u"51000"_s;
        QTest::newRow("open records")
            << QStringList{u"SELECT Count( EndOperate ) EndOperate"_s, u"FROM \"Operates.DB\" Operates"_s,
                           u"WHERE   (EXTRACT( YEAR FROM SignDate ) = :CurYear)"_s, u"AND EndOperate=False"_s}
            << u"EndOperate"_s << u"1"_s;
        QTest::newRow("completion result")
            << QStringList{u"SELECT Count( EndOperate ) EndOperate"_s, u"FROM \"Operates.DB\" Operates"_s,
                           u"WHERE   (EXTRACT( YEAR FROM SignDate ) = :CurYear)"_s, u"AND EndOperate=True"_s,
                           u"and EndOperateMemo='完成－合同履行完毕'"_s}
            << u"EndOperate"_s << u"1"_s;
        QTest::newRow("quarter months")
            << QStringList{u"SELECT COUNT( OperateNo ) CountOperate,Sum(GoalAmount) SumofGoal, Sum(PaymentAmount) SumofPayment"_s,
                           u"FROM \"Operates.DB\" Operates"_s, u"WHERE   (EXTRACT( YEAR FROM SignDate ) = :CurYear)"_s,
                           u"And Extract(Month from SignDate) In (4,5,6)"_s}
            << u"SumofGoal"_s << u"250000"_s;
        QTest::newRow("levels, bare file name")
            << QStringList{u"select count(*) countLevel from custLevel.db"_s} << u"countLevel"_s << u"2"_s;
        QTest::newRow("right outer join by level")
            << QStringList{u"SELECT SUM(Operates.GOALAMOUNT) GSUM,SUM(Operates.paymentAMOUNT) PSUM,count(customers.custlevel)clevel"_s,
                           u"FROM \"Operates.DB\" Operates"_s, u"   RIGHT OUTER JOIN \"customers.db\" customers"_s,
                           u"   ON  (Operates.CustNo = customers.CustNo)"_s,
                           u"WHERE  (EXTRACT( YEAR FROM Customers.createtime) >=:CurYear)"_s, u"and customers.custlevel=:ctype"_s}
            << u"clevel"_s << u"1"_s;
    }

    void statisticsWithBooleansMonthsAndDoubleQuotedLiterals()
    {
        QFETCH(QStringList, sql);
        QFETCH(QString, column);
        QFETCH(QString, expected);
        db::Query q;
        q.setSql(sql);
        q.setParam(u"CurYear"_s, 2024);
        q.setParam(u"CustLevel"_s, u"A"_s);
        q.setParam(u"ctype"_s, u"A"_s);
        q.open();
        QCOMPARE(q.field(column).asString(), expected);
    }

    void searchesWithLikeAndDates()
    {
        db::Query f2;
        f2.setSql(u"SELECT Operates.OperateTitle, Customers.CustName_S, Operatetype.OperateTypeName, Operateorigin.OperateOriginName,"
                  "Operates.GoalAmount,Operates.PaymentAmount,Operates.CreateTime, Operates.SignDate, Operates.EndOperate, Operates.EndOperateMemo,Operates.OperateNO,Operates.AccessoryPath"
                  " FROM \"Customers.DB\" Customers LEFT OUTER JOIN \"Operates.DB\" Operates ON  (Operates.CustNo = Customers.CustNo)"
                  " INNER JOIN \"OperateType.DB\" Operatetype ON  (Operates.TypeID = Operatetype.TypeID)"
                  " LEFT OUTER JOIN \"OperateOrigin.db\" Operateorigin ON  (Operates.OriginID = Operateorigin.OriginID)"
                  "  WHERE (Operateorigin.Operateoriginname LIKE \"%网%\")"
                  "and (Operates.CreateTime>=:StartDate and Operates.CreateTime<=:EndDate)"
                  " ORDER BY Operates.CreateTime DESC"_s);
        f2.setParam(u"StartDate"_s, QDate(2023, 1, 1));
        f2.setParam(u"EndDate"_s, QDate(2024, 4, 1)); // inclusive
        f2.open();
        QCOMPARE(rows(f2, {u"OperateTitle"_s, u"CustName_S"_s}), (QStringList{u"电视广告|华信"_s, u"展会海报|东方"_s}));

        db::Query f3;
        f3.setSql(u"SELECT Operateitems.ItemDescription, Operateitems.ExecDate, Customers.CustName_S, Operates.OperateTitle, Operateitems.InOrOut, Operateitems.ItemSun,Operateitems.CurrID,Operateitems.RMB,OperateItems.ItemNo,Operates.AccessoryPath,operates.operateno"
                  " FROM \"Customers.DB\" Customers  INNER JOIN \"Operates.DB\" Operates  ON  (Customers.CustNo = Operates.CustNo)"
                  "  RIGHT OUTER JOIN \"OperateItems.DB\" Operateitems  ON  (Operates.OperateNO = Operateitems.OperateNo)"
                  "  WHERE Operates.operatetitle Like \"%画册%\"and  (ItemDescription  LIKE \"%款%\")"
                  "ORDER BY Operateitems.ExecDate DESC"_s);
        f3.open();
        QCOMPARE(rows(f3, {u"ItemDescription"_s, u"operateno"_s}), QStringList{u"首付款|1"_s});

        db::Query f4;
        f4.setSql(u"SELECT Linkmans.Name, Customers.CustName_S FROM \"Customers.DB\" Customers"
                  "   RIGHT OUTER JOIN \"Linkmans.DB\" Linkmans  ON  (Linkmans.CustNo = Customers.CustNo)"
                  "  WHERE (Name LIKE \"%六%\")"_s);
        f4.open();
        QCOMPARE(rows(f4, {u"Name"_s, u"CustName_S"_s}), QStringList{u"赵六|"_s});
    }

    void mailListAndSingleQuotes()
    {
        db::Query q;
        q.setSql(QStringList{u"SELECT Email, Name, LinkmanNO"_s, u"FROM \"Linkmans.DB\" Linkmans"_s, u"WHERE   (Email <> 'nil')  "_s,
                             u"   AND  (Email <> '')  "_s, u"ORDER BY Email"_s});
        q.open();
        QCOMPARE(rows(q, {u"Email"_s}), (QStringList{u"zhang@hx.cn"_s, u"zhao@x.cn"_s}));

        db::Query s;
        s.setSql(u"select sum(rmb) as sumrmb from \"OperateItems.db\" where (operateno='1') and (inorout='收入')"_s);
        s.open();
        QCOMPARE(s.field(u"sumrmb"_s).asFloat(), 50000.0);
    }

    void deletesWithSubquery()
    {
        m_folder->exec(u"INSERT INTO Operates (OperateNO, CustNo, OperateTitle) VALUES (9, 3, '空业务')"_s);
        m_folder->exec(u"INSERT INTO OperateItems (OperateNo, ItemDescription) VALUES (9, '待删')"_s);
        db::Query q;
        q.setSql(QStringList{u"delete from OperateItems where OperateNO IN"_s, u" (Select OperateNO from Operates where CustNO=3)"_s});
        QCOMPARE(q.execSql(), 1);
        q.setSql(u"delete from Operates where CustNO=3"_s);
        QCOMPARE(q.execSql(), 1);
    }

    void translationKeepsLiteralsAndNamesApart_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("sqlite");
        QTest::newRow("quoted file with alias") << u"FROM \"Customers.DB\" Customers"_s << u"FROM \"Customers\" Customers"_s;
        QTest::newRow("bare file") << u"from linkmans.DB where x"_s << u"from linkmans where x"_s;
        QTest::newRow("double-quoted literal") << u"a = \"it's\""_s << u"a = 'it''s'"_s;
        QTest::newRow("single quotes untouched") << u"a = '\"x.db\"'"_s << u"a = '\"x.db\"'"_s;
        QTest::newRow("extract") << u"EXTRACT( MONTH FROM (d) )=:m"_s << u"CAST(strftime('%m', (d) ) AS INTEGER)=?"_s;
        QTest::newRow("field named like a file") << u"Customers.CustNo"_s << u"Customers.CustNo"_s;
    }

    void translationKeepsLiteralsAndNamesApart()
    {
        QFETCH(QString, local);
        QFETCH(QString, sqlite);
        QCOMPARE(db::translateSql(local).sql, sqlite);
    }
};

QTEST_GUILESS_MAIN(TestDialect)
#include "tst_db_dialect.moc"
