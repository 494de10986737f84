#pragma once
#include "platform/db/Dataset.h"

#include <QLockFile>
#include <QPointer>

namespace db {

class Statement;

// A table opened by its file name ("Customers.db"), optionally in the order of a named index,
// optionally the detail of a master dataset.
class Table : public Dataset {
    Q_OBJECT
public:
    explicit Table(QObject *parent = nullptr);
    explicit Table(const QString &tableName, QObject *parent = nullptr);
    ~Table() override;

    QString tableName() const { return m_tableName; }
    void setTableName(const QString &name);
    QString indexName() const { return m_indexName; }
    void setIndexName(const QString &name);
    bool exclusive() const { return m_exclusive; }
    void setExclusive(bool on);

    // Shows only the rows whose linkField equals the master's masterField (default: same name).
    void setMaster(Dataset *master, const QString &linkField, const QString &masterField = {});
    Dataset *master() const { return m_master; }

    // Finds a record by the values of the current index's fields (primary key without index).
    bool findKey(const QVariantList &keyValues);
    // Deletes every row of the table (not only the rows a master link shows).
    void emptyTable();

    bool canModify() const override { return true; }

protected:
    void doOpen(std::vector<Row> &rows, QVector<FieldDef> &defs) override;
    void doClose() override;
    Row doPost(const Row *original, const QVector<QVariant> &buffer, const QVector<bool> &changed) override;
    void doDelete(const Row &row) override;
    int sortedPosition(const Row &row, int currentRow) const override;
    void initRecord(QVector<QVariant> &buffer) override;
    int seekRow(int fieldIndex, const QVariant &value, LocateOptions options) const override;

private:
    void masterKeyChanged();
    QVariant masterValue() const;
    QString realTable();
    int compareRows(const Row &a, const Row &b) const;
    int lowerBound(const QVector<QVariant> &key) const;

    QString m_tableName;
    QString m_realName;
    QString m_indexName;
    bool m_exclusive = false;
    std::unique_ptr<QLockFile> m_lock;
    QPointer<Dataset> m_master;
    QString m_linkField;
    QString m_masterField;
    QVariant m_loadedKey;
    QVector<int> m_orderFields; // field indexes of the browse order
    QVector<bool> m_orderNoCase;
    std::unique_ptr<Statement> m_select;
    QVector<FieldDef> m_defs;
};

} // namespace db
