#pragma once
#include "platform/report/BandTable.h"

#include <QPageLayout>
#include <QSizeF>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPainter;
class QTextDocument;

namespace report {

// A filled-in report laid out on pages: the template's HTML laid out by QTextDocument,
// with the data band (when the template has one) laid out row by row between the part
// above it and the part below it. Pages after the first get a running header (the report's
// title and the print date); every page the footer "第 n 页 共 m 页".
// Sizes are in points on paper; the document is laid out in the layout units QTextDocument
// uses without a paint device, and scaled to each device when painted.
class PreparedReport {
public:
    // Nothing loaded: no pages.
    PreparedReport();
    // A whole document, paginated by QTextDocument (table header rows repeat on every page).
    PreparedReport(const QString &html, QPageLayout::Orientation orientation, const QString &printDate);
    // A banded report. formatHtml: the report whose band table holds one anchor row (marked
    // in its first cell), where the band's look is read; layoutHtml: the report with a marked
    // paragraph in place of the band table, laid out around the band; bandTexts: rowCount x
    // cellCount, row-major. When the band cannot be found, the whole document from
    // fallbackHtml() is laid out instead.
    PreparedReport(const QString &formatHtml, const QString &layoutHtml, QVector<QString> bandTexts, int rowCount,
                   int cellCount, QPageLayout::Orientation orientation, const QString &printDate,
                   const std::function<QString()> &fallbackHtml);
    ~PreparedReport();
    PreparedReport(PreparedReport &&) noexcept;
    PreparedReport &operator=(PreparedReport &&) noexcept;

    bool isEmpty() const { return !m_doc; }
    bool isBanded() const { return bool(m_band); }
    QString title() const;
    QPageLayout::Orientation orientation() const { return m_orientation; }
    // A4 in the template's orientation, without margins: the page the report is made for.
    QPageLayout pageLayout() const;

    // Number of pages on paper of the given size (points); A4 by default.
    int pageCount(const QSizeF &paper);
    int pageCount();
    // Paints every page on device (its paper size and orientation; its painter origin at
    // the paper's corner: a printer in full-page mode, a PDF writer without margins).
    // Returns false when the device cannot be painted on.
    bool print(QPagedPaintDevice *device);

    // Page margins and the running header and footer, in points.
    static constexpr double MarginLeft = 51;   // 18 mm
    static constexpr double MarginRight = 51;
    static constexpr double MarginTop = 34;    // 12 mm
    static constexpr double MarginBottom = 34;
    static constexpr double HeaderHeight = 28;
    static constexpr double FooterHeight = 24;

private:
    struct Piece {
        enum Kind { Slice, BandHeader, BandRow, BandFooter } kind = Slice;
        double y = 0;    // top on the page body
        double from = 0; // Slice: document range
        double to = 0;
        int row = 0;     // BandRow / BandFooter
    };
    using Page = QVector<Piece>;

    static void configure(QTextDocument &doc);
    void initDocument(const QString &html);
    void paginate(const QSizeF &paper);
    void paginateDocument(double bodyWidth, double bodyHeight);
    void paginateBand(double bodyWidth, double bodyHeight);
    QVector<double> cutPositions() const;
    void paintPage(QPainter *p, int index, const QSizeF &paper) const;

    std::unique_ptr<QTextDocument> m_doc;
    std::unique_ptr<BandTable> m_band;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QString m_printDate;
    QVector<Page> m_pages;
    QSizeF m_paper; // the paper the pages were made for
    int m_bandPosition = -1; // the paragraph standing for the band in m_doc
};

} // namespace report
