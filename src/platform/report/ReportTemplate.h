#pragma once
#include <QPageLayout>
#include <QSet>
#include <QString>
#include <QStringList>

namespace report {

// A report template as loaded from its file: HTML with Mustache tags.
// Tag names are matched without regard to case, so the source is kept with every tag
// name in lower case; the data handed to Mustache uses lower-case keys too.
class ReportTemplate {
public:
    ReportTemplate() = default;
    explicit ReportTemplate(const QString &text);

    bool isEmpty() const { return m_source.isEmpty(); }
    // The template with lower-case tag names.
    const QString &source() const { return m_source; }
    // Every name used in a tag (dotted names also give their parts), lower case.
    const QSet<QString> &names() const { return m_names; }
    // Fields named by a "{{! group: A, B }}" comment, lower case, outermost first.
    const QStringList &groupFields() const { return m_groupFields; }
    QPageLayout::Orientation orientation() const { return m_orientation; }

    // The data band: the one "{{#rows}}" section holding a single table row of cells.
    // Such a band is laid out row by row by the engine; any other template is laid out
    // by QTextDocument as a whole.
    bool hasBand() const { return m_bandStart >= 0; }
    // The source with the band section replaced by one anchor row, rendered from the
    // section "__anchor"; its first cell begins with anchorMarker().
    QString skeletonSource() const;
    // The source with the whole band table replaced by one paragraph holding anchorMarker():
    // the report around the band, laid out by QTextDocument.
    QString layoutSource() const;
    // The content of each cell of the band row, as Mustache source.
    const QStringList &bandCells() const { return m_bandCells; }

    static QChar anchorMarker() { return QChar(0xE000); }
    static QString anchorSection() { return QStringLiteral("__anchor"); }

    // Text of rendered cell HTML as it reads: tags dropped, <br> as line breaks,
    // runs of white space as one space, entities decoded.
    static QString plainText(const QString &html);

private:
    void normaliseTags(const QString &text);
    void findBand();

    QString m_source;
    QSet<QString> m_names;
    QStringList m_groupFields;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    qsizetype m_bandStart = -1; // section start and end (after "{{/rows}}") in m_source
    qsizetype m_bandEnd = -1;
    qsizetype m_tableStart = -1; // the band table in m_source, "<table" to after "</table>"
    qsizetype m_tableEnd = -1;
    QString m_bandRow;           // the row with the anchor marker in its first cell
    QStringList m_bandCells;
};

} // namespace report
