#pragma once
#include "customers/DetailDialog.h"

class QLabel;

namespace store { class TDMOrvane; }
namespace widgets {
class DBEdit;
class DBHyperLinkEdit;
class DBLookupCombo;
class DBMemo;
} // namespace widgets

namespace customers {

// "客户详情": every field of the current customer (tlbCust), edited in place. Saving checks
// district, short name and level, then saves the way the customer page does; a refused post
// is reported and the window stays open on the unsaved record. Construct and exec().
class Tfrmcustdetail : public DetailDialog
{
    Q_OBJECT
public:
    explicit Tfrmcustdetail(store::TDMOrvane *dm, QWidget *parent = nullptr);

    widgets::DBEdit *dxDBCustNO, *dxDBEditCustN_S, *dxDBEditCustName_A, *dxDBEditLicense, *dxDBEditAddress,
        *dxDBEditPostCode, *dxDBEditFax, *dxDBEditPhone1, *dxDBEditPhone2, *dxDBEdit4, *dxDBEdit6, *dxDBEdit1,
        *dxDBEdit2, *dxDBEdit3, *dxDBEdit5, *dxDBEditCustom1, *dxDBEditCustom2, *dxDBEditCustom3;
    widgets::DBHyperLinkEdit *dxDBHLEdtMail, *dxDBHLEdtHomePage;
    widgets::DBLookupCombo *dxDBLookupEdit1, *dxDBLookupEdit2, *dxDBLookupEdit3, *dxDBLookupEdit4;
    widgets::DBMemo *dxMemoCust;
    QLabel *Label14, *Label15, *Label17; // custom-field captions
    QPushButton *BitBtn6;                // 保存(&S)

    void BitBtn6Click();
    void BitBtn2Click();

signals:
    // The customer was saved: the customer page enables "保存客户" and "添加联系人".
    void customerSaved();

protected:
    void save() override { BitBtn6Click(); }
    void print() override { BitBtn2Click(); }
    void enlargeMemo() override;
    void showEvent(QShowEvent *event) override;

private:
    store::TDMOrvane *m_dm;
};

} // namespace customers
