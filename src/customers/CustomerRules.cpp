#include "customers/CustomerRules.h"

#include "platform/db/Table.h"
#include "store/General.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace customers {

QString requiredMessage(RequiredBox box)
{
    switch (box) {
    case RequiredBox::Level:
        return u"请输入客户级别！"_s;
    case RequiredBox::District:
        return u"请输入客户区域！"_s;
    case RequiredBox::ShortName:
        return u"请输入客户简称！"_s;
    }
    return QString();
}

const QList<RequiredBox> &pageCheckOrder()
{
    static const QList<RequiredBox> order{RequiredBox::Level, RequiredBox::District, RequiredBox::ShortName};
    return order;
}

const QList<RequiredBox> &detailCheckOrder()
{
    static const QList<RequiredBox> order{RequiredBox::District, RequiredBox::ShortName, RequiredBox::Level};
    return order;
}

std::optional<RequiredBox> firstEmpty(const QList<RequiredBox> &order,
                                      const std::function<QString(RequiredBox)> &textOf)
{
    for (RequiredBox box : order)
        if (textOf(box).isEmpty())
            return box;
    return std::nullopt;
}

QString ensureCustomerFolder(const QString &shortName)
{
    const QString folder = crm::AccessoryRoot + shortName;
    // A separator would reach into another customer's folder; such a name gets none.
    const bool nameable = !shortName.contains(u'/') && !shortName.contains(u'\\') && shortName != u"."_s
                          && shortName != u".."_s;
    if (nameable && !QFileInfo(folder).isDir())
        QDir().mkdir(folder); // one level only; a missing root is not made
    return folder;
}

QString saveCustomer(db::Dataset &cust, const QString &shortName, const std::optional<QVariant> &createTime)
{
    if (cust.state() == db::State::Browse)
        cust.edit();
    if (createTime)
        cust.field(u"CreateTime"_s).setValue(*createTime);
    const QString folder = ensureCustomerFolder(shortName);
    cust.field(u"AccessoryPath"_s).setValue(shortName);
    cust.post();
    return folder;
}

bool customerHasNumber(const db::Dataset &cust)
{
    return cust.isActive() && cust.state() != db::State::Insert && !cust.isEmpty()
           && !cust.field(u"CustNo"_s).isNull();
}

QString saveCustomerFirstMessage() { return u"请先保存客户，再添加联系人！"_s; }

QStringList defaultCustomCaptions() { return {u"自定义1"_s, u"自定义2"_s, u"自定义3"_s}; }

QStringList customFieldCaptions(db::Table &customSet)
{
    QStringList captions = defaultCustomCaptions();
    customSet.close();
    customSet.open();
    if (!customSet.isEmpty()) {
        for (int i = 0; i < captions.size(); ++i) {
            const QString set = customSet.field(u"CustomName%1"_s.arg(i + 1)).asString();
            if (!set.isEmpty())
                captions[i] = set;
        }
    }
    customSet.close();
    return captions;
}

QString customerMemoNotice(const QString &shortName) { return u"客户名称--"_s + shortName; }

} // namespace customers
