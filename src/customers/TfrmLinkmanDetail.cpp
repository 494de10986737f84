#include "customers/TfrmLinkmanDetail.h"

#include "customers/CustomerMemo.h"
#include "customers/FormParts.h"
#include "platform/report/ReportEngine.h"
#include "platform/widgets/DBDateEdit.h"
#include "platform/widgets/DBEdit.h"
#include "platform/widgets/DBHyperLinkEdit.h"
#include "platform/widgets/DBMemo.h"
#include "platform/widgets/EnterChain.h"
#include "store/DMOrvane.h"
#include "store/General.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace customers {

TfrmLinkmanDetail::TfrmLinkmanDetail(store::TDMOrvane *dm, QWidget *parent)
    : DetailDialog(u"编辑联系人详情"_s, u"BitBtn1"_s, 0, parent), m_dm(dm)
{
    setObjectName(u"frmLinkmanDetail"_s);
    BitBtn1 = saveButton();
    db::Table *lk = dm->tlbLinkman;
    using form::editor;
    using widgets::DBEdit;

    dxDBEditLKName = editor<DBEdit>(u"dxDBEditLKName"_s, lk, u"Name"_s);
    dxDBEditLKDepDuty = editor<DBEdit>(u"dxDBEditLKDepDuty"_s, lk, u"DepDuty"_s);
    dxDBEditLKOPhone = editor<DBEdit>(u"dxDBEditLKOPhone"_s, lk, u"PhoneOffice"_s);
    dxDBEditLKFax = editor<DBEdit>(u"dxDBEditLKFax"_s, lk, u"Fax"_s);
    dxDBEditLKMPhone = editor<DBEdit>(u"dxDBEditLKMPhone"_s, lk, u"MobilePhone"_s);
    dxDBEditLKHPhone = editor<DBEdit>(u"dxDBEditLKHPhone"_s, lk, u"PhoneHome"_s);
    dxDBHLEdtLKEmail = editor<widgets::DBHyperLinkEdit>(u"dxDBHLEdtLKEmail"_s, lk, u"Email"_s);
    dxDBEditLKPostCode = editor<DBEdit>(u"dxDBEditLKPostCode"_s, lk, u"PostCode"_s);
    dxDBEditLKOAddress = editor<DBEdit>(u"dxDBEditLKOAddress"_s, lk, u"OfficeAddress"_s);
    dxDBEditLKHAddress = editor<DBEdit>(u"dxDBEditLKHAddress"_s, lk, u"HomeAddress"_s);
    dxDBHLEdtLKHomePage = editor<widgets::DBHyperLinkEdit>(u"dxDBHLEdtLKHomePage"_s, lk, u"HomePage"_s);
    dxDBDateEdit1 = editor<widgets::DBDateEdit>(u"dxDBDateEdit1"_s, lk, u"Birthdy"_s);
    dxDBEdit2 = editor<DBEdit>(u"dxDBEdit2"_s, lk, u"Nativeplace"_s);
    dxDBEdit3 = editor<DBEdit>(u"dxDBEdit3"_s, lk, u"Taste"_s);
    dxDBEdit4 = editor<DBEdit>(u"dxDBEdit4"_s, lk, u"Charact"_s);
    dxDBEdit5 = editor<DBEdit>(u"dxDBEdit5"_s, lk, u"Weakness"_s);
    dxMemoCust = new widgets::DBMemo(lk, u"LinkmanMemo"_s);
    form::opensMail(dxDBHLEdtLKEmail);
    form::opensWebPage(dxDBHLEdtLKHomePage);

    using form::addPair;
    using form::addWide;
    using form::caption;
    QGridLayout *g = addGroup(u"联系方式"_s);
    addPair(g, 0, 0, caption(u"姓    名"_s), dxDBEditLKName);
    addPair(g, 0, 1, caption(u"部门职务"_s), dxDBEditLKDepDuty);
    addPair(g, 1, 0, caption(u"办公电话"_s), dxDBEditLKOPhone);
    addPair(g, 1, 1, caption(u"传    真"_s), dxDBEditLKFax);
    addPair(g, 2, 0, caption(u"手    机"_s), dxDBEditLKMPhone);
    addPair(g, 2, 1, caption(u"家庭电话"_s), dxDBEditLKHPhone);
    addPair(g, 3, 0, caption(u"Email"_s), dxDBHLEdtLKEmail);
    addPair(g, 3, 1, caption(u"邮    编"_s), dxDBEditLKPostCode);
    addWide(g, 4, caption(u"办公地址"_s), dxDBEditLKOAddress);
    addWide(g, 5, caption(u"家庭地址"_s), dxDBEditLKHAddress);
    addWide(g, 6, caption(u"http：//"_s), dxDBHLEdtLKHomePage);

    g = addGroup(u"个人情况"_s);
    addPair(g, 0, 0, caption(u"生    日"_s), dxDBDateEdit1);
    addPair(g, 0, 1, caption(u"籍    贯"_s), dxDBEdit2);
    addPair(g, 1, 0, caption(u"爱    好"_s), dxDBEdit3);
    addPair(g, 1, 1, caption(u"性格特点"_s), dxDBEdit4);
    addPair(g, 2, 0, caption(u"弱    点"_s), dxDBEdit5);

    addMemo(dxMemoCust);
    resize(600, 560);

    widgets::EnterChain::install({dxDBEditLKName, dxDBEditLKDepDuty, dxDBEditLKOPhone, dxDBEditLKFax, dxDBEditLKMPhone,
                                  dxDBEditLKHPhone, dxDBHLEdtLKEmail, dxDBEditLKPostCode, dxDBEditLKOAddress,
                                  dxDBEditLKHAddress, dxDBHLEdtLKHomePage, dxDBDateEdit1, dxDBEdit2, dxDBEdit3,
                                  dxDBEdit4, dxDBEdit5, dxMemoCust});
}

void TfrmLinkmanDetail::showEvent(QShowEvent *event)
{
    DetailDialog::showEvent(event);
    dxDBEditLKName->setFocus(Qt::OtherFocusReason);
}

void TfrmLinkmanDetail::BitBtn1Click()
{
    db::Table &lk = *m_dm->tlbLinkman;
    // No contact shown: editing would make an empty one.
    if (lk.isActive() && (lk.isEditing() || !lk.isEmpty())) {
        if (lk.state() == db::State::Browse)
            lk.edit();
        lk.post();
    }
    accept();
}

void TfrmLinkmanDetail::BitBtn2Click()
{
    auto &engine = report::ReportEngine::instance();
    engine.setDataset(nullptr);
    engine.clear();
    engine.loadFromFile(crm::AppPath + u"data/Report/LinkmansDetail.frf"_s);
    const QList<std::pair<QString, QLineEdit *>> boxes{
        {u"Name"_s, dxDBEditLKName},           {u"DepDuty"_s, dxDBEditLKDepDuty},
        {u"PhoneOffice"_s, dxDBEditLKOPhone},  {u"FAX"_s, dxDBEditLKFax},
        {u"MobilePhone"_s, dxDBEditLKMPhone},  {u"PhoneHome"_s, dxDBEditLKHPhone},
        {u"Email"_s, dxDBHLEdtLKEmail},        {u"PostCode"_s, dxDBEditLKPostCode},
        {u"OfficeAddress"_s, dxDBEditLKOAddress}, {u"HomeAddress"_s, dxDBEditLKHAddress},
        {u"HomePage"_s, dxDBHLEdtLKHomePage},  {u"birthday"_s, dxDBDateEdit1},
        {u"nativeplace"_s, dxDBEdit2},         {u"taste"_s, dxDBEdit3},
        {u"character"_s, dxDBEdit4},           {u"weakness"_s, dxDBEdit5}};
    for (const auto &[name, box] : boxes)
        engine.setText(name, box->text());
    engine.setText(u"LinkmanMemo"_s, dxMemoCust->text());
    engine.showReport(this);
}

void TfrmLinkmanDetail::enlargeMemo()
{
    showLargeContactMemo(this, *m_dm->tlbLinkman, dxDBEditLKName->text());
}

} // namespace customers
