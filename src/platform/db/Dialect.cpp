#include "platform/db/Dialect.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace db {

namespace {

bool isIdentStart(QChar c) { return c.isLetter() || c == u'_' || c.unicode() > 0x7f; }
bool isIdentChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c.unicode() > 0x7f; }

bool isTableFile(const QString &s)
{
    static const QRegularExpression re(u"^\\s*[A-Za-z_][A-Za-z0-9_]*\\.db\\s*$"_s, QRegularExpression::CaseInsensitiveOption);
    return re.match(s).hasMatch();
}

QString quoteLiteral(const QString &s)
{
    QString out = s;
    out.replace(u'\'', u"''"_s);
    return u'\'' + out + u'\'';
}

} // namespace

QString tableNameFromFile(const QString &fileName)
{
    QString n = fileName.trimmed();
    if (n.endsWith(u".db"_s, Qt::CaseInsensitive))
        n.chop(3);
    return n;
}

TranslatedSql translateSql(const QString &in)
{
    TranslatedSql out;
    QString &o = out.sql;
    o.reserve(in.size() + 32);

    // Parenthesis depths at which an EXTRACT(...) closes.
    QList<int> extractClose;
    int depth = 0;
    // Table tracking: inside a FROM list a comma or JOIN announces the next table.
    bool inFrom = false;
    int fromDepth = 0;
    bool expectTable = false;
    bool afterTable = false; // the next word may be the table's alias
    int fromTables = 0;
    bool hasJoin = false;

    auto noteTable = [&](const QString &name) {
        if (expectTable) {
            out.tables.append(name);
            if (fromTables == 0)
                out.firstTableAlias = name;
            ++fromTables;
            expectTable = false;
            afterTable = true;
        }
    };

    const qsizetype n = in.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = in.at(i);
        if (c == u'\'') {
            // Single-quoted literal: copied as it stands ('' escapes a quote).
            qsizetype j = i + 1;
            while (j < n) {
                if (in.at(j) == u'\'') {
                    if (j + 1 < n && in.at(j + 1) == u'\'') {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            o += in.mid(i, j - i + 1);
            i = j + 1;
            afterTable = false;
            continue;
        }
        if (c == u'"') {
            qsizetype j = in.indexOf(u'"', i + 1);
            if (j < 0)
                j = n;
            const QString body = in.mid(i + 1, j - i - 1);
            if (isTableFile(body)) {
                const QString t = tableNameFromFile(body);
                o += u'"' + t + u'"';
                noteTable(t);
            } else {
                o += quoteLiteral(body);
                afterTable = false;
            }
            i = j + 1;
            continue;
        }
        if (c == u':' && i + 1 < n && isIdentStart(in.at(i + 1)) && (i == 0 || in.at(i - 1) != u':')) {
            qsizetype j = i + 1;
            while (j < n && isIdentChar(in.at(j)))
                ++j;
            out.paramNames.append(in.mid(i + 1, j - i - 1));
            o += u'?';
            i = j;
            afterTable = false;
            continue;
        }
        if (isIdentStart(c)) {
            qsizetype j = i + 1;
            while (j < n && isIdentChar(in.at(j)))
                ++j;
            QString word = in.mid(i, j - i);
            // Bare table file name: Customers.db
            if (j + 3 <= n && in.mid(j, 3).compare(u".db"_s, Qt::CaseInsensitive) == 0
                && (j + 3 >= n || !isIdentChar(in.at(j + 3)))) {
                o += word;
                noteTable(word);
                i = j + 3;
                continue;
            }
            const QString upper = word.toUpper();
            if (upper == u"EXTRACT"_s) {
                qsizetype k = j;
                while (k < n && in.at(k).isSpace())
                    ++k;
                if (k < n && in.at(k) == u'(') {
                    ++k;
                    while (k < n && in.at(k).isSpace())
                        ++k;
                    qsizetype p = k;
                    while (p < n && isIdentChar(in.at(p)))
                        ++p;
                    const QString part = in.mid(k, p - k).toUpper();
                    while (p < n && in.at(p).isSpace())
                        ++p;
                    if (in.mid(p, 4).compare(u"FROM"_s, Qt::CaseInsensitive) == 0) {
                        const QString fmt = part == u"YEAR"_s ? u"%Y"_s : part == u"MONTH"_s ? u"%m"_s : u"%d"_s;
                        o += u"CAST(strftime('"_s + fmt + u"',"_s;
                        ++depth;
                        extractClose.append(depth);
                        i = p + 4;
                        continue;
                    }
                }
            }
            static const QStringList endOfFrom = {u"WHERE"_s, u"GROUP"_s, u"ORDER"_s, u"HAVING"_s,
                                                  u"UNION"_s, u"LIMIT"_s, u"ON"_s, u"SET"_s};
            static const QStringList joinWords = {u"INNER"_s, u"LEFT"_s, u"RIGHT"_s, u"OUTER"_s, u"FULL"_s,
                                                  u"CROSS"_s, u"NATURAL"_s, u"AS"_s};
            if (upper == u"FROM"_s || upper == u"JOIN"_s) {
                expectTable = true;
                afterTable = false;
                if (upper == u"JOIN"_s)
                    hasJoin = true;
                inFrom = true;
                fromDepth = depth;
            } else if (endOfFrom.contains(upper)) {
                afterTable = false;
                expectTable = false;
                if (upper != u"ON"_s)
                    inFrom = false;
            } else if (afterTable && !joinWords.contains(upper)) {
                if (fromTables == 1)
                    out.firstTableAlias = word;
                afterTable = false;
            } else if (expectTable) {
                noteTable(word);
                o += word;
                i = j;
                continue;
            }
            o += word;
            i = j;
            continue;
        }
        if (c == u'(') {
            ++depth;
            if (expectTable)
                expectTable = false; // FROM (SELECT ...)
        } else if (c == u')') {
            if (!extractClose.isEmpty() && extractClose.last() == depth) {
                extractClose.removeLast();
                o += u") AS INTEGER)"_s;
                --depth;
                ++i;
                continue;
            }
            if (inFrom && depth == fromDepth)
                inFrom = false;
            --depth;
        } else if (c == u',') {
            afterTable = false;
            if (inFrom && depth == fromDepth)
                expectTable = true;
        } else if (!c.isSpace()) {
            afterTable = false;
        }
        o += c;
        ++i;
    }
    out.singleTableSelect = fromTables == 1 && !hasJoin && in.trimmed().startsWith(u"select"_s, Qt::CaseInsensitive);
    return out;
}

} // namespace db
