#pragma once
#include "platform/db/Error.h"
#include "platform/db/Field.h"

#include <QObject>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

namespace db {

class Connection;

enum class State { Inactive, Browse, Edit, Insert };

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false;
};

// A set of rows with a cursor, shared by the windows that show it.
// Editing rules: moving the cursor, append or insert while a record is being edited
// posts it when it was modified and cancels it otherwise; edit on an empty dataset inserts;
// setting a field in browse state is an error.
class Dataset : public QObject {
    Q_OBJECT
public:
    explicit Dataset(QObject *parent = nullptr);
    ~Dataset() override;

    QString alias() const { return m_alias; }
    void setAlias(const QString &alias) { m_alias = alias; }

    void open();
    void close();
    bool isActive() const { return m_state != State::Inactive; }
    void setActive(bool on) { on ? open() : close(); }
    // Re-reads the rows, keeping the cursor on the same record where it still exists.
    void refresh();

    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }

    // Navigation.
    void first();
    void last();
    void next();
    void prior();
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    int recNo() const { return m_cur; } // 0-based row of the cursor, -1 when empty
    void moveTo(int row);
    bool locate(const QString &fieldName, const QVariant &value, LocateOptions options = {});

    // Editing.
    void edit();
    void append();
    void insert();
    void post();
    void cancel();
    void remove();
    bool isModified() const { return m_modified; }
    void setModified(bool on) { m_modified = on; }
    // Posts a modified record and cancels an unmodified one (before moving, appending ...).
    void checkBrowseMode();

    // Fields of the current record.
    int fieldCount() const { return int(m_fields.size()); }
    Field &field(int index) const { return *m_fields[size_t(index)]; }
    Field &field(const QString &name) const; // throws when missing
    Field &fieldByName(const QString &name) const { return field(name); }
    Field *findField(const QString &name) const;
    int fieldIndex(const QString &name) const; // -1 when missing
    QStringList fieldNames() const;
    // A display format that stays with the field across close and open.
    void setDisplayFormat(const QString &fieldName, const QString &pattern);

    // Row access for views, without moving the cursor (row 0..viewRowCount()-1; includes
    // the record being inserted).
    int viewRowCount() const { return int(m_rows.size()); }
    QVariant rowValue(int row, int fieldIndex) const;

    // Value of the current record (the edit buffer while editing).
    QVariant value(int fieldIndex) const;
    void setValue(int fieldIndex, const QVariant &value);

    // Nesting guard that suspends view updates while code walks many rows.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disableCount > 0; }
    class ControlsGuard {
    public:
        explicit ControlsGuard(Dataset &ds) : m_ds(ds) { m_ds.disableControls(); }
        ~ControlsGuard() { m_ds.enableControls(); }
    private:
        Dataset &m_ds;
    };

    // Hooks set by the dataset's owner. beforePost returning false refuses the post:
    // the record is cancelled and nothing is written.
    std::function<bool(Dataset &)> beforePost;
    std::function<void(Dataset &)> afterPost;
    std::function<void(Dataset &)> afterScroll;
    std::function<void(Dataset &)> afterOpen;
    std::function<void(Dataset &)> onNewRecord;
    std::function<void(Dataset &)> beforeDelete;

    // Whether the rows can be edited (tables, live single-table queries).
    virtual bool canModify() const { return false; }

signals:
    void opened();
    void closed();
    void rowsReset();               // the whole row set was re-read
    void rowInserted(int row);
    void rowRemoved(int row);
    void rowChanged(int row);       // values of a row changed (post, cancel)
    void currentChanged(int row);   // the cursor moved to another record
    void recordChanged();           // the current record must be shown again
    void stateChanged(db::State state);
    void fieldChanged(int fieldIndex);
    void updatingRecord();          // editors write their pending text before a post or move
    void keyChanged();              // the current record's identity changed (for detail datasets)

protected:
    struct Row {
        qint64 rowid = 0;
        QVector<QVariant> values;
    };

    // Subclasses load rows and describe their fields.
    virtual void doOpen(std::vector<Row> &rows, QVector<FieldDef> &defs) = 0;
    virtual void doClose() {}
    // Writes the record; returns its rowid (inserts) and the stored values read back.
    virtual Row doPost(const Row *original, const QVector<QVariant> &buffer, const QVector<bool> &changed);
    virtual void doDelete(const Row &row);
    // Where a posted row belongs (tables keep index order); default: where it stands.
    virtual int sortedPosition(const Row &row, int currentRow) const;
    // Fills a new record before onNewRecord (a detail table sets its link field).
    virtual void initRecord(QVector<QVariant> &buffer) { Q_UNUSED(buffer); }
    // A faster way to the row locate wants (an index); NotHandled lets locate scan.
    static constexpr int NotHandled = -2;
    static constexpr int NotFound = -1;
    virtual int seekRow(int fieldIndex, const QVariant &value, LocateOptions options) const
    {
        Q_UNUSED(fieldIndex); Q_UNUSED(value); Q_UNUSED(options);
        return NotHandled;
    }

    Connection &connection() const;
    // Re-reads the rows through doOpen; keeps the cursor on the same record when asked to.
    void reloadRows(bool keepPosition);
    void setFieldDefs(const QVector<FieldDef> &defs);
    void throwIfInactive() const;
    const std::vector<Row> &rows() const { return m_rows; }

    QString m_alias = QStringLiteral("CRM");

private:
    void setState(State s);
    void startInsert(int at);
    void moveCursor(int row, bool fireScroll = true);
    void notifyReset();
    void notifyRecord(bool keyMayChange);
    void checkValue(int fieldIndex, const QVariant &value) const;

    std::vector<std::unique_ptr<Field>> m_fields;
    QHash<QString, int> m_fieldIndex; // lower-case name -> index
    QHash<QString, QString> m_formats; // lower-case name -> display format
    std::vector<Row> m_rows;
    QVector<QVariant> m_buffer;
    QVector<bool> m_changed;
    int m_cur = -1;
    int m_editRow = -1;
    bool m_bof = true;
    bool m_eof = true;
    bool m_modified = false;
    State m_state = State::Inactive;
    int m_curBeforeInsert = -1;
    int m_disableCount = 0;
    bool m_pendingNotify = false;
};

} // namespace db
