#pragma once
#include "platform/report/PreparedReport.h"
#include "platform/report/ReportError.h"
#include "platform/report/ReportTemplate.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

class QPrinter;
class QWidget;

namespace db { class Dataset; }

namespace report {

// The report component: a template file of HTML with Mustache tags, one dataset feeding
// its data band, and one list of named variables that keep their values until set again.
// A print runs: setDataset, clear, loadFromFile, set variables, showReport.
//
// What a template sees (names match without regard to case):
//   {{Name}}            a variable; "User" is always the current user name
//   {{PrintDate}}       today in the short date format; {{PrintTime}} the time
//   {{RecordCount}}     rows of the dataset
//   {{#rows}}..{{/rows}} the data band, once per row, with the row's fields as display
//                       text, {{RowNo}} counting from 1 and {{#odd}} on the 1st, 3rd.. row
//   {{#record}}..{{/record}} the dataset's current record
//   {{sum.Field}}       sum of a numeric field over all rows, in its display format
//   {{! group: A, B }}  makes {{#groups}} (per run of equal A, with rows, sum, RecordCount
//                       and, for B, nested groups)
// An empty value or a false flag skips a {{#section}}. See data/Report/README.md.
class ReportEngine {
public:
    ReportEngine();
    ~ReportEngine();
    ReportEngine(const ReportEngine &) = delete;
    ReportEngine &operator=(const ReportEngine &) = delete;

    // The program's one report component.
    static ReportEngine &instance();

    // 1. The data-band dataset, or none (nullptr). A closed one is opened when the pages are
    // prepared; its cursor is never moved.
    void setDataset(db::Dataset *dataset);
    db::Dataset *dataset() const;

    // 2. Drops the loaded template; the variables stay.
    void clear();

    // 3. Loads a template (UTF-8) from a full path; backslashes count as separators and the
    // file name matches without regard to case. A missing file loads nothing and raises
    // nothing: the report is then empty. Returns whether a file was loaded.
    bool loadFromFile(const QString &path);
    void setTemplateText(const QString &text);
    QString templatePath() const { return m_templatePath; }
    bool hasTemplate() const { return !m_template.isEmpty(); }

    // 4. Variables, by name without regard to case; each keeps its value until set again.
    void setText(const QString &name, const QString &text);
    void setInteger(const QString &name, qint64 value);
    void setCurrency(const QString &name, double amount); // shown as 12,345.50
    QVariant variable(const QString &name) const;          // invalid when never set
    QString variableText(const QString &name) const;       // as a template shows it
    QStringList variableNames() const;

    // "User" is answered from the current user name at the time of each print.
    void setCurrentUserName(const QString &name);
    void setUserNameSource(std::function<QString()> source);
    QString currentUserName() const;

    // 5. Prepares the pages and opens the preview, from which the user prints or saves a
    // PDF; returns when the preview closes.
    void showReport(QWidget *parent = nullptr);

    // The filled-in template (every row in the band), empty when no template is loaded.
    QString renderHtml() const;
    // The pages as the preview shows them.
    PreparedReport prepare() const;
    bool exportPdf(const QString &path) const;
    bool print(QPrinter *printer) const;

    // Replaces the preview window (tests): called with the engine and the prepared pages.
    using PreviewHook = std::function<void(ReportEngine &, PreparedReport &)>;
    static void setPreviewHook(PreviewHook hook);

    // For the benchmark: a template over a dataset straight to a PDF file; the page count.
    static int renderPdf(const QString &templatePath, db::Dataset *dataset, const QString &pdfPath);

private:
    struct Variable {
        QString name;
        QVariant value;
        enum Kind { Text, Integer, Currency } kind = Text;
    };
    static QString textOf(const Variable &v);
    // Every variable as a template shows it, by lower-case name, with the built-in ones.
    QHash<QString, QString> textVariables() const;
    void setVariable(const QString &name, const QVariant &value, Variable::Kind kind);

    QPointer<db::Dataset> m_dataset;
    ReportTemplate m_template;
    QString m_templatePath;
    QHash<QString, Variable> m_variables; // by lower-case name
    std::function<QString()> m_userName;
};

} // namespace report
