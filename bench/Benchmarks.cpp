#include "Benchmarks.h"
#include "RawStatement.h"

#include "platform/db/Connection.h"
#include "platform/db/Table.h"

#include <cstdio>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

constexpr int Lookups = 100;

std::string quoted(const QString &ident)
{
    std::string s(1, '"');
    s += ident.toStdString();
    s += '"';
    return s;
}

const char *const NameOrder = "\"CustName_S\" COLLATE NOCASE";

} // namespace

Benchmarks::Benchmarks(db::Connection &conn, int runs, bool breakdown)
    : m_conn(conn), m_runs(runs), m_breakdown(breakdown)
{
}

Benchmarks::Select Benchmarks::tableSelect(const QString &table, const QStringList &orderBy, const QString &linkField) const
{
    Select s;
    s.table = m_conn.resolveTable(table);
    std::string cols;
    for (const db::FieldDef &d : m_conn.tableFields(s.table))
        cols += ", " + quoted(d.name);
    s.sql = "SELECT rowid" + cols + " FROM " + quoted(s.table);
    if (!linkField.isEmpty())
        s.sql += " WHERE " + quoted(linkField) + " = ?1";
    s.sql += " ORDER BY ";
    for (const QString &o : orderBy)
        s.sql += o.toStdString() + ", ";
    s.sql += "rowid";
    return s;
}

void Benchmarks::statementRows(const Select &select, std::vector<QVector<QVariant>> &rows) const
{
    const QVector<db::FieldDef> defs = m_conn.tableFields(select.table);
    db::Statement st(m_conn, QString::fromStdString(select.sql));
    while (st.step()) {
        QVector<QVariant> r(defs.size());
        for (int i = 0; i < defs.size(); ++i)
            r[i] = st.column(i + 1, defs[i].type);
        rows.push_back(std::move(r));
    }
}

void Benchmarks::report(const char *step, const Measure::Result &r) const
{
    std::printf("%s ours_ms=%.3f raw_ms=%.3f ratio=%.2f\n", step, r.oursMs, r.rawMs, r.ratio());
    std::fflush(stdout);
}

void Benchmarks::note(const char *step, const char *what, double ms) const
{
    std::printf("#   %s %s_ms=%.3f\n", step, what, ms);
    std::fflush(stdout);
}

// --- open the customer table in short-name order -------------------------------------

void Benchmarks::openCustomers()
{
    const Select select = tableSelect(u"Customers.db"_s, {QString::fromLatin1(NameOrder)});
    const auto r = Measure::compare(
        m_runs,
        [&] {
            db::Table t(u"Customers.db"_s);
            t.setIndexName(u"idx_name"_s);
            return Measure::time([&] { t.open(); });
        },
        [&] {
            return Measure::time([&] {
                RawStatement st(m_conn.handle(), select.sql);
                st.readAll();
            });
        });
    report("open_customers", r);
    if (!m_breakdown)
        return;
    std::vector<double> stepOnly, statement, close;
    for (int i = 0; i < m_runs; ++i) {
        stepOnly.push_back(Measure::time([&] {
            RawStatement st(m_conn.handle(), select.sql);
            while (st.step()) {
            }
        }));
        std::vector<QVector<QVariant>> rows;
        statement.push_back(Measure::time([&] { statementRows(select, rows); }));
        db::Table t(u"Customers.db"_s);
        t.setIndexName(u"idx_name"_s);
        t.open();
        close.push_back(Measure::time([&] { t.close(); }));
    }
    note("open_customers", "raw_step_without_reading", Measure::median(stepOnly));
    note("open_customers", "db_Statement_to_QVariant_rows", Measure::median(statement));
    note("open_customers", "ours_close", Measure::median(close));
}

// --- find a customer by short name ---------------------------------------------------

void Benchmarks::locateCustomer()
{
    // Names spread over the whole index, so a scan goes half-way through on average.
    std::vector<std::string> all;
    {
        RawStatement st(m_conn.handle(), "SELECT CustName_S FROM Customers ORDER BY CustName_S COLLATE NOCASE, rowid");
        while (st.step())
            all.push_back(st.text(0));
    }
    std::vector<std::string> names;
    std::vector<QString> qnames;
    for (int i = 0; i < Lookups && !all.empty(); ++i) {
        names.push_back(all[(size_t(i) * 7919 + 13) % all.size()]);
        qnames.push_back(QString::fromStdString(names.back()));
    }
    const double count = double(names.size());

    db::Table t(u"Customers.db"_s);
    t.setIndexName(u"idx_name"_s);
    t.open();
    const std::string sql = tableSelect(u"Customers.db"_s, {QString::fromLatin1(NameOrder)}).sql;
    const std::string seekSql = sql.substr(0, sql.find(" ORDER BY")) + " WHERE CustName_S = ?1 COLLATE NOCASE";
    const auto raw = [&] {
        return Measure::time([&] {
                   RawStatement st(m_conn.handle(), seekSql);
                   for (const std::string &n : names) {
                       st.bindText(1, n);
                       if (st.readAll() == 0)
                           throw std::runtime_error("raw seek found nothing for " + n);
                       st.reset();
                   }
               })
               / count;
    };

    const auto located = Measure::compare(
        m_runs,
        [&] {
            return Measure::time([&] {
                       for (const QString &n : qnames)
                           if (!t.locate(u"CustName_S"_s, n, {true, false}))
                               throw std::runtime_error("locate found nothing for " + n.toStdString());
                   })
                   / count;
        },
        raw);
    report("locate_customer", located);

    // The way the find window seeks: on the short-name index, with the controls frozen.
    const auto found = Measure::compare(
        m_runs,
        [&] {
            return Measure::time([&] {
                       for (const QString &n : qnames) {
                           db::Dataset::ControlsGuard freeze(t);
                           if (!t.findKey({n}))
                               throw std::runtime_error("findKey found nothing for " + n.toStdString());
                       }
                   })
                   / count;
        },
        raw);
    report("findkey_customer", found);
}

// --- scroll customers with contacts, business records and items following -----------------

void Benchmarks::scrollMasterDetail(int wanted)
{
    // Linked the way the data module links them.
    db::Table cust(u"Customers.db"_s);
    cust.setIndexName(u"idx_name"_s);
    db::Table linkman(u"Linkmans.db"_s);
    linkman.setIndexName(u"CustNo"_s);
    linkman.setMaster(&cust, u"CustNO"_s);
    db::Table operates(u"Operates.db"_s);
    operates.setIndexName(u"CustNo"_s);
    operates.setMaster(&cust, u"CustNo"_s);
    operates.setExclusive(true);
    db::Table items(u"OperateItems.DB"_s);
    items.setIndexName(u"OperateNo"_s);
    items.setMaster(&operates, u"OperateNo"_s, u"OperateNO"_s);
    cust.open();
    linkman.open();
    operates.open();
    items.open();

    const int steps = std::min(wanted, cust.recordCount() - 1);
    if (steps <= 0)
        throw std::runtime_error("too few customers to scroll");
    std::vector<std::int64_t> custNos;
    const int custNoField = cust.fieldIndex(u"CustNo"_s);
    for (int row = 1; row <= steps; ++row)
        custNos.push_back(cust.rowValue(row, custNoField).toLongLong());

    const Select linkSel = tableSelect(u"Linkmans.db"_s, {u"\"CustNo\""_s}, u"CustNo"_s);
    const Select opSel = tableSelect(u"Operates.db"_s, {u"\"CustNo\""_s}, u"CustNo"_s);
    const Select itemSel = tableSelect(u"OperateItems.DB"_s, {u"\"OperateNo\""_s}, u"OperateNo"_s);

    struct Rows {
        std::int64_t linkmans = 0, operates = 0, items = 0;
        bool operator==(const Rows &) const = default;
    };
    Rows oursRows, rawRows;

    const auto ours = [&] {
        cust.moveTo(0);
        oursRows = {};
        return Measure::time([&] {
            for (int i = 0; i < steps; ++i) {
                cust.next();
                oursRows.linkmans += linkman.recordCount();
                oursRows.operates += operates.recordCount();
                oursRows.items += items.recordCount();
            }
        });
    };
    const auto raw = [&] {
        rawRows = {};
        return Measure::time([&] {
            RawStatement l(m_conn.handle(), linkSel.sql), o(m_conn.handle(), opSel.sql), it(m_conn.handle(), itemSel.sql);
            for (const std::int64_t no : custNos) {
                l.bindInt(1, no);
                rawRows.linkmans += l.readAll();
                l.reset();
                o.bindInt(1, no);
                std::int64_t first = -1;
                while (o.step()) {
                    if (first < 0)
                        first = o.int64(0);
                    RawStatement::sink += o.readRow();
                    ++rawRows.operates;
                }
                o.reset();
                if (first >= 0) {
                    it.bindInt(1, first);
                    rawRows.items += it.readAll();
                    it.reset();
                }
            }
        });
    };
    const auto r = Measure::compare(m_runs, ours, raw);
    if (!(oursRows == rawRows))
        throw std::runtime_error("the scroll read different rows through the data layer and raw");
    char step[64];
    std::snprintf(step, sizeof step, "scroll_%d_customers", steps);
    report(step, r);
    report("scroll_step", {r.oursMs / steps, r.rawMs / steps});
    if (m_breakdown) {
        std::printf("#   scroll rows read per run: contacts=%lld business=%lld items=%lld\n",
                    static_cast<long long>(rawRows.linkmans), static_cast<long long>(rawRows.operates),
                    static_cast<long long>(rawRows.items));
    }
}
