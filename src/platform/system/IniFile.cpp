#include "platform/system/IniFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace sys {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool hasLineBreak(const QString &s)
{
    return s.contains(u'\n') || s.contains(u'\r');
}

// Windows strips one pair of surrounding quotes from a value.
QString unquoted(const QString &v)
{
    if (v.size() >= 2 && ((v.front() == u'"' && v.back() == u'"') || (v.front() == u'\'' && v.back() == u'\'')))
        return v.mid(1, v.size() - 2);
    return v;
}

// Quote values that would otherwise not read back as written.
QString stored(const QString &v)
{
    if (v != v.trimmed() || unquoted(v) != v)
        return u'"' + v + u'"';
    return v;
}

} // namespace

IniError::IniError(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

IniFile::Line IniFile::parse(const QString &text, const QString &eol)
{
    Line line;
    line.text = text;
    line.eol = eol;
    const QString t = text.trimmed();
    if (t.startsWith(u'[')) {
        const qsizetype close = t.lastIndexOf(u']');
        if (close > 0) {
            line.kind = Line::Section;
            line.name = t.mid(1, close - 1).trimmed();
        }
        return line;
    }
    if (t.isEmpty() || t.startsWith(u';') || t.startsWith(u'#'))
        return line;
    const qsizetype eq = t.indexOf(u'=');
    if (eq > 0) {
        line.kind = Line::Entry;
        line.name = t.left(eq).trimmed();
        line.value = unquoted(t.mid(eq + 1).trimmed());
    }
    return line;
}

bool IniFile::load(const QString &path)
{
    setText({});
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder gbk("GBK");
        text = gbk.decode(bytes);
    }
    setText(text);
    return true;
}

void IniFile::setText(const QString &text)
{
    m_lines.clear();
    m_bom = text.startsWith(QChar(0xFEFF));
    qsizetype pos = m_bom ? 1 : 0;
    while (pos < text.size()) {
        qsizetype nl = text.indexOf(u'\n', pos);
        QString eol = u"\n"_s;
        if (nl < 0) {
            nl = text.size();
            eol.clear();
        }
        qsizetype end = nl;
        if (!eol.isEmpty() && end > pos && text.at(end - 1) == u'\r') {
            --end;
            eol = u"\r\n"_s;
        }
        m_lines.push_back(parse(text.mid(pos, end - pos), eol));
        pos = nl + 1;
    }
}

QString IniFile::text() const
{
    QString out;
    if (m_bom)
        out += QChar(0xFEFF);
    for (const Line &line : m_lines)
        out += line.text + line.eol;
    return out;
}

void IniFile::save(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text().toUtf8()) < 0 || !file.commit()) {
        throw IniError(u"无法保存文件“%1”：%2"_s.arg(QDir::toNativeSeparators(path), file.errorString()));
    }
}

QStringList IniFile::sections() const
{
    QStringList out;
    for (const Line &line : m_lines) {
        if (line.kind == Line::Section && !out.contains(line.name, Qt::CaseInsensitive))
            out << line.name;
    }
    return out;
}

bool IniFile::hasSection(const QString &section) const
{
    return sections().contains(section, Qt::CaseInsensitive);
}

QStringList IniFile::keys(const QString &section) const
{
    QStringList out;
    bool inside = false;
    for (const Line &line : m_lines) {
        if (line.kind == Line::Section)
            inside = sameName(line.name, section);
        else if (inside && line.kind == Line::Entry && !out.contains(line.name, Qt::CaseInsensitive))
            out << line.name;
    }
    return out;
}

qsizetype IniFile::findEntry(const QString &section, const QString &key) const
{
    bool inside = false;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (line.kind == Line::Section)
            inside = sameName(line.name, section);
        else if (inside && line.kind == Line::Entry && sameName(line.name, key))
            return qsizetype(i);
    }
    return -1;
}

bool IniFile::contains(const QString &section, const QString &key) const
{
    return findEntry(section, key) >= 0;
}

QString IniFile::value(const QString &section, const QString &key, const QString &defaultValue) const
{
    const qsizetype i = findEntry(section, key);
    return i < 0 ? defaultValue : m_lines[size_t(i)].value;
}

QString IniFile::newLineEnd() const
{
    for (const Line &line : m_lines) {
        if (!line.eol.isEmpty())
            return line.eol;
    }
    return u"\n"_s;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    if (hasLineBreak(section) || section != section.trimmed())
        throw IniError(u"名称“%1”不能用作设置文件的节名：不能含换行，首尾不能有空格。"_s.arg(section));
    const QString k = key.trimmed();
    if (k.isEmpty() || k != key || hasLineBreak(k) || k.contains(u'=') || k.startsWith(u'[')
        || k.startsWith(u';') || k.startsWith(u'#'))
        throw IniError(u"“%1”不能用作设置文件的键名。"_s.arg(key));
    if (hasLineBreak(value))
        throw IniError(u"设置“%1”的值不能含换行。"_s.arg(key));

    const qsizetype found = findEntry(section, key);
    if (found >= 0) {
        // Keep the key's spelling and the spacing around "=" as they stand in the file.
        Line &line = m_lines[size_t(found)];
        const qsizetype eq = line.text.indexOf(u'=');
        qsizetype start = eq + 1;
        while (start < line.text.size() && line.text.at(start).isSpace())
            ++start;
        line.text = line.text.left(start) + stored(value);
        line.value = value;
        return;
    }

    const QString eol = newLineEnd();
    Line entry = parse(key + u'=' + stored(value), eol);

    // After the last entry of the section's first occurrence, else right after its header.
    qsizetype insertAt = -1;
    bool inside = false;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (line.kind == Line::Section) {
            if (inside)
                break;
            inside = sameName(line.name, section);
            if (inside)
                insertAt = qsizetype(i) + 1;
        } else if (inside && line.kind == Line::Entry) {
            insertAt = qsizetype(i) + 1;
        }
    }

    if (insertAt < 0) {
        if (!m_lines.empty()) {
            if (m_lines.back().eol.isEmpty())
                m_lines.back().eol = eol;
            if (!m_lines.back().text.trimmed().isEmpty())
                m_lines.push_back(parse({}, eol));
        }
        m_lines.push_back(parse(u'[' + section + u']', eol));
        m_lines.push_back(entry);
        return;
    }
    if (m_lines[size_t(insertAt) - 1].eol.isEmpty()) {
        m_lines[size_t(insertAt) - 1].eol = eol;
        entry.eol.clear();
    }
    m_lines.insert(m_lines.begin() + insertAt, entry);
}

void IniFile::removeSection(const QString &section)
{
    std::vector<Line> kept;
    bool inside = false;
    for (Line &line : m_lines) {
        if (line.kind == Line::Section)
            inside = sameName(line.name, section);
        if (!inside)
            kept.push_back(std::move(line));
    }
    m_lines = std::move(kept);
}

} // namespace sys
