#include "customers/TfrmNewCust.h"

#include "customers/CustomerMemo.h"
#include "customers/CustomerRules.h"
#include "customers/FormParts.h"
#include "customers/TfrmLinkmanDetail.h"
#include "customers/Tfrmcustdetail.h"
#include "platform/system/Guard.h"
#include "platform/system/Services.h"
#include "platform/system/TextFormat.h"
#include "platform/widgets/DBEdit.h"
#include "platform/widgets/DBGrid.h"
#include "platform/widgets/DBHyperLinkEdit.h"
#include "platform/widgets/DBLookupCombo.h"
#include "platform/widgets/DBMemo.h"
#include "platform/widgets/EnterChain.h"
#include "store/DMOrvane.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace customers {

TfrmNewCust *frmNewCust = nullptr;

namespace {

// Whether a focus change is the user moving between boxes, not a drop-down opening or
// another window taking the focus for a while.
bool userMovedFocus(const QEvent *event)
{
    const auto reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

} // namespace

TfrmNewCust::TfrmNewCust(store::TDMOrvane *dm, QWidget *parent) : QWidget(parent), m_dm(dm)
{
    setObjectName(u"frmNewCust"_s);
    setWindowTitle(u"新建客户"_s);
    if (!frmNewCust)
        frmNewCust = this;

    pnCust = new QFrame(this);
    pnCust->setObjectName(u"pnCust"_s);
    m_panel = pnCust;
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(pnCust);

    auto *page = new QVBoxLayout(pnCust);
    page->setContentsMargins(6, 6, 6, 6);
    page->setSpacing(6);
    auto *custGroup = new QGroupBox(u"客户资料"_s);
    custGroup->setObjectName(u"gbCust"_s);
    auto *contactGroup = new QGroupBox(u"联系人"_s);
    contactGroup->setObjectName(u"gbLinkman"_s);
    page->addWidget(custGroup);
    page->addWidget(contactGroup, 1);
    buildCustomerSection(custGroup);
    buildContactSection(contactGroup);
    wireRules();
    showCreateTime();
}

TfrmNewCust::~TfrmNewCust()
{
    if (frmNewCust == this)
        frmNewCust = nullptr;
    if (m_dm)
        m_dm->hooks.custMemoText = nullptr;
    delete m_panel; // it may live in the main window's tab by now
}

void TfrmNewCust::buildCustomerSection(QWidget *group)
{
    db::Table *cust = m_dm->tlbCust;
    using form::editor;
    using widgets::DBEdit;
    dxDBEditCustNum = editor<DBEdit>(u"dxDBEditCustNum"_s, cust, u"CustNum"_s);
    dxDBEditCustN_S = editor<DBEdit>(u"dxDBEditCustN_S"_s, cust, u"CustName_S"_s);
    dxDBEditLicense = editor<DBEdit>(u"dxDBEditLicense"_s, cust, u"BussinessLicence"_s);
    dxDBEditAddress = editor<DBEdit>(u"dxDBEditAddress"_s, cust, u"Address"_s);
    dxDBEditPostCode = editor<DBEdit>(u"dxDBEditPostCode"_s, cust, u"PostCode"_s);
    dxDBEditFax = editor<DBEdit>(u"dxDBEditFax"_s, cust, u"Fax"_s);
    dxDBEditPhone1 = editor<DBEdit>(u"dxDBEditPhone1"_s, cust, u"Phone1"_s);
    dxDBEditPhone2 = editor<DBEdit>(u"dxDBEditPhone2"_s, cust, u"Phone2"_s);
    dxDBLookupEdit1 = form::lookup(u"dxDBLookupEdit1"_s, cust, u"CustLevel"_s, m_dm->tlbCustLevel, u"CustLevelNO"_s);
    dxDBLookupEdit2 = form::lookup(u"dxDBLookupEdit2"_s, cust, u"CustDistdb"_s, m_dm->tlbCustDist, u"CustDist"_s);
    dxDBLookupEdit3 = form::lookup(u"dxDBLookupEdit3"_s, cust, u"CustTypeName"_s, m_dm->tlbCustType, u"CustTypeName"_s);
    dxDBHLEdtMail = editor<widgets::DBHyperLinkEdit>(u"dxDBHLEdtMail"_s, cust, u"Email"_s);
    dxDBHLEdtHomePage = editor<widgets::DBHyperLinkEdit>(u"dxDBHLEdtHomePage"_s, cust, u"HomePage"_s);
    dxMemoCust = editor<widgets::DBMemo>(u"dxMemoCust"_s, cust, u"CustMemo"_s);
    dxMemoCust->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lblCreateTime = new QLabel;
    lblCreateTime->setObjectName(u"lblCreateTime"_s);
    lblCreateTime->setMinimumWidth(80);

    FbtnSaveCust = form::button(u"保存客户"_s, u"FbtnSaveCust"_s);
    FlatButton2 = form::button(u"详情"_s, u"FlatButton2"_s);
    FbtnAddTime = form::button(u"插入时间"_s, u"FbtnAddTime"_s);
    FbtnLarge = form::button(u"放大"_s, u"FbtnLarge"_s);

    using form::addPair;
    using form::caption;
    QGridLayout *g = form::formGrid(form::customerNoteWidth());
    group->setLayout(g);
    addPair(g, 0, 0, caption(u"客户编号"_s), dxDBEditCustNum, u"(用英文字母及数字编号)"_s);
    addPair(g, 0, 1, caption(u"客户级别"_s), dxDBLookupEdit1);
    addPair(g, 1, 0, caption(u"客户简称"_s), dxDBEditCustN_S, u"(默认为档案文件名)"_s);
    addPair(g, 1, 1, caption(u"客户区域"_s), dxDBLookupEdit2);
    addPair(g, 2, 0, caption(u"证件号码"_s), dxDBEditLicense, u"(执照/身份证/护照号码)"_s);
    addPair(g, 2, 1, caption(u"客户类型"_s), dxDBLookupEdit3);
    addPair(g, 3, 0, caption(u"地    址"_s), dxDBEditAddress);
    addPair(g, 3, 1, caption(u"邮    编"_s), dxDBEditPostCode);
    addPair(g, 4, 0, caption(u"电 话 一"_s), dxDBEditPhone1);
    addPair(g, 4, 1, caption(u"电 话 二"_s), dxDBEditPhone2);
    addPair(g, 5, 0, caption(u"传    真"_s), dxDBEditFax);
    addPair(g, 5, 1, caption(u"Email"_s), dxDBHLEdtMail);
    addPair(g, 6, 0, caption(u"http：//"_s), dxDBHLEdtHomePage);
    addPair(g, 6, 1, caption(u"建档时间:"_s), lblCreateTime);
    g->addWidget(caption(u"备注"_s), 7, 0, Qt::AlignRight | Qt::AlignTop);
    g->addWidget(dxMemoCust, 7, 1, 1, 4);
    dxMemoCust->setFixedHeight(3 * dxMemoCust->fontMetrics().lineSpacing() + 10);

    auto *side = new QVBoxLayout;
    side->addWidget(FbtnSaveCust);
    side->addWidget(FlatButton2);
    side->addStretch();
    g->addLayout(side, 0, 5, 7, 1);
    auto *memoSide = new QVBoxLayout;
    memoSide->addWidget(FbtnAddTime);
    memoSide->addWidget(FbtnLarge);
    memoSide->addStretch();
    g->addLayout(memoSide, 7, 5);
}

void TfrmNewCust::buildContactSection(QWidget *group)
{
    db::Table *lk = m_dm->tlbLinkman;
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

    using widgets::ColumnSpec;
    widgets::ColumnLayout columns{
        ColumnSpec(u"姓名"_s, u"Name"_s, true, {}, 60, widgets::Sort::Descending),
        ColumnSpec(u"办公室电话"_s, u"PhoneOffice"_s, true, {}, 100),
        ColumnSpec(u"手机"_s, u"MobilePhone"_s, true, {}, 96)};
    for (const QString &hidden : {u"LinkmanNO"_s, u"CustNo"_s, u"DepDuty"_s, u"Fax"_s, u"PhoneHome"_s, u"Email"_s,
                                  u"PostCode"_s, u"OfficeAddress"_s, u"HomeAddress"_s, u"HomePage"_s})
        columns << ColumnSpec(hidden, hidden, false);
    dxDGLinkman = new widgets::DBGrid(lk, columns);
    dxDGLinkman->setObjectName(u"dxDGLinkman"_s);
    dxDGLinkman->setAllowDelete(true);
    dxDGLinkman->setFixedWidth(278);
    dxDGLinkman->horizontalHeader()->setStretchLastSection(true);
    dxDGLinkman->verticalHeader()->hide();

    FbtnAddLinkman = form::button(u"添加联系人"_s, u"FbtnAddLinkman"_s);
    FbtnSaveLinkman = form::button(u"保存联系人"_s, u"FbtnSaveLinkman"_s);
    FbtnDelLkman = form::button(u"删除"_s, u"FbtnDelLkman"_s);
    FbtnLinkmanMemo = form::button(u"详情"_s, u"FbtnLinkmanMemo"_s);

    using form::addPair;
    using form::addWide;
    using form::caption;
    QGridLayout *boxes = form::formGrid(0);
    addPair(boxes, 0, 0, caption(u"姓    名"_s), dxDBEditLKName);
    addPair(boxes, 0, 1, caption(u"部门职务"_s), dxDBEditLKDepDuty);
    addPair(boxes, 1, 0, caption(u"办公电话"_s), dxDBEditLKOPhone);
    addPair(boxes, 1, 1, caption(u"传    真"_s), dxDBEditLKFax);
    addPair(boxes, 2, 0, caption(u"手    机"_s), dxDBEditLKMPhone);
    addPair(boxes, 2, 1, caption(u"家庭电话"_s), dxDBEditLKHPhone);
    addPair(boxes, 3, 0, caption(u"Email"_s), dxDBHLEdtLKEmail);
    addPair(boxes, 3, 1, caption(u"邮    编"_s), dxDBEditLKPostCode);
    addWide(boxes, 4, caption(u"办公地址"_s), dxDBEditLKOAddress);
    addWide(boxes, 5, caption(u"家庭地址"_s), dxDBEditLKHAddress);
    addWide(boxes, 6, caption(u"http：//"_s), dxDBHLEdtLKHomePage);
    boxes->setRowStretch(7, 1);
    boxes->setColumnStretch(1, 1);
    boxes->setColumnStretch(4, 1);

    auto *left = new QGridLayout;
    left->setSpacing(4);
    left->addWidget(dxDGLinkman, 0, 0, 1, 2);
    left->addWidget(FbtnAddLinkman, 1, 0);
    left->addWidget(FbtnSaveLinkman, 1, 1);
    left->addWidget(FbtnDelLkman, 2, 0);
    left->addWidget(FbtnLinkmanMemo, 2, 1);

    auto *row = new QHBoxLayout(group);
    row->addLayout(left, 0);
    row->addLayout(boxes, 1);
}

void TfrmNewCust::wireRules()
{
    FbtnAddLinkman->setEnabled(false);
    FbtnSaveLinkman->setEnabled(false);

    auto click = [this](QPushButton *b, void (TfrmNewCust::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { run([this, handler] { (this->*handler)(); }); });
    };
    click(FbtnSaveCust, &TfrmNewCust::FbtnSaveCustClick);
    click(FbtnAddLinkman, &TfrmNewCust::FbtnAddLinkmanClick);
    click(FbtnSaveLinkman, &TfrmNewCust::FbtnSaveLinkmanClick);
    click(FbtnDelLkman, &TfrmNewCust::FbtnDelLkmanClick);
    click(FlatButton2, &TfrmNewCust::FlatButton2Click);
    click(FbtnLinkmanMemo, &TfrmNewCust::FbtnLinkmanMemoClick);
    click(FbtnAddTime, &TfrmNewCust::FbtnAddTimeClick);
    click(FbtnLarge, &TfrmNewCust::FbtnLargeClick);

    // Leaving a customer box after typing in it makes the customer savable again.
    for (widgets::DBEdit *box : {dxDBEditCustNum, dxDBEditCustN_S, dxDBEditLicense, dxDBEditAddress, dxDBEditPostCode,
                                 dxDBEditFax, dxDBEditPhone1, dxDBEditPhone2, static_cast<widgets::DBEdit *>(dxDBHLEdtMail),
                                 static_cast<widgets::DBEdit *>(dxDBHLEdtHomePage)})
        connect(box, &widgets::DBEdit::exited, this, [this, box] {
            if (box->isModified())
                FbtnSaveCust->setEnabled(true);
        });
    connect(dxMemoCust, &widgets::DBMemo::exited, this, [this] {
        if (dxMemoCust->isModified())
            FbtnSaveCust->setEnabled(true);
    });

    // A typed contact change may be saved only while the customer has nothing unsaved.
    for (widgets::DBEdit *box : {dxDBEditLKName, dxDBEditLKDepDuty, dxDBEditLKOPhone, dxDBEditLKFax, dxDBEditLKMPhone,
                                 dxDBEditLKHPhone, static_cast<widgets::DBEdit *>(dxDBHLEdtLKEmail), dxDBEditLKPostCode,
                                 dxDBEditLKOAddress, dxDBEditLKHAddress,
                                 static_cast<widgets::DBEdit *>(dxDBHLEdtLKHomePage)})
        connect(box, &QLineEdit::textEdited, this, [this, box] {
            if (box->isModified())
                enableSaveLinkman();
        });

    form::opensMail(dxDBHLEdtMail);
    form::opensWebPage(dxDBHLEdtHomePage);
    form::opensMail(dxDBHLEdtLKEmail);
    form::opensWebPage(dxDBHLEdtLKHomePage);
    connect(dxDBHLEdtMail, &widgets::DBHyperLinkEdit::linkDoubleClicked, this,
            [this] { run([this] { addressBookContact(); }); });
    connect(dxDBHLEdtLKEmail, &widgets::DBHyperLinkEdit::linkDoubleClicked, this, [this] {
        if (showAddressBook)
            run(showAddressBook);
    });

    using widgets::EnterChain;
    EnterChain::install({dxDBEditCustNum, dxDBEditCustN_S, dxDBEditLicense, dxDBEditAddress, dxDBEditPostCode,
                         dxDBEditFax, dxDBEditPhone1, dxDBEditPhone2, dxDBLookupEdit1, dxDBLookupEdit2,
                         dxDBHLEdtHomePage, dxMemoCust});
    EnterChain::install({dxDBHLEdtMail, dxDBLookupEdit3, dxDBHLEdtHomePage});
    EnterChain::install({dxDBEditLKName, dxDBEditLKDepDuty, dxDBEditLKOPhone, dxDBEditLKFax, dxDBEditLKMPhone,
                         dxDBEditLKHPhone, dxDBHLEdtLKEmail, dxDBEditLKPostCode, dxDBEditLKOAddress,
                         dxDBEditLKHAddress, dxDBHLEdtLKHomePage, FbtnLinkmanMemo},
                        EnterChain::Last::Press);

    // Installed after the box's own field link, so the lock acts before the text is written.
    dxDBEditCustN_S->installEventFilter(this);
    dxDBLookupEdit2->installEventFilter(this);
    dxDBLookupEdit3->installEventFilter(this);

    db::Table *cust = m_dm->tlbCust;
    connect(cust, &db::Dataset::recordChanged, this, &TfrmNewCust::showCreateTime);
    connect(cust, &db::Dataset::stateChanged, this, &TfrmNewCust::showCreateTime);

    // The data module copies the memo into every customer post; a memo that only shows the
    // stored text has nothing to add (and may be behind while a window walks many rows).
    m_dm->hooks.custMemoText = [memo = QPointer<widgets::DBMemo>(dxMemoCust),
                                cust = QPointer<db::Table>(cust)]() -> std::optional<QString> {
        if (!memo || !memo->isModified() || !cust || cust->controlsDisabled())
            return std::nullopt;
        return memo->text();
    };
}

bool TfrmNewCust::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == dxDBEditCustN_S) {
        if (event->type() == QEvent::FocusIn && userMovedFocus(event)) {
            m_shortNameOnEntry = dxDBEditCustN_S->text();
        } else if (event->type() == QEvent::FocusOut && userMovedFocus(event)) {
            // A saved customer keeps its short name here: it names the attachment folder.
            const db::State state = m_dm->tlbCust->state();
            if (!dxDBEditCustN_S->text().isEmpty() && (state == db::State::Browse || state == db::State::Edit)
                && dxDBEditCustN_S->text() != m_shortNameOnEntry)
                dxDBEditCustN_S->setText(m_shortNameOnEntry);
        }
    } else if ((watched == dxDBLookupEdit2 || watched == dxDBLookupEdit3) && event->type() == QEvent::MouseButtonPress) {
        // Districts added meanwhile in their editor appear.
        run([this] {
            m_dm->tlbCustDist->close();
            m_dm->tlbCustDist->open();
        });
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmNewCust::run(const std::function<void()> &handler) { sys::guarded(pnCust, handler); }

void TfrmNewCust::showCreateTime()
{
    const db::Table &cust = *m_dm->tlbCust;
    if (cust.state() == db::State::Insert) {
        if (!m_newCustomerDated) {
            lblCreateTime->setText(sys::shortDate(sys::clock().today()));
            m_newCustomerDated = true;
        }
        return;
    }
    m_newCustomerDated = false;
    const bool shown = cust.isActive() && !cust.isEmpty();
    lblCreateTime->setText(shown ? sys::shortDate(cust.field(u"CreateTime"_s).asDate()) : QString());
}

void TfrmNewCust::newCustomer()
{
    lblCreateTime->setText(sys::shortDate(sys::clock().today()));
    m_newCustomerDated = true;
    m_dm->tlbCust->open();
    m_dm->tlbCust->append();
    FbtnSaveCust->setEnabled(true);
    m_dm->tlbLinkman->close();
    dxDBEditCustNum->setFocus(Qt::OtherFocusReason);
}

void TfrmNewCust::FbtnSaveCustClick()
{
    if (!form::requiredBoxesFilled(pageCheckOrder(), dxDBLookupEdit1, dxDBLookupEdit2, dxDBEditCustN_S))
        return;
    const QString shortName = dxDBEditCustN_S->text();
    const QString folder = saveCustomer(*m_dm->tlbCust, shortName, QVariant(lblCreateTime->text()));
    FbtnSaveCust->setEnabled(false);
    FbtnAddLinkman->setEnabled(true);
    m_dm->syncAttachmentPanel(folder);
    emit customerSaved(shortName);
}

bool TfrmNewCust::mayAddContact()
{
    if (customerHasNumber(*m_dm->tlbCust))
        return true;
    sys::warn(saveCustomerFirstMessage());
    return false;
}

void TfrmNewCust::appendContact()
{
    m_dm->tlbLinkman->open();
    m_dm->tlbLinkman->append();
}

void TfrmNewCust::FbtnAddLinkmanClick()
{
    if (!mayAddContact())
        return;
    appendContact();
    dxDBEditLKName->setFocus(Qt::OtherFocusReason);
}

void TfrmNewCust::enableSaveLinkman() { FbtnSaveLinkman->setEnabled(!FbtnSaveCust->isEnabled()); }

void TfrmNewCust::addressBookContact()
{
    if (!mayAddContact())
        return;
    const QString name = dxDBEditCustN_S->text();
    const QString mail = dxDBHLEdtMail->text();
    appendContact();
    db::Table &lk = *m_dm->tlbLinkman;
    lk.field(u"Name"_s).setValue(name);
    lk.field(u"Email"_s).setValue(mail);
    // Left unsaved, like a contact typed in: "保存联系人" stores it.
    enableSaveLinkman();
    if (showAddressBook)
        showAddressBook();
}

void TfrmNewCust::FbtnSaveLinkmanClick()
{
    db::Table &lk = *m_dm->tlbLinkman;
    // No contact shown: editing would make an empty one.
    if (!lk.isActive() || (!lk.isEditing() && lk.isEmpty()))
        return;
    if (lk.state() == db::State::Browse)
        lk.edit();
    lk.post();
}

void TfrmNewCust::FbtnDelLkmanClick()
{
    db::Table &lk = *m_dm->tlbLinkman;
    if (!lk.isActive() || lk.isEmpty())
        return;
    if (sys::confirm(u"真的要删除该记录吗？"_s))
        lk.remove();
}

void TfrmNewCust::FlatButton2Click()
{
    Tfrmcustdetail detail(m_dm, pnCust->window());
    connect(&detail, &Tfrmcustdetail::customerSaved, this, [this] {
        FbtnSaveCust->setEnabled(true);
        FbtnAddLinkman->setEnabled(true);
    });
    detail.exec();
}

void TfrmNewCust::FbtnLinkmanMemoClick()
{
    TfrmLinkmanDetail detail(m_dm, pnCust->window());
    detail.exec();
}

void TfrmNewCust::FbtnAddTimeClick()
{
    if (!dxMemoCust->field())
        return;
    stampMemo(dxMemoCust);
    FbtnSaveCust->setEnabled(true);
}

void TfrmNewCust::FbtnLargeClick()
{
    showLargeCustomerMemo(pnCust->window(), *m_dm->tlbCust, dxDBEditCustN_S->text(), dxMemoCust->text());
}

} // namespace customers
