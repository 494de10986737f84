#pragma once
#include <QVariant>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace db {
class Dataset;
class Table;
} // namespace db

// The rules behind the customer page and the detail windows, kept free of widgets.
namespace customers {

// The boxes a customer save cannot do without.
enum class RequiredBox { Level, District, ShortName };

// "请输入客户级别！", "请输入客户区域！", "请输入客户简称！".
QString requiredMessage(RequiredBox box);

// The customer page tests level, district, short name; the detail window district, short
// name, level. Only the first empty box is reported.
const QList<RequiredBox> &pageCheckOrder();
const QList<RequiredBox> &detailCheckOrder();
std::optional<RequiredBox> firstEmpty(const QList<RequiredBox> &order,
                                      const std::function<QString(RequiredBox)> &textOf);

// The customer's attachment folder: AccessoryRoot + short name, made one level deep when it
// is missing. A folder that cannot be made is not reported: the customer is saved anyway.
QString ensureCustomerFolder(const QString &shortName);

// The save steps the page and the detail window share: edit when browsing, CreateTime (when
// given; a short-date text or a date), the folder, AccessoryPath = short name, post.
// Returns the folder. A refused post throws db::Error and leaves the record being edited.
QString saveCustomer(db::Dataset &cust, const QString &shortName, const std::optional<QVariant> &createTime);

// Contacts hang on the customer's CustNo, which the database assigns on the first post.
bool customerHasNumber(const db::Dataset &cust);
QString saveCustomerFirstMessage(); // "请先保存客户，再添加联系人！"

// Captions of the three custom fields: "自定义1".."自定义3", each replaced by the custom-field
// settings' caption when the settings table has a row with a non-empty one. The table is
// opened afresh for the read and closed again.
QStringList customFieldCaptions(db::Table &customSet);
QStringList defaultCustomCaptions();

// "客户名称--" + short name: the notice of the customer's larger memo window.
QString customerMemoNotice(const QString &shortName);

} // namespace customers
