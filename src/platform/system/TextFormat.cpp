#include "platform/system/TextFormat.h"

#include <QLocale>
#include <QStringList>
#include <cmath>
#include <vector>

using namespace Qt::StringLiterals;

namespace sys {

namespace {

// A non-negative decimal number: digits (no leading or trailing zeros, empty for zero)
// with the decimal point after `point` digits (may be negative or past the end).
struct Decimal
{
    QString digits;
    int point = 0;

    bool isZero() const { return digits.isEmpty(); }

    static Decimal from(double v)
    {
        Decimal d;
        if (v == 0)
            return d;
        // 15 significant digits, as the number was typed, so 1.005 rounds up to 1.01.
        const QString s = QString::number(v, 'e', 14);
        const qsizetype e = s.indexOf(u'e');
        d.digits = s.left(1) + s.mid(2, e - 2);
        d.point = s.mid(e + 1).toInt() + 1;
        d.trim();
        return d;
    }

    void trim()
    {
        while (digits.endsWith(u'0'))
            digits.chop(1);
        while (digits.startsWith(u'0')) {
            digits.remove(0, 1);
            --point;
        }
        if (digits.isEmpty())
            point = 0;
    }

    // Half away from zero (the magnitude rounds half up).
    void round(int decimals)
    {
        const int keep = point + decimals;
        if (keep >= digits.size())
            return;
        if (keep < 0) {
            *this = {};
            return;
        }
        const bool up = digits.at(keep) >= u'5';
        digits.truncate(keep);
        if (up) {
            qsizetype i = digits.size() - 1;
            while (i >= 0 && digits.at(i) == u'9') {
                digits[i] = u'0';
                --i;
            }
            if (i >= 0) {
                digits[i] = QChar(digits.at(i).unicode() + 1);
            } else {
                digits.prepend(u'1');
                ++point;
            }
        }
        trim();
    }

    QString integerPart() const
    {
        if (point <= 0)
            return {};
        return digits.left(point).leftJustified(point, u'0');
    }

    QString fraction() const
    {
        if (point >= 0)
            return digits.mid(point);
        return QString(-point, u'0') + digits;
    }
};

struct Token
{
    enum Kind { Literal, IntDigit, FracDigit, Point, Exponent };
    Kind kind;
    QString text;   // literal text; exponent letter
    QChar sign;     // exponent: '+' or '-'
    int width = 0;  // exponent: minimum digits
    bool zero = false; // digit placeholder is "0" (required)
};

struct Section
{
    std::vector<Token> tokens;
    bool thousands = false;
    bool scientific = false;
    int intCount = 0;     // integer placeholders
    int intRequired = 0;  // from the first "0" to the point
    int fracCount = 0;
    int fracRequired = 0; // up to the last "0" after the point
    bool hasDigits() const { return intCount + fracCount > 0 || scientific; }
};

Section parseSection(const QString &s)
{
    Section sec;
    bool seenPoint = false;
    bool seenFirstZero = false;
    auto literal = [&sec](const QString &text) {
        if (!sec.tokens.empty() && sec.tokens.back().kind == Token::Literal)
            sec.tokens.back().text += text;
        else
            sec.tokens.push_back({Token::Literal, text, {}, 0, false});
    };
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == u'"' || c == u'\'') {
            const qsizetype end = s.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? s.size() : end;
            literal(s.mid(i + 1, stop - i - 1));
            i = stop;
        } else if ((c == u'0' || c == u'#') && !sec.scientific) {
            const bool zero = c == u'0';
            if (seenPoint) {
                sec.tokens.push_back({Token::FracDigit, {}, {}, 0, zero});
                ++sec.fracCount;
                if (zero)
                    sec.fracRequired = sec.fracCount;
            } else {
                sec.tokens.push_back({Token::IntDigit, {}, {}, 0, zero});
                ++sec.intCount;
                seenFirstZero = seenFirstZero || zero;
                if (seenFirstZero)
                    ++sec.intRequired;
            }
        } else if (c == u'.' && !seenPoint && !sec.scientific) {
            seenPoint = true;
            sec.tokens.push_back({Token::Point, {}, {}, 0, false});
        } else if (c == u',' && !sec.scientific) {
            sec.thousands = true;
        } else if ((c == u'E' || c == u'e') && !sec.scientific && i + 1 < s.size()
                   && (s.at(i + 1) == u'+' || s.at(i + 1) == u'-')) {
            Token t{Token::Exponent, QString(c), s.at(i + 1), 0, false};
            i += 2;
            while (i < s.size() && s.at(i) == u'0') {
                ++t.width;
                ++i;
            }
            --i;
            t.width = qMax(t.width, 1);
            sec.scientific = true;
            sec.tokens.push_back(t);
        } else {
            literal(QString(c));
        }
    }
    return sec;
}

// Formats a magnitude; `rounded` tells whether it became zero at the section's precision.
QString formatSection(const Section &sec, double magnitude, bool *roundedToZero)
{
    Decimal d = Decimal::from(magnitude);
    int exponent = 0;
    if (sec.scientific && !d.isZero()) {
        exponent = d.point - sec.intCount;
        d.point = sec.intCount;
        d.round(sec.fracCount);
        if (d.point > sec.intCount) { // 9.99 became 10.0
            exponent += d.point - sec.intCount;
            d.point = sec.intCount;
        }
    } else {
        d.round(sec.fracCount);
    }
    if (roundedToZero)
        *roundedToZero = d.isZero();

    QString intStr = d.integerPart();
    if (intStr.size() < sec.intRequired)
        intStr = intStr.rightJustified(sec.intRequired, u'0');
    QString frac = d.fraction().left(sec.fracCount);
    while (frac.size() > sec.fracRequired && frac.endsWith(u'0'))
        frac.chop(1);
    frac = frac.leftJustified(sec.fracRequired, u'0');

    QString out;
    const qsizetype len = intStr.size();
    auto emitInt = [&](qsizetype i) {
        out += intStr.at(i);
        const qsizetype rest = len - 1 - i;
        if (sec.thousands && rest > 0 && rest % 3 == 0)
            out += u',';
    };
    bool intDone = sec.intCount > 0; // without integer placeholders the digits go before the point
    int intIndex = 0;
    int fracIndex = 0;
    for (const Token &t : sec.tokens) {
        if (!intDone && t.kind != Token::Literal) {
            for (qsizetype i = 0; i < len; ++i)
                emitInt(i);
            intDone = true;
        }
        switch (t.kind) {
        case Token::Literal:
            out += t.text;
            break;
        case Token::IntDigit: {
            // The first placeholder takes every digit the pattern has no room for.
            if (intIndex == 0) {
                for (qsizetype i = 0; i < len - sec.intCount; ++i)
                    emitInt(i);
            }
            const qsizetype i = len - sec.intCount + intIndex;
            if (i >= 0)
                emitInt(i);
            ++intIndex;
            break;
        }
        case Token::Point:
            if (!frac.isEmpty())
                out += u'.';
            break;
        case Token::FracDigit:
            if (fracIndex < frac.size())
                out += frac.at(fracIndex);
            ++fracIndex;
            break;
        case Token::Exponent:
            out += t.text;
            if (exponent < 0)
                out += u'-';
            else if (t.sign == u'+')
                out += u'+';
            out += QString::number(std::abs(exponent)).rightJustified(t.width, u'0');
            break;
        }
    }
    return out;
}

QString generalFormat(double value)
{
    QString s = QString::number(value, 'g', 15);
    const qsizetype e = s.indexOf(u'e');
    if (e < 0)
        return s;
    const int exponent = s.mid(e + 1).toInt();
    return s.left(e) + u'E' + QString::number(exponent);
}

QStringList splitSections(const QString &pattern)
{
    QStringList out;
    QString current;
    QChar quote;
    for (const QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u';') {
            out << current;
            current.clear();
            continue;
        }
        current += c;
    }
    out << current;
    return out;
}

} // namespace

QString formatFloat(const QString &pattern, double value)
{
    if (std::isnan(value))
        return u"NAN"_s;
    if (std::isinf(value))
        return value < 0 ? u"-INF"_s : u"INF"_s;
    const QStringList sections = splitSections(pattern);
    const QString positive = sections.value(0);
    const QString negative = sections.value(1);
    const QString zero = sections.value(2);
    if (positive.isEmpty() && negative.isEmpty() && zero.isEmpty())
        return generalFormat(value);

    const bool useNegative = value < 0 && !negative.isEmpty();
    const QString &chosen = useNegative ? negative : positive;
    if (chosen.isEmpty())
        return generalFormat(value);
    const Section sec = parseSection(chosen);
    bool roundedToZero = false;
    QString out = formatSection(sec, std::abs(value), &roundedToZero);
    if (roundedToZero && sec.hasDigits()) {
        // A value shown as zero takes the zero section, else the positive one, never "-0".
        if (!zero.isEmpty())
            return formatSection(parseSection(zero), 0, nullptr);
        if (useNegative || value < 0)
            return formatSection(parseSection(positive), 0, nullptr);
        return out;
    }
    if (value < 0 && !useNegative)
        out.prepend(u'-');
    return out;
}

QString shortDate(const QDate &date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
}

QDate parseShortDate(const QString &text)
{
    const QLocale locale;
    const QString t = text.trimmed();
    QDate d = locale.toDate(t, QLocale::ShortFormat);
    if (!d.isValid())
        d = QDate::fromString(t, Qt::ISODate);
    return d;
}

QString longTime(const QTime &time)
{
    // The long format of some locales carries a time-zone name ("t"), which a time of day has not.
    const QString format = QLocale().timeFormat(QLocale::LongFormat);
    QString cleaned;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u't')
            cleaned += c;
    }
    return QLocale().toString(time, cleaned.simplified());
}

} // namespace sys
