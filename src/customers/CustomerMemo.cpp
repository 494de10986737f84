#include "customers/CustomerMemo.h"

#include "business/MemoStamp.h"
#include "business/TFrmMemo1.h"
#include "business/TfrmMemo.h"
#include "customers/CustomerRules.h"
#include "platform/db/Dataset.h"
#include "platform/system/Services.h"
#include "platform/widgets/DBMemo.h"

#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

namespace customers {

void stampMemo(widgets::DBMemo *memo)
{
    if (!memo->field())
        return;
    memo->enterValue(business::memoStampText(memo->text(), sys::clock().now()));
    memo->moveCursor(QTextCursor::End);
}

void showLargeCustomerMemo(QWidget *parent, db::Dataset &cust, const QString &shortName, const QString &memoText)
{
    business::TFrmMemo1 memo(parent);
    memo.setNotice(customerMemoNotice(shortName));
    memo.dxMemoGeneral->setPlainText(memoText);
    memo.bindMemo(&cust, u"CustMemo"_s);
    // An unsaved customer's memo goes along as pending text.
    if (cust.state() == db::State::Insert)
        memo.dxDBMemoGeneral->enterValue(memoText);
    memo.exec();
}

void showLargeContactMemo(QWidget *parent, db::Dataset &contacts, const QString &name)
{
    business::TfrmMemo memo(parent);
    memo.setNotice(u"联系人--"_s + name);
    memo.bindMemo(&contacts, u"LinkmanMemo"_s);
    memo.dxMemoGeneral->setPlainText(memo.dxDBMemoGeneral->text());
    memo.exec();
}

} // namespace customers
