#pragma once
#include <QString>

class QWidget;

namespace db { class Dataset; }
namespace widgets { class DBMemo; }

namespace customers {

// "插入时间": the memo gets the date-and-time stamp as if it had been typed, so the record
// enters Edit and the next post writes it. Nothing happens while the memo shows no record.
void stampMemo(widgets::DBMemo *memo);

// "放大" of a customer memo: the larger memo window over tlbCust.CustMemo, shown modally, with
// the notice "客户名称--" + short name. memoText is the opener's memo text; while the customer
// is being inserted it is carried into the larger window's box.
void showLargeCustomerMemo(QWidget *parent, db::Dataset &cust, const QString &shortName, const QString &memoText);

// "放大" of a contact memo: the memo window over tlbLinkman.LinkmanMemo, notice "联系人--" + name.
void showLargeContactMemo(QWidget *parent, db::Dataset &contacts, const QString &name);

} // namespace customers
