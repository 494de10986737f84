// A new database: every table with its fields, keys, indexes and the protected-delete rule.
#include "TempProgramFolder.h"

#include "platform/db/Connection.h"
#include "platform/db/Table.h"
#include "store/Schema.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestSchema : public QObject {
    Q_OBJECT
private slots:
    void newDatabaseHasEveryTableWithItsFields()
    {
        testing::TempProgramFolder folder;
        QVERIFY(QFile::exists(folder.dataPath() + u"/CRM.sqlite"_s));
        for (const store::TableDef &def : store::schema()) {
            db::Table t(def.fileName.toLower()); // names match without regard to case
            t.open();
            QCOMPARE(t.fieldCount(), def.fields.size());
            for (const db::FieldDef &f : def.fields) {
                const db::Field &field = t.field(f.name.toUpper());
                QCOMPARE(field.type(), f.type);
                QCOMPARE(field.size(), f.size);
            }
            for (const store::IndexDef &ix : def.indexes) {
                db::Table byIndex(def.fileName);
                byIndex.setIndexName(ix.name);
                byIndex.open();
            }
        }
        QCOMPARE(folder.scalar(u"SELECT Rate FROM ExchangeRate WHERE CurrID = 'RMB'"_s).toDouble(), 1.0);
    }

    void existingDatabaseIsKept()
    {
        testing::TempProgramFolder folder;
        folder.exec(u"INSERT INTO Customers (CustName_S) VALUES ('留存')"_s);
        db::Connection::closeAlias();
        QVERIFY(!store::openDatabase(folder.dataPath()));
        QCOMPARE(folder.scalar(u"SELECT COUNT(*) FROM Customers"_s).toInt(), 1);
    }

    void caseInsensitiveNameIndexIsUsed()
    {
        testing::TempProgramFolder folder;
        QVERIFY(folder.scalar(u"SELECT COUNT(*) FROM sqlite_master WHERE name = 'Customers_idx_name' AND sql LIKE '%NOCASE%'"_s).toInt() == 1);
        QVERIFY(folder.scalar(u"SELECT COUNT(*) FROM sqlite_master WHERE name = 'Operates_idx_title' AND sql LIKE '%NOCASE%'"_s).toInt() == 1);
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
