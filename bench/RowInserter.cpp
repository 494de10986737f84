#include "RowInserter.h"

#include "store/Schema.h"

#include <sqlite3.h>
#include <stdexcept>

int gbkBytes(std::string_view utf8)
{
    int bytes = 0;
    for (const unsigned char c : utf8) {
        if (c < 0x80)
            bytes += 1;
        else if ((c & 0xC0) != 0x80) // lead byte of a multi-byte character
            bytes += 2;
    }
    return bytes;
}

RowInserter::RowInserter(sqlite3 *handle, const char *tableFile, std::initializer_list<const char *> fields)
    : m_db(handle)
{
    const store::TableDef *def = store::findTable(QString::fromUtf8(tableFile));
    if (!def)
        throw std::runtime_error(std::string("no table ") + tableFile);
    m_table = def->name.toStdString();
    std::string cols, marks;
    for (const char *f : fields) {
        const db::FieldDef *fd = nullptr;
        for (const db::FieldDef &d : def->fields)
            if (d.name.compare(QString::fromUtf8(f), Qt::CaseInsensitive) == 0)
                fd = &d;
        if (!fd)
            throw std::runtime_error(m_table + " has no field " + f);
        m_names.push_back(fd->name.toStdString());
        m_widths.push_back(fd->type == db::FieldType::String ? fd->size : 0);
        cols += (cols.empty() ? "\"" : ", \"") + m_names.back() + "\"";
        marks += marks.empty() ? "?" : ", ?";
    }
    const std::string sql = "INSERT INTO \"" + m_table + "\" (" + cols + ") VALUES (" + marks + ")";
    if (sqlite3_prepare_v2(m_db, sql.c_str(), int(sql.size()), &m_stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(m_db));
}

RowInserter::~RowInserter() { sqlite3_finalize(m_stmt); }

void RowInserter::text(int col, std::string_view value)
{
    if (value.empty()) {
        null(col);
        return;
    }
    const int width = m_widths[size_t(col)];
    if (width > 0 && gbkBytes(value) > width)
        throw std::runtime_error(m_table + "." + m_names[size_t(col)] + " too long: " + std::string(value));
    sqlite3_bind_text(m_stmt, col + 1, value.data(), int(value.size()), SQLITE_TRANSIENT);
}

void RowInserter::integer(int col, std::int64_t value) { sqlite3_bind_int64(m_stmt, col + 1, value); }

void RowInserter::real(int col, double value) { sqlite3_bind_double(m_stmt, col + 1, value); }

void RowInserter::null(int col) { sqlite3_bind_null(m_stmt, col + 1); }

std::int64_t RowInserter::insert()
{
    if (sqlite3_step(m_stmt) != SQLITE_DONE)
        throw std::runtime_error(m_table + ": " + sqlite3_errmsg(m_db));
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    return sqlite3_last_insert_rowid(m_db);
}
