#include "platform/report/ReportEngine.h"

#include "platform/db/Dataset.h"
#include "platform/report/ReportFonts.h"
#include "platform/report/ReportPreviewDialog.h"
#include "platform/report/ReportRenderer.h"
#include "platform/system/Services.h"
#include "platform/system/TextFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPdfWriter>
#include <QPrinter>

using namespace Qt::StringLiterals;

namespace report {

namespace {

ReportEngine::PreviewHook &previewHook()
{
    static ReportEngine::PreviewHook hook;
    return hook;
}

// A path written the Windows way ("data\Report\CustList.frf") on a file system that
// matches case: each part of the path is looked up without regard to case.
QString resolvePath(const QString &path)
{
    const QString clean = QDir::cleanPath(QString(path).replace(u'\\', u'/'));
    if (QFileInfo(clean).isFile())
        return clean;
    const QStringList parts = clean.split(u'/');
    QString current = clean.startsWith(u'/') ? u"/"_s : QString();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        if (part.isEmpty())
            continue;
        const QDir dir(current.isEmpty() ? u"."_s : current);
        QString found;
        if (dir.exists(part)) {
            found = part;
        } else {
            for (const QString &entry : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    found = entry;
                    break;
                }
            }
        }
        if (found.isEmpty())
            return QString();
        current += found;
        if (i + 1 < parts.size())
            current += u'/';
    }
    return QFileInfo(current).isFile() ? current : QString();
}

} // namespace

ReportEngine::ReportEngine() { installChineseFontSubstitutes(); }

ReportEngine::~ReportEngine() = default;

ReportEngine &ReportEngine::instance()
{
    static ReportEngine engine;
    return engine;
}

void ReportEngine::setDataset(db::Dataset *dataset) { m_dataset = dataset; }

db::Dataset *ReportEngine::dataset() const { return m_dataset; }

void ReportEngine::clear()
{
    m_template = ReportTemplate();
    m_templatePath.clear();
}

bool ReportEngine::loadFromFile(const QString &path)
{
    const QString resolved = resolvePath(path);
    if (resolved.isEmpty())
        return false;
    QFile file(resolved);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    m_template = ReportTemplate(QString::fromUtf8(file.readAll()));
    m_templatePath = resolved;
    return true;
}

void ReportEngine::setTemplateText(const QString &text)
{
    m_template = ReportTemplate(text);
    m_templatePath.clear();
}

void ReportEngine::setVariable(const QString &name, const QVariant &value, Variable::Kind kind)
{
    m_variables.insert(name.toLower(), Variable{name, value, kind});
}

void ReportEngine::setText(const QString &name, const QString &text) { setVariable(name, text, Variable::Text); }

void ReportEngine::setInteger(const QString &name, qint64 value)
{
    setVariable(name, QVariant(value), Variable::Integer);
}

void ReportEngine::setCurrency(const QString &name, double amount)
{
    setVariable(name, QVariant(amount), Variable::Currency);
}

QVariant ReportEngine::variable(const QString &name) const
{
    const auto it = m_variables.constFind(name.toLower());
    return it == m_variables.cend() ? QVariant() : it->value;
}

QString ReportEngine::textOf(const Variable &v)
{
    switch (v.kind) {
    case Variable::Integer:
        return QString::number(v.value.toLongLong());
    case Variable::Currency:
        return QLocale().toString(v.value.toDouble(), 'f', 2);
    case Variable::Text:
        break;
    }
    return v.value.toString();
}

QString ReportEngine::variableText(const QString &name) const
{
    if (name.compare(u"User"_s, Qt::CaseInsensitive) == 0)
        return currentUserName();
    const auto it = m_variables.constFind(name.toLower());
    return it == m_variables.cend() ? QString() : textOf(*it);
}

QStringList ReportEngine::variableNames() const
{
    QStringList names;
    for (const Variable &v : m_variables)
        names.append(v.name);
    names.sort(Qt::CaseInsensitive);
    return names;
}

void ReportEngine::setCurrentUserName(const QString &name)
{
    m_userName = [name] { return name; };
}

void ReportEngine::setUserNameSource(std::function<QString()> source) { m_userName = std::move(source); }

QString ReportEngine::currentUserName() const { return m_userName ? m_userName() : QString(); }

QHash<QString, QString> ReportEngine::textVariables() const
{
    QHash<QString, QString> variables;
    variables.insert(u"printdate"_s, sys::shortDate(sys::clock().today()));
    variables.insert(u"printtime"_s, QLocale().toString(sys::clock().now().time(), u"HH:mm"_s));
    for (auto it = m_variables.cbegin(); it != m_variables.cend(); ++it)
        variables.insert(it.key(), textOf(it.value()));
    variables.insert(u"user"_s, currentUserName());
    return variables;
}

PreparedReport ReportEngine::prepare() const
{
    return ReportRenderer(m_template, m_dataset, textVariables()).prepare();
}

QString ReportEngine::renderHtml() const
{
    return ReportRenderer(m_template, m_dataset, textVariables()).html();
}

bool ReportEngine::exportPdf(const QString &path) const
{
    PreparedReport report = prepare();
    QPdfWriter writer(path);
    writer.setPageLayout(report.pageLayout());
    writer.setTitle(report.title());
    writer.setCreator(u"Orvane"_s);
    return report.print(&writer);
}

bool ReportEngine::print(QPrinter *printer) const
{
    PreparedReport report = prepare();
    printer->setFullPage(true);
    return report.print(printer);
}

void ReportEngine::showReport(QWidget *parent)
{
    PreparedReport report = prepare();
    if (previewHook()) {
        previewHook()(*this, report);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(report.pageLayout());
    printer.setFullPage(true);
    printer.setDocName(report.title());
    ReportPreviewDialog preview(report, &printer, parent);
    preview.exec();
}

void ReportEngine::setPreviewHook(PreviewHook hook) { previewHook() = std::move(hook); }

int ReportEngine::renderPdf(const QString &templatePath, db::Dataset *dataset, const QString &pdfPath)
{
    ReportEngine engine;
    engine.setDataset(dataset);
    engine.clear();
    if (!engine.loadFromFile(templatePath))
        return 0;
    PreparedReport report = engine.prepare();
    QPdfWriter writer(pdfPath);
    writer.setPageLayout(report.pageLayout());
    if (!report.print(&writer))
        return 0;
    return report.pageCount(report.pageLayout().fullRectPoints().size());
}

} // namespace report
