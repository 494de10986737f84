#pragma once
#include "platform/db/Dataset.h"

#include <QStringList>
#include <QVariantMap>

namespace db {

// A statement in the system's local SQL, with named parameters (":CurYear"), translated
// for the store in one place (Dialect). A live query over one table is updatable.
class Query : public Dataset {
    Q_OBJECT
public:
    explicit Query(QObject *parent = nullptr);

    // SQL text built line by line or assigned whole; changing it closes and unprepares.
    QStringList sql() const { return m_sql; }
    void setSql(const QString &text);
    void setSql(const QStringList &lines);
    void clearSql();
    void addLine(const QString &line);
    QString sqlText() const { return m_sql.join(QLatin1Char('\n')); }

    // Named parameters; names match without regard to case.
    void setParam(const QString &name, const QVariant &value);
    QVariant param(const QString &name) const;
    QStringList paramNames(); // as they appear in the SQL

    bool requestLive() const { return m_live; }
    void setRequestLive(bool on) { m_live = on; }

    void prepare();
    void unprepare();
    bool prepared() const { return m_prepared; }
    // Runs a statement without a result set (DELETE, UPDATE, INSERT); returns rows affected.
    int execSql();

    bool canModify() const override { return m_live && !m_liveTable.isEmpty(); }

protected:
    void doOpen(std::vector<Row> &rows, QVector<FieldDef> &defs) override;
    Row doPost(const Row *original, const QVector<QVariant> &buffer, const QVector<bool> &changed) override;
    void doDelete(const Row &row) override;

private:
    void sqlChanged();
    QVariantList boundValues(const QStringList &names) const;

    QStringList m_sql;
    QVariantMap m_params; // lower-case name -> value
    bool m_live = false;
    bool m_prepared = false;
    QString m_liveTable;            // real table name when live and single-table
    QVector<int> m_columnToTable;   // result column -> table column name index (-1 = not a column)
    QStringList m_tableColumns;
};

} // namespace db
