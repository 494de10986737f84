#pragma once
#include "Measure.h"

#include <QString>
#include <QVariant>
#include <QVector>

#include <cstdint>
#include <string>
#include <vector>

namespace db { class Connection; }

// The timed steps: each runs through the program's data layer ("ours") and as the same
// SQL straight on the sqlite3 handle of the same connection ("raw"), and prints one line.
class Benchmarks {
public:
    Benchmarks(db::Connection &conn, int runs, bool breakdown);

    void openCustomers();
    void locateCustomer();
    void scrollMasterDetail(int steps);

private:
    struct Select {
        std::string sql;
        QString table; // real table name
    };
    // The statement a db::Table builds for a table, its index and an optional link field.
    Select tableSelect(const QString &table, const QStringList &orderBy, const QString &linkField = {}) const;
    // The rows through db::Statement and QVariant, without the dataset around them.
    void statementRows(const Select &select, std::vector<QVector<QVariant>> &rows) const;

    void report(const char *step, const Measure::Result &r) const;
    void note(const char *step, const char *what, double ms) const;

    db::Connection &m_conn;
    int m_runs;
    bool m_breakdown;
};
