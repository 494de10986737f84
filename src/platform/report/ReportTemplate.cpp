#include "platform/report/ReportTemplate.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace report {

namespace {

const QString BandOpen = u"{{#rows}}"_s;
const QString BandClose = u"{{/rows}}"_s;

QChar entityChar(QStringView name, bool *ok)
{
    *ok = true;
    if (name == u"lt") return u'<';
    if (name == u"gt") return u'>';
    if (name == u"amp") return u'&';
    if (name == u"quot") return u'"';
    if (name == u"apos") return u'\'';
    if (name == u"nbsp") return QChar(0x00A0);
    if (name.startsWith(u'#')) {
        const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
        const uint code = name.mid(hex ? 2 : 1).toUInt(ok, hex ? 16 : 10);
        if (*ok && code > 0 && code <= 0xFFFF)
            return QChar(char16_t(code));
    }
    *ok = false;
    return QChar();
}

} // namespace

ReportTemplate::ReportTemplate(const QString &text)
{
    normaliseTags(text);

    static const QRegularExpression group(u"\\{\\{!\\s*group\\s*:([^}]*)\\}\\}"_s,
                                          QRegularExpression::CaseInsensitiveOption);
    if (const auto m = group.match(m_source); m.hasMatch()) {
        static const QRegularExpression sep(u"[,，\\s]+"_s);
        for (const QString &f : m.captured(1).split(sep, Qt::SkipEmptyParts))
            m_groupFields.append(f.toLower());
    }

    static const QRegularExpression orientation(
        u"<meta\\s+name\\s*=\\s*[\"']?orientation[\"']?\\s+content\\s*=\\s*[\"']?(\\w+)"_s,
        QRegularExpression::CaseInsensitiveOption);
    if (const auto m = orientation.match(m_source); m.hasMatch()
        && m.captured(1).compare(u"landscape"_s, Qt::CaseInsensitive) == 0)
        m_orientation = QPageLayout::Landscape;

    findBand();
}

void ReportTemplate::normaliseTags(const QString &text)
{
    // {{name}}, {{{name}}}, {{&name}}, {{#name}}, {{^name}}, {{/name}}; comments are left alone.
    static const QRegularExpression tag(
        u"\\{\\{(\\{)?\\s*([#^/&])?\\s*([^\\s{}!>=#^/&][^\\s{}]*)\\s*(\\})?\\}\\}"_s);
    m_source.reserve(text.size());
    qsizetype last = 0;
    for (auto it = tag.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        m_source += QStringView(text).mid(last, m.capturedStart() - last);
        last = m.capturedEnd();
        if (m.hasCaptured(1) != m.hasCaptured(4)) {
            m_source += m.captured(0); // unbalanced braces: Mustache reports it
            continue;
        }
        const QString name = m.captured(3).toLower();
        const QString brace = m.hasCaptured(1) ? u"{"_s : QString();
        m_source += u"{{"_s + brace + m.captured(2) + name + (brace.isEmpty() ? QString() : u"}"_s) + u"}}"_s;
        m_names.insert(name);
        for (const QString &part : name.split(u'.', Qt::SkipEmptyParts))
            m_names.insert(part);
    }
    m_source += QStringView(text).mid(last);
}

void ReportTemplate::findBand()
{
    const qsizetype start = m_source.indexOf(BandOpen);
    if (start < 0 || m_source.indexOf(BandOpen, start + 1) >= 0)
        return;
    // Its end is the next "{{/rows}}"; "{{^rows}}..{{/rows}}" may stand elsewhere.
    const qsizetype end = m_source.indexOf(BandClose, start);
    const qsizetype inverted = m_source.indexOf(u"{{^rows}}"_s, start);
    if (end < 0 || (inverted >= 0 && inverted < end))
        return;

    // The section must stand at the top level (not within groups, say) inside an open table.
    const QString before = m_source.left(start);
    static const QRegularExpression sectionTag(u"\\{\\{([#^/])"_s);
    int depth = 0;
    for (auto it = sectionTag.globalMatch(before); it.hasNext();)
        depth += it.next().captured(1) == u"/"_s ? -1 : 1;
    if (depth != 0)
        return;
    // The band table: the last table opened before the section, closed after it, with no
    // table inside it.
    static const QRegularExpression tableOpen(u"<table\\b"_s, QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tableClose(u"</table\\s*>"_s, QRegularExpression::CaseInsensitiveOption);
    const qsizetype tableStart = before.lastIndexOf(tableOpen);
    if (tableStart < 0 || before.indexOf(tableClose, tableStart) >= 0)
        return;
    const qsizetype afterBand = end + BandClose.size();
    QRegularExpressionMatch closing;
    const qsizetype tableEnd = m_source.indexOf(tableClose, afterBand, &closing);
    if (tableEnd < 0 || QStringView(m_source).mid(afterBand, tableEnd - afterBand).contains(tableOpen))
        return;

    const QString inner = m_source.mid(start + BandOpen.size(), end - start - BandOpen.size()).trimmed();
    static const QRegularExpression row(u"^<tr\\b[^>]*>(.*)</tr\\s*>$"_s,
                                        QRegularExpression::CaseInsensitiveOption
                                            | QRegularExpression::DotMatchesEverythingOption);
    const auto rm = row.match(inner);
    if (!rm.hasMatch())
        return;
    const QString cellsText = rm.captured(1);
    static const QRegularExpression nested(u"<(tr|table)\\b"_s, QRegularExpression::CaseInsensitiveOption);
    if (cellsText.contains(nested))
        return;

    static const QRegularExpression cell(u"<(t[dh])\\b[^>]*>(.*?)</\\1\\s*>"_s,
                                         QRegularExpression::CaseInsensitiveOption
                                             | QRegularExpression::DotMatchesEverythingOption);
    QStringList cells;
    QString rest;
    qsizetype last = 0;
    qsizetype firstCellContent = -1;
    for (auto it = cell.globalMatch(cellsText); it.hasNext();) {
        const auto m = it.next();
        rest += QStringView(cellsText).mid(last, m.capturedStart() - last);
        if (firstCellContent < 0)
            firstCellContent = m.capturedStart(2);
        cells.append(m.captured(2));
        last = m.capturedEnd();
    }
    rest += QStringView(cellsText).mid(last);
    // Anything but white space between the cells (a section around cells, say) is not a plain band.
    if (cells.isEmpty() || !rest.trimmed().isEmpty())
        return;

    m_bandCells = cells;
    m_bandRow = inner;
    m_bandRow.insert(rm.capturedStart(1) + firstCellContent, anchorMarker());
    m_bandStart = start;
    m_bandEnd = afterBand;
    m_tableStart = tableStart;
    m_tableEnd = tableEnd + closing.capturedLength();
}

QString ReportTemplate::skeletonSource() const
{
    if (!hasBand())
        return m_source;
    const QString anchor = anchorSection();
    return m_source.left(m_bandStart) + u"{{#"_s + anchor + u"}}"_s + m_bandRow + u"{{/"_s + anchor + u"}}"_s
        + m_source.mid(m_bandEnd);
}

QString ReportTemplate::layoutSource() const
{
    if (!hasBand())
        return m_source;
    return m_source.left(m_tableStart) + u"<p style=\"margin: 0\">"_s + anchorMarker() + u"</p>"_s
        + m_source.mid(m_tableEnd);
}

QString ReportTemplate::plainText(const QString &html)
{
    QString out;
    out.reserve(html.size());
    bool pendingSpace = false;
    auto put = [&](QChar c) {
        if (pendingSpace && !out.isEmpty() && !out.endsWith(u'\n') && c != u'\n')
            out += u' ';
        pendingSpace = false;
        out += c;
    };
    const qsizetype n = html.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = html[i];
        if (c == u'<') {
            const qsizetype close = html.indexOf(u'>', i);
            if (close < 0) {
                put(c);
                continue;
            }
            const QStringView tag = QStringView(html).mid(i + 1, close - i - 1).trimmed();
            QStringView name = tag;
            const qsizetype cut = name.indexOf(u' ');
            if (cut >= 0)
                name = name.left(cut);
            if (name.endsWith(u'/'))
                name.chop(1);
            if (name.compare(u"br", Qt::CaseInsensitive) == 0 || name.compare(u"/p", Qt::CaseInsensitive) == 0
                || name.compare(u"/div", Qt::CaseInsensitive) == 0) {
                while (out.endsWith(u' '))
                    out.chop(1);
                pendingSpace = false;
                out += u'\n';
            }
            i = close;
        } else if (c == u'&') {
            const qsizetype semi = html.indexOf(u';', i);
            bool ok = false;
            if (semi > i && semi - i <= 10) {
                const QChar decoded = entityChar(QStringView(html).mid(i + 1, semi - i - 1), &ok);
                if (ok) {
                    put(decoded);
                    i = semi;
                }
            }
            if (!ok)
                put(c);
        } else if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') {
            pendingSpace = true;
        } else {
            put(c);
        }
    }
    while (out.endsWith(u'\n') || out.endsWith(u' '))
        out.chop(1);
    return out;
}

} // namespace report
