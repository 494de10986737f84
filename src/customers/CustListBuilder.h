#pragma once
#include <QString>
#include <optional>

namespace store { class TDMOrvane; }

namespace customers {

// Rules of the customer list ("我的客户列表"), on the data module's datasets; no window needed.

// Fills the work table TempCustList from QryCustList: one row per query row in the query's order
// (newest creation date first) numbered 1, 2, 3 ..., with count 0 and sum 0 for customers without
// business records. Runs under the marker "建立客户列表", which is clear again on every way out,
// failures included. Leaves tlbCustList open on its first row and points the attachment panel
// at that row's folder; opens tlbCust too, for the customers the list opens. Throws db::Error when the work table cannot be opened or filled; the
// previous list then stays as it was.
void buildCustomerList(store::TDMOrvane &dm);

// The folder of tlbCustList's current row (the attachment root when the row has none).
QString custListRowFolder(const store::TDMOrvane &dm);
// Points the attachment panel at the folder of tlbCustList's current row.
void syncCustListRow(store::TDMOrvane &dm);

// The customer that a row of the list opens.
struct ListCustomer
{
    QString shortName;      // as stored in the customer table
    QString createTimeText; // its creation date in the system's short format
};

// Opens the customer of tlbCustList's current row: tlbCust moves to the first customer (in the
// short-name index) whose short name equals the row's exactly, else without regard to case, and
// the detail and lookup datasets of the customer and business pages are opened. Without a
// current row, or when no customer has that name any more, nothing moves and nullopt is returned.
std::optional<ListCustomer> openListCustomer(store::TDMOrvane &dm);

} // namespace customers
