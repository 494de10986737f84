#pragma once
#include <cstdint>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

// The baseline: a statement run straight through the sqlite3 C API, reading every column
// of every row the way a C program would (typed accessors, no copies).
class RawStatement {
public:
    RawStatement(sqlite3 *handle, const std::string &sql);
    ~RawStatement();
    RawStatement(const RawStatement &) = delete;
    RawStatement &operator=(const RawStatement &) = delete;

    void bindInt(int index, std::int64_t value);
    void bindText(int index, const std::string &utf8);
    bool step();
    void reset();
    std::int64_t int64(int col) const;
    std::string text(int col) const;
    // Reads every column of the current row; returns a checksum so nothing is optimised away.
    std::uint64_t readRow() const;
    // Steps through all rows reading every column; returns the row count.
    int readAll();

    static std::uint64_t sink; // checksums land here

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};
