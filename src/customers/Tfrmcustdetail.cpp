#include "customers/Tfrmcustdetail.h"

#include "customers/CustomerMemo.h"
#include "customers/CustomerRules.h"
#include "customers/FormParts.h"
#include "platform/report/ReportEngine.h"
#include "platform/system/Services.h"
#include "platform/widgets/DBEdit.h"
#include "platform/widgets/DBHyperLinkEdit.h"
#include "platform/widgets/DBLookupCombo.h"
#include "platform/widgets/DBMemo.h"
#include "platform/widgets/EnterChain.h"
#include "store/DMOrvane.h"
#include "store/General.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace customers {

Tfrmcustdetail::Tfrmcustdetail(store::TDMOrvane *dm, QWidget *parent)
    : DetailDialog(u"客户详情"_s, u"BitBtn6"_s, form::customerNoteWidth(), parent), m_dm(dm)
{
    setObjectName(u"frmcustdetail"_s);
    BitBtn6 = saveButton();
    db::Table *cust = dm->tlbCust;
    using form::editor;
    using widgets::DBEdit;

    dxDBCustNO = editor<DBEdit>(u"dxDBCustNO"_s, cust, u"CustNum"_s);
    dxDBEditCustN_S = editor<DBEdit>(u"dxDBEditCustN_S"_s, cust, u"CustName_S"_s);
    dxDBEditCustName_A = editor<DBEdit>(u"dxDBEditCustName_A"_s, cust, u"CustName_A"_s);
    dxDBEditLicense = editor<DBEdit>(u"dxDBEditLicense"_s, cust, u"BussinessLicence"_s);
    dxDBLookupEdit1 = form::lookup(u"dxDBLookupEdit1"_s, cust, u"CustLevel"_s, dm->tlbCustLevel, u"CustLevelNO"_s);
    dxDBLookupEdit2 = form::lookup(u"dxDBLookupEdit2"_s, cust, u"CustDistdb"_s, dm->tlbCustDist, u"CustDist"_s);
    dxDBEditAddress = editor<DBEdit>(u"dxDBEditAddress"_s, cust, u"Address"_s);
    dxDBEditPostCode = editor<DBEdit>(u"dxDBEditPostCode"_s, cust, u"PostCode"_s);
    dxDBEditFax = editor<DBEdit>(u"dxDBEditFax"_s, cust, u"Fax"_s);
    dxDBEditPhone1 = editor<DBEdit>(u"dxDBEditPhone1"_s, cust, u"Phone1"_s);
    dxDBEditPhone2 = editor<DBEdit>(u"dxDBEditPhone2"_s, cust, u"Phone2"_s);
    dxDBHLEdtMail = editor<widgets::DBHyperLinkEdit>(u"dxDBHLEdtMail"_s, cust, u"Email"_s);
    dxDBLookupEdit3 = form::lookup(u"dxDBLookupEdit3"_s, cust, u"CustTypeName"_s, dm->tlbCustType, u"CustTypeName"_s);
    dxDBHLEdtHomePage = editor<widgets::DBHyperLinkEdit>(u"dxDBHLEdtHomePage"_s, cust, u"HomePage"_s);
    dxDBLookupEdit4 = form::lookup(u"dxDBLookupEdit4"_s, cust, u"CustVocation"_s, dm->tlbCustVocation, u"VocatName"_s);
    dxDBEdit4 = editor<DBEdit>(u"dxDBEdit4"_s, cust, u"Superior"_s);
    dxDBEdit6 = editor<DBEdit>(u"dxDBEdit6"_s, cust, u"Bank"_s);
    dxDBEdit1 = editor<DBEdit>(u"dxDBEdit1"_s, cust, u"AccountID"_s);
    dxDBEdit2 = editor<DBEdit>(u"dxDBEdit2"_s, cust, u"TaxID"_s);
    dxDBEdit3 = editor<DBEdit>(u"dxDBEdit3"_s, cust, u"LawPerson"_s);
    dxDBEdit5 = editor<DBEdit>(u"dxDBEdit5"_s, cust, u"GeneralMan"_s);
    dxDBEditCustom1 = editor<DBEdit>(u"dxDBEditCustom1"_s, cust, u"Custom1"_s);
    dxDBEditCustom2 = editor<DBEdit>(u"dxDBEditCustom2"_s, cust, u"Custom2"_s);
    dxDBEditCustom3 = editor<DBEdit>(u"dxDBEditCustom3"_s, cust, u"Custom3"_s);
    dxMemoCust = new widgets::DBMemo(cust, u"CustMemo"_s);
    const QStringList defaults = defaultCustomCaptions();
    Label14 = form::caption(defaults[0], u"Label14"_s);
    Label15 = form::caption(defaults[1], u"Label15"_s);
    Label17 = form::caption(defaults[2], u"Label17"_s);
    form::opensMail(dxDBHLEdtMail);
    form::opensWebPage(dxDBHLEdtHomePage);

    using form::addPair;
    using form::caption;
    QGridLayout *g = addGroup(u"基本资料"_s);
    addPair(g, 0, 0, caption(u"客户编号"_s), dxDBCustNO, u"(用英文字母及数字编号)"_s);
    addPair(g, 0, 1, caption(u"客户级别"_s), dxDBLookupEdit1);
    addPair(g, 1, 0, caption(u"客户简称"_s), dxDBEditCustN_S, u"(默认为档案文件名)"_s);
    addPair(g, 1, 1, caption(u"客户区域"_s), dxDBLookupEdit2);
    addPair(g, 2, 0, caption(u"证件号码"_s), dxDBEditLicense, u"(执照/身份证/护照号码)"_s);
    addPair(g, 2, 1, caption(u"客户类型"_s), dxDBLookupEdit3);
    addPair(g, 3, 0, caption(u"客户全称"_s), dxDBEditCustName_A);
    addPair(g, 3, 1, caption(u"所属行业"_s), dxDBLookupEdit4);
    addPair(g, 4, 0, caption(u"上级机构"_s), dxDBEdit4);

    g = addGroup(u"联系方式"_s);
    addPair(g, 0, 0, caption(u"地    址"_s), dxDBEditAddress);
    addPair(g, 0, 1, caption(u"邮    编"_s), dxDBEditPostCode);
    addPair(g, 1, 0, caption(u"电 话 一"_s), dxDBEditPhone1);
    addPair(g, 1, 1, caption(u"电 话 二"_s), dxDBEditPhone2);
    addPair(g, 2, 0, caption(u"传    真"_s), dxDBEditFax);
    addPair(g, 2, 1, caption(u"Email"_s), dxDBHLEdtMail);
    addPair(g, 3, 0, caption(u"http：//"_s), dxDBHLEdtHomePage);

    g = addGroup(u"财务与管理"_s);
    addPair(g, 0, 0, caption(u"开户银行"_s), dxDBEdit6);
    addPair(g, 0, 1, caption(u"银行帐号"_s), dxDBEdit1);
    addPair(g, 1, 0, caption(u"税    号"_s), dxDBEdit2);
    addPair(g, 1, 1, caption(u"法人代表"_s), dxDBEdit3);
    addPair(g, 2, 0, caption(u"总 经 理"_s), dxDBEdit5);

    g = addGroup(u"自定义字段"_s);
    addPair(g, 0, 0, Label14, dxDBEditCustom1);
    addPair(g, 0, 1, Label15, dxDBEditCustom2);
    addPair(g, 1, 0, Label17, dxDBEditCustom3);

    addMemo(dxMemoCust);
    resize(680, 620);

    widgets::EnterChain::install({dxDBCustNO, dxDBEditCustN_S, dxDBEditCustName_A, dxDBEditLicense, dxDBLookupEdit1,
                                  dxDBLookupEdit2, dxDBEditAddress, dxDBEditPostCode, dxDBEditFax, dxDBEditPhone1,
                                  dxDBEditPhone2, dxDBHLEdtMail, dxDBLookupEdit3, dxDBHLEdtHomePage, dxDBLookupEdit4,
                                  dxDBEdit4, dxDBEdit6, dxDBEdit1, dxDBEdit2, dxDBEdit3, dxDBEdit5, dxDBEditCustom1,
                                  dxDBEditCustom2, dxDBEditCustom3, dxMemoCust});

    // Opening: the vocation list, and the custom-field captions where some are set.
    dm->tlbCustVocation->open();
    const QStringList captions = customFieldCaptions(*dm->tlbCustomSet);
    Label14->setText(captions[0]);
    Label15->setText(captions[1]);
    Label17->setText(captions[2]);
}

void Tfrmcustdetail::showEvent(QShowEvent *event)
{
    DetailDialog::showEvent(event);
    dxDBCustNO->setFocus(Qt::OtherFocusReason);
}

void Tfrmcustdetail::BitBtn6Click()
{
    if (!form::requiredBoxesFilled(detailCheckOrder(), dxDBLookupEdit1, dxDBLookupEdit2, dxDBEditCustN_S))
        return;
    db::Table &cust = *m_dm->tlbCust;
    const QString shortName = dxDBEditCustN_S->text();
    // A new customer is dated the day it is saved here; an existing one keeps its date.
    std::optional<QVariant> created;
    if (cust.state() == db::State::Insert)
        created = QVariant(sys::clock().today());
    // A refused post throws: the caller's guard reports it and the window stays open.
    const QString folder = saveCustomer(cust, shortName, created);
    sys::sound().play(crm::AppPath + u"data/SaveWav.wav"_s);
    emit customerSaved();
    m_dm->syncAttachmentPanel(folder);
    accept();
}

void Tfrmcustdetail::BitBtn2Click()
{
    auto &engine = report::ReportEngine::instance();
    engine.setDataset(m_dm->tlbCust);
    engine.clear();
    engine.loadFromFile(crm::AppPath + u"data/Report/CustDetail.frf"_s);
    engine.setText(u"CustomName1"_s, Label14->text());
    engine.setText(u"CustomName2"_s, Label15->text());
    engine.setText(u"CustomName3"_s, Label17->text());
    engine.showReport(this);
}

void Tfrmcustdetail::enlargeMemo()
{
    showLargeCustomerMemo(this, *m_dm->tlbCust, dxDBEditCustN_S->text(), dxMemoCust->text());
}

} // namespace customers
