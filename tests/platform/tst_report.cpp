// The report engine and every report template, on a small database in a temporary folder.
// Set REPORT_DUMP_DIR to keep the PDFs the tests write (to look at the templates).
#include "FakeServices.h"
#include "TempProgramFolder.h"

#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/report/ReportEngine.h"
#include "platform/report/ReportPreviewDialog.h"

#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using namespace Qt::StringLiterals;
using report::ReportEngine;

namespace {

QString reportFolder()
{
    return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().absoluteFilePath(u"../../resources/data/Report/"_s);
}

// Text of a PDF, one entry per page (pdftotext from poppler-utils); empty when the tool is missing.
QStringList pdfPages(const QString &pdf)
{
    const QString tool = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (tool.isEmpty())
        return {};
    QProcess p;
    p.start(tool, {u"-layout"_s, pdf, u"-"_s});
    p.waitForFinished(60000);
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

void setVariables(ReportEngine &engine, const QVariantMap &vars)
{
    for (auto it = vars.cbegin(); it != vars.cend(); ++it) {
        switch (it.value().typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
            engine.setInteger(it.key(), it.value().toLongLong());
            break;
        case QMetaType::Double:
            engine.setCurrency(it.key(), it.value().toDouble());
            break;
        default:
            engine.setText(it.key(), it.value().toString());
        }
    }
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT
    std::unique_ptr<fake::Services> m_services;
    std::unique_ptr<testing::TempProgramFolder> m_folder;
    QTemporaryDir m_out;

    QString outPath(const QString &name) const
    {
        const QString dump = qEnvironmentVariable("REPORT_DUMP_DIR");
        return (dump.isEmpty() ? m_out.path() : dump) + u'/' + name;
    }

    // One dataset for each kind of print, opened the way the program opens it.
    std::unique_ptr<db::Dataset> openDataset(const QString &source, const QVariantMap &params)
    {
        if (source.isEmpty())
            return nullptr;
        if (!source.contains(u' ')) {
            auto table = std::make_unique<db::Table>(source);
            table->open();
            return table;
        }
        auto query = std::make_unique<db::Query>();
        query->setSql(source);
        for (auto it = params.cbegin(); it != params.cend(); ++it)
            query->setParam(it.key(), it.value());
        query->open();
        return query;
    }

    void fillDatabase();

private slots:
    void initTestCase()
    {
        // No test may open the real preview window.
        ReportEngine::setPreviewHook([](ReportEngine &, report::PreparedReport &) { QFAIL("preview opened"); });
        m_services = std::make_unique<fake::Services>();
        m_folder = std::make_unique<testing::TempProgramFolder>();
        fillDatabase();
    }
    void cleanupTestCase()
    {
        m_folder.reset();
        m_services.reset();
        ReportEngine::setPreviewHook({});
    }

    void templateRendersItsRowsAndVariables_data();
    void templateRendersItsRowsAndVariables();
    void templateSyntax_data();
    void templateSyntax();
    void longListRepeatsTheColumnHeaderOnEveryPage();
    void emptyListShowsItsHeaderAndTotals();
    void recordBeingEditedIsPrintedAsTypedAndLeftAsItWas();
    void closedDatasetIsOpenedForThePrint();
    void missingTemplateGivesAnEmptyPreview();
    void userIsTheCurrentUserName();
    void variablesKeepTheirValueUntilSetAgain();
    void brokenTemplateRaisesAnError();
    void windowsPathFindsTheTemplate();
    void previewShowsThePagesAndSavesAPdf();
};

void TestReport::fillDatabase()
{
    const QStringList sql = {
        u"INSERT INTO OperateType (TypeID, FristTypeName, OperateTypeName_S, OperateTypeName) VALUES "
        "(1, '设计类', '平面设计', '平面设计-设计类'), (2, '制作类', '印刷', '印刷-制作类')"_s,
        u"INSERT INTO OperateOrigin (OriginID, OperateOriginName, PointColor) VALUES (1, '老客户介绍', '$0000FF')"_s,
        u"INSERT INTO Customers (CustNo, CustName_S, CustName_A, BussinessLicence, Address, PostCode, Phone1, Phone2, "
        "Fax, Email, HomePage, CustMemo, CreateTime, AccessoryPath, IsConsult, CustLevel, CustDistdb, CustNum, "
        "CustTypeName, CustVocation, Superior, Bank, AccountID, TaxID, LawPerson, GeneralMan, Custom1, Custom2, Custom3) "
        "VALUES (1, '华夏广告', '北京华夏广告有限公司', '110105001234567', '北京市朝阳区建国路88号', '100022', "
        "'010-65881234', '010-65881235', '010-65881236', 'hx@huaxia.cn', 'www.huaxia.cn', '长期客户'||char(10)||'每年续约', "
        "'2003-03-05', '华夏广告', 1, 'A', '北京', 'C-001', '企业', '广告', '华夏集团', '工商银行朝阳支行', "
        "'0200001234', '110105765432', '张伟', '李强', '一级代理', '季度结算', '重点维护'), "
        "(2, '东方翻译', '上海东方翻译社', NULL, '上海市黄浦区南京东路1号', '200001', '021-63211234', NULL, NULL, "
        "'info@dongfang.cn', NULL, NULL, '2003-06-18', '东方翻译', 0, 'B', '上海', 'C-002', '个体', '翻译', NULL, "
        "NULL, NULL, NULL, '王芳', NULL, NULL, NULL, NULL)"_s,
        u"INSERT INTO Linkmans (LinkmanNO, CustNo, Name, DepDuty, PhoneOffice, Fax, MobilePhone, PhoneHome, Email, "
        "OfficeAddress, HomeAddress, PostCode, HomePage) VALUES "
        "(1, 1, '赵敏', '市场部经理', '010-65881200', '010-65881236', '13901010101', '010-88886666', "
        "'zhaomin@huaxia.cn', '北京市朝阳区建国路88号', '北京市海淀区学院路1号', '100022', NULL), "
        "(2, 2, '钱进', '总经理', '021-63211200', NULL, '13801010101', NULL, 'qianjin@dongfang.cn', "
        "'上海市黄浦区南京东路1号', NULL, '200001', NULL), "
        "(3, NULL, '孙立', NULL, '0571-88001122', NULL, NULL, NULL, NULL, '杭州市西湖区文三路5号', NULL, '310012', NULL)"_s,
        u"INSERT INTO Operates (OperateNO, CustNo, OperateTitle, TypeID, OriginID, SignDate, GoalAmount, PaymentAmount, "
        "CreateTime, AccessoryPath, EndOperate, EndOperateMemo) VALUES "
        "(1, 1, '春季品牌推广', 1, 1, '2003-04-10', 80000, 30000, '2003-04-01', '华夏广告/春季品牌推广', 1, "
        "'完成－合同履行完毕'), "
        "(2, 1, '产品画册印刷', 2, 1, '2003-09-20', 45000, 12000, '2003-09-15', NULL, 0, NULL), "
        "(3, 2, '技术手册翻译', 1, 1, '2003-07-02', 26000, 9000, '2003-07-01', NULL, 0, NULL)"_s,
        u"INSERT INTO OperateItems (ItemNo, OperateNo, ExecDate, ItemDescription, InOrOut, ItemSun, RMB, CurrID) VALUES "
        "(1, 1, '2003-04-20', '首期款', '收入', 50000, 50000, 'RMB'), "
        "(2, 1, '2003-05-10', '媒体投放费', '支出', 12000, 12000, 'RMB'), "
        "(3, 1, '2003-06-30', '尾款', '收入', 30000, 30000, 'RMB'), "
        "(4, 3, '2003-07-20', '翻译费', '收入', 26000, 26000, 'RMB')"_s,
        u"INSERT INTO TempCustList (No, CustName_S, OperateCount, SumGoalAmount, IsConsult, CreateTime, AccessoryPath, "
        "CustLevel, custdistdb) VALUES "
        "(1, '东方翻译', 1, 26000, 0, '2003-06-18', '东方翻译', 'B', '上海'), "
        "(2, '华夏广告', 2, 125000, 1, '2003-03-05', '华夏广告', 'A', '北京'), "
        "(3, '新客户', 0, 0, 0, '2003-10-01', NULL, 'C', '广州')"_s,
    };
    for (const QString &s : sql)
        m_folder->exec(s);
}

void TestReport::templateRendersItsRowsAndVariables_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("source");       // table file name, SQL, or empty for none
    QTest::addColumn<QVariantMap>("params");   // query parameters
    QTest::addColumn<QVariantMap>("formats");  // display formats the program sets on fields
    QTest::addColumn<QString>("current");      // "Field=value": the record to stand on
    QTest::addColumn<QVariantMap>("variables"); // text, whole number (int) or currency (double)
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("absent");
    QTest::addColumn<QStringList>("notShown"); // variables the template leaves out on purpose

    const QString money = u"￥,0;-￥,0"_s;
    const QString operateList =
        u"SELECT Customers.CustName_S, Operates.OperateTitle, Operates.GoalAmount, Operates.PaymentAmount,   "
        "Operatetype.OperateTypeName, Operates.EndOperate,Operates.AccessoryPath,Operates.createtime,operates.operateno "
        "FROM \"Customers.DB\" Customers,\"Operates.DB\" Operates,\"OperateType.DB\" Operatetype "
        "WHERE   Operates.TypeID = Operatetype.TypeID  and  Customers.CustNO = Operates.CustNO  "
        "and \t (Operates.CreateTime >= :StartTime)\tAND  (Operates.CreateTime <= :EndTime)"_s;
    const QVariantMap range{{u"StartTime"_s, QDate(2003, 1, 1)}, {u"EndTime"_s, QDate(2003, 12, 31)}};
    const QVariantMap rangeVars{{u"StartDate"_s, u"2003/1/1"_s}, {u"EndDate"_s, u"2003/12/31"_s}};
    const QVariantMap operateFormats{{u"GoalAmount"_s, money}, {u"PaymentAmount"_s, money}};
    const QString linkmanQuery = u"select linkmanno, custno, depduty,phoneoffice,fax,name,mobilephone,phonehome ,email,"
                                 "\nofficeaddress,homeaddress,postcode,homepage from \"linkmans.db\""_s;

    QTest::newRow("CustList") << u"CustList.frf"_s << u"TempCustList.db"_s << QVariantMap()
                              << QVariantMap{{u"SumGoalAmount"_s, money}} << QString() << QVariantMap()
                              << QStringList{u"我的客户列表"_s, u"华夏广告"_s, u"东方翻译"_s, u"新客户"_s,
                                             u"￥125,000"_s, u"￥151,000"_s, u"客户总数：3"_s}
                              << QStringList() << QStringList();
    QTest::newRow("CurCustValue")
        << u"CurCustValue.frf"_s << QString() << QVariantMap() << QVariantMap() << QString()
        << QVariantMap{{u"CurCust"_s, u"当前客户：华夏广告"_s}, {u"CreateTime"_s, u"创建时间：2003/3/5"_s},
                       {u"OperateNum"_s, u"业务数量：2个"_s}, {u"EndOperateNum"_s, u"已完成业务数量：1个"_s},
                       {u"GoalAmountSum"_s, u"总合同金额：12.5万元"_s}, {u"PaymentAmountSum"_s, u"预计毛利：4.2万元"_s},
                       {u"InAmount"_s, u"总收入：8万元"_s}, {u"OutAmount"_s, u"总支出：1.2万元"_s},
                       {u"ProfileAmount"_s, u"总利润:6.8万元"_s}, {u"ProfileRatio"_s, u"平均利润率：85.00%"_s},
                       {u"SSInAmount"_s, u"诉讼类收入总额：0万元"_s}, {u"SSRatio"_s, u"占总收入比例：0.00%"_s},
                       {u"FSInAmount"_s, u"非诉讼类收入总额：8万元"_s}, {u"FSRatio"_s, u"占总收入比例：100.00%"_s},
                       {u"ZCInAmount"_s, u"仲裁类类收入总额：0万元"_s}, {u"ZCRatio"_s, u"占总收入比例：0%"_s}}
        << QStringList{u"当前客户价值分析"_s} << QStringList() << QStringList();
    QTest::newRow("Customer") << u"Customer.frf"_s << u"Customers.db"_s << QVariantMap() << QVariantMap()
                              << u"CustName_S=华夏广告"_s << QVariantMap{{u"CurCustNo"_s, 1}}
                              << QStringList{u"客户信息表"_s, u"北京华夏广告有限公司"_s, u"北京市朝阳区建国路88号"_s,
                                             u"长期客户"_s, u"每年续约"_s, u"张伟"_s, u"2003/3/5"_s}
                              << QStringList{u"东方翻译"_s} << QStringList();
    QTest::newRow("CustDetail") << u"CustDetail.frf"_s << u"Customers.db"_s << QVariantMap() << QVariantMap()
                                << u"CustName_S=华夏广告"_s
                                << QVariantMap{{u"CustomName1"_s, u"代理级别"_s}, {u"CustomName2"_s, u"结算方式"_s},
                                               {u"CustomName3"_s, u"维护等级"_s}}
                                << QStringList{u"客户详细资料"_s, u"工商银行朝阳支行"_s, u"0200001234"_s,
                                               u"一级代理"_s, u"季度结算"_s, u"重点维护"_s, u"华夏集团"_s}
                                << QStringList{u"东方翻译"_s} << QStringList();
    QTest::newRow("OperateListAll") << u"OperateListAll.frf"_s << operateList << range << operateFormats << QString()
                                    << rangeVars
                                    << QStringList{u"业务列表（全部业务）"_s, u"春季品牌推广"_s, u"产品画册印刷"_s,
                                                   u"技术手册翻译"_s, u"已结案"_s, u"未结案"_s, u"￥151,000"_s,
                                                   u"￥51,000"_s, u"业务总数：3"_s}
                                    << QStringList() << QStringList();
    QTest::newRow("OperateListIsEndOn")
        << u"OperateListIsEndOn.frf"_s << operateList + u" AND  (Operates.EndOperate = :IsEndOperate)  "_s
        << QVariantMap{{u"StartTime"_s, QDate(2003, 1, 1)}, {u"EndTime"_s, QDate(2003, 12, 31)},
                       {u"IsEndOperate"_s, false}}
        << operateFormats << QString() << rangeVars
        << QStringList{u"未完成业务列表"_s, u"产品画册印刷"_s, u"技术手册翻译"_s, u"￥71,000"_s}
        << QStringList{u"春季品牌推广"_s} << QStringList();
    QTest::newRow("OperateListIsEndOff")
        << u"OperateListIsEndOff.frf"_s << operateList + u" AND  (Operates.EndOperate = :IsEndOperate)  "_s
        << QVariantMap{{u"StartTime"_s, QDate(2003, 1, 1)}, {u"EndTime"_s, QDate(2003, 12, 31)},
                       {u"IsEndOperate"_s, true}}
        << operateFormats << QString() << rangeVars
        << QStringList{u"已完成业务列表"_s, u"春季品牌推广"_s, u"￥80,000"_s}
        << QStringList{u"技术手册翻译"_s} << QStringList();
    // The financial print leaves the data-band dataset as it was: its rows must not show.
    QTest::newRow("FinancialResult")
        << u"FinancialResult.frf"_s << linkmanQuery << QVariantMap() << QVariantMap() << QString()
        << QVariantMap{{u"CurYear"_s, 2003},
                       {u"YearIn"_s, u"15.05"_s}, {u"YearOut"_s, u"2.90"_s}, {u"YearProfile"_s, u"12.15"_s},
                       {u"YearRatio"_s, u"80.73%"_s},
                       {u"Q1In"_s, u"1.25"_s}, {u"Q1Out"_s, u"0.30"_s}, {u"Q1Profile"_s, u"0.95"_s},
                       {u"Q1Ratio"_s, u"76.00%"_s},
                       {u"Q2In"_s, u"8.00"_s}, {u"Q2Out"_s, u"1.20"_s}, {u"Q2Profile"_s, u"6.80"_s},
                       {u"Q2Ratio"_s, u"85.00%"_s},
                       {u"Q3In"_s, u"2.60"_s}, {u"Q3Out"_s, u"0.45"_s}, {u"Q3Profile"_s, u"2.15"_s},
                       {u"Q3Ratio"_s, u"82.69%"_s},
                       {u"Q4In"_s, u"3.20"_s}, {u"Q4Out"_s, u"0.95"_s}, {u"Q4Profile"_s, u"2.25"_s},
                       {u"Q4Ratio"_s, u"70.31%"_s}}
        << QStringList{u"2003年度财务分析"_s, u"第四季度"_s, u"全年合计"_s} << QStringList{u"赵敏"_s}
        << QStringList();
    QTest::newRow("totalvalue")
        << u"totalvalue.frf"_s
        << u"SELECT Customers.CustName_S,Sum(Operates.GoalAmount)  SumOfGoal,SUM( Operates.PaymentAmount ) "
           "SumOfPayment\nFROM \"Customers.DB\" Customers\n   INNER JOIN \"Operates.DB\" Operates\n"
           "   ON  (Customers.CustNo = Operates.CustNo)  \nWHERE  EXTRACT( YEAR FROM Operates.SignDate ) = :CurYear\n"
           "GROUP BY Customers.CustName_S\nORDER BY SumOfPayment DESC"_s
        << QVariantMap{{u"CurYear"_s, 2003}}
        << QVariantMap{{u"SumOfGoal"_s, money}, {u"SumOfPayment"_s, money}} << QString()
        << QVariantMap{{u"CurYear"_s, 2003}, {u"CountCustToNow"_s, 2}, {u"CountCustToNowVIP"_s, 0},
                       {u"CountCustToNowCommon"_s, 0}, {u"CountCustToNowLatency"_s, 0},
                       {u"CountCustToNowBlacklist"_s, 0},
                       {u"CountCustLevel"_s, u"2003年末我的客户总计：2个；  其中：A类：1 个；B类：1个；"_s},
                       {u"CountCustLevelABC"_s, u"其中：A类：1 个；B类：1个；"_s}, {u"CountCustInTerm"_s, 2},
                       {u"CountCustInTermVIP"_s, 0}, {u"CountCustInTermCommon"_s, 0},
                       {u"CountCustInTermLatency"_s, 0}, {u"CountCustInTermBlacklist"_s, 0},
                       {u"CountCustInTermLevel"_s, u"2003年度新建客户：2个；  其中：A类：1 个；B类：1 个；"_s},
                       {u"CountCustInTermLevelABC"_s, u"其中：A类：1 个；B类：1 个；"_s},
                       {u"CountOperateInTerm"_s, 3}, {u"SumofGoal"_s, u"15.10"_s}, {u"SumofPayment"_s, u"5.10"_s},
                       {u"SumofIn"_s, u"10.60"_s}}
        << QStringList{u"2003年度客户价值分析"_s, u"华夏广告"_s, u"￥125,000"_s, u"东方翻译"_s, u"￥26,000"_s,
                       u"￥151,000"_s}
        << QStringList()
        // Counts the statistics never compute (always 0), and the screen lines whose parts are shown.
        << QStringList{u"CountCustToNowVIP"_s, u"CountCustToNowCommon"_s, u"CountCustToNowLatency"_s,
                       u"CountCustToNowBlacklist"_s, u"CountCustInTermVIP"_s, u"CountCustInTermCommon"_s,
                       u"CountCustInTermLatency"_s, u"CountCustInTermBlacklist"_s, u"CountCustLevel"_s,
                       u"CountCustInTermLevel"_s};
    QTest::newRow("operatetype")
        << u"operatetype.frf"_s
        << u"select  operatetype.operatetypename,sum(operates.goalamount)sumin\n"
           "FROM \"Operates.DB\" Operates,\"Operatetype.DB\" Operatetype\n"
           "where (extract(Year from operates.signdate)=:curyear) and (operatetype.typeid=operates.typeid)\n"
           "group by operatetype.operatetypename\norder by operatetype.operateTypeName"_s
        << QVariantMap{{u"CurYear"_s, 2003}} << QVariantMap{{u"sumin"_s, money}} << QString()
        << QVariantMap{{u"CurYear"_s, u"2003"_s}}
        << QStringList{u"2003年度业务类型分析"_s, u"平面设计-设计类"_s, u"￥106,000"_s, u"印刷-制作类"_s,
                       u"￥45,000"_s, u"￥151,000"_s}
        << QStringList() << QStringList();
    QTest::newRow("CurCustDetail")
        << u"CurCustDetail.frf"_s
        << u"SELECT  Customers.CustName_S, Operates.OperateTitle,Operateitems.ExecDate, Operateitems.ItemDescription, "
           "Operateitems.InOrOut, Operateitems.ItemSun,Operateitems.CurrID,Operateitems.RMB\n"
           "FROM \"Customers.DB\" Customers, \"Operates.DB\" Operates, \"OperateItems.DB\" OperateItems\nWHERE\n"
           "(Operates.CustNo = Customers.CustNo)\n AND (Operateitems.OperateNo = Operates.OperateNO)\n"
           "  AND (Customers.CustNo=:CurCustNo)\nORDER BY   Operates.OperateTitle,Operateitems.InOrOut, "
           "Operateitems.ExecDate, Operateitems.ItemDescription, Operateitems.ItemSun,Operateitems.CurrID,"
           "Operateitems.RMB"_s
        << QVariantMap{{u"CurCustNo"_s, 1}}
        << QVariantMap{{u"ItemSun"_s, u",0;-,0"_s}, {u"RMB"_s, u"￥,0;￥-,0"_s}} << QString()
        << QVariantMap{{u"InAmount"_s, 80000.0}, {u"OutAmount"_s, 12000.0}, {u"ProfileAmount"_s, 68000.0}}
        << QStringList{u"客户收支明细表"_s, u"华夏广告"_s, u"春季品牌推广"_s, u"首期款"_s, u"媒体投放费"_s,
                       u"尾款"_s, u"收入小计"_s, u"￥80,000"_s, u"支出小计"_s, u"￥12,000"_s, u"80,000.00"_s}
        << QStringList{u"翻译费"_s} << QStringList();
    QTest::newRow("OperateDetail")
        << u"OperateDetail.frf"_s << QString() << QVariantMap() << QVariantMap() << QString()
        << QVariantMap{{u"custname_s"_s, u"华夏广告"_s}, {u"createtime"_s, u"2003/4/1"_s},
                       {u"operatetitle"_s, u"春季品牌推广"_s}, {u"TypeName"_s, u"平面设计-设计类"_s},
                       {u"OperateOriginName"_s, u"老客户介绍"_s}, {u"Evolve"_s, u"执行中"_s},
                       {u"GoalAmount"_s, u"80000"_s}, {u"SignDate"_s, u"2003/4/10"_s},
                       {u"DeliverDate"_s, u"2003/5/30"_s}, {u"PaymentDate"_s, u"2003/6/30"_s},
                       {u"GotMoney"_s, u"50000"_s}, {u"ResidualMoney"_s, u"30000"_s},
                       {u"BargainNO"_s, u"HT-2003-018"_s}, {u"GoodsType"_s, u"海报、易拉宝"_s},
                       {u"PaymentAmount"_s, u"30000"_s}, {u"PaymentMode"_s, u"转账"_s}, {u"Linkmans"_s, u"赵敏"_s},
                       {u"Radio"_s, u"37.50%"_s}, {u"memo"_s, u"分两期付款"_s}}
        << QStringList{u"业务详情单"_s} << QStringList() << QStringList();
    QTest::newRow("LinkmansDetail")
        << u"LinkmansDetail.frf"_s << QString() << QVariantMap() << QVariantMap() << QString()
        << QVariantMap{{u"Name"_s, u"赵敏"_s}, {u"DepDuty"_s, u"市场部经理"_s}, {u"PhoneOffice"_s, u"010-65881200"_s},
                       {u"FAX"_s, u"010-65881236"_s}, {u"MobilePhone"_s, u"13901010101"_s},
                       {u"PhoneHome"_s, u"010-88886666"_s}, {u"Email"_s, u"zhaomin@huaxia.cn"_s},
                       {u"PostCode"_s, u"100022"_s}, {u"OfficeAddress"_s, u"北京市朝阳区建国路88号"_s},
                       {u"HomeAddress"_s, u"北京市海淀区学院路1号"_s}, {u"HomePage"_s, u"www.zhaomin.cn"_s},
                       {u"birthday"_s, u"1975/8/12"_s}, {u"nativeplace"_s, u"浙江杭州"_s}, {u"taste"_s, u"摄影"_s},
                       {u"character"_s, u"开朗"_s}, {u"weakness"_s, u"急躁"_s}, {u"LinkmanMemo"_s, u"喜欢喝龙井"_s}}
        << QStringList{u"联系人资料卡"_s} << QStringList() << QStringList();
    QTest::newRow("Custinfo")
        << u"Custinfo.frf"_s
        << u"SELECT CustName_S, CustName_A, Address, PostCode, Phone1, Phone2, Fax, Email, HomePage, CreateTime, "
           "CustLevel,CustNO,AccessoryPath,custdistdb,custmemo  FROM Customers  WHERE (CustName_S LIKE \"%%\") "
           "and (Custlevel LIKE \"%A%\") and (custdistdb LIKE \"%北%\")"_s
        << QVariantMap() << QVariantMap() << QString()
        << QVariantMap{{u"CustName2"_s, QString()}, {u"CustLevel2"_s, u"A"_s}, {u"Custdist2"_s, u"北"_s}}
        << QStringList{u"客户一览表"_s, u"北京华夏广告有限公司"_s, u"客户名称：不限"_s, u"含“A”"_s,
                       u"010-65881234"_s, u"010-65881235"_s, u"2003/3/5"_s}
        << QStringList{u"东方翻译"_s} << QStringList();
    QTest::newRow("operateinfo")
        << u"operateinfo.frf"_s
        << u"SELECT Operates.OperateTitle, Customers.CustName_S, Operatetype.OperateTypeName, "
           "Operateorigin.OperateOriginName,Operates.GoalAmount,Operates.PaymentAmount,Operates.CreateTime, "
           "Operates.SignDate, Operates.EndOperate, Operates.EndOperateMemo,Operates.OperateNO,Operates.AccessoryPath "
           "FROM \"Customers.DB\" Customers LEFT OUTER JOIN \"Operates.DB\" Operates ON  (Operates.CustNo = "
           "Customers.CustNo) INNER JOIN \"OperateType.DB\" Operatetype ON  (Operates.TypeID = Operatetype.TypeID) "
           "LEFT OUTER JOIN \"OperateOrigin.db\" Operateorigin ON  (Operates.OriginID = Operateorigin.OriginID)  "
           "WHERE (Operateorigin.Operateoriginname LIKE \"%老客户%\") and (Operates.OperateTitle LIKE \"%品牌%\") "
           "ORDER BY Operates.CreateTime DESC"_s
        << QVariantMap() << operateFormats << QString()
        << QVariantMap{{u"OperateType2"_s, u"老客户"_s}, {u"OperateName2"_s, u"品牌"_s}}
        << QStringList{u"业务一览表"_s, u"春季品牌推广"_s, u"老客户介绍"_s, u"完成－合同履行完毕"_s, u"￥80,000"_s}
        << QStringList{u"技术手册翻译"_s} << QStringList();
    QTest::newRow("operateitemsinfo")
        << u"operateitemsinfo.frf"_s
        << u"SELECT Operateitems.ItemDescription, Operateitems.ExecDate, Customers.CustName_S, Operates.OperateTitle, "
           "Operateitems.InOrOut, Operateitems.ItemSun,Operateitems.CurrID,Operateitems.RMB,OperateItems.ItemNo,"
           "Operates.AccessoryPath,operates.operateno FROM \"Customers.DB\" Customers  INNER JOIN \"Operates.DB\" "
           "Operates  ON  (Customers.CustNo = Operates.CustNo)  RIGHT OUTER JOIN \"OperateItems.DB\" Operateitems  "
           "ON  (Operates.OperateNO = Operateitems.OperateNo)  WHERE Operates.operatetitle Like \"%%\"and  "
           "(ItemDescription  LIKE \"%款%\")ORDER BY Operateitems.ExecDate DESC"_s
        << QVariantMap() << QVariantMap{{u"RMB"_s, u"￥,0;￥-,0"_s}} << QString()
        << QVariantMap{{u"OperateTitle2"_s, QString()}, {u"ItemDescription2"_s, u"款"_s}}
        << QStringList{u"业务流一览表"_s, u"首期款"_s, u"尾款"_s, u"￥50,000"_s, u"业务描述：含“款”"_s}
        << QStringList{u"媒体投放费"_s} << QStringList();
    QTest::newRow("LinkmansFind")
        << u"LinkmansFind.frf"_s
        << u"SELECT Linkmans.Name, Customers.CustName_S, Linkmans.DepDuty, Linkmans.PhoneOffice,  Linkmans.Email, "
           "Linkmans.MobilePhone, Linkmans.PhoneHome, Linkmans.Fax, Linkmans.OfficeAddress, Linkmans.HomeAddress, "
           "Linkmans.PostCode, Linkmans.HomePage,Customers.AccessoryPath FROM \"Customers.DB\" Customers   "
           "RIGHT OUTER JOIN \"Linkmans.DB\" Linkmans  ON  (Linkmans.CustNo = Customers.CustNo)  WHERE (Name LIKE "
           "\"%%\") and ((PhoneOffice LIKE \"%010%\") or (MobilePhone LIKE \"%010%\") or (PhoneHome LIKE \"%010%\")) "
           "ORDER BY Linkmans.Name"_s
        << QVariantMap() << QVariantMap() << QString()
        << QVariantMap{{u"LinkmansName2"_s, QString()}, {u"Phone2"_s, u"010"_s}}
        << QStringList{u"联系人一览表"_s, u"赵敏"_s, u"钱进"_s, u"市场部经理"_s, u"电话号码：含“010”"_s}
        << QStringList{u"孙立"_s} << QStringList();
    QTest::newRow("linkmanslist") << u"linkmanslist.frf"_s << linkmanQuery << QVariantMap() << QVariantMap()
                                  << QString() << QVariantMap()
                                  << QStringList{u"通讯录"_s, u"赵敏"_s, u"钱进"_s, u"孙立"_s, u"13901010101"_s,
                                                 u"杭州市西湖区"_s, u"共 3 条记录"_s}
                                  << QStringList() << QStringList();
}

void TestReport::templateRendersItsRowsAndVariables()
{
    QFETCH(QString, file);
    QFETCH(QString, source);
    QFETCH(QVariantMap, params);
    QFETCH(QVariantMap, formats);
    QFETCH(QString, current);
    QFETCH(QVariantMap, variables);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, absent);
    QFETCH(QStringList, notShown);

    auto dataset = openDataset(source, params);
    for (auto it = formats.cbegin(); it != formats.cend(); ++it)
        dataset->field(it.key()).setDisplayFormat(it.value().toString());
    if (!current.isEmpty())
        QVERIFY(dataset->locate(current.section(u'=', 0, 0), current.section(u'=', 1)));

    ReportEngine engine;
    engine.setCurrentUserName(u"操作员甲"_s);
    engine.setDataset(dataset.get());
    engine.clear();
    QVERIFY(engine.loadFromFile(reportFolder() + file));
    setVariables(engine, variables);

    const QString html = engine.renderHtml();
    for (const QString &text : expected)
        QVERIFY2(html.contains(text), qPrintable(text));
    for (const QString &text : absent)
        QVERIFY2(!html.contains(text), qPrintable(text));
    for (auto it = variables.cbegin(); it != variables.cend(); ++it) {
        if (!notShown.contains(it.key()))
            QVERIFY2(html.contains(engine.variableText(it.key())), qPrintable(it.key()));
    }
    QVERIFY(html.contains(u"操作员甲"_s));
    QVERIFY(html.contains(u"2024/5/15"_s));
    QVERIFY(!html.contains(u"{{"_s));

    const QString pdf = outPath(QFileInfo(file).completeBaseName() + u".pdf"_s);
    QVERIFY(engine.exportPdf(pdf));
    const QStringList pages = pdfPages(pdf);
    if (pages.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QString all = pages.join(u'\n');
    all.remove(u' ');
    for (QString text : expected) {
        text.remove(u' ');
        QVERIFY2(all.contains(text), qPrintable(text + u" in the PDF"_s));
    }
    for (const QString &text : absent)
        QVERIFY2(!all.contains(text), qPrintable(text + u" in the PDF"_s));
}

void TestReport::templateSyntax_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("names match without regard to case")
        << u"{{#record}}{{custname_s}}|{{CUSTNAME_S}}{{/record}} {{year}}|{{YEAR}}"_s << u"东方翻译|东方翻译 2003|2003"_s;
    QTest::newRow("band rows with their number")
        << u"{{#rows}}{{RowNo}}.{{CustName_S}};{{/rows}}"_s << u"1.东方翻译;2.华夏广告;3.新客户;"_s;
    QTest::newRow("an empty value skips a section")
        << u"{{#rows}}[{{#AccessoryPath}}有{{/AccessoryPath}}{{^AccessoryPath}}无{{/AccessoryPath}}]{{/rows}}"_s
        << u"[有][有][无]"_s;
    QTest::newRow("a flag reads 是 or nothing") << u"{{#rows}}<{{IsConsult}}>{{/rows}}"_s << u"<><是><>"_s;
    QTest::newRow("sums in the field's display format")
        << u"{{sum.SumGoalAmount}} {{sum.OperateCount}} {{RecordCount}}"_s << u"￥151,000 3 3"_s;
    QTest::newRow("groups break where the value changes")
        << u"{{! group: CustLevel }}{{#groups}}{{CustLevel}}={{RecordCount}}:{{sum.OperateCount}};{{/groups}}"_s
        << u"B=1:1;A=1:2;C=1:0;"_s;
    QTest::newRow("whole numbers and currency") << u"{{Year}} {{Amount}}"_s << u"2003 1,234.50"_s;
    QTest::newRow("values are escaped as HTML") << u"{{Tag}}"_s << u"&lt;b&gt;A&amp;B"_s;
    QTest::newRow("unknown names print nothing") << u"[{{NoSuchName}}]"_s << u"[]"_s;
}

void TestReport::templateSyntax()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    db::Table table(u"TempCustList.db"_s);
    table.open();
    table.field(u"SumGoalAmount"_s).setDisplayFormat(u"￥,0;-￥,0"_s);
    ReportEngine engine;
    engine.setDataset(&table);
    engine.setTemplateText(text);
    engine.setInteger(u"Year"_s, 2003);
    engine.setCurrency(u"Amount"_s, 1234.5);
    engine.setText(u"Tag"_s, u"<b>A&B"_s);
    QCOMPARE(engine.renderHtml(), expected);
}

void TestReport::longListRepeatsTheColumnHeaderOnEveryPage()
{
    m_folder->exec(u"WITH RECURSIVE c(i) AS (SELECT 4 UNION ALL SELECT i + 1 FROM c WHERE i < 150) "
                   "INSERT INTO TempCustList (No, CustName_S, OperateCount, SumGoalAmount, CreateTime, CustLevel, "
                   "custdistdb) SELECT i, '客户' || i, 1, 1000, '2003-06-18', 'B', '深圳' FROM c"_s);
    const auto cleanup = qScopeGuard([this] { m_folder->exec(u"DELETE FROM TempCustList WHERE No > 3"_s); });
    db::Table table(u"TempCustList.db"_s);
    table.open();
    ReportEngine engine;
    engine.setDataset(&table);
    engine.clear();
    QVERIFY(engine.loadFromFile(reportFolder() + u"CustList.frf"_s));
    const QString pdf = outPath(u"CustListLong.pdf"_s);
    QVERIFY(engine.exportPdf(pdf));

    const QStringList pages = pdfPages(pdf);
    if (pages.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QVERIFY(pages.size() >= 3);
    for (int i = 0; i < pages.size(); ++i) {
        QString page = pages[i];
        page.remove(u' ');
        QVERIFY2(page.contains(u"客户简称"_s), qPrintable(u"header on page %1"_s.arg(i + 1)));
        QVERIFY(page.contains(u"第%1页共%2页"_s.arg(i + 1).arg(pages.size())));
        if (i > 0)
            QVERIFY(page.contains(u"我的客户列表"_s) && page.contains(u"打印日期：2024/5/15"_s));
    }
    // Every row, in order, and the totals after the last.
    const QString all = pages.join(u'\n');
    qsizetype at = 0;
    for (int i = 4; i <= 150; ++i) {
        const qsizetype found = all.indexOf(QRegularExpression(u"客户%1\\s"_s.arg(i)), at);
        QVERIFY2(found >= at, qPrintable(QString::number(i)));
        at = found;
    }
    QVERIFY(all.indexOf(u"合"_s, at) > at);
}

void TestReport::emptyListShowsItsHeaderAndTotals()
{
    db::Query query;
    query.setSql(u"SELECT * FROM \"TempCustList.db\" WHERE No < 0"_s);
    query.open();
    for (db::Dataset *dataset : {static_cast<db::Dataset *>(&query), static_cast<db::Dataset *>(nullptr)}) {
        ReportEngine engine;
        engine.setDataset(dataset);
        engine.clear();
        QVERIFY(engine.loadFromFile(reportFolder() + u"CustList.frf"_s));
        QCOMPARE(engine.prepare().pageCount(), 1);
        const QString pdf = outPath(u"CustListEmpty.pdf"_s);
        QVERIFY(engine.exportPdf(pdf));
        const QStringList pages = pdfPages(pdf);
        if (pages.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QString page = pages.first();
        page.remove(u' ');
        QVERIFY(page.contains(u"客户简称"_s));
        QVERIFY(page.contains(u"合计"_s));
        QVERIFY(page.contains(u"客户总数：0户（列表中没有客户）"_s));
    }
}

void TestReport::recordBeingEditedIsPrintedAsTypedAndLeftAsItWas()
{
    db::Table table(u"Customers.db"_s);
    table.setIndexName(u"idx_name"_s);
    table.open();
    QVERIFY(table.locate(u"CustName_S"_s, u"华夏广告"_s));
    const int row = table.recNo();
    table.edit();
    table.field(u"Address"_s).setValue(u"深圳市福田区深南大道1号"_s);

    ReportEngine engine;
    engine.setDataset(&table);
    engine.clear();
    QVERIFY(engine.loadFromFile(reportFolder() + u"Customer.frf"_s));
    QVERIFY(engine.renderHtml().contains(u"深圳市福田区深南大道1号"_s));
    QVERIFY(engine.exportPdf(outPath(u"CustomerEditing.pdf"_s)));

    // Printing neither posts nor cancels nor moves.
    QCOMPARE(table.state(), db::State::Edit);
    QCOMPARE(table.recNo(), row);
    QCOMPARE(table.field(u"Address"_s).asString(), u"深圳市福田区深南大道1号"_s);
    QCOMPARE(m_folder->scalar(u"SELECT Address FROM Customers WHERE CustNo = 1"_s).toString(),
             u"北京市朝阳区建国路88号"_s);
    table.cancel();
}

void TestReport::closedDatasetIsOpenedForThePrint()
{
    db::Query query;
    query.setSql(u"SELECT Name FROM \"Linkmans.DB\" ORDER BY Name"_s);
    ReportEngine engine;
    engine.setDataset(&query);
    engine.setTemplateText(u"<table><tr><th>姓名</th></tr>{{#rows}}<tr><td>{{Name}}</td></tr>{{/rows}}</table>"_s);
    QCOMPARE(engine.prepare().pageCount(), 1);
    QVERIFY(query.isActive());
    QCOMPARE(query.recordCount(), 3);
}

void TestReport::missingTemplateGivesAnEmptyPreview()
{
    db::Table table(u"TempCustList.db"_s);
    table.open();
    ReportEngine engine;
    engine.setDataset(&table);
    engine.clear();
    QVERIFY(engine.loadFromFile(reportFolder() + u"CustList.frf"_s));
    engine.clear();
    QVERIFY(!engine.loadFromFile(reportFolder() + u"NoSuchReport.frf"_s));

    int shown = 0;
    int pages = -1;
    ReportEngine::setPreviewHook([&](ReportEngine &, report::PreparedReport &prepared) {
        ++shown;
        pages = prepared.pageCount();
    });
    engine.showReport();
    QCOMPARE(shown, 1);
    QCOMPARE(pages, 0);
    QVERIFY(engine.renderHtml().isEmpty());
    QVERIFY(engine.exportPdf(outPath(u"Missing.pdf"_s)));

    // A template that is there shows its pages through the same preview.
    QVERIFY(engine.loadFromFile(reportFolder() + u"CustList.frf"_s));
    QString title;
    ReportEngine::setPreviewHook([&](ReportEngine &, report::PreparedReport &prepared) {
        pages = prepared.pageCount();
        title = prepared.title();
    });
    engine.showReport();
    QCOMPARE(pages, 1);
    QCOMPARE(title, u"我的客户列表"_s);
    ReportEngine::setPreviewHook([](ReportEngine &, report::PreparedReport &) { QFAIL("preview opened"); });
}

void TestReport::userIsTheCurrentUserName()
{
    QString name = u"张三"_s;
    ReportEngine engine;
    engine.setUserNameSource([&name] { return name; });
    engine.setTemplateText(u"{{User}}/{{user}}"_s);
    engine.setText(u"User"_s, u"冒名"_s); // the current user name wins
    QCOMPARE(engine.renderHtml(), u"张三/张三"_s);
    name = u"李四"_s;
    QCOMPARE(engine.renderHtml(), u"李四/李四"_s);
    QCOMPARE(engine.variableText(u"USER"_s), u"李四"_s);
    engine.setCurrentUserName(QString());
    QCOMPARE(engine.renderHtml(), u"/"_s);
}

void TestReport::variablesKeepTheirValueUntilSetAgain()
{
    ReportEngine engine;
    engine.setText(u"CurCust"_s, u"华夏广告"_s);
    engine.setInteger(u"CurYear"_s, 2003);
    engine.clear();
    QVERIFY(engine.loadFromFile(reportFolder() + u"OperateDetail.frf"_s));
    engine.clear();
    engine.setTemplateText(u"{{CurCust}} {{CurYear}}"_s);
    QCOMPARE(engine.renderHtml(), u"华夏广告 2003"_s);
    engine.setText(u"curcust"_s, u"东方翻译"_s); // the same variable in another case
    QCOMPARE(engine.renderHtml(), u"东方翻译 2003"_s);
    QCOMPARE(engine.variable(u"CURYEAR"_s).toLongLong(), 2003);
    QVERIFY(!engine.variable(u"NeverSet"_s).isValid());
}

void TestReport::brokenTemplateRaisesAnError()
{
    ReportEngine engine;
    engine.setTemplateText(u"<table>{{#rows}}<tr><td>x</td></tr></table>"_s);
    QVERIFY_THROWS_EXCEPTION(report::ReportError, engine.renderHtml());
    int shown = 0;
    ReportEngine::setPreviewHook([&](ReportEngine &, report::PreparedReport &) { ++shown; });
    QVERIFY_THROWS_EXCEPTION(report::ReportError, engine.showReport());
    QCOMPARE(shown, 0);
    ReportEngine::setPreviewHook([](ReportEngine &, report::PreparedReport &) { QFAIL("preview opened"); });
}

void TestReport::windowsPathFindsTheTemplate()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(u"data/Report"_s));
    QVERIFY(QFile::copy(reportFolder() + u"CustList.frf"_s, dir.path() + u"/data/Report/CustList.frf"_s));
    ReportEngine engine;
    QVERIFY(engine.loadFromFile(dir.path() + u"\\DATA\\report\\custlist.FRF"_s));
    QVERIFY(engine.templatePath().endsWith(u"/data/Report/CustList.frf"_s));
    QVERIFY(engine.renderHtml().contains(u"我的客户列表"_s));
}

void TestReport::previewShowsThePagesAndSavesAPdf()
{
    db::Table table(u"TempCustList.db"_s);
    table.open();
    ReportEngine engine;
    engine.setDataset(&table);
    engine.clear();
    QVERIFY(engine.loadFromFile(reportFolder() + u"CustList.frf"_s));
    report::PreparedReport prepared = engine.prepare();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(prepared.pageLayout());
    report::ReportPreviewDialog preview(prepared, &printer);
    preview.resize(900, 700);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QVERIFY(preview.windowTitle().contains(u"我的客户列表"_s));
    preview.grab().save(outPath(u"preview.png"_s));

    QAction *savePdf = nullptr;
    for (QAction *a : preview.findChildren<QAction *>()) {
        if (a->text() == u"导出PDF"_s)
            savePdf = a;
    }
    QVERIFY(savePdf);
    const QString chosen = outPath(u"saved-from-preview"_s);
    m_services->dialogs.saveFileNames.enqueue(chosen);
    savePdf->trigger();
    QVERIFY(QFileInfo(chosen + u".pdf"_s).size() > 0);
    const QStringList pages = pdfPages(chosen + u".pdf"_s);
    if (!pages.isEmpty())
        QVERIFY(pages.first().contains(u"华夏广告"_s));
    preview.close();
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
