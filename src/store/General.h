#pragma once
#include <QString>

// Program-wide state of Orvane: plain values, one thread.
namespace crm {

extern QString AppPath;        // program folder, with a trailing separator
extern QString AccessoryRoot;  // AppPath + "Accessory/", root of the attachment tree
extern QString FirstRunDate;   // settings value "FristRunTime" (short-date text)
extern QString CurrentUserName;

// Completion values copied into a business record's save while a completion is posted.
extern bool EndOperatePending;
extern QString EndOperateMemoPending;

// Markers set while a window walks many rows; the data module's scroll hooks then
// leave the attachment panel and the title alone.
extern QString CustListMode;     // "建立客户列表"
extern QString OperateListMode;  // "建立业务列表"
extern QString OperateQueryMode; // "业务查询"
extern QString CustQueryMode;    // "客户查询"
extern QString PrintMode;        // "打印"

extern bool LoginRequired;
extern bool LoginAccepted;

// Sets a marker for a scope and clears it on every path out, exceptions included.
class MarkerGuard {
public:
    MarkerGuard(QString &marker, const QString &text) : m_marker(marker) { m_marker = text; }
    ~MarkerGuard() { m_marker.clear(); }
    MarkerGuard(const MarkerGuard &) = delete;
    MarkerGuard &operator=(const MarkerGuard &) = delete;

private:
    QString &m_marker;
};

// A record's folder below AccessoryRoot as a local path: the stored relative path uses
// backslashes ("华信\年度画册"), which other programs on the database rely on.
QString accessoryFolder(const QString &relativePath);

} // namespace crm
