#include "platform/report/PreparedReport.h"

#include "platform/report/ReportTemplate.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <algorithm>

// The resolution QTextDocument lays out at when it has no paint device (Qt exports it; its
// own print() scales by it the same way). Laying out without a device is several times
// faster than laying out for a printer or PDF writer.
int qt_defaultDpiY();

using namespace Qt::StringLiterals;

namespace report {

namespace {

constexpr double Epsilon = 0.01;

double layoutUnitsPerPoint() { return qt_defaultDpiY() / 72.0; }

QSizeF a4(QPageLayout::Orientation o)
{
    const QSizeF s = QPageSize(QPageSize::A4).sizePoints();
    return o == QPageLayout::Landscape ? s.transposed() : s;
}

void drawLine(QPainter *p, const QString &text, const QFont &font, const QRectF &rect, Qt::Alignment align,
              const QColor &color)
{
    QTextLayout layout(text, font);
    QTextOption option(align & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return;
    }
    line.setLineWidth(rect.width());
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    p->setPen(color);
    layout.draw(p, QPointF(rect.left(), rect.top() + (rect.height() - line.height()) / 2));
}

} // namespace

PreparedReport::PreparedReport() = default;
PreparedReport::~PreparedReport() = default;
PreparedReport::PreparedReport(PreparedReport &&) noexcept = default;
PreparedReport &PreparedReport::operator=(PreparedReport &&) noexcept = default;

PreparedReport::PreparedReport(const QString &html, QPageLayout::Orientation orientation, const QString &printDate)
    : m_orientation(orientation), m_printDate(printDate)
{
    initDocument(html);
}

PreparedReport::PreparedReport(const QString &formatHtml, const QString &layoutHtml, QVector<QString> bandTexts,
                               int rowCount, int cellCount, QPageLayout::Orientation orientation,
                               const QString &printDate, const std::function<QString()> &fallbackHtml)
    : m_orientation(orientation), m_printDate(printDate)
{
    const QString marker(ReportTemplate::anchorMarker());
    QTextDocument formats;
    configure(formats);
    formats.setHtml(formatHtml);
    QTextCursor anchor = formats.find(marker);
    QTextTable *table = anchor.isNull() ? nullptr : anchor.currentTable();
    if (table) {
        anchor.removeSelectedText();
        const int anchorRow = table->cellAt(anchor.position()).row();
        int cells = 0;
        for (int c = 0; c < table->columns(); c += qMax(1, table->cellAt(anchorRow, c).columnSpan()))
            ++cells;
        if (cells == cellCount)
            m_band = std::make_unique<BandTable>(formats, table, anchorRow, std::move(bandTexts), rowCount);
    }
    if (m_band) {
        initDocument(layoutHtml);
        QTextCursor place = m_doc->find(marker);
        if (!place.isNull() && !place.currentFrame()->parentFrame()) {
            place.removeSelectedText();
            m_bandPosition = place.block().position();
        } else {
            m_band.reset();
        }
    }
    if (!m_band)
        initDocument(fallbackHtml());
}

void PreparedReport::configure(QTextDocument &doc)
{
    QFont font(u"宋体"_s);
    font.setPointSizeF(10.5);
    doc.setDefaultFont(font);
    doc.setDocumentMargin(0);
}

void PreparedReport::initDocument(const QString &html)
{
    m_doc = std::make_unique<QTextDocument>();
    configure(*m_doc);
    m_doc->setHtml(html);
    m_pages.clear();
    m_paper = QSizeF();
}

QString PreparedReport::title() const
{
    return m_doc ? m_doc->metaInformation(QTextDocument::DocumentTitle).trimmed() : QString();
}

QPageLayout PreparedReport::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4), m_orientation, QMarginsF(0, 0, 0, 0));
}

int PreparedReport::pageCount() { return pageCount(a4(m_orientation)); }

int PreparedReport::pageCount(const QSizeF &paper)
{
    if (!m_doc)
        return 0;
    paginate(paper);
    return int(m_pages.size());
}

void PreparedReport::paginate(const QSizeF &paper)
{
    if (m_paper == paper && !m_pages.isEmpty())
        return;
    m_paper = paper;
    m_pages.clear();
    const double u = layoutUnitsPerPoint();
    const double bodyWidth = (paper.width() - MarginLeft - MarginRight) * u;
    const double bodyHeight = (paper.height() - MarginTop - HeaderHeight - MarginBottom - FooterHeight) * u;
    if (m_band)
        paginateBand(bodyWidth, bodyHeight);
    else
        paginateDocument(bodyWidth, bodyHeight);
}

void PreparedReport::paginateDocument(double bodyWidth, double bodyHeight)
{
    m_doc->setPageSize(QSizeF(bodyWidth, bodyHeight));
    const int n = m_doc->pageCount();
    for (int i = 0; i < n; ++i)
        m_pages.append(Page{Piece{Piece::Slice, 0, i * bodyHeight, (i + 1) * bodyHeight, 0}});
}

QVector<double> PreparedReport::cutPositions() const
{
    // Places where a page may end: above a paragraph and between its lines. A table is kept
    // whole; its rectangle is not told reliably, so the cuts come from the paragraphs around it.
    QVector<double> cuts;
    QAbstractTextDocumentLayout *layout = m_doc->documentLayout();
    bool afterFrame = false;
    for (auto it = m_doc->rootFrame()->begin(); !it.atEnd(); ++it) {
        if (it.currentFrame()) {
            afterFrame = true;
            continue;
        }
        const QTextBlock block = it.currentBlock();
        // The empty paragraph that closes a table is laid out within it.
        if (afterFrame && block.length() <= 1) {
            afterFrame = false;
            continue;
        }
        afterFrame = false;
        const QRectF r = layout->blockBoundingRect(block);
        if (const QTextLayout *l = block.layout()) {
            for (int i = 0; i < l->lineCount(); ++i)
                cuts << r.top() + l->lineAt(i).y();
        }
        cuts << r.bottom();
    }
    std::sort(cuts.begin(), cuts.end());
    return cuts;
}

void PreparedReport::paginateBand(double bodyWidth, double bodyHeight)
{
    m_doc->setPageSize(QSizeF(-1, -1));
    m_doc->setTextWidth(bodyWidth);
    QAbstractTextDocumentLayout *layout = m_doc->documentLayout();
    const double docHeight = layout->documentSize().height();
    const QRectF bandPlace = layout->blockBoundingRect(m_doc->findBlock(m_bandPosition));
    m_band->setBodyWidth(bodyWidth);
    const QVector<double> cuts = cutPositions();

    m_pages.append(Page());
    double y = 0;
    auto newPage = [&] {
        m_pages.append(Page());
        y = 0;
    };
    auto placeSlice = [&](double from, double to) {
        while (to - from > Epsilon) {
            const double room = bodyHeight - y;
            if (to - from <= room + Epsilon) {
                m_pages.last().append(Piece{Piece::Slice, y, from, to, 0});
                y += to - from;
                return;
            }
            // The last cut that fits; none at all: a new page, or a hard cut on an empty one.
            auto it = std::upper_bound(cuts.begin(), cuts.end(), from + room + Epsilon);
            double cut = -1;
            if (it != cuts.begin() && *(it - 1) > from + Epsilon)
                cut = *(it - 1);
            if (cut < 0 && y > Epsilon) {
                newPage();
                continue;
            }
            if (cut < 0)
                cut = from + room;
            m_pages.last().append(Piece{Piece::Slice, y, from, cut, 0});
            newPage();
            from = cut;
        }
    };

    placeSlice(0, bandPlace.top());
    y += m_band->topMargin();

    const double headerHeight = m_band->headerHeight();
    bool headerOnPage = false;
    auto placeHeader = [&] {
        m_pages.last().append(Piece{Piece::BandHeader, y, 0, 0, 0});
        y += headerHeight;
        headerOnPage = true;
    };
    // A row goes on the next page when it does not fit; the column header starts every page
    // of the band and never stands alone at the foot of a page.
    auto placeRow = [&](Piece::Kind kind, int row, double height) {
        const double need = height + (headerOnPage ? 0 : headerHeight);
        if (y + need > bodyHeight + Epsilon && y > Epsilon) {
            newPage();
            headerOnPage = false;
        }
        if (!headerOnPage)
            placeHeader();
        m_pages.last().append(Piece{kind, y, 0, 0, row});
        y += height;
    };
    for (int r = 0; r < m_band->dataRowCount(); ++r)
        placeRow(Piece::BandRow, r, m_band->dataRowHeight(r));
    for (int r = 0; r < m_band->footerRowCount(); ++r)
        placeRow(Piece::BandFooter, r, m_band->footerRowHeight(r));
    if (!headerOnPage) {
        // An empty list still shows its column header.
        if (y + headerHeight > bodyHeight + Epsilon && y > Epsilon)
            newPage();
        placeHeader();
    }
    y += m_band->bottomMargin();

    placeSlice(bandPlace.bottom(), docHeight);
    if (m_pages.size() > 1 && m_pages.last().isEmpty())
        m_pages.removeLast();
}

bool PreparedReport::print(QPagedPaintDevice *device)
{
    if (!m_doc)
        return true;
    const QSizeF paper = device->pageLayout().fullRectPoints().size();
    paginate(paper);
    QPainter painter;
    if (!painter.begin(device))
        return false;
    for (int i = 0; i < m_pages.size(); ++i) {
        if (i > 0)
            device->newPage();
        painter.save();
        const double dpi = qt_defaultDpiY();
        painter.scale(device->logicalDpiX() / dpi, device->logicalDpiY() / dpi);
        paintPage(&painter, i, paper);
        painter.restore();
    }
    return painter.end();
}

void PreparedReport::paintPage(QPainter *p, int index, const QSizeF &paper) const
{
    const double u = layoutUnitsPerPoint();
    const double left = MarginLeft * u;
    const double width = (paper.width() - MarginLeft - MarginRight) * u;
    const double headerTop = MarginTop * u;
    const double bodyTop = (MarginTop + HeaderHeight) * u;

    // Running header on the pages after the first (the first carries the report's own title):
    // the title and the print date over a thin rule. Page numbers at the foot of every page.
    QFont small(u"宋体"_s);
    small.setPointSizeF(9);
    const QColor grey(90, 90, 90);
    const double line = 16 * u;
    if (index > 0) {
        drawLine(p, title(), small, QRectF(left, headerTop, width, line), Qt::AlignLeft, grey);
        if (!m_printDate.isEmpty())
            drawLine(p, u"打印日期："_s + m_printDate, small, QRectF(left, headerTop, width, line), Qt::AlignRight,
                     grey);
        p->setPen(QPen(grey, 0.5 * u));
        p->drawLine(QPointF(left, headerTop + 19 * u), QPointF(left + width, headerTop + 19 * u));
    }
    const double footerTop = (paper.height() - MarginBottom - line / u) * u;
    drawLine(p, u"第 %1 页 共 %2 页"_s.arg(index + 1).arg(m_pages.size()), small,
             QRectF(left, footerTop, width, line), Qt::AlignHCenter, grey);

    p->translate(left, bodyTop);
    // A band row taller than a page is cut at the foot of the body, not drawn over the footer.
    const double bodyHeight = (paper.height() - MarginTop - HeaderHeight - MarginBottom - FooterHeight) * u;
    p->setClipRect(QRectF(-left, 0, paper.width() * u, bodyHeight));
    QAbstractTextDocumentLayout *layout = m_doc->documentLayout();
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    for (const Piece &piece : m_pages[index]) {
        switch (piece.kind) {
        case Piece::Slice: {
            p->save();
            p->translate(0, piece.y - piece.from);
            const QRectF clip(0, piece.from, width, piece.to - piece.from);
            p->setClipRect(clip, Qt::IntersectClip);
            context.clip = clip;
            layout->draw(p, context);
            p->restore();
            break;
        }
        case Piece::BandHeader:
            m_band->drawHeader(p, piece.y);
            break;
        case Piece::BandRow:
            m_band->drawDataRow(p, piece.row, piece.y);
            break;
        case Piece::BandFooter:
            m_band->drawFooterRow(p, piece.row, piece.y);
            break;
        }
    }
}

} // namespace report
