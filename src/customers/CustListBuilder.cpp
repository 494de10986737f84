#include "customers/CustListBuilder.h"

#include "platform/db/Connection.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "store/DMOrvane.h"
#include "store/General.h"

using namespace Qt::StringLiterals;

namespace customers {

namespace {

// One statement fills the work table with the figures of the data module's QryCustList: one
// row per group of customers that agree in short name, creation date, level, consultant flag,
// district and folder, numbered in the query's order (newest creation date first). The business
// records are counted and summed per customer before the join, which gives the same figures
// without sorting 100,000 joined rows by six texts. Without business records the sum is 0.
QStringList fillStatement()
{
    return {
        u"INSERT INTO \"TempCustList.DB\" (No, CustName_S, OperateCount, SumGoalAmount, IsConsult, CreateTime, AccessoryPath, CustLevel, custdistdb)"_s,
        u"SELECT ROW_NUMBER() OVER (ORDER BY Customers.CreateTime DESC), Customers.CustName_S,"_s,
        u"  SUM(COALESCE(Ops.OperateCount, 0)), COALESCE(SUM(Ops.SumGoalAmount), 0),"_s,
        u"  Customers.Isconsult, Customers.CreateTime, Customers.AccessoryPath, Customers.CustLevel, Customers.custdistdb"_s,
        u"FROM \"Customers.DB\" Customers"_s,
        u"   LEFT OUTER JOIN (SELECT CustNo, COUNT(OperateNO) OperateCount, SUM(GoalAmount) SumGoalAmount"_s,
        u"                    FROM \"Operates.DB\" GROUP BY CustNo) Ops"_s,
        u"   ON (Customers.CustNo = Ops.CustNo)"_s,
        u"GROUP BY Customers.CustName_S, Customers.CreateTime, Customers.CustLevel, Customers.Isconsult, Customers.custdistdb, Customers.AccessoryPath"_s};
}

void fillWorkTable(store::TDMOrvane &dm)
{
    db::Table &list = *dm.tlbCustList;
    db::Dataset::ControlsGuard controls(list);
    dm.QryCustList->close();
    list.open(); // exclusive: a second program on the same data fails here
    {
        // Empty and refill in one transaction: a failure keeps the previous list.
        db::Transaction tx(db::Connection::get(list.alias()));
        db::Query statement;
        statement.setAlias(list.alias());
        statement.setSql(u"DELETE FROM \"TempCustList.DB\""_s);
        statement.execSql();
        statement.setSql(fillStatement());
        statement.execSql();
        tx.commit();
    }
    list.refresh();
    list.first();
}

} // namespace

void buildCustomerList(store::TDMOrvane &dm)
{
    dm.tlbCustDist->open();
    // The customer table is what a double click on the list opens into: loaded now, the first
    // double click does not wait for 10,000 customers to load.
    dm.tlbCust->open();
    {
        crm::MarkerGuard marker(crm::CustListMode, u"建立客户列表"_s);
        fillWorkTable(dm);
    }
    syncCustListRow(dm);
    dm.QryCustList->close();
}

QString custListRowFolder(const store::TDMOrvane &dm)
{
    const db::Table &list = *dm.tlbCustList;
    if (!list.isActive())
        return crm::AccessoryRoot;
    // An empty path gives the root itself.
    return crm::accessoryFolder(list.field(u"AccessoryPath"_s).asString());
}

void syncCustListRow(store::TDMOrvane &dm) { dm.syncAttachmentPanel(custListRowFolder(dm)); }

std::optional<ListCustomer> openListCustomer(store::TDMOrvane &dm)
{
    const db::Table &list = *dm.tlbCustList;
    if (!list.isActive() || list.isEmpty())
        return std::nullopt;
    const QString name = list.field(u"CustName_S"_s).asString();
    if (name.isEmpty())
        return std::nullopt;

    db::Table &cust = *dm.tlbCust;
    cust.open();
    bool found = false;
    {
        db::Dataset::ControlsGuard controls(cust);
        // The first customer of that name in the short-name index: with several customers of one
        // name, every row of theirs opens the same one. A name spelt exactly so goes before one
        // that differs in letter case only, so "ABC" does not open "abc".
        found = cust.locate(u"CustName_S"_s, name) || cust.locate(u"CustName_S"_s, name, {.caseInsensitive = true});
    }
    if (!found)
        return std::nullopt;
    ListCustomer opened{cust.field(u"CustName_S"_s).asString(), cust.field(u"CreateTime"_s).asString()};
    for (db::Table *t : {dm.tlbLinkman, dm.tlbOperates, dm.tlbType, dm.tlbOrigin, dm.tlbEvolveType, dm.tlbOperateItems,
                         dm.tlbAlarm})
        t->open();
    return opened;
}

} // namespace customers
