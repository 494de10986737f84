#include "business/TFrmMemo1.h"

#include "platform/db/Table.h"
#include "store/DMOrvane.h"

using namespace Qt::StringLiterals;

namespace business {

TFrmMemo1 *FrmMemo1 = nullptr;

TFrmMemo1::TFrmMemo1(QWidget *parent) : TfrmMemo(parent)
{
    setObjectName(u"FrmMemo1"_s);
    bindMemo(store::DMOrvane->tlbCust, u"CustMemo"_s);
}

TfrmMemo::Target TFrmMemo1::memoTarget() const { return {store::DMOrvane->tlbCust, u"CustMemo"_s}; }

} // namespace business
