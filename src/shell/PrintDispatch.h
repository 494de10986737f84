#pragma once
#include <QHash>
#include <QString>
#include <array>
#include <functional>

namespace report { class ReportEngine; }
namespace store { class TDMOrvane; }

namespace shell {

// "打印": prints the active page of the main window with the page's own template, data-band
// dataset and variables. Each page's step is plugged in by the window embedded in that page.
class PrintDispatch {
public:
    using Step = std::function<void(report::ReportEngine &)>;

    explicit PrintDispatch(report::ReportEngine &engine);
    static PrintDispatch &instance();

    void setStep(const QString &pageName, Step step);
    bool hasStep(const QString &pageName) const { return m_steps.contains(pageName); }
    // Runs the page's step under the marker PrintMode ("打印"), cleared on every path out.
    // A page without a step prints nothing.
    void print(const QString &pageName);

    // Loads AppPath + a template path written the Windows way ("data\Report\CustList.frf").
    static bool loadTemplate(report::ReportEngine &engine, const QString &relativePath);

private:
    report::ReportEngine &m_engine;
    QHash<QString, Step> m_steps;
};

// Report variable formats: an amount in ten thousand yuan ("0.00"), a ratio in per cent.
QString wanYuanText(double yuan);
QString ratioText(double fraction);

// One entry of a year's finance figures: the year, then quarters 1 to 4.
struct FinanceEntry {
    double in = 0, out = 0, profit = 0, ratio = 0;
};
// Variables of "FinancialResult.frf": CurYear, Year*/Q1*..Q4* (In, Out, Profile, Ratio).
void setFinanceVariables(report::ReportEngine &engine, int year, const std::array<FinanceEntry, 5> &figures);

// The pages whose print needs only the data module: the customer list and the customer page.
void installDataModuleSteps(PrintDispatch &dispatch, store::TDMOrvane &dm);

// Template of the business list by its choice box; empty for any other text.
QString operateListTemplate(const QString &choice);

} // namespace shell
