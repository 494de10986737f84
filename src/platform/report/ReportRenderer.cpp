#include "platform/report/ReportRenderer.h"

#include "platform/report/ReportError.h"

#include <QRegularExpression>
#include <memory>

using namespace Qt::StringLiterals;

namespace report {

namespace {

using Mustache = kainjow::mustache::mustache;

std::unique_ptr<Mustache> compile(const QString &source)
{
    auto tmpl = std::make_unique<Mustache>(source.toStdString());
    if (!tmpl->is_valid())
        throw ReportError(u"报表模板有误：%1"_s.arg(QString::fromStdString(tmpl->error_message())));
    return tmpl;
}

QSet<QString> namesWithGroups(const ReportTemplate &tmpl)
{
    QSet<QString> names = tmpl.names();
    for (const QString &f : tmpl.groupFields())
        names.insert(f);
    return names;
}

} // namespace

ReportRenderer::ReportRenderer(const ReportTemplate &tmpl, db::Dataset *dataset,
                               const QHash<QString, QString> &variables)
    : m_template(tmpl), m_data(dataset, namesWithGroups(tmpl)), m_variables(variables)
{
}

ReportRenderer::Data ReportRenderer::rootContext(bool allRows) const
{
    Data root{Data::type::object};
    const int n = m_data.rowCount();
    root.set("recordcount", Data(std::to_string(n)));
    root.set("sum", m_data.sums(0, n));
    if (m_data.currentRow() >= 0)
        root.set("record", m_data.row(m_data.currentRow()));
    if (!m_template.groupFields().isEmpty())
        root.set("groups", m_data.groups(m_template.groupFields()));
    if (allRows) {
        root.set("rows", m_data.rows());
    } else {
        // The band is laid out apart; the list only answers {{^rows}}.
        Data first{Data::type::list};
        if (n > 0)
            first.push_back(m_data.row(0));
        root.set("rows", first);
    }
    for (auto it = m_variables.cbegin(); it != m_variables.cend(); ++it)
        root.set(it.key().toStdString(), ReportData::value(it.value()));
    if (const auto user = m_variables.constFind(u"user"_s); user != m_variables.cend())
        root.set("user", ReportData::value(user.value()));
    return root;
}

QString ReportRenderer::render(const QString &source, const Data &context) const
{
    auto tmpl = compile(source);
    const std::string out = tmpl->render(context);
    if (!tmpl->is_valid())
        throw ReportError(u"报表模板有误：%1"_s.arg(QString::fromStdString(tmpl->error_message())));
    return QString::fromStdString(out);
}

QString ReportRenderer::html() const
{
    if (m_template.isEmpty())
        return QString();
    return render(m_template.source(), rootContext(true));
}

QVector<QString> ReportRenderer::bandTexts(const Data &root) const
{
    // Most cells are one field: its display text is taken as it is. Other cells are rendered
    // per row and read as text.
    struct Cell {
        enum Kind { Field, RowNo, Fixed, Rendered } kind = Rendered;
        QString name;
        QString fixed;
        std::unique_ptr<Mustache> tmpl;
    };
    static const QRegularExpression single(u"^\\{\\{\\{?&?([^#^/!>{}\\s.][^{}\\s.]*)\\}?\\}\\}$"_s);
    static const QRegularExpression anyTag(u"\\{\\{"_s);
    const QStringList &sources = m_template.bandCells();
    std::vector<Cell> cells(size_t(sources.size()));
    bool perRowContext = false;
    QString probe;
    for (qsizetype i = 0; i < sources.size(); ++i) {
        Cell &cell = cells[size_t(i)];
        const QString source = sources[i].trimmed();
        const auto m = single.match(source);
        if (m.hasMatch() && m.captured(1) == u"rowno"_s) {
            cell.kind = Cell::RowNo;
        } else if (m.hasMatch() && m_data.text(0, m.captured(1), &probe)) {
            cell.kind = Cell::Field;
            cell.name = m.captured(1);
        } else if (!source.contains(anyTag)) {
            cell.kind = Cell::Fixed;
            cell.fixed = ReportTemplate::plainText(source);
        } else {
            cell.tmpl = compile(source);
            perRowContext = true;
        }
    }

    const int n = m_data.rowCount();
    const qsizetype width = sources.size();
    QVector<QString> texts(qsizetype(n) * width);
    for (int r = 0; r < n; ++r) {
        Data row;
        std::unique_ptr<kainjow::mustache::context<std::string>> context;
        if (perRowContext) {
            row = m_data.row(r);
            context = std::make_unique<kainjow::mustache::context<std::string>>(&root);
            context->push(&row);
        }
        for (qsizetype c = 0; c < width; ++c) {
            Cell &cell = cells[size_t(c)];
            QString &text = texts[r * width + c];
            switch (cell.kind) {
            case Cell::Field:
                m_data.text(r, cell.name, &text);
                break;
            case Cell::RowNo:
                text = QString::number(r + 1);
                break;
            case Cell::Fixed:
                text = cell.fixed;
                break;
            case Cell::Rendered:
                text = ReportTemplate::plainText(QString::fromStdString(cell.tmpl->render(*context)));
                break;
            }
        }
    }
    return texts;
}

PreparedReport ReportRenderer::prepare() const
{
    if (m_template.isEmpty())
        return PreparedReport();
    const QString printDate = m_variables.value(u"printdate"_s);
    if (!m_template.hasBand())
        return PreparedReport(html(), m_template.orientation(), printDate);

    Data root = rootContext(false);
    root.set(ReportTemplate::anchorSection().toStdString(),
             m_data.rowCount() > 0 ? m_data.row(0) : m_data.emptyRow());
    const QString formats = render(m_template.skeletonSource(), root);
    const QString layout = render(m_template.layoutSource(), root);
    return PreparedReport(formats, layout, bandTexts(root), m_data.rowCount(), int(m_template.bandCells().size()),
                          m_template.orientation(), printDate, [this] { return html(); });
}

} // namespace report
