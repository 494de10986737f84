#include "customers/TfrmCustList.h"

#include "customers/CustListBuilder.h"
#include "customers/GroupedGrid.h"
#include "platform/db/Table.h"
#include "platform/system/Guard.h"
#include "platform/system/Services.h"
#include "store/DMOrvane.h"

#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace customers {

TfrmCustList *frmCustList = nullptr;

TfrmCustList::TfrmCustList(store::TDMOrvane &dm, QWidget *parent) : QWidget(parent), m_dm(dm)
{
    setObjectName(u"frmCustList"_s);
    setWindowTitle(u"客户列表"_s);

    pnCustList = new QWidget(this);
    pnCustList->setObjectName(u"pnCustList"_s);
    lblTitle = new QLabel(u"我的客户列表"_s, pnCustList);
    lblTitle->setObjectName(u"lblTitle"_s);
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    lblTitle->setFont(titleFont);

    using widgets::ColumnKind;
    using widgets::ColumnSpec;
    using widgets::Sort;
    frm = new GroupedGrid(pnCustList);
    frm->setObjectName(u"frm"_s);
    frm->setDataset(dm.tlbCustList, {ColumnSpec(u"序号"_s, u"No"_s, true, {}, 56),
                                     ColumnSpec(u"客户简称"_s, u"CustName_S"_s, true, {}, 130, Sort::Ascending),
                                     ColumnSpec(u"业务数量"_s, u"OperateCount"_s, true, {}, 72),
                                     ColumnSpec(u"合同总额"_s, u"SumGoalAmount"_s, true, {}, 110),
                                     ColumnSpec(u"客户级别"_s, u"CustLevel"_s, true, {}, 90),
                                     ColumnSpec(u"建档日期"_s, u"CreateTime"_s, true, {}, 90),
                                     ColumnSpec(u"客户区域"_s, u"custdistdb"_s, true, {}, 110),
                                     ColumnSpec(u"顾问单位"_s, u"IsConsult"_s, false, {}, 72).setKind(ColumnKind::Check)});
    frm->setSumFields({u"OperateCount"_s, u"SumGoalAmount"_s});

    auto *panelLayout = new QVBoxLayout(pnCustList);
    panelLayout->setContentsMargins(6, 6, 6, 6);
    panelLayout->setSpacing(6);
    panelLayout->addWidget(lblTitle);
    panelLayout->addWidget(frm, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pnCustList);

    connect(frm, &GroupedGrid::rowClicked, this, [this] { sys::guarded(this, [this] { frmClick(); }); });
    connect(frm, &GroupedGrid::rowDoubleClicked, this, [this] { sys::guarded(this, [this] { frmDblClick(); }); });
}

bool TfrmCustList::buildList()
{
    return sys::guarded(this, [this] {
        buildCustomerList(m_dm);
        frm->setFocus();
    });
}

db::Dataset *TfrmCustList::reportDataset() const { return m_dm.tlbCustList; }

QString TfrmCustList::reportTemplate() { return u"data\\Report\\CustList.frf"_s; }

void TfrmCustList::frmClick() { syncCustListRow(m_dm); }

void TfrmCustList::frmDblClick()
{
    if (!m_dm.tlbCustList->isActive() || m_dm.tlbCustList->isEmpty())
        return;
    const std::optional<ListCustomer> customer = openListCustomer(m_dm);
    if (!customer) {
        // The list is a snapshot: the customer may have been deleted or renamed since.
        sys::warn(u"找不到客户“%1”，它可能已被删除或改名。请点击“客户列表”重新建立列表。"_s.arg(
            m_dm.tlbCustList->field(u"CustName_S"_s).asString()));
        return;
    }
    emit customerOpened(customer->shortName, customer->createTimeText);
    syncCustListRow(m_dm);
}

} // namespace customers
