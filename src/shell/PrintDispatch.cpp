#include "shell/PrintDispatch.h"

#include "platform/db/Dataset.h"
#include "platform/db/Table.h"
#include "platform/report/ReportEngine.h"
#include "store/DMOrvane.h"
#include "store/General.h"

using namespace Qt::StringLiterals;

namespace shell {

PrintDispatch::PrintDispatch(report::ReportEngine &engine) : m_engine(engine) {}

PrintDispatch &PrintDispatch::instance()
{
    static PrintDispatch dispatch(report::ReportEngine::instance());
    return dispatch;
}

void PrintDispatch::setStep(const QString &pageName, Step step) { m_steps.insert(pageName, std::move(step)); }

void PrintDispatch::print(const QString &pageName)
{
    crm::MarkerGuard marker(crm::PrintMode, u"打印"_s);
    const auto it = m_steps.constFind(pageName);
    if (it != m_steps.constEnd() && *it)
        (*it)(m_engine);
}

bool PrintDispatch::loadTemplate(report::ReportEngine &engine, const QString &relativePath)
{
    QString rel = relativePath;
    rel.replace(u'\\', u'/');
    while (rel.startsWith(u'/'))
        rel.remove(0, 1);
    return engine.loadFromFile(crm::AppPath + rel);
}

QString wanYuanText(double yuan) { return QString::number(yuan / 10000.0, 'f', 2); }

QString ratioText(double fraction) { return QString::number(fraction * 100.0, 'f', 2) + u'%'; }

void setFinanceVariables(report::ReportEngine &engine, int year, const std::array<FinanceEntry, 5> &figures)
{
    engine.setInteger(u"CurYear"_s, year);
    for (int i = 0; i < 5; ++i) {
        const QString prefix = i == 0 ? u"Year"_s : u"Q%1"_s.arg(i);
        const FinanceEntry &e = figures[size_t(i)];
        engine.setText(prefix + u"In"_s, wanYuanText(e.in));
        engine.setText(prefix + u"Out"_s, wanYuanText(e.out));
        engine.setText(prefix + u"Profile"_s, wanYuanText(e.profit));
        engine.setText(prefix + u"Ratio"_s, ratioText(e.ratio));
    }
}

QString operateListTemplate(const QString &choice)
{
    if (choice == u"全部业务"_s)
        return u"\\data\\Report\\OperateListAll.frf"_s;
    if (choice == u"未完成业务"_s)
        return u"\\data\\Report\\OperateListIsEndOn.frf"_s;
    if (choice == u"已完成业务"_s)
        return u"\\data\\Report\\OperateListIsEndOff.frf"_s;
    return QString();
}

void installDataModuleSteps(PrintDispatch &dispatch, store::TDMOrvane &dm)
{
    dispatch.setStep(u"dxTSCustList"_s, [&dm](report::ReportEngine &engine) {
        engine.setDataset(dm.tlbCustList);
        engine.clear();
        PrintDispatch::loadTemplate(engine, u"data\\Report\\CustList.frf"_s);
        engine.showReport();
    });
    dispatch.setStep(u"dxTSCust"_s, [&dm](report::ReportEngine &engine) {
        db::Table &cust = *dm.tlbCust;
        engine.setDataset(&cust);
        engine.clear();
        PrintDispatch::loadTemplate(engine, u"data\\Report\\Customer.frf"_s);
        if (!cust.isActive() || cust.field(u"CustNO"_s).isNull())
            return;
        engine.setInteger(u"CurCustNo"_s, cust.field(u"CustNo"_s).asInteger());
        db::Dataset::ControlsGuard frozen(cust);
        engine.showReport();
    });
}

} // namespace shell
