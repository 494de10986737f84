#include "store/General.h"

namespace crm {

QString AppPath;
QString AccessoryRoot;
QString FirstRunDate;
QString CurrentUserName;
bool EndOperatePending = false;
QString EndOperateMemoPending;
QString CustListMode;
QString OperateListMode;
QString OperateQueryMode;
QString CustQueryMode;
QString PrintMode;
bool LoginRequired = false;
bool LoginAccepted = false;

QString accessoryFolder(const QString &relativePath)
{
    QString rel = relativePath;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return AccessoryRoot + rel;
}

} // namespace crm
