#pragma once
#include "customers/DetailDialog.h"

namespace store { class TDMOrvane; }
namespace widgets {
class DBDateEdit;
class DBEdit;
class DBHyperLinkEdit;
class DBMemo;
} // namespace widgets

namespace customers {

// "编辑联系人详情": every field of the current contact person (tlbLinkman), edited in place.
// Construct and exec().
class TfrmLinkmanDetail : public DetailDialog
{
    Q_OBJECT
public:
    explicit TfrmLinkmanDetail(store::TDMOrvane *dm, QWidget *parent = nullptr);

    widgets::DBEdit *dxDBEditLKName, *dxDBEditLKDepDuty, *dxDBEditLKOPhone, *dxDBEditLKFax, *dxDBEditLKMPhone,
        *dxDBEditLKHPhone, *dxDBEditLKPostCode, *dxDBEditLKOAddress, *dxDBEditLKHAddress, *dxDBEdit2, *dxDBEdit3,
        *dxDBEdit4, *dxDBEdit5;
    widgets::DBHyperLinkEdit *dxDBHLEdtLKEmail, *dxDBHLEdtLKHomePage;
    widgets::DBDateEdit *dxDBDateEdit1;
    widgets::DBMemo *dxMemoCust;
    QPushButton *BitBtn1; // 保存(&S)

    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void save() override { BitBtn1Click(); }
    void print() override { BitBtn2Click(); }
    void enlargeMemo() override;
    void showEvent(QShowEvent *event) override;

private:
    store::TDMOrvane *m_dm;
};

} // namespace customers
