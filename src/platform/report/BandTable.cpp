#include "platform/report/BandTable.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>

using namespace Qt::StringLiterals;

namespace report {

namespace {

enum Edge { Top = 0, Right = 1, Bottom = 2, Left = 3 };

// Text of a cell as QTextDocument holds it, paragraphs as line breaks.
QString cellText(const QTextTableCell &cell)
{
    QTextCursor c = cell.firstCursorPosition();
    c.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    QString text = c.selectedText();
    text.replace(QChar::ParagraphSeparator, QChar::LineSeparator);
    return text.trimmed();
}

QString layoutText(const QString &text)
{
    if (!text.contains(u'\n'))
        return text;
    QString t = text;
    t.replace(u'\n', QChar::LineSeparator);
    return t;
}

} // namespace

BandTable::BandTable(const QTextDocument &doc, QTextTable *table, int anchorRow, QVector<QString> texts, int rowCount)
    : m_texts(std::move(texts)), m_rowCount(rowCount), m_columns(table->columns())
{
    const QTextTableFormat tf = table->format();
    if (tf.border() > 0 && tf.borderStyle() != QTextFrameFormat::BorderStyle_None) {
        m_grid = tf.border();
        m_gridBrush = tf.borderBrush().style() == Qt::NoBrush ? QBrush(Qt::darkGray) : tf.borderBrush();
    }
    m_topMargin = tf.topMargin();
    m_bottomMargin = tf.bottomMargin();
    m_leftMargin = tf.leftMargin();
    m_rightMargin = tf.rightMargin();
    m_width = tf.width();
    m_alignment = tf.alignment() & Qt::AlignHorizontal_Mask;

    const QList<QTextLength> constraints = tf.columnWidthConstraints();
    m_constraintPercent.fill(0, m_columns);
    for (int c = 0; c < m_columns && c < constraints.size(); ++c) {
        const QTextLength &l = constraints[c];
        if (l.type() == QTextLength::PercentageLength)
            m_constraintPercent[c] = l.rawValue();
        else if (l.type() == QTextLength::FixedLength)
            m_constraintPercent[c] = -l.rawValue();
    }

    for (int c = 0; c < m_columns;) {
        const QTextTableCell cell = table->cellAt(anchorRow, c);
        m_band.append(styleOf(doc, table, cell));
        c += qMax(1, cell.columnSpan());
    }
    for (int r = 0; r < anchorRow; ++r)
        m_header.append(fixedRow(doc, table, r));
    for (int r = anchorRow + 1; r < table->rows(); ++r)
        m_footer.append(fixedRow(doc, table, r));
    m_texts.resize(qsizetype(m_rowCount) * m_band.size());
}

BandTable::Style BandTable::styleOf(const QTextDocument &doc, QTextTable *table, const QTextTableCell &cell) const
{
    Style s;
    const QTextCursor cur = cell.firstCursorPosition();
    const QTextCharFormat cf = cur.charFormat();
    const QTextBlockFormat bf = cur.blockFormat();
    const QTextTableCellFormat cellFmt = cell.format().toTableCellFormat();
    const QTextTableFormat tf = table->format();

    s.font = cf.font().resolve(doc.defaultFont());
    s.metrics.emplace(s.font);
    if (cf.foreground().style() != Qt::NoBrush)
        s.color = cf.foreground().color();
    const Qt::Alignment h = bf.alignment() & Qt::AlignHorizontal_Mask;
    s.align = h ? h : Qt::AlignLeft;
    s.valign = cellFmt.verticalAlignment();
    s.background = cellFmt.background();

    const double padding = tf.cellPadding();
    const QTextFormat::Property padProps[4] = {QTextFormat::TableCellTopPadding, QTextFormat::TableCellRightPadding,
                                               QTextFormat::TableCellBottomPadding, QTextFormat::TableCellLeftPadding};
    const QTextFormat::Property borderProps[4] = {QTextFormat::TableCellTopBorder, QTextFormat::TableCellRightBorder,
                                                  QTextFormat::TableCellBottomBorder, QTextFormat::TableCellLeftBorder};
    const QTextFormat::Property brushProps[4] = {QTextFormat::TableCellTopBorderBrush,
                                                 QTextFormat::TableCellRightBorderBrush,
                                                 QTextFormat::TableCellBottomBorderBrush,
                                                 QTextFormat::TableCellLeftBorderBrush};
    const QTextFormat::Property styleProps[4] = {QTextFormat::TableCellTopBorderStyle,
                                                 QTextFormat::TableCellRightBorderStyle,
                                                 QTextFormat::TableCellBottomBorderStyle,
                                                 QTextFormat::TableCellLeftBorderStyle};
    for (int e = 0; e < 4; ++e) {
        s.pad[e] = cellFmt.hasProperty(padProps[e]) ? cellFmt.doubleProperty(padProps[e]) : padding;
        const bool drawn = cellFmt.hasProperty(borderProps[e])
            && cellFmt.intProperty(styleProps[e]) != QTextFrameFormat::BorderStyle_None;
        if (drawn && cellFmt.doubleProperty(borderProps[e]) > 0) {
            s.border[e] = cellFmt.doubleProperty(borderProps[e]);
            const QBrush b = cellFmt.brushProperty(brushProps[e]);
            s.borderBrush[e] = b.style() == Qt::NoBrush ? QBrush(Qt::black) : b;
        }
    }
    s.column = cell.column();
    s.span = qMax(1, cell.columnSpan());
    return s;
}

BandTable::FixedRow BandTable::fixedRow(const QTextDocument &doc, QTextTable *table, int row) const
{
    FixedRow fr;
    for (int c = 0; c < m_columns;) {
        const QTextTableCell cell = table->cellAt(row, c);
        const int span = qMax(1, cell.columnSpan());
        // A cell spanning down from an earlier row is drawn with that row only.
        if (cell.row() == row) {
            fr.cells.append(styleOf(doc, table, cell));
            fr.texts.append(cellText(cell));
        }
        c += span;
    }
    return fr;
}

void BandTable::setBodyWidth(double bodyWidth)
{
    const double room = qMax(1.0, bodyWidth - m_leftMargin - m_rightMargin);
    double tableWidth = room; // a band without a width spans the page
    if (m_width.type() == QTextLength::PercentageLength)
        tableWidth = room * m_width.rawValue() / 100.0;
    else if (m_width.type() == QTextLength::FixedLength)
        tableWidth = qMin(room, m_width.rawValue());
    double tableLeft = m_leftMargin;
    if (m_alignment & Qt::AlignHCenter)
        tableLeft += (room - tableWidth) / 2;
    else if (m_alignment & Qt::AlignRight)
        tableLeft += room - tableWidth;

    // Columns get their width in per cent or fixed; the rest share what is left.
    QVector<double> w(m_columns, 0);
    double used = 0;
    int free = 0;
    for (int c = 0; c < m_columns; ++c) {
        const double k = m_constraintPercent[c];
        if (k > 0)
            w[c] = tableWidth * k / 100.0;
        else if (k < 0)
            w[c] = -k;
        else
            ++free;
        used += w[c];
    }
    if (free > 0) {
        const double share = qMax(0.0, tableWidth - used) / free;
        for (int c = 0; c < m_columns; ++c) {
            if (m_constraintPercent[c] == 0)
                w[c] = share;
        }
        used = qMax(used, tableWidth);
    }
    const double scale = used > tableWidth && used > 0 ? tableWidth / used : 1.0;
    m_x.resize(m_columns + 1);
    m_x[0] = tableLeft;
    for (int c = 0; c < m_columns; ++c)
        m_x[c + 1] = m_x[c] + w[c] * scale;

    for (FixedRow &r : m_header) {
        r.oneLine.resize(r.cells.size());
        r.height = rowHeight(r.cells, r.texts.constData(), r.oneLine, 0);
    }
    m_footerHeights.clear();
    for (FixedRow &r : m_footer) {
        r.oneLine.resize(r.cells.size());
        r.height = rowHeight(r.cells, r.texts.constData(), r.oneLine, 0);
        m_footerHeights.append(r.height);
    }
    const qsizetype n = m_band.size();
    m_dataHeights.resize(m_rowCount);
    m_dataOneLine.resize(m_rowCount * n);
    for (int r = 0; r < m_rowCount; ++r)
        m_dataHeights[r] = rowHeight(m_band, m_texts.constData() + r * n, m_dataOneLine, r * n);
}

double BandTable::headerHeight() const
{
    double h = 0;
    for (const FixedRow &r : m_header)
        h += r.height;
    return h;
}

double BandTable::cellLeft(const Style &s) const { return m_x[qMin(s.column, m_columns)]; }

double BandTable::cellWidth(const Style &s) const
{
    return m_x[qMin(s.column + s.span, m_columns)] - m_x[qMin(s.column, m_columns)];
}

double BandTable::textWidth(const Style &s) const
{
    return qMax(1.0, cellWidth(s) - s.pad[Left] - s.pad[Right] - s.border[Left] - s.border[Right] - m_grid);
}

bool BandTable::fitsOneLine(const Style &s, const QString &text) const
{
    return !text.contains(u'\n') && !text.contains(QChar::LineSeparator)
        && s.metrics->horizontalAdvance(text) <= textWidth(s);
}

double BandTable::textHeight(const Style &s, const QString &text, bool oneLine) const
{
    const QFontMetricsF &fm = *s.metrics;
    if (text.isEmpty() || oneLine)
        return fm.height();
    const double width = textWidth(s);
    QTextLayout layout(layoutText(text), s.font);
    QTextOption option(s.align);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    double h = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        h += line.height();
    }
    layout.endLayout();
    return h;
}

double BandTable::rowHeight(const QVector<Style> &cells, const QString *texts, QBitArray &oneLine,
                            qsizetype first) const
{
    double h = 0;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const Style &s = cells[i];
        const bool fits = fitsOneLine(s, texts[i]);
        oneLine.setBit(first + i, fits);
        h = qMax(h, textHeight(s, texts[i], fits) + s.pad[Top] + s.pad[Bottom] + s.border[Top] + s.border[Bottom]);
    }
    return h + m_grid;
}

void BandTable::drawRow(QPainter *p, const QVector<Style> &cells, const QString *texts, const QBitArray &oneLine,
                        qsizetype first, double y, double h) const
{
    QVector<QRectF> grid;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const Style &s = cells[i];
        const QRectF rect(cellLeft(s), y, cellWidth(s), h);
        if (s.background.style() != Qt::NoBrush)
            p->fillRect(rect, s.background);

        const QString &text = texts[i];
        if (!text.isEmpty()) {
            const double width = textWidth(s);
            QTextLayout layout(layoutText(text), s.font);
            QTextOption option(s.align);
            option.setWrapMode(oneLine.testBit(first + i) ? QTextOption::NoWrap
                                                          : QTextOption::WrapAtWordBoundaryOrAnywhere);
            layout.setTextOption(option);
            layout.beginLayout();
            double th = 0;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(width);
                line.setPosition(QPointF(0, th));
                th += line.height();
            }
            layout.endLayout();
            const double top = y + m_grid / 2 + s.border[Top] + s.pad[Top];
            const double room = h - m_grid - s.border[Top] - s.border[Bottom] - s.pad[Top] - s.pad[Bottom];
            double dy = 0;
            if (s.valign == QTextCharFormat::AlignMiddle)
                dy = (room - th) / 2;
            else if (s.valign == QTextCharFormat::AlignBottom)
                dy = room - th;
            p->setPen(s.color);
            layout.draw(p, QPointF(rect.left() + m_grid / 2 + s.border[Left] + s.pad[Left], top + qMax(0.0, dy)));
        }

        // Lines are drawn as filled rectangles: a PDF takes those as they are, while a stroked
        // pen of some width is turned into outlines, many times slower on a long list.
        if (m_grid > 0) {
            const double g = m_grid;
            grid << QRectF(rect.left() - g / 2, rect.top() - g / 2, rect.width() + g, g)
                 << QRectF(rect.left() - g / 2, rect.bottom() - g / 2, rect.width() + g, g)
                 << QRectF(rect.left() - g / 2, rect.top(), g, rect.height())
                 << QRectF(rect.right() - g / 2, rect.top(), g, rect.height());
        }
        const QRectF edges[4] = {QRectF(rect.left(), rect.top(), rect.width(), s.border[Top]),
                                 QRectF(rect.right() - s.border[Right], rect.top(), s.border[Right], rect.height()),
                                 QRectF(rect.left(), rect.bottom() - s.border[Bottom], rect.width(), s.border[Bottom]),
                                 QRectF(rect.left(), rect.top(), s.border[Left], rect.height())};
        for (int e = 0; e < 4; ++e) {
            if (s.border[e] > 0)
                p->fillRect(edges[e], s.borderBrush[e]);
        }
    }
    if (!grid.isEmpty()) {
        p->setPen(Qt::NoPen);
        p->setBrush(m_gridBrush);
        p->drawRects(grid);
        p->setBrush(Qt::NoBrush);
    }
}

void BandTable::drawHeader(QPainter *p, double y) const
{
    for (const FixedRow &r : m_header) {
        drawRow(p, r.cells, r.texts.constData(), r.oneLine, 0, y, r.height);
        y += r.height;
    }
}

void BandTable::drawDataRow(QPainter *p, int row, double y) const
{
    const qsizetype first = qsizetype(row) * m_band.size();
    drawRow(p, m_band, m_texts.constData() + first, m_dataOneLine, first, y, m_dataHeights[row]);
}

void BandTable::drawFooterRow(QPainter *p, int row, double y) const
{
    const FixedRow &r = m_footer[row];
    drawRow(p, r.cells, r.texts.constData(), r.oneLine, 0, y, r.height);
}

} // namespace report
