#include "shell/ShellIcons.h"

#include <QApplication>
#include <QFont>
#include <QIconEngine>
#include <QStyle>
#include <QStyleOption>
#include <functional>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace shell::icons {

namespace {

QColor colourOf(Glyph g)
{
    switch (g) {
    case Glyph::NewCustomer: case Glyph::GetFile: case Glyph::Help: return QColor(0x2F, 0x80, 0xED);
    case Glyph::CustomerList: case Glyph::Backup: return QColor(0x1F, 0x6F, 0xC5);
    case Glyph::OperateList: case Glyph::NewFile: case Glyph::Chart: case Glyph::Restore: return QColor(0x21, 0x9E, 0x6B);
    case Glyph::Print: case Glyph::Up: case Glyph::About: case Glyph::Settings: return QColor(0x5B, 0x6B, 0x7F);
    case Glyph::Find: return QColor(0xEE, 0x8A, 0x35);
    case Glyph::ManageFolder: case Glyph::HomeFolder: case Glyph::Key: return QColor(0xE0, 0xA1, 0x00);
    case Glyph::Alarm: case Glyph::Close: case Glyph::Exit: return QColor(0xE5, 0x53, 0x4B);
    case Glyph::AddressBook: return QColor(0x8E, 0x5B, 0xD6);
    case Glyph::LegalAdvice: return QColor(0x8C, 0x6A, 0x3F);
    case Glyph::Envelope: case Glyph::Mail: case Glyph::Web: return QColor(0x1B, 0xA3, 0xC6);
    }
    return QColor(0x5B, 0x6B, 0x7F);
}

const QColor kBadge(0xFF, 0xC9, 0x3C);

struct Ink {
    QPainter &p;
    QColor fill; // the symbol
    QColor cut;  // details cut into the symbol

    void stroke(const QColor &c, qreal width)
    {
        p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
    }
    void solid(const QColor &c)
    {
        p.setPen(Qt::NoPen);
        p.setBrush(c);
    }
    void line(QPointF a, QPointF b, qreal width, const QColor &c)
    {
        stroke(c, width);
        p.drawLine(a, b);
    }
    void person(QPointF at, qreal s, const QColor &c)
    {
        solid(c);
        p.drawEllipse(QPointF(at.x(), at.y() - 14 * s), 11 * s, 11 * s);
        QPainterPath body;
        body.moveTo(at.x() - 21 * s, at.y() + 24 * s);
        body.cubicTo(at.x() - 21 * s, at.y() - 2 * s, at.x() + 21 * s, at.y() - 2 * s, at.x() + 21 * s, at.y() + 24 * s);
        body.closeSubpath();
        p.drawPath(body);
    }
    void badge(QPointF at, bool plus)
    {
        solid(kBadge);
        p.drawEllipse(at, 15, 15);
        stroke(cut.isValid() && cut != Qt::white ? cut : QColor(0x33, 0x33, 0x33), 5);
        if (plus) {
            p.drawLine(at + QPointF(0, -8), at + QPointF(0, 8));
            p.drawLine(at + QPointF(-8, 0), at + QPointF(8, 0));
        }
    }
    void arrowHead(QPointF tip, QPointF left, QPointF right, const QColor &c)
    {
        solid(c);
        p.drawPolygon(QPolygonF{tip, left, right});
    }
    void envelope()
    {
        solid(fill);
        p.drawRoundedRect(QRectF(17, 27, 66, 46), 6, 6);
        stroke(cut, 4.5);
        p.drawPolyline(QPolygonF{QPointF(21, 32), QPointF(50, 54), QPointF(79, 32)});
    }
    void cylinder()
    {
        solid(fill);
        p.drawRect(QRectF(22, 28, 46, 44));
        p.drawEllipse(QRectF(22, 20, 46, 16));
        p.drawEllipse(QRectF(22, 64, 46, 16));
        stroke(cut, 3.5);
        p.drawArc(QRectF(22, 34, 46, 16), 180 * 16, 180 * 16);
        p.drawArc(QRectF(22, 49, 46, 16), 180 * 16, 180 * 16);
    }
    void letter(const QString &text)
    {
        QFont f(u"DejaVu Sans"_s);
        f.setBold(true);
        f.setPixelSize(62);
        p.setFont(f);
        p.setPen(fill);
        p.drawText(QRectF(0, 2, 100, 100), Qt::AlignCenter, text);
    }
};

void drawGlyph(QPainter &p, Glyph g, const QColor &fill, const QColor &cut)
{
    Ink k{p, fill, cut};
    switch (g) {
    case Glyph::NewCustomer:
        k.person(QPointF(43, 52), 1.05, fill);
        k.badge(QPointF(72, 72), true);
        break;
    case Glyph::CustomerList: {
        QColor back = fill;
        back.setAlphaF(0.65);
        k.person(QPointF(62, 46), 0.85, back);
        k.person(QPointF(40, 56), 1.0, fill);
        break;
    }
    case Glyph::OperateList:
        k.solid(fill);
        p.drawRoundedRect(QRectF(25, 21, 50, 63), 7, 7);
        k.solid(cut);
        p.drawRoundedRect(QRectF(38, 15, 24, 13), 4, 4);
        for (int i = 0; i < 3; ++i) {
            k.line(QPointF(34, 44 + 13 * i), QPointF(38, 44 + 13 * i), 5, cut);
            k.line(QPointF(45, 44 + 13 * i), QPointF(66, 44 + 13 * i), 5, cut);
        }
        break;
    case Glyph::Print:
        k.solid(fill);
        p.drawRect(QRectF(32, 17, 36, 20));
        p.drawRoundedRect(QRectF(16, 36, 68, 33), 7, 7);
        k.solid(cut);
        p.drawRect(QRectF(27, 58, 46, 4));
        k.solid(fill);
        p.drawRect(QRectF(32, 60, 36, 24));
        k.line(QPointF(38, 70), QPointF(62, 70), 3.5, cut);
        k.line(QPointF(38, 77), QPointF(55, 77), 3.5, cut);
        k.solid(kBadge);
        p.drawEllipse(QPointF(74, 45), 3.5, 3.5);
        break;
    case Glyph::Find:
        k.stroke(fill, 9);
        p.drawEllipse(QPointF(44, 44), 17, 17);
        k.line(QPointF(57, 57), QPointF(77, 77), 13, fill);
        break;
    case Glyph::ManageFolder:
    case Glyph::HomeFolder: {
        QPainterPath back;
        back.moveTo(16, 27);
        back.lineTo(40, 27);
        back.lineTo(47, 35);
        back.lineTo(84, 35);
        back.lineTo(84, 78);
        back.lineTo(16, 78);
        back.closeSubpath();
        QColor dim = fill;
        dim.setAlphaF(0.7);
        k.solid(dim);
        p.drawPath(back);
        k.solid(fill);
        p.drawRoundedRect(QRectF(16, 42, 68, 36), 4, 4);
        if (g == Glyph::HomeFolder) {
            k.solid(cut);
            p.drawPolygon(QPolygonF{QPointF(50, 47), QPointF(37, 59), QPointF(63, 59)});
            p.drawRect(QRectF(41, 58, 18, 14));
        }
        break;
    }
    case Glyph::Alarm:
        k.solid(fill);
        p.drawEllipse(QPointF(29, 27), 10, 10);
        p.drawEllipse(QPointF(71, 27), 10, 10);
        k.line(QPointF(34, 74), QPointF(26, 84), 6, fill);
        k.line(QPointF(66, 74), QPointF(74, 84), 6, fill);
        k.solid(fill);
        p.drawEllipse(QPointF(50, 54), 26, 26);
        k.line(QPointF(50, 54), QPointF(50, 39), 5, cut);
        k.line(QPointF(50, 54), QPointF(61, 61), 5, cut);
        break;
    case Glyph::AddressBook:
        k.solid(fill);
        p.drawRoundedRect(QRectF(27, 16, 50, 68), 6, 6);
        for (int i = 0; i < 3; ++i) {
            k.solid(fill);
            p.drawRoundedRect(QRectF(19, 27 + 17 * i, 14, 7), 3, 3);
            k.solid(cut);
            p.drawRect(QRectF(27, 29 + 17 * i, 4, 3));
        }
        k.person(QPointF(53, 55), 0.62, cut);
        break;
    case Glyph::LegalAdvice: {
        k.line(QPointF(50, 24), QPointF(50, 78), 6, fill);
        k.line(QPointF(33, 81), QPointF(67, 81), 7, fill);
        k.line(QPointF(22, 31), QPointF(78, 31), 6, fill);
        k.solid(fill);
        p.drawEllipse(QPointF(50, 22), 6, 6);
        for (qreal x : {22.0, 78.0}) {
            k.line(QPointF(x, 31), QPointF(x - 10, 56), 3, fill);
            k.line(QPointF(x, 31), QPointF(x + 10, 56), 3, fill);
            QPainterPath bowl;
            bowl.moveTo(x - 14, 56);
            bowl.arcTo(QRectF(x - 14, 46, 28, 20), 180, 180);
            bowl.closeSubpath();
            k.solid(fill);
            p.drawPath(bowl);
        }
        break;
    }
    case Glyph::Envelope:
    case Glyph::Mail:
        k.envelope();
        break;
    case Glyph::GetFile:
        k.line(QPointF(50, 16), QPointF(50, 50), 9, fill);
        k.arrowHead(QPointF(50, 64), QPointF(32, 44), QPointF(68, 44), fill);
        k.stroke(fill, 7);
        p.drawPolyline(QPolygonF{QPointF(20, 58), QPointF(20, 81), QPointF(80, 81), QPointF(80, 58)});
        break;
    case Glyph::NewFile: {
        QPainterPath doc;
        doc.moveTo(24, 14);
        doc.lineTo(56, 14);
        doc.lineTo(72, 30);
        doc.lineTo(72, 86);
        doc.lineTo(24, 86);
        doc.closeSubpath();
        k.solid(fill);
        p.drawPath(doc);
        k.solid(cut);
        p.drawPolygon(QPolygonF{QPointF(56, 14), QPointF(56, 30), QPointF(72, 30)});
        k.badge(QPointF(72, 72), true);
        break;
    }
    case Glyph::Up:
        k.line(QPointF(50, 84), QPointF(50, 42), 11, fill);
        k.arrowHead(QPointF(50, 14), QPointF(24, 46), QPointF(76, 46), fill);
        break;
    case Glyph::Help:
        k.letter(u"?"_s);
        break;
    case Glyph::About:
        k.letter(u"i"_s);
        break;
    case Glyph::Chart:
        k.solid(fill);
        p.drawRoundedRect(QRectF(20, 56, 15, 26), 3, 3);
        p.drawRoundedRect(QRectF(42, 40, 15, 42), 3, 3);
        p.drawRoundedRect(QRectF(64, 22, 15, 60), 3, 3);
        break;
    case Glyph::Close:
        k.line(QPointF(28, 28), QPointF(72, 72), 11, fill);
        k.line(QPointF(72, 28), QPointF(28, 72), 11, fill);
        break;
    case Glyph::Exit:
        k.stroke(fill, 7);
        p.drawPolyline(QPolygonF{QPointF(52, 24), QPointF(24, 24), QPointF(24, 76), QPointF(52, 76)});
        k.line(QPointF(40, 50), QPointF(72, 50), 8, fill);
        k.arrowHead(QPointF(86, 50), QPointF(68, 34), QPointF(68, 66), fill);
        break;
    case Glyph::Settings: {
        k.solid(fill);
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(50, 50);
            p.rotate(45.0 * i);
            p.drawRoundedRect(QRectF(-7, -34, 14, 16), 3, 3);
            p.restore();
        }
        p.drawEllipse(QPointF(50, 50), 24, 24);
        k.solid(cut);
        p.drawEllipse(QPointF(50, 50), 10, 10);
        break;
    }
    case Glyph::Key:
        k.stroke(fill, 8);
        p.drawEllipse(QPointF(35, 38), 14, 14);
        k.line(QPointF(45, 48), QPointF(78, 81), 9, fill);
        k.line(QPointF(64, 67), QPointF(73, 58), 7, fill);
        k.line(QPointF(72, 75), QPointF(80, 67), 7, fill);
        break;
    case Glyph::Backup:
    case Glyph::Restore: {
        k.cylinder();
        const QPointF at(72, 70);
        k.solid(kBadge);
        p.drawEllipse(at, 16, 16);
        const QColor dark(0x33, 0x33, 0x33);
        const qreal dir = g == Glyph::Backup ? -1 : 1;
        k.line(at - QPointF(0, 8 * dir), at + QPointF(0, 3 * dir), 4.5, dark);
        k.arrowHead(at + QPointF(0, 10 * dir), at + QPointF(-7, 2 * dir), at + QPointF(7, 2 * dir), dark);
        break;
    }
    case Glyph::Web:
        k.stroke(fill, 6);
        p.drawEllipse(QPointF(50, 50), 32, 32);
        k.stroke(fill, 4.5);
        p.drawEllipse(QRectF(36, 18, 28, 64));
        p.drawLine(QPointF(18, 50), QPointF(82, 50));
        p.drawLine(QPointF(24, 34), QPointF(76, 34));
        p.drawLine(QPointF(24, 66), QPointF(76, 66));
        break;
    }
}

void drawTile(QPainter &p, const QColor &base, qreal radius = 20)
{
    QLinearGradient grad(0, 4, 0, 96);
    grad.setColorAt(0, base.lighter(125));
    grad.setColorAt(1, base.darker(108));
    p.setPen(QPen(base.darker(125), 1.5));
    p.setBrush(grad);
    p.drawRoundedRect(QRectF(4, 4, 92, 92), radius, radius);
    // A soft sheen over the upper half.
    QLinearGradient sheen(0, 4, 0, 50);
    sheen.setColorAt(0, QColor(255, 255, 255, 70));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawRoundedRect(QRectF(6, 6, 88, 46), radius - 2, radius - 2);
}

template <typename PaintFn> QPixmap paintAt(int size, PaintFn paint)
{
    QPixmap pix(size, size);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 100.0, size / 100.0);
    paint(p);
    return pix;
}

// Paints an icon at the size asked for, when it is asked for: nothing is drawn at start-up
// for sizes no one shows.
class PaintedIconEngine : public QIconEngine {
public:
    explicit PaintedIconEngine(std::function<void(QPainter &)> paint) : m_paint(std::move(paint)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        const int side = std::min(size.width(), size.height());
        const qint64 key = qint64(side) * 8 + int(mode);
        if (const auto it = m_cache.constFind(key); it != m_cache.cend())
            return *it;
        QPixmap pix = paintAt(side, m_paint);
        if (mode == QIcon::Disabled) {
            QStyleOption option;
            pix = QApplication::style()->generatedIconPixmap(QIcon::Disabled, pix, &option);
        }
        m_cache.insert(key, pix);
        Q_UNUSED(state);
        return pix;
    }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return QSize(side, side);
    }
    QIconEngine *clone() const override { return new PaintedIconEngine(m_paint); }

private:
    std::function<void(QPainter &)> m_paint;
    QHash<qint64, QPixmap> m_cache;
};

QIcon iconOf(std::function<void(QPainter &)> paint) { return QIcon(new PaintedIconEngine(std::move(paint))); }

void drawProgram(QPainter &p)
{
    drawTile(p, QColor(0x1E, 0x63, 0xC8), 22);
    Ink k{p, Qt::white, QColor(0x1E, 0x63, 0xC8)};
    k.person(QPointF(36, 55), 0.9, Qt::white);
    k.solid(kBadge);
    p.drawRoundedRect(QRectF(58, 58, 9, 22), 2, 2);
    p.drawRoundedRect(QRectF(70, 46, 9, 34), 2, 2);
    p.drawRoundedRect(QRectF(82, 32, 9, 48), 2, 2);
}

} // namespace

QIcon tile(Glyph glyph)
{
    return iconOf([glyph](QPainter &p) {
        const QColor base = colourOf(glyph);
        drawTile(p, base);
        drawGlyph(p, glyph, Qt::white, base.darker(115));
    });
}

QIcon plain(Glyph glyph)
{
    return iconOf([glyph](QPainter &p) {
        // The symbol fills the whole square when it has no tile around it.
        p.translate(50, 50);
        p.scale(1.3, 1.3);
        p.translate(-50, -50);
        drawGlyph(p, glyph, colourOf(glyph), Qt::white);
    });
}

QPixmap programPixmap(int size) { return paintAt(size, drawProgram); }

QIcon program() { return iconOf(drawProgram); }

QPixmap wordMark(int height, bool onDark)
{
    QFont f(u"DejaVu Sans"_s);
    f.setBold(true);
    f.setPixelSize(qRound(height * 0.62));
    const QString text = u"Kelvor"_s;
    const int textWidth = QFontMetrics(f).horizontalAdvance(text);
    QPixmap pix(height + height / 4 + textWidth + 2, height);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.drawPixmap(0, 0, programPixmap(height));
    p.setFont(f);
    p.setPen(onDark ? QColor(Qt::white) : QColor(0x1E, 0x3A, 0x5F));
    p.drawText(QRect(height + height / 4, 0, textWidth + 2, height), Qt::AlignVCenter | Qt::AlignLeft, text);
    return pix;
}

} // namespace shell::icons
