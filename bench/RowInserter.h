#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// A prepared INSERT of the listed fields of one table, straight on the sqlite3 handle.
// Field widths come from the schema, so data the program would refuse never gets in.
// Columns are addressed by their position in the list given to the constructor.
class RowInserter {
public:
    RowInserter(sqlite3 *handle, const char *tableFile, std::initializer_list<const char *> fields);
    ~RowInserter();
    RowInserter(const RowInserter &) = delete;
    RowInserter &operator=(const RowInserter &) = delete;

    void text(int col, std::string_view value); // empty text is stored as null, as the program does
    void integer(int col, std::int64_t value);
    void real(int col, double value);
    void null(int col);
    // Writes the row, clears the values and returns the new rowid.
    std::int64_t insert();

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
    std::string m_table;
    std::vector<std::string> m_names;
    std::vector<int> m_widths; // GBK bytes; 0 = unlimited or not text
};

// GBK length of UTF-8 text: one byte for ASCII, two for every other character we generate.
int gbkBytes(std::string_view utf8);
