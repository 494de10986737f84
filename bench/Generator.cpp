#include "Generator.h"
#include "RowInserter.h"
#include "SampleText.h"

#include "platform/db/Connection.h"
#include "store/Schema.h"

#include <QDir>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <unordered_set>

namespace {

constexpr std::uint64_t Seed = 20190101;
constexpr int SpanDays = 1826; // 2019-01-01 .. 2023-12-31

struct Currency {
    const char *id;
    const char *name;
    std::int64_t rate; // yuan per unit, in units of 1/10000
};
const Currency Currencies[] = {
    {"RMB", "人民币", 10000}, {"USD", "美元", 68976}, {"EUR", "欧元", 74229}, {"HKD", "港币", 8812}, {"JPY", "日元", 512},
};

struct TypeGroup {
    const char *group;
    const char *colour;
    std::vector<const char *> types;
};
// The advertising company's preset business types.
const TypeGroup TypeGroups[] = {
    {"户外广告", "$FF00FF", {"立柱广告", "站台招牌", "巴士地铁", "灯箱喷绘", "楼盘包装", "灯光工程", "促销活动"}},
    {"策划设计", "$FFFF00",
     {"包装设计", "企业CIS", "营销策划", "市场调研", "艺术工程", "平面创意", "网页设计", "多媒体设计", "商业摄影"}},
    {"媒体广告", "$FF0000", {"电视广告", "报纸广告", "网络广告", "杂志书刊", "电台广告", "影视创作"}},
    {"公关活动", "$0000FF", {"演出活动", "礼仪庆典", "会展会议", "促销活动"}},
    {"印刷生产", "$000099", {"印刷印务", "产品定制", "其他销售"}},
};

const char *const Levels[][2] = {
    {"A", "重要客户"}, {"B", "主要客户"}, {"C", "一般客户"}, {"D", "潜在客户"}, {"E", "流失客户"}};
const char *const Districts[][2] = {
    {"华北", "北京、天津、河北、山西、内蒙古"}, {"华东", "上海、江苏、浙江、安徽、福建、山东"},
    {"华南", "广东、广西、海南"},             {"华中", "河南、湖北、湖南、江西"},
    {"西南", "重庆、四川、贵州、云南、西藏"},   {"西北", "陕西、甘肃、青海、宁夏、新疆"},
    {"东北", "辽宁、吉林、黑龙江"},           {"港澳台", "香港、澳门、台湾"}};
const char *const CustTypes[][2] = {{"01", "企业"}, {"02", "事业单位"}, {"03", "政府机关"}, {"04", "社会团体"}, {"05", "个人"}};
const char *const Vocations[] = {"信息技术", "制造业",   "批发零售", "交通物流", "文化传媒", "商务服务", "建筑装饰",
                                 "房地产",   "金融保险", "医疗卫生", "住宿餐饮", "教育培训", "法律服务"};
const char *const Stages[] = {"初步接触", "需求确认", "方案报价", "合同签订", "执行中", "已交付", "已完成"};
const char *const Origins[][2] = {{"老客户介绍", "$0000FF"}, {"网络推广", "$00FF00"}, {"电话营销", "$FF0000"},
                                  {"展会", "$FFFF00"},       {"朋友介绍", "$FF00FF"}, {"客户上门", "$00FFFF"},
                                  {"招投标", "$808080"}};
const char *const Completions[] = {"完成－合同履行完毕", "中止－合同因故中止,待继续履行", "解除－双方同意解除合同",
                                   "纠纷－合同产生法律纠纷"};
const char *const IncomeTexts[] = {"预付款", "首付款", "进度款", "尾款", "定金", "服务费", "设计费", "制作费"};
const char *const ExpenseTexts[] = {"材料采购", "印刷费", "外包费用", "差旅费", "快递费", "招待费", "税费", "人工费", "场地租金"};
const char *const NeutralTexts[] = {"方案沟通", "样稿确认", "合同签订", "客户回访", "现场勘查"};
const char *const ItemMemos[] = {"发票已开", "对方已确认", "分两次支付", "含税", "已付清", "待财务核对"};
const char *const AlarmKinds[] = {"电话联系", "报价", "签合同", "收款", "应酬", "会晤", "差旅", "接待", "会议", "生日", "其他"};
const char *const TitleSuffixes[] = {"项目", "（一期）", "（二期）", "合同", "补充协议"};

void exec(sqlite3 *db, const char *sql)
{
    char *err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        const std::string msg = err ? err : "sqlite error";
        sqlite3_free(err);
        throw std::runtime_error(msg);
    }
}

int weighted(Rng &rng, std::initializer_list<int> weights)
{
    int total = 0;
    for (int w : weights)
        total += w;
    int r = rng.below(total), i = 0;
    for (int w : weights) {
        if (r < w)
            return i;
        r -= w;
        ++i;
    }
    return i - 1;
}

// Splits total into counts proportional to the weights, exactly summing to total.
std::vector<int> distribute(int total, const std::vector<double> &weights, Rng &rng)
{
    double sum = 0;
    for (double w : weights)
        sum += w;
    std::vector<int> counts(weights.size());
    int given = 0;
    for (size_t i = 0; i < weights.size(); ++i) {
        counts[i] = int(std::floor(total * weights[i] / sum));
        given += counts[i];
    }
    while (given < total && !counts.empty()) {
        ++counts[size_t(rng.below(int(counts.size())))];
        ++given;
    }
    return counts;
}

// amount (in 1/100 of its currency) x rate (in 1/10000 yuan), in yuan rounded to four
// decimals with halves to even, as the item window computes it.
double toYuan(std::int64_t cents, std::int64_t rate)
{
    const std::int64_t p = cents * rate; // 1/1000000 yuan
    std::int64_t q = p / 100, r = p % 100;
    if (r < 0) {
        r += 100;
        --q;
    }
    if (r > 50 || (r == 50 && (q & 1)))
        ++q;
    return double(q) / 10000.0;
}

std::string decimal(std::int64_t value, int width)
{
    std::string s = std::to_string(value);
    return std::string(size_t(std::max(0, width - int(s.size()))), '0') + s;
}

struct Customer {
    std::int64_t no = 0; // CustNo
    std::string shortName;
    const SampleText::City *city = nullptr;
    std::string domain;
    int created = 0;
    std::string contact; // name of the first contact person
};

class Filler {
public:
    Filler(sqlite3 *db, const Generator::Counts &target) : m_db(db), m_target(target), m_rng(Seed), m_text(m_rng)
    {
        m_firstDay = SampleText::dayNumber(2019, 1, 1);
        m_lastDay = m_firstDay + SpanDays - 1;
    }

    Generator::Counts run()
    {
        lookups();
        customers();
        linkmans();
        operates();
        return m_done;
    }

private:
    void lookups()
    {
        {
            RowInserter ins(m_db, "CustLevel.db", {"CustLevelNO", "CustLevelName"});
            for (const auto &l : Levels) {
                ins.text(0, l[0]);
                ins.text(1, l[1]);
                ins.insert();
            }
        }
        {
            RowInserter ins(m_db, "CustDistDB.db", {"CustDist", "CustSource"});
            for (const auto &d : Districts) {
                ins.text(0, d[0]);
                ins.text(1, d[1]);
                ins.insert();
            }
        }
        {
            RowInserter ins(m_db, "CustType.db", {"CustTypeID", "CustTypeName"});
            for (const auto &t : CustTypes) {
                ins.text(0, t[0]);
                ins.text(1, t[1]);
                ins.insert();
            }
        }
        {
            RowInserter ins(m_db, "CustVocation.db", {"VocatID", "VocatName"});
            int id = 0;
            for (const char *v : Vocations) {
                ins.text(0, decimal(++id, 2));
                ins.text(1, v);
                ins.insert();
            }
        }
        {
            RowInserter ins(m_db, "tblEvolveType.db", {"EvolveName"});
            for (const char *s : Stages) {
                ins.text(0, s);
                ins.insert();
            }
        }
        {
            RowInserter type(m_db, "OperateType.db", {"FristTypeName", "OperateTypeName_S", "OperateTypeName"});
            RowInserter colour(m_db, "TypeColor.DB", {"FristTypeName", "PointColor"});
            for (const TypeGroup &g : TypeGroups) {
                colour.text(0, g.group);
                colour.text(1, g.colour);
                colour.insert();
                for (const char *t : g.types) {
                    type.text(0, g.group);
                    type.text(1, t);
                    type.text(2, std::string(t) + "-" + g.group);
                    m_typeNames.push_back(t);
                    type.insert();
                }
            }
        }
        {
            RowInserter ins(m_db, "OperateOrigin.db", {"OperateOriginName", "PointColor"});
            for (const auto &o : Origins) {
                ins.text(0, o[0]);
                ins.text(1, o[1]);
                ins.insert();
            }
        }
        {
            // The new database already holds the RMB row.
            RowInserter ins(m_db, "ExchangeRate.DB", {"CurrID", "CurrName", "Rate"});
            for (const Currency &c : Currencies) {
                if (std::string_view(c.id) == "RMB")
                    continue;
                ins.text(0, c.id);
                ins.text(1, c.name);
                ins.real(2, double(c.rate) / 10000.0);
                ins.insert();
            }
        }
        {
            RowInserter ins(m_db, "tblCustomSet.db", {"CustomName1", "CustomName2", "CustomName3"});
            ins.text(0, "客户来源");
            ins.text(1, "合作年限");
            ins.text(2, "备注");
            ins.insert();
        }
    }

    void customers()
    {
        enum {
            Name, FullName, Licence, Deputy, Address, PostCode, Phone1, Phone2, Fax, Email, HomePage, Memo, Created,
            Accessory, Consult, Level, District, Num, Type, Vocation, Superior, Bank, Account, Tax, Law, Manager,
            Custom1, Custom2, Custom3
        };
        RowInserter ins(m_db, "Customers.db",
                        {"CustName_S", "CustName_A", "BussinessLicence", "CorporationDeputy", "Address", "PostCode",
                         "Phone1", "Phone2", "Fax", "Email", "HomePage", "CustMemo", "CreateTime", "AccessoryPath",
                         "IsConsult", "CustLevel", "CustDistdb", "CustNum", "CustTypeName", "CustVocation", "Superior",
                         "Bank", "AccountID", "TaxID", "LawPerson", "GeneralMan", "Custom1", "Custom2", "Custom3"});
        // Customers enter the program over the years, so their keys follow their creation dates.
        std::vector<int> created(size_t(m_target.customers));
        for (int &d : created)
            d = m_firstDay + m_rng.below(SpanDays - 30);
        std::sort(created.begin(), created.end());

        std::unordered_set<std::string> used;
        for (int i = 0; i < m_target.customers; ++i) {
            SampleText::CompanyName c = m_text.company();
            if (i > 0 && m_rng.chance(0.02)) {
                // Some short names repeat (two firms of one name in different cities or trades).
                c.shortName = m_customers[size_t(m_rng.below(i))].shortName;
            } else {
                for (int tries = 0; !used.insert(c.shortName).second && tries < 50; ++tries)
                    c = m_text.company();
            }
            Customer cust{0, c.shortName, c.city, c.domain, created[size_t(i)], {}};

            ins.text(Name, c.shortName);
            ins.text(FullName, c.fullName);
            if (m_rng.chance(0.8))
                ins.text(Licence, m_text.licence(*c.city));
            if (m_rng.chance(0.03))
                ins.text(Deputy, m_text.person().name);
            ins.text(Address, m_text.address(*c.city, true));
            ins.text(PostCode, c.city->postCode);
            ins.text(Phone1, m_text.phone(*c.city));
            if (m_rng.chance(0.3))
                ins.text(Phone2, m_text.phone(*c.city));
            if (m_rng.chance(0.5))
                ins.text(Fax, m_text.phone(*c.city));
            const int mail = m_rng.below(100);
            if (mail < 5)
                ins.text(Email, "nil");
            else if (mail < 75)
                ins.text(Email, m_text.companyEmail(c.domain));
            if (m_rng.chance(0.4))
                ins.text(HomePage, "www." + c.domain);
            if (m_rng.chance(0.2))
                ins.text(Memo, m_text.customerMemo());
            ins.text(Created, SampleText::isoDate(cust.created));
            ins.text(Accessory, c.shortName);
            ins.integer(Consult, m_rng.chance(0.1) ? 1 : 0);
            ins.text(Level, Levels[weighted(m_rng, {10, 20, 40, 25, 5})][0]);
            ins.text(District, c.city->district);
            if (m_rng.chance(0.6))
                ins.text(Num, "KH" + decimal(i + 1, 5));
            ins.text(Type, CustTypes[weighted(m_rng, {80, 8, 5, 4, 3})][1]);
            ins.text(Vocation, c.industry->vocation);
            if (m_rng.chance(0.1))
                ins.text(Superior, std::string(c.city->name) + c.industry->name + "集团");
            if (m_rng.chance(0.6)) {
                ins.text(Bank, m_text.bank(*c.city));
                ins.text(Account, m_text.digits(19));
                ins.text(Tax, m_text.licence(*c.city));
            }
            if (m_rng.chance(0.6))
                ins.text(Law, m_text.person().name);
            if (m_rng.chance(0.4))
                ins.text(Manager, m_text.person().name);
            if (m_rng.chance(0.1)) {
                static const char *const Sources[] = {"展会", "老客户介绍", "网络", "电话营销"};
                ins.text(Custom1, m_rng.pick(Sources));
                ins.text(Custom2, std::to_string(m_rng.between(1, 10)) + "年");
            }
            if (m_rng.chance(0.05))
                ins.text(Custom3, "VIP");
            cust.no = ins.insert();
            m_customers.push_back(std::move(cust));
        }
        m_done.customers = m_target.customers;
    }

    void linkmans()
    {
        enum {
            CustNo, Name, Duty, PhoneOffice, Fax, Mobile, PhoneHome, Email, OfficeAddress, HomeAddress, PostCode,
            HomePage, Memo, Native, Taste, Charact, Weakness, Birthday, Selected
        };
        RowInserter ins(m_db, "Linkmans.db",
                        {"CustNo", "Name", "DepDuty", "PhoneOffice", "Fax", "MobilePhone", "PhoneHome", "Email",
                         "OfficeAddress", "HomeAddress", "PostCode", "HomePage", "LinkmanMemo", "Nativeplace", "Taste",
                         "Charact", "Weakness", "Birthdy", "selected"});
        // A few entries of the address book belong to no customer.
        const int loose = m_target.linkmans / 100;
        std::vector<double> weights(m_customers.size());
        for (double &w : weights)
            w = 0.2 + 1.6 * m_rng.unit();
        const std::vector<int> counts = distribute(m_target.linkmans - loose, weights, m_rng);
        const int birthFrom = SampleText::dayNumber(1955, 1, 1), birthTo = SampleText::dayNumber(2000, 12, 31);

        auto one = [&](Customer *cust) {
            const SampleText::City &city = cust ? *cust->city : m_text.city();
            const std::string domain = cust ? cust->domain : std::string("163.com");
            const SampleText::PersonName p = m_text.person();
            if (cust) {
                ins.integer(CustNo, cust->no);
                if (cust->contact.empty())
                    cust->contact = p.name;
            }
            ins.text(Name, p.name);
            if (m_rng.chance(0.8))
                ins.text(Duty, m_text.duty());
            ins.text(PhoneOffice, m_text.phone(city));
            if (m_rng.chance(0.3))
                ins.text(Fax, m_text.phone(city));
            if (m_rng.chance(0.85))
                ins.text(Mobile, m_text.mobile());
            if (m_rng.chance(0.2))
                ins.text(PhoneHome, m_text.phone(city));
            const int mail = m_rng.below(100);
            if (mail < 10)
                ins.text(Email, "nil");
            else if (mail < 70)
                ins.text(Email, m_text.personalEmail(p, domain));
            ins.text(OfficeAddress, m_text.address(city, false));
            if (m_rng.chance(0.2))
                ins.text(HomeAddress, m_text.address(city, false));
            ins.text(PostCode, city.postCode);
            if (m_rng.chance(0.05))
                ins.text(HomePage, "www." + domain);
            if (m_rng.chance(0.1))
                ins.text(Memo, m_text.customerMemo());
            if (m_rng.chance(0.3))
                ins.text(Native, m_text.nativePlace());
            if (m_rng.chance(0.25))
                ins.text(Taste, m_text.hobby());
            if (m_rng.chance(0.2))
                ins.text(Charact, m_text.character());
            if (m_rng.chance(0.1))
                ins.text(Weakness, m_text.weakness());
            if (m_rng.chance(0.4))
                ins.text(Birthday, SampleText::isoDate(m_rng.between(birthFrom, birthTo)));
            ins.integer(Selected, m_rng.chance(0.05) ? 1 : 0);
            ins.insert();
            ++m_done.linkmans;
        };
        for (size_t i = 0; i < m_customers.size(); ++i)
            for (int k = 0; k < counts[i]; ++k)
                one(&m_customers[i]);
        for (int k = 0; k < loose; ++k)
            one(nullptr);
    }

    struct Item {
        int day;
        int kind; // 0 income, 1 expense, 2 neither
        double share; // of the contract amount
        std::int64_t cents;
        double yuan;
    };

    void operates()
    {
        enum {
            CustNo, Title, TypeID, OriginID, SignDate, Goal, Payment, Memo, Created, Accessory, End, EndMemo, Evolve,
            Deliver, PayDate, Got, Residual, Bargain, Goods, PayMode, Linkmans, OpNum
        };
        RowInserter op(m_db, "Operates.db",
                       {"CustNo", "OperateTitle", "TypeID", "OriginID", "SignDate", "GoalAmount", "PaymentAmount",
                        "OperateMemo", "CreateTime", "AccessoryPath", "EndOperate", "EndOperateMemo", "Evolve",
                        "DeliverDate", "PaymentDate", "Gotmoney", "ResidualMoney", "BargainNo", "GoodsType",
                        "PaymentMode", "Linkmans", "Operatenum"});
        enum { ItOp, ItDate, ItText, ItKind, ItSum, ItMemo, ItAlarm, ItRmb, ItCurr };
        RowInserter item(m_db, "OperateItems.DB",
                         {"OperateNo", "ExecDate", "ItemDescription", "InOrOut", "ItemSun", "ItemMemo", "AlarmNO", "RMB",
                          "CurrID"});
        RowInserter alarm(m_db, "AlarmTab.DB", {"AlarmDate", "AlarmTime", "AlarmType", "AlarmMemo"});

        // A few customers bring most of the business.
        std::vector<double> weights(m_customers.size());
        for (double &w : weights)
            w = std::exp(m_rng.normal());
        const std::vector<int> perCustomer = distribute(m_target.operates, weights, m_rng);
        struct Deal {
            int day;
            int customer;
        };
        std::vector<Deal> deals;
        deals.reserve(size_t(m_target.operates));
        for (size_t c = 0; c < m_customers.size(); ++c)
            for (int k = 0; k < perCustomer[c]; ++k) {
                const int from = m_customers[c].created;
                deals.push_back({from + m_rng.below(m_lastDay - from + 1), int(c)});
            }
        // Records are filed day by day, so keys follow the filing dates.
        std::stable_sort(deals.begin(), deals.end(), [](const Deal &a, const Deal &b) { return a.day < b.day; });

        std::vector<double> itemWeights(deals.size());
        for (double &w : itemWeights)
            w = 0.1 + 1.8 * m_rng.unit();
        const std::vector<int> perDeal = distribute(m_target.items, itemWeights, m_rng);

        int bargainSeq = 0;
        std::vector<Item> items;
        for (size_t d = 0; d < deals.size(); ++d) {
            const Deal &deal = deals[d];
            const Customer &cust = m_customers[size_t(deal.customer)];
            const int typeIndex = m_rng.below(int(m_typeNames.size()));
            const int year = SampleText::yearOf(deal.day);

            std::string title;
            if (m_rng.chance(0.5))
                title += std::to_string(year) + "年";
            if (m_rng.chance(0.7))
                title += m_text.titleQualifier();
            title += m_typeNames[size_t(typeIndex)];
            if (m_rng.chance(0.2))
                title += m_rng.pick(TitleSuffixes);

            const std::int64_t goal =
                std::clamp<std::int64_t>(std::llround(std::exp(m_rng.normal() * 0.9 + std::log(30000.0)) / 100) * 100, 500, 5000000);
            const Currency &cur = Currencies[weighted(m_rng, {90, 4, 2, 3, 1})];

            const int age = m_lastDay - deal.day;
            const bool done = m_rng.chance(age > 365 ? 0.85 : age > 90 ? 0.4 : 0.05);

            // Items first: the record keeps the sum of its income. A completed deal was paid
            // (nearly) in full, an open one in part.
            items.clear();
            double incomeWeight = 0;
            for (int k = 0; k < perDeal[d]; ++k) {
                Item it;
                it.day = std::min(m_lastDay, deal.day + m_rng.below(180));
                it.kind = weighted(m_rng, {55, 40, 5});
                it.share = it.kind == 0 ? 0.2 + m_rng.unit() : it.kind == 1 ? 0.01 + 0.1 * m_rng.unit() : 0;
                if (it.kind == 0)
                    incomeWeight += it.share;
                items.push_back(it);
            }
            const double paid = done ? 0.9 + 0.1 * m_rng.unit() : 0.6 * m_rng.unit();
            double got = 0;
            for (Item &it : items) {
                const double share = it.kind == 0 ? paid * it.share / incomeWeight : it.share;
                std::int64_t cents = std::int64_t(double(goal) * 100.0 * share * 10000.0 / double(cur.rate));
                if (std::string_view(cur.id) == "JPY")
                    cents = cents / 100 * 100;
                it.cents = cents;
                it.yuan = toYuan(cents, cur.rate);
                if (it.kind == 0)
                    got += it.yuan;
            }
            std::sort(items.begin(), items.end(), [](const Item &a, const Item &b) { return a.day < b.day; });
            got = std::round(got * 10000.0) / 10000.0;

            const int sign = std::min(m_lastDay, deal.day + m_rng.below(16));

            op.integer(CustNo, cust.no);
            op.text(Title, title);
            op.integer(TypeID, typeIndex + 1);
            op.integer(OriginID, m_rng.between(1, int(std::size(Origins))));
            op.text(SignDate, SampleText::isoDate(sign));
            op.real(Goal, double(goal));
            op.real(Payment, double(goal * m_rng.between(15, 45) / 1000 * 10));
            if (m_rng.chance(0.25))
                op.text(Memo, m_text.operateMemo());
            op.text(Created, SampleText::isoDate(deal.day));
            op.text(Accessory, cust.shortName + "\\" + title);
            op.integer(End, done ? 1 : 0);
            if (done)
                op.text(EndMemo, Completions[weighted(m_rng, {85, 7, 5, 3})]);
            op.text(Evolve, done ? Stages[6] : Stages[m_rng.below(6)]);
            if (m_rng.chance(0.7)) {
                const int deliver = sign + m_rng.between(10, 120);
                op.text(Deliver, SampleText::isoDate(deliver));
                if (m_rng.chance(0.8))
                    op.text(PayDate, SampleText::isoDate(deliver + m_rng.between(0, 60)));
            }
            op.real(Got, got);
            op.real(Residual, double(goal) - got);
            if (m_rng.chance(0.7))
                op.text(Bargain, "HT" + std::to_string(year) + "-" + decimal(++bargainSeq, 5));
            if (m_rng.chance(0.4))
                op.text(Goods, m_text.goodsType());
            if (m_rng.chance(0.7))
                op.text(PayMode, m_text.paymentMode());
            if (!cust.contact.empty() && m_rng.chance(0.7))
                op.text(Linkmans, cust.contact);
            if (m_rng.chance(0.5)) {
                std::string date = SampleText::isoDate(deal.day);
                date.erase(std::remove(date.begin(), date.end(), '-'), date.end());
                op.text(OpNum, "YW" + date + m_text.digits(3));
            }
            const std::int64_t operateNo = op.insert();
            ++m_done.operates;

            for (const Item &it : items) {
                item.integer(ItOp, operateNo);
                item.text(ItDate, SampleText::isoDate(it.day));
                static const char *const Kinds[] = {"收入", "支出", "无收支"};
                item.text(ItKind, Kinds[it.kind]);
                item.text(ItText, it.kind == 0   ? m_rng.pick(IncomeTexts)
                                  : it.kind == 1 ? m_rng.pick(ExpenseTexts)
                                                 : m_rng.pick(NeutralTexts));
                item.real(ItSum, double(it.cents) / 100.0);
                if (m_rng.chance(0.1))
                    item.text(ItMemo, m_rng.pick(ItemMemos));
                if (m_rng.chance(0.005)) {
                    alarm.text(0, SampleText::isoDate(it.day + m_rng.between(1, 30)));
                    alarm.text(1, decimal(m_rng.between(8, 17), 2) + ":" + (m_rng.chance(0.5) ? "00" : "30") + ":00");
                    const char *kind = m_rng.pick(AlarmKinds);
                    alarm.text(2, kind);
                    alarm.text(3, std::string(kind) + "：" + cust.shortName + " " + title);
                    item.integer(ItAlarm, alarm.insert());
                    ++m_done.alarms;
                }
                item.real(ItRmb, it.yuan);
                item.text(ItCurr, cur.id);
                item.insert();
                ++m_done.items;
            }
        }
    }

    sqlite3 *m_db;
    Generator::Counts m_target;
    Generator::Counts m_done;
    Rng m_rng;
    SampleText m_text;
    int m_firstDay = 0;
    int m_lastDay = 0;
    std::vector<Customer> m_customers;
    std::vector<const char *> m_typeNames;
};

} // namespace

Generator::Counts Generator::targetCounts(double scale)
{
    Counts c;
    c.customers = std::max(1, int(std::lround(10000 * scale)));
    c.linkmans = int(std::lround(30000 * scale));
    c.operates = int(std::lround(100000 * scale));
    c.items = int(std::lround(1000000 * scale));
    return c;
}

Generator::Counts Generator::generate(const QString &dataFolder, double scale)
{
    // The program's own schema code creates the empty database.
    const QString alias = QStringLiteral("CRMBENCHGEN");
    store::openDatabase(dataFolder, alias);
    const QString file = db::Connection::get(alias).filePath();
    db::Connection::closeAlias(alias);

    sqlite3 *handle = nullptr;
    if (sqlite3_open_v2(file.toUtf8().constData(), &handle, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        const std::string msg = sqlite3_errmsg(handle);
        sqlite3_close(handle);
        throw std::runtime_error(msg);
    }
    try {
        // Nothing is lost if this crashes: the cache is only marked complete afterwards.
        exec(handle, "PRAGMA synchronous = OFF");
        exec(handle, "PRAGMA cache_size = -65536");
        exec(handle, "BEGIN IMMEDIATE");
        Filler filler(handle, targetCounts(scale));
        const Counts done = filler.run();
        exec(handle, "COMMIT");
        sqlite3_close(handle);
        return done;
    } catch (...) {
        sqlite3_close(handle);
        throw;
    }
}
