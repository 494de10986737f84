#include "store/DMOrvane.h"
#include "store/General.h"

#include "platform/system/Services.h"
#include "platform/system/Settings.h"

using namespace Qt::StringLiterals;

namespace store {

TDMOrvane *DMOrvane = nullptr;

namespace {
const auto kAttachmentTitle = u"Kelvor中小企业客户管理－附件夹路径："_s;
}

template <typename T> T *TDMOrvane::make(const QString &name)
{
    auto *ds = new T(this);
    ds->setObjectName(name);
    m_datasets << ds;
    return ds;
}

TDMOrvane::TDMOrvane(QObject *parent) : QObject(parent)
{
    setObjectName(u"DMOrvane"_s);
    auto table = [this](const QString &name, const QString &file, const QString &index = {}) {
        db::Table *t = make<db::Table>(name);
        t->setTableName(file);
        if (!index.isEmpty())
            t->setIndexName(index);
        return t;
    };
    tlbCust = table(u"tlbCust"_s, u"Customers.db"_s, u"idx_name"_s);
    tlbLinkman = table(u"tlbLinkman"_s, u"Linkmans.db"_s, u"CustNo"_s);
    tlbLinkman->setMaster(tlbCust, u"CustNO"_s, u"CustNo"_s);
    tlbOperates = table(u"tlbOperates"_s, u"Operates.db"_s, u"CustNo"_s);
    tlbOperates->setMaster(tlbCust, u"CustNo"_s);
    tlbOperates->setExclusive(true);
    tlbOperateItems = table(u"tlbOperateItems"_s, u"OperateItems.DB"_s, u"OperateNo"_s);
    tlbOperateItems->setMaster(tlbOperates, u"OperateNo"_s, u"OperateNO"_s);
    tlbType = table(u"tlbType"_s, u"OperateType.db"_s);
    tlbOrigin = table(u"tlbOrigin"_s, u"OperateOrigin.db"_s);
    tlbAddressBook = table(u"tlbAddressBook"_s, u"Linkmans.DB"_s);
    tlbAlarm = table(u"tlbAlarm"_s, u"AlarmTab.DB"_s);
    tlbCustList = table(u"tlbCustList"_s, u"TempCustList.db"_s);
    tlbCustList->setExclusive(true);
    tlbTypeColor = table(u"tlbTypeColor"_s, u"TypeColor.DB"_s);
    tlbCustLevel = table(u"tlbCustLevel"_s, u"CustLevel.db"_s);
    tlbExchangeRate = table(u"tlbExchangeRate"_s, u"ExchangeRate.DB"_s);
    tlbCustDist = table(u"tlbCustDist"_s, u"custdistdb.db"_s);
    tlbCustType = table(u"tlbCustType"_s, u"CustType.db"_s);
    tlbCustVocation = table(u"tlbCustVocation"_s, u"CustVocation.db"_s);
    tlbEvolveType = table(u"tlbEvolveType"_s, u"tblEvolveType.db"_s);
    tlbCustomSet = table(u"tlbCustomSet"_s, u"tblCustomSet.db"_s);

    auto query = [this](const QString &name, const QStringList &sql = {}, bool live = false) {
        db::Query *q = make<db::Query>(name);
        if (!sql.isEmpty())
            q->setSql(sql);
        q->setRequestLive(live);
        return q;
    };
    QryCustList = query(u"QryCustList"_s,
                        {u"SELECT Customers.CustName_S,Customers.custdistdb, COUNT( Operates.OperateNO ) OperateCount, SUM( Operates.GoalAmount ) SumGoalAmount, Customers.CustLevel, Customers.Isconsult, Customers.CreateTime, Customers.AccessoryPath"_s,
                         u"FROM \"Customers.DB\" Customers"_s, u"   LEFT OUTER JOIN \"Operates.DB\" Operates"_s,
                         u"   ON  (Customers.CustNo = Operates.CustNo)  "_s,
                         u"GROUP BY Customers.CustName_S, Customers.CreateTime, Customers.CustLevel,Customers.Isconsult,Customers.custdistdb, Customers.AccessoryPath"_s,
                         u"ORDER BY Customers.CreateTime DESC"_s});
    QryOperateList = query(u"QryOperateList"_s,
                           {u"SELECT Customers.CustName_S, Operates.OperateTitle, Operates.GoalAmount, Operates.PaymentAmount,   Operatetype.OperateTypeName,"
                            " Operates.EndOperate,Operates.AccessoryPath,Operates.createtime,operates.operateno"
                            " FROM \"Customers.DB\" Customers,\"Operates.DB\" Operates,\"OperateType.DB\" Operatetype"
                            " WHERE   Operates.TypeID = Operatetype.TypeID  and  Customers.CustNO = Operates.CustNO"
                            "  and \t (Operates.CreateTime >= :StartTime)\tAND  (Operates.CreateTime <= :EndTime)"_s},
                           true);
    QryFind = query(u"QryFind"_s);
    QryFind2 = query(u"QryFind2"_s);
    QryFind3 = query(u"QryFind3"_s);
    QryFind4 = query(u"QryFind4"_s);
    QryDeleteSelected = query(u"QryDeleteSelected"_s);
    QryReport1 = query(u"QryReport1"_s);
    QryReport2 = query(u"QryReport2"_s);
    QryReport3 = query(u"QryReport3"_s);
    QryReport4 = query(u"QryReport4"_s);
    QryStatistic = query(u"QryStatistic"_s);
    QryAllValuePrint = query(u"QryAllValuePrint"_s,
                             {u"SELECT Customers.CustName_S,Sum(Operates.GoalAmount)  SumOfGoal,SUM( Operates.PaymentAmount ) SumOfPayment"_s,
                              u"FROM \"Customers.DB\" Customers"_s, u"   INNER JOIN \"Operates.DB\" Operates"_s,
                              u"   ON  (Customers.CustNo = Operates.CustNo)  "_s,
                              u"WHERE  EXTRACT( YEAR FROM Operates.SignDate ) = :CurYear"_s, u"GROUP BY Customers.CustName_S"_s,
                              u"ORDER BY SumOfPayment DESC"_s});
    QryMail = query(u"QryMail"_s, {u"SELECT Email, Name, LinkmanNO"_s, u"FROM \"Linkmans.DB\" Linkmans"_s,
                                   u"WHERE   (Email <> 'nil')  "_s, u"   AND  (Email <> '')  "_s, u"ORDER BY Email"_s});
    QryTypeColor = query(u"QryTypeColor"_s, {u"select * from Typecolor.DB"_s}, true);
    QryType = query(u"QryType"_s, {u"select * from operateType.db"_s}, true);
    Query1 = query(u"Query1"_s);
    Query2 = query(u"Query2"_s,
                   {u"select  operatetype.operatetypename,sum(operates.goalamount)sumin"_s,
                    u"FROM \"Operates.DB\" Operates,\"Operatetype.DB\" Operatetype"_s,
                    u"where (extract(Year from operates.signdate)=:curyear) and (operatetype.typeid=operates.typeid)"_s,
                    u"group by operatetype.operatetypename"_s, u"order by operatetype.operateTypeName"_s});
    linkmanQuery = query(u"linkmanQuery"_s,
                         {u"select linkmanno, custno, depduty,phoneoffice,fax,name,mobilephone,phonehome ,email,"_s,
                          u"officeaddress,homeaddress,postcode,homepage from \"linkmans.db\""_s});
    qrysummoney = query(u"qrysummoney"_s);
    qryFDRepeat = query(u"qryFDRepeat"_s, {u"Select CustName_S,CustName_A,Address FROM Customers.DB"_s});

    // Display formats fixed on the module's fields.
    tlbOperates->setDisplayFormat(u"GoalAmount"_s, u"￥,0;-￥,0"_s);
    tlbOperates->setDisplayFormat(u"PaymentAmount"_s, u"￥,0;-￥,0"_s);
    tlbOperateItems->setDisplayFormat(u"ItemSun"_s, u",0;-,0"_s);
    tlbOperateItems->setDisplayFormat(u"RMB"_s, u"￥,0;￥-,0"_s);
    tlbCustList->setDisplayFormat(u"SumGoalAmount"_s, u"￥,0;-￥,0"_s);
    QryAllValuePrint->setDisplayFormat(u"SumOfGoal"_s, u"￥,0;-￥,0"_s);
    QryAllValuePrint->setDisplayFormat(u"SumOfPayment"_s, u"￥,0;-￥,0"_s);

    tlbCust->beforePost = [this](db::Dataset &ds) { return tlbCustBeforePost(ds); };
    tlbOperates->beforePost = [this](db::Dataset &ds) { return tlbOperatesBeforePost(ds); };
    tlbOperates->afterOpen = [this](db::Dataset &ds) { tlbOperatesAfterOpen(ds); };
    tlbOperates->afterScroll = [this](db::Dataset &ds) { tlbOperatesAfterScroll(ds); };
    tlbCustList->afterScroll = [this](db::Dataset &ds) { listAfterScroll(ds, crm::CustListMode); };
    QryOperateList->afterScroll = [this](db::Dataset &ds) { listAfterScroll(ds, crm::OperateListMode); };
    tlbOperateItems->onNewRecord = [](db::Dataset &ds) { ds.field(u"CurrID"_s).setValue(u"RMB"_s); };
}

TDMOrvane::~TDMOrvane()
{
    if (DMOrvane == this)
        DMOrvane = nullptr;
}

QList<db::Dataset *> TDMOrvane::allDatasets() const { return m_datasets; }

void TDMOrvane::create()
{
    // 1. Company-type setup still pending.
    if (sys::Settings::read(u"IsFirstRunTime"_s) == u"0"_s && hooks.showTypeSelect)
        hooks.showTypeSelect();

    // 2. Reminders for today or tomorrow.
    checkReminders();

    // 3. Lookup tables, each only if not open.
    for (db::Table *t : {tlbCustLevel, tlbCustDist, tlbCustType, tlbExchangeRate, tlbCustVocation, tlbEvolveType})
        t->open();

    // Opened when the module is created.
    QryOperateList->setParam(u"StartTime"_s, QDate(1900, 1, 1));
    QryOperateList->setParam(u"EndTime"_s, sys::clock().today());
    QryOperateList->open();
    linkmanQuery->open();
}

void TDMOrvane::checkReminders()
{
    tlbAlarm->open();
    if (tlbAlarm->isEmpty())
        return;
    const QDate today = sys::clock().today();
    if (!tlbAlarm->locate(u"AlarmDate"_s, today) && !tlbAlarm->locate(u"AlarmDate"_s, today.addDays(1)))
        return;
    // The sound plays on while the reminder window waits for the user.
    sys::sound().play(crm::AppPath + u"data/dingdong.wav"_s);
    if (hooks.showAlarm)
        hooks.showAlarm();
}

QString TDMOrvane::attachmentTitle(const QString &folderPath) { return kAttachmentTitle + folderPath; }

void TDMOrvane::updateAttachmentTitle()
{
    if (hooks.setMainCaption && hooks.attachmentPanelPath)
        hooks.setMainCaption(attachmentTitle(hooks.attachmentPanelPath()));
}

void TDMOrvane::syncAttachmentPanel(const QString &folder)
{
    if (hooks.pointAttachmentPanel)
        hooks.pointAttachmentPanel(folder);
    updateAttachmentTitle();
}

bool TDMOrvane::tlbCustBeforePost(db::Dataset &ds)
{
    if (ds.field(u"CustName_S"_s).isNull())
        return false; // nothing is written for a customer without a short name
    if (hooks.custMemoText)
        if (const auto memo = hooks.custMemoText())
            ds.field(u"CustMemo"_s).setValue(*memo);
    return true;
}

bool TDMOrvane::tlbOperatesBeforePost(db::Dataset &ds)
{
    // Only a completion writes the completion fields; an ordinary save keeps the record's
    // completion (copying the idle values would silently re-open completed records).
    if (crm::EndOperatePending) {
        ds.field(u"EndOperate"_s).setValue(true);
        ds.field(u"EndOperateMemo"_s).setValue(crm::EndOperateMemoPending);
    } else if (ds.field(u"EndOperate"_s).isNull()) {
        ds.field(u"EndOperate"_s).setValue(false);
    }
    return true;
}

void TDMOrvane::enableFinalCase(db::Dataset &ds)
{
    if (hooks.setFinalCaseEnabled)
        hooks.setFinalCaseEnabled(!ds.field(u"EndOperate"_s).asBoolean());
}

void TDMOrvane::tlbOperatesAfterOpen(db::Dataset &ds) { enableFinalCase(ds); }

void TDMOrvane::tlbOperatesAfterScroll(db::Dataset &ds)
{
    if (crm::OperateQueryMode == u"业务查询"_s || crm::CustQueryMode == u"客户查询"_s || crm::PrintMode == u"打印"_s)
        return;
    if (!ds.isEditing()) {
        const db::Field &path = ds.field(u"AccessoryPath"_s);
        if (!path.isNull()) {
            const bool shown = hooks.pointAttachmentPanel && hooks.pointAttachmentPanel(crm::accessoryFolder(path.asString()));
            if (shown) {
                if (hooks.setGetFilesEnabled)
                    hooks.setGetFilesEnabled(true);
            } else if (hooks.pointAttachmentPanel) {
                // The record's folder is gone: fall back to the customer's folder, or the root.
                const bool custOpen = tlbCust->isActive() && !tlbCust->field(u"AccessoryPath"_s).isNull();
                hooks.pointAttachmentPanel(custOpen ? crm::accessoryFolder(tlbCust->field(u"AccessoryPath"_s).asString())
                                                    : crm::AccessoryRoot);
            }
        }
    }
    updateAttachmentTitle();
    enableFinalCase(ds);
}

void TDMOrvane::listAfterScroll(db::Dataset &ds, const QString &ownMarker)
{
    if (!ownMarker.isEmpty() || crm::CustQueryMode == u"客户查询"_s || crm::PrintMode == u"打印"_s)
        return;
    const db::Field &path = ds.field(u"AccessoryPath"_s);
    syncAttachmentPanel(path.isNull() ? crm::AccessoryRoot : crm::accessoryFolder(path.asString()));
}

} // namespace store
