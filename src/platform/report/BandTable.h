#pragma once
#include <QBitArray>
#include <QBrush>
#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QTextLength>
#include <QStringList>
#include <QVector>
#include <optional>

class QPainter;
class QTextDocument;
class QTextTable;
class QTextTableCell;

namespace report {

// The data band of a report, laid out and drawn row by row: the rows of its table above the
// band row (the column header, repeated on every page), one row per record styled like the
// band row, and the rows below it (totals). Its look (fonts, colours, alignment, padding,
// backgrounds, grid and cell borders) is read from the table as QTextDocument parsed it,
// so a list of ten thousand rows costs one text layout per cell and nothing more.
class BandTable {
public:
    // table: the band table of the laid-out skeleton document; anchorRow: its band row.
    // texts: rowCount x columns of the band row, row-major.
    BandTable(const QTextDocument &doc, QTextTable *table, int anchorRow, QVector<QString> texts, int rowCount);

    int headerRowCount() const { return int(m_header.size()); }
    int dataRowCount() const { return m_rowCount; }
    int footerRowCount() const { return int(m_footer.size()); }
    double topMargin() const { return m_topMargin; }
    double bottomMargin() const { return m_bottomMargin; }

    // Lays the band out across a page body of bodyWidth: the table's width and alignment,
    // its columns and the height of every row.
    void setBodyWidth(double bodyWidth);
    // Heights after setWidth().
    double headerHeight() const;
    double dataRowHeight(int row) const { return m_dataHeights[row]; }
    double footerRowHeight(int row) const { return m_footerHeights[row]; }

    void drawHeader(QPainter *p, double y) const;
    void drawDataRow(QPainter *p, int row, double y) const;
    void drawFooterRow(QPainter *p, int row, double y) const;

private:
    struct Style {
        QFont font;
        std::optional<QFontMetricsF> metrics;
        QColor color = Qt::black;
        Qt::Alignment align = Qt::AlignLeft;
        int valign = 0; // QTextCharFormat::VerticalAlignment
        QBrush background;
        double pad[4] = {0, 0, 0, 0};    // top, right, bottom, left
        double border[4] = {0, 0, 0, 0}; // own cell borders, same order
        QBrush borderBrush[4];
        int column = 0;
        int span = 1;
    };
    struct FixedRow {
        QVector<Style> cells;
        QStringList texts;
        QBitArray oneLine;
        double height = 0;
    };

    Style styleOf(const QTextDocument &doc, QTextTable *table, const QTextTableCell &cell) const;
    FixedRow fixedRow(const QTextDocument &doc, QTextTable *table, int row) const;
    double cellLeft(const Style &s) const;
    double cellWidth(const Style &s) const;
    double textWidth(const Style &s) const;
    bool fitsOneLine(const Style &s, const QString &text) const;
    double textHeight(const Style &s, const QString &text, bool oneLine) const;
    // Height of a row; records in oneLine (from bit first) which cells fit on one line.
    double rowHeight(const QVector<Style> &cells, const QString *texts, QBitArray &oneLine, qsizetype first) const;
    void drawRow(QPainter *p, const QVector<Style> &cells, const QString *texts, const QBitArray &oneLine,
                 qsizetype first, double y, double h) const;

    QVector<Style> m_band;
    QVector<FixedRow> m_header;
    QVector<FixedRow> m_footer;
    QVector<QString> m_texts;
    int m_rowCount = 0;
    int m_columns = 0;
    QVector<double> m_constraintPercent; // per column: >0 percent, <0 fixed width (negated), 0 free
    QVector<double> m_x;                 // column edges, m_columns + 1 of them
    QVector<double> m_dataHeights;
    QBitArray m_dataOneLine; // per data cell: its text fits on one line
    QVector<double> m_footerHeights;
    double m_grid = 0; // grid line width, 0 for none
    QBrush m_gridBrush;
    double m_topMargin = 0;
    double m_bottomMargin = 0;
    double m_leftMargin = 0;
    double m_rightMargin = 0;
    QTextLength m_width;
    Qt::Alignment m_alignment;
};

} // namespace report
