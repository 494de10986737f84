#include "platform/widgets/NumericText.h"

#include <cmath>

namespace widgets {

namespace {

// expr := term (('+'|'-') term)*; term := factor (('*'|'/') factor)*;
// factor := ('+'|'-') factor | number | '(' expr ')'
class Parser
{
public:
    explicit Parser(const QString &text) : m_s(text) {}

    std::optional<double> run()
    {
        auto v = expr();
        if (!v || m_i != m_s.size())
            return std::nullopt;
        return v;
    }

private:
    QChar peek() const { return m_i < m_s.size() ? m_s.at(m_i) : QChar(); }

    std::optional<double> expr()
    {
        auto v = term();
        while (v && (peek() == u'+' || peek() == u'-')) {
            const QChar op = m_s.at(m_i++);
            const auto r = term();
            if (!r)
                return std::nullopt;
            *v = op == u'+' ? *v + *r : *v - *r;
        }
        return v;
    }

    std::optional<double> term()
    {
        auto v = factor();
        while (v && (peek() == u'*' || peek() == u'/')) {
            const QChar op = m_s.at(m_i++);
            const auto r = factor();
            if (!r || (op == u'/' && *r == 0))
                return std::nullopt;
            *v = op == u'*' ? *v * *r : *v / *r;
        }
        return v;
    }

    std::optional<double> factor()
    {
        if (peek() == u'+' || peek() == u'-') {
            const bool negative = m_s.at(m_i++) == u'-';
            auto v = factor();
            if (v && negative)
                *v = -*v;
            return v;
        }
        if (peek() == u'(') {
            ++m_i;
            auto v = expr();
            if (!v || peek() != u')')
                return std::nullopt;
            ++m_i;
            return v;
        }
        const qsizetype start = m_i;
        while (peek().isDigit() || peek() == u'.')
            ++m_i;
        bool ok = false;
        const double d = m_s.mid(start, m_i - start).toDouble(&ok);
        if (!ok)
            return std::nullopt;
        return d;
    }

    QString m_s;
    qsizetype m_i = 0;
};

} // namespace

std::optional<double> evaluateNumber(const QString &text)
{
    QString s;
    for (const QChar c : text)
        if (!c.isSpace() && c != u',' && c != u'￥' && c != u'¥')
            s += c;
    if (s.isEmpty())
        return std::nullopt;
    const auto v = Parser(s).run();
    if (!v || !std::isfinite(*v))
        return std::nullopt;
    return v;
}

} // namespace widgets
