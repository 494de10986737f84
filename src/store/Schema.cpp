#include "store/Schema.h"
#include "platform/db/Connection.h"
#include "platform/db/Error.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;
using db::FieldDef;
using db::FieldType;

namespace store {

namespace {

FieldDef S(const QString &n, int size, bool required = false) { return {n, FieldType::String, size, required}; }
FieldDef F(const QString &n, FieldType t, bool required = false) { return {n, t, 0, required}; }

QVector<TableDef> buildSchema()
{
    constexpr auto Memo = FieldType::Memo;
    constexpr auto AutoInc = FieldType::AutoInc;
    constexpr auto Int = FieldType::Integer;
    constexpr auto Money = FieldType::Currency;
    constexpr auto Num = FieldType::Float;
    constexpr auto Bool = FieldType::Boolean;
    constexpr auto Date = FieldType::Date;
    constexpr auto Time = FieldType::Time;

    QVector<TableDef> t;
    t.append({u"Customers.db"_s, u"Customers"_s,
              {F(u"CustNo"_s, AutoInc), S(u"CustName_S"_s, 10, true), S(u"CustName_A"_s, 50), S(u"BussinessLicence"_s, 30),
               S(u"CorporationDeputy"_s, 30), S(u"Address"_s, 120), S(u"PostCode"_s, 6), S(u"Phone1"_s, 30),
               S(u"Phone2"_s, 30), S(u"Fax"_s, 30), S(u"Email"_s, 50), S(u"HomePage"_s, 50), F(u"CustMemo"_s, Memo),
               F(u"CreateTime"_s, Date), S(u"AccessoryPath"_s, 255), F(u"IsConsult"_s, Bool), S(u"CustLevel"_s, 30),
               S(u"CustDistdb"_s, 30), S(u"CustNum"_s, 50), S(u"CustTypeName"_s, 30), S(u"CustVocation"_s, 30),
               S(u"Superior"_s, 30), S(u"Bank"_s, 100), S(u"AccountID"_s, 50), S(u"TaxID"_s, 50), S(u"LawPerson"_s, 30),
               S(u"GeneralMan"_s, 30), S(u"Custom1"_s, 50), S(u"Custom2"_s, 50), S(u"Custom3"_s, 50)},
              {u"CustNo"_s},
              {{u"idx_name"_s, {u"CustName_S"_s}, true}}});
    t.append({u"Linkmans.db"_s, u"Linkmans"_s,
              {F(u"LinkmanNO"_s, AutoInc), F(u"CustNo"_s, Int), S(u"Name"_s, 10), S(u"DepDuty"_s, 30),
               S(u"PhoneOffice"_s, 30), S(u"Fax"_s, 30), S(u"MobilePhone"_s, 30), S(u"PhoneHome"_s, 30), S(u"Email"_s, 50),
               S(u"OfficeAddress"_s, 50), S(u"HomeAddress"_s, 50), S(u"PostCode"_s, 6), S(u"HomePage"_s, 50),
               F(u"LinkmanMemo"_s, Memo), S(u"Nativeplace"_s, 30), S(u"Taste"_s, 50), S(u"Charact"_s, 50),
               S(u"Weakness"_s, 50), F(u"Birthdy"_s, Date), F(u"selected"_s, Bool)},
              {u"LinkmanNO"_s},
              {{u"CustNo"_s, {u"CustNo"_s}, false}}});
    t.append({u"Operates.db"_s, u"Operates"_s,
              {F(u"OperateNO"_s, AutoInc), F(u"CustNo"_s, Int, true), S(u"OperateTitle"_s, 50), F(u"TypeID"_s, Int),
               F(u"OriginID"_s, Int), F(u"SignDate"_s, Date), F(u"GoalAmount"_s, Money), F(u"PaymentAmount"_s, Money),
               F(u"OperateMemo"_s, Memo), F(u"CreateTime"_s, Date), S(u"AccessoryPath"_s, 255), F(u"EndOperate"_s, Bool),
               S(u"EndOperateMemo"_s, 50), S(u"Evolve"_s, 20), F(u"DeliverDate"_s, Date), F(u"PaymentDate"_s, Date),
               F(u"Gotmoney"_s, Money), F(u"ResidualMoney"_s, Money), S(u"BargainNo"_s, 30), S(u"GoodsType"_s, 100),
               S(u"PaymentMode"_s, 30), S(u"Linkmans"_s, 30), S(u"Operatenum"_s, 30)},
              {u"OperateNO"_s},
              {{u"idx_title"_s, {u"OperateTitle"_s}, true}, {u"CustNo"_s, {u"CustNo"_s}, false},
               {u"CreateTime"_s, {u"CreateTime"_s}, false}}});
    t.append({u"OperateItems.DB"_s, u"OperateItems"_s,
              {F(u"ItemNo"_s, AutoInc), F(u"OperateNo"_s, Int), F(u"ExecDate"_s, Date), S(u"ItemDescription"_s, 50),
               S(u"InOrOut"_s, 8), F(u"ItemSun"_s, Money), S(u"ItemMemo"_s, 255), F(u"AlarmNO"_s, Int), F(u"RMB"_s, Num),
               S(u"CurrID"_s, 10)},
              {u"ItemNo"_s},
              {{u"OperateNo"_s, {u"OperateNo"_s}, false}}});
    t.append({u"AlarmTab.DB"_s, u"AlarmTab"_s,
              {F(u"AlarmNo"_s, AutoInc), F(u"AlarmDate"_s, Date), F(u"AlarmTime"_s, Time), S(u"AlarmType"_s, 30),
               S(u"AlarmMemo"_s, 255)},
              {u"AlarmNo"_s},
              {{u"AlarmDate"_s, {u"AlarmDate"_s}, false}}});
    t.append({u"CustLevel.db"_s, u"CustLevel"_s, {S(u"CustLevelNO"_s, 30), S(u"CustLevelName"_s, 50)}, {u"CustLevelNO"_s}, {}});
    t.append({u"CustDistDB.db"_s, u"CustDistDB"_s, {S(u"CustDist"_s, 30), S(u"CustSource"_s, 50)}, {u"CustDist"_s}, {}});
    t.append({u"CustType.db"_s, u"CustType"_s, {S(u"CustTypeID"_s, 10), S(u"CustTypeName"_s, 30)}, {}, {}});
    t.append({u"CustVocation.db"_s, u"CustVocation"_s, {S(u"VocatID"_s, 10), S(u"VocatName"_s, 30)}, {}, {}});
    t.append({u"tblEvolveType.db"_s, u"tblEvolveType"_s, {F(u"EvolveNO"_s, AutoInc), S(u"EvolveName"_s, 20)}, {u"EvolveNO"_s}, {}});
    t.append({u"OperateType.db"_s, u"OperateType"_s,
              {F(u"TypeID"_s, AutoInc), S(u"FristTypeName"_s, 24), S(u"OperateTypeName_S"_s, 24), S(u"OperateTypeName"_s, 50)},
              {u"TypeID"_s}, {}});
    t.append({u"OperateOrigin.db"_s, u"OperateOrigin"_s,
              {F(u"OriginID"_s, AutoInc), S(u"OperateOriginName"_s, 30), S(u"PointColor"_s, 10)}, {u"OriginID"_s}, {}});
    t.append({u"TypeColor.DB"_s, u"TypeColor"_s, {S(u"FristTypeName"_s, 24), S(u"PointColor"_s, 10)}, {}, {}});
    t.append({u"ExchangeRate.DB"_s, u"ExchangeRate"_s,
              {S(u"CurrID"_s, 10), S(u"CurrName"_s, 20), F(u"Rate"_s, Money)}, {u"CurrID"_s}, {}});
    t.append({u"tblCustomSet.db"_s, u"tblCustomSet"_s,
              {S(u"CustomName1"_s, 20), S(u"CustomName2"_s, 20), S(u"CustomName3"_s, 20)}, {}, {}});
    t.append({u"TempCustList.db"_s, u"TempCustList"_s,
              {F(u"No"_s, Num), S(u"CustName_S"_s, 20), F(u"OperateCount"_s, Num), F(u"SumGoalAmount"_s, Money),
               F(u"IsConsult"_s, Bool), F(u"CreateTime"_s, Date), S(u"AccessoryPath"_s, 255), S(u"CustLevel"_s, 30),
               S(u"custdistdb"_s, 20)},
              {}, {}});
    return t;
}

QString q(const QString &ident) { return u'"' + ident + u'"'; }

} // namespace

const QVector<TableDef> &schema()
{
    static const QVector<TableDef> s = buildSchema();
    return s;
}

const TableDef *findTable(const QString &fileNameOrName)
{
    for (const TableDef &t : schema())
        if (t.fileName.compare(fileNameOrName, Qt::CaseInsensitive) == 0
            || t.name.compare(fileNameOrName, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

static QStringList tableStatements(const TableDef &t)
{
    QStringList out;
    QStringList cols;
    const bool autoKey = t.primaryKey.size() == 1;
    for (const FieldDef &f : t.fields) {
        QString c = q(f.name) + u' ';
        if (f.type == FieldType::AutoInc) {
            c += u"INTEGER PRIMARY KEY AUTOINCREMENT"_s;
        } else {
            c += db::declForType(f.type, f.size);
            if (f.required)
                c += u" NOT NULL"_s;
            if (f.type == FieldType::String)
                c += u" COLLATE BINARY"_s;
        }
        cols << c;
    }
    bool keyIsAuto = false;
    for (const FieldDef &f : t.fields)
        if (f.type == FieldType::AutoInc)
            keyIsAuto = true;
    if (!t.primaryKey.isEmpty() && !(autoKey && keyIsAuto)) {
        QStringList k;
        for (const QString &f : t.primaryKey)
            k << q(f);
        cols << u"PRIMARY KEY (%1)"_s.arg(k.join(u", "_s));
    }
    out << u"CREATE TABLE %1 (\n  %2\n)"_s.arg(q(t.name), cols.join(u",\n  "_s));
    for (const IndexDef &ix : t.indexes) {
        QStringList f;
        for (const QString &c : ix.fields)
            f << q(c) + (ix.noCase ? u" COLLATE NOCASE"_s : QString());
        // Index names are global in the store; the design names them per table.
        out << u"CREATE INDEX %1 ON %2 (%3)"_s.arg(q(t.name + u'_' + ix.name), q(t.name), f.join(u", "_s));
    }
    return out;
}

QStringList createStatements()
{
    QStringList out;
    for (const TableDef &t : schema())
        out << tableStatements(t);
    // The one rule the store enforces, for every program and connection.
    out << u"CREATE TRIGGER \"Operates_keep_items\" BEFORE DELETE ON \"Operates\"\n"
           "WHEN EXISTS (SELECT 1 FROM \"OperateItems\" WHERE \"OperateNo\" = OLD.\"OperateNO\")\n"
           "BEGIN SELECT RAISE(ABORT, '该业务还有收支事项，不能删除（Operates.db 记录被 OperateItems.DB 引用）'); END"_s;
    out << u"INSERT INTO \"ExchangeRate\" (\"CurrID\", \"CurrName\", \"Rate\") VALUES ('RMB', '人民币', 1)"_s;
    return out;
}

void installSchema(db::Connection &conn)
{
    db::Transaction tx(conn);
    for (const QString &sql : createStatements())
        conn.exec(sql);
    tx.commit();
    conn.invalidateSchemaCache();
}

bool openDatabase(const QString &dataFolder, const QString &alias)
{
    const QString file = QDir(dataFolder).filePath(QString::fromLatin1(db::Connection::DatabaseFileName));
    const bool isNew = !QFileInfo::exists(file);
    db::Connection::openAlias(alias, dataFolder, true);
    if (isNew) {
        try {
            installSchema(db::Connection::get(alias));
        } catch (...) {
            // Leave no half-made database behind: the next start tries again.
            db::Connection::closeAlias(alias);
            QFile::remove(file);
            throw;
        }
    }
    return isNew;
}

} // namespace store
