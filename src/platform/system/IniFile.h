#pragma once
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

namespace sys {

// A file could not be written, or a name cannot be stored in an INI file. what() is UTF-8.
class IniError : public std::runtime_error
{
public:
    explicit IniError(const QString &message);
};

// A small INI codec: UTF-8 text, Chinese section names, keys with spaces, values kept as
// text. Reading a file and writing it back unchanged reproduces it byte for byte (order,
// comments, blank lines, line ends). Section and key names match without regard to case.
// When a section occurs twice its first occurrence wins for each key, as on Windows.
class IniFile
{
public:
    // A missing or unreadable file gives an empty document and returns false. Files that are
    // not valid UTF-8 are read as GBK, the code page older copies were written in.
    bool load(const QString &path);
    // Writes atomically (UTF-8); throws IniError when the file cannot be written.
    void save(const QString &path) const;

    void setText(const QString &text);
    QString text() const;

    QStringList sections() const;
    bool hasSection(const QString &section) const;
    QStringList keys(const QString &section) const;
    bool contains(const QString &section, const QString &key) const;
    QString value(const QString &section, const QString &key, const QString &defaultValue = {}) const;

    // Adds the section or key at the end of the file (of the section) when new.
    // Throws IniError for names that cannot be written (line breaks, "=" in a key...).
    void setValue(const QString &section, const QString &key, const QString &value);
    void removeSection(const QString &section);

private:
    struct Line
    {
        enum Kind { Other, Section, Entry };
        Kind kind = Other;
        QString text; // without the line end
        QString eol;  // "\n", "\r\n" or empty for a last line without one
        QString name; // section name or key
        QString value;
    };

    static Line parse(const QString &text, const QString &eol);
    qsizetype findEntry(const QString &section, const QString &key) const;
    QString newLineEnd() const;

    std::vector<Line> m_lines;
    bool m_bom = false;
};

} // namespace sys
