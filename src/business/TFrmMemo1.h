#pragma once
#include "business/TfrmMemo.h"

namespace business {

// "备注" for the customer's memo: the box is bound to the data module's tlbCust, field CustMemo,
// unless the opener binds it otherwise; the stamp always writes tlbCust.CustMemo and "保存"
// posts tlbCust. The opener sets the notice ("客户名称--" + short name) and shows it modally:
//   TFrmMemo1 memo(this);
//   memo.setNotice(u"客户名称--"_s + shortName);
//   memo.dxMemoGeneral->setPlainText(pageMemoText);
//   memo.exec();
class TFrmMemo1 : public TfrmMemo
{
    Q_OBJECT
public:
    explicit TFrmMemo1(QWidget *parent = nullptr);

protected:
    Target memoTarget() const override;
};

// The program-wide instance, when one is created at start (it may be shown again and again).
extern TFrmMemo1 *FrmMemo1;

} // namespace business
