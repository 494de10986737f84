#include "RawStatement.h"

#include <sqlite3.h>
#include <stdexcept>

std::uint64_t RawStatement::sink = 0;

RawStatement::RawStatement(sqlite3 *handle, const std::string &sql) : m_db(handle)
{
    if (sqlite3_prepare_v2(m_db, sql.c_str(), int(sql.size()), &m_stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sqlite3_errmsg(m_db)) + ": " + sql);
}

RawStatement::~RawStatement() { sqlite3_finalize(m_stmt); }

void RawStatement::bindInt(int index, std::int64_t value) { sqlite3_bind_int64(m_stmt, index, value); }

void RawStatement::bindText(int index, const std::string &utf8)
{
    sqlite3_bind_text(m_stmt, index, utf8.data(), int(utf8.size()), SQLITE_TRANSIENT);
}

bool RawStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(m_db));
    return false;
}

void RawStatement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

std::int64_t RawStatement::int64(int col) const { return sqlite3_column_int64(m_stmt, col); }

std::string RawStatement::text(int col) const
{
    const unsigned char *t = sqlite3_column_text(m_stmt, col);
    return t ? std::string(reinterpret_cast<const char *>(t), size_t(sqlite3_column_bytes(m_stmt, col))) : std::string();
}

std::uint64_t RawStatement::readRow() const
{
    std::uint64_t sum = 0;
    const int n = sqlite3_column_count(m_stmt);
    for (int i = 0; i < n; ++i) {
        switch (sqlite3_column_type(m_stmt, i)) {
        case SQLITE_INTEGER:
            sum += std::uint64_t(sqlite3_column_int64(m_stmt, i));
            break;
        case SQLITE_FLOAT:
            sum += std::uint64_t(sqlite3_column_double(m_stmt, i));
            break;
        case SQLITE_TEXT: {
            const unsigned char *t = sqlite3_column_text(m_stmt, i);
            sum += std::uint64_t(sqlite3_column_bytes(m_stmt, i)) + t[0];
            break;
        }
        default:
            break;
        }
    }
    return sum;
}

int RawStatement::readAll()
{
    int rows = 0;
    std::uint64_t sum = 0;
    while (step()) {
        sum += readRow();
        ++rows;
    }
    sink += sum;
    return rows;
}
