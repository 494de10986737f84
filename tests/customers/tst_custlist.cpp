// The customer list: building the work table, the grouped grid over it, and opening a customer.
#include "FakeServices.h"
#include "TempProgramFolder.h"

#include "customers/CustListBuilder.h"
#include "customers/GroupedGrid.h"
#include "customers/GroupedGridModel.h"
#include "customers/GroupedGridPanel.h"
#include "customers/TfrmCustList.h"
#include "platform/db/Query.h"
#include "platform/widgets/DatasetModel.h"
#include "store/DMOrvane.h"
#include "store/General.h"

#include <QHeaderView>
#include <QLockFile>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>

using namespace Qt::StringLiterals;
using customers::GroupedGrid;
using customers::GroupedGridModel;
using customers::TfrmCustList;

namespace {

struct Customer
{
    int no;
    QString name;
    QString created; // ISO date
    QString level;
    QString district;
    bool consult = false;
};

// Columns of the list's grid.
enum Column { ColNo, ColName, ColCount, ColSum, ColLevel, ColCreated, ColDistrict, ColConsult };

} // namespace

class TestCustList : public QObject
{
    Q_OBJECT
    std::unique_ptr<fake::Services> m_services;
    std::unique_ptr<testing::TempProgramFolder> m_folder;
    std::unique_ptr<store::TDMOrvane> m_dm;
    std::unique_ptr<TfrmCustList> m_window;
    QStringList m_panelMoves; // every folder the attachment panel was pointed at
    QString m_caption;

    void addCustomer(const Customer &c)
    {
        m_folder->exec(u"INSERT INTO Customers (CustNo, CustName_S, CreateTime, CustLevel, CustDistdb, IsConsult, AccessoryPath) "
                       "VALUES (%1, '%2', '%3', '%4', '%5', %6, '%2')"_s
                           .arg(c.no)
                           .arg(c.name, c.created, c.level, c.district)
                           .arg(c.consult ? 1 : 0));
    }
    void addBusiness(int custNo, const QString &title, const QString &amount)
    {
        m_folder->exec(u"INSERT INTO Operates (CustNo, OperateTitle, GoalAmount, CreateTime) VALUES (%1, '%2', %3, '2024-04-01')"_s
                           .arg(custNo)
                           .arg(title, amount));
    }
    void open()
    {
        m_window = std::make_unique<TfrmCustList>(*m_dm);
        m_window->resize(900, 560);
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void build()
    {
        open();
        QVERIFY(m_window->buildList());
        m_panelMoves.clear();
    }
    GroupedGrid *grid() const { return m_window->frm; }
    QTreeView *view() const { return grid()->view(); }
    GroupedGridModel *model() const { return grid()->groupModel(); }
    db::Table &list() const { return *m_dm->tlbCustList; }
    // Texts of one column down the ungrouped grid, in view order.
    QStringList columnTexts(int column) const
    {
        QStringList texts;
        for (int r = 0; r < model()->rowCount(); ++r)
            texts << model()->index(r, column).data().toString();
        return texts;
    }
    int listRowOf(const QString &name, const QString &created = {}) const
    {
        for (int r = 0; r < list().viewRowCount(); ++r) {
            const int nameField = list().fieldIndex(u"CustName_S"_s), dateField = list().fieldIndex(u"CreateTime"_s);
            if (list().rowValue(r, nameField).toString() == name
                && (created.isEmpty() || list().rowValue(r, dateField).toDate() == QDate::fromString(created, Qt::ISODate)))
                return r;
        }
        return -1;
    }
    void clickRow(int datasetRow, bool twice = false)
    {
        const QModelIndex index = grid()->viewIndex(datasetRow, ColName);
        QVERIFY(index.isValid());
        view()->scrollTo(index);
        const QPoint at = view()->visualRect(index).center();
        if (twice) {
            // As the system delivers one: press, release, double click, release.
            QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(view()->viewport(), Qt::LeftButton, {}, at);
        }
        else
            QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, at);
    }
    void dropHeaderOnPanel(int column)
    {
        customers::GroupedGridPanel *panel = grid()->groupPanel();
        std::unique_ptr<QMimeData> data(customers::GroupedGridPanel::columnMimeData(column));
        const QPoint at(panel->width() - 10, panel->height() / 2);
        // The drop goes to the widget that accepted the drag's entry.
        QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(panel, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(panel, &drop);
        QVERIFY(drop.isAccepted());
    }
    void triggerHeaderMenu(int column, const QString &actionName)
    {
        std::unique_ptr<QMenu> menu(grid()->createHeaderMenu(column));
        auto *action = menu->findChild<QAction *>(actionName);
        QVERIFY(action);
        QVERIFY(action->isEnabled());
        action->trigger();
    }
    void grab(const QString &name)
    {
        if (!qEnvironmentVariableIsEmpty("CRM_GRAB_DIR"))
            QVERIFY(m_window->grab().save(QDir(qEnvironmentVariable("CRM_GRAB_DIR")).filePath(name)));
    }

private slots:
    void init()
    {
        m_services = std::make_unique<fake::Services>();
        m_folder = std::make_unique<testing::TempProgramFolder>();
        crm::AppPath = m_folder->appPath();
        crm::AccessoryRoot = crm::AppPath + u"Accessory/"_s;
        crm::CustListMode.clear();
        m_dm = std::make_unique<store::TDMOrvane>();
        store::DMOrvane = m_dm.get();
        m_panelMoves.clear();
        m_dm->hooks.pointAttachmentPanel = [this](const QString &folder) {
            m_panelMoves << folder;
            return true;
        };
        m_dm->hooks.attachmentPanelPath = [this] { return m_panelMoves.value(m_panelMoves.size() - 1); };
        m_dm->hooks.setMainCaption = [this](const QString &caption) { m_caption = caption; };
    }
    void cleanup()
    {
        m_window.reset();
        store::DMOrvane = nullptr;
        m_dm.reset();
        m_folder.reset();
        m_services.reset();
        crm::CustListMode.clear();
    }

    // Numbers follow the creation date (newest first), the grid starts sorted by short name,
    // and customers without business show 0 and ￥0.
    void buildsCountsAndSums()
    {
        addCustomer({1, u"华信广告"_s, u"2024-03-01"_s, u"VIP客户"_s, u"北京"_s, true});
        addCustomer({2, u"新月翻译"_s, u"2024-05-10"_s, u"普通客户"_s, u"上海"_s});
        addCustomer({3, u"蓝海网络"_s, u"2023-12-20"_s, u"潜在客户"_s, u"广州"_s});
        addBusiness(1, u"年度画册"_s, u"120000"_s);
        addBusiness(1, u"展会搭建"_s, u"80000.5"_s);
        addBusiness(3, u"官网改版"_s, u"NULL"_s); // no amount yet
        open();
        QVERIFY(m_window->buildList());

        QCOMPARE(m_folder->scalar(u"SELECT group_concat(CAST(No AS INTEGER) || ':' || CustName_S || ':' || CAST(OperateCount AS INTEGER) || ':' || SumGoalAmount, ' | ') "
                                  "FROM (SELECT * FROM TempCustList ORDER BY No)"_s)
                     .toString(),
                 u"1:新月翻译:0:0 | 2:华信广告:2:200000.5 | 3:蓝海网络:1:0"_s);
        QCOMPARE(columnTexts(ColName), (QStringList{u"华信广告"_s, u"蓝海网络"_s, u"新月翻译"_s}));
        QCOMPARE(columnTexts(ColNo), (QStringList{u"2"_s, u"3"_s, u"1"_s}));
        QCOMPARE(columnTexts(ColCount), (QStringList{u"2"_s, u"1"_s, u"0"_s}));
        QCOMPARE(columnTexts(ColSum), (QStringList{u"￥200,001"_s, u"￥0"_s, u"￥0"_s}));
        QCOMPARE(columnTexts(ColCreated), (QStringList{u"2024/3/1"_s, u"2023/12/20"_s, u"2024/5/10"_s}));
        QStringList headers;
        for (int c = 0; c < model()->columnCount(); ++c)
            headers << model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headers, (QStringList{u"序号"_s, u"客户简称"_s, u"业务数量"_s, u"合同总额"_s, u"客户级别"_s, u"建档日期"_s,
                                       u"客户区域"_s, u"顾问单位"_s}));

        // The list stands on its first row (number 1) and the panel shows that customer's folder.
        QCOMPARE(list().field(u"No"_s).asInteger(), 1);
        QCOMPARE(view()->currentIndex(), grid()->viewIndex(list().recNo(), ColNo));
        QCOMPARE(m_panelMoves, QStringList{crm::AccessoryRoot + u"新月翻译"_s});
        QCOMPARE(m_caption, u"Kelvor中小企业客户管理－附件夹路径："_s + crm::AccessoryRoot + u"新月翻译"_s);
        QVERIFY(crm::CustListMode.isEmpty());
        QVERIFY(grid()->view()->hasFocus());
        QVERIFY(!m_dm->QryCustList->isActive());
        QCOMPARE(m_window->reportDataset(), m_dm->tlbCustList);

        // A click on "序号" restores the creation order; a second click reverses it.
        QHeaderView *header = view()->header();
        const QPoint noHeader(header->sectionViewportPosition(ColNo) + header->sectionSize(ColNo) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, noHeader);
        QCOMPARE(columnTexts(ColName), (QStringList{u"新月翻译"_s, u"华信广告"_s, u"蓝海网络"_s}));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, noHeader);
        QCOMPARE(columnTexts(ColNo), (QStringList{u"3"_s, u"2"_s, u"1"_s}));

        // A snapshot: a customer added afterwards appears with the next build only.
        addCustomer({4, u"远航物流"_s, u"2024-05-12"_s, u"普通客户"_s, u"天津"_s});
        QCOMPARE(model()->rowCount(), 3);
        QVERIFY(m_window->buildList());
        QCOMPARE(model()->rowCount(), 4);
        QCOMPARE(list().field(u"CustName_S"_s).asString(), u"远航物流"_s);
    }

    // The work table holds the figures of the data module's QryCustList, row for row: customers
    // agreeing in all six grouped fields fall into one row, others stay apart.
    void listHoldsTheListQuerysFigures()
    {
        addCustomer({1, u"华信广告"_s, u"2024-03-01"_s, u"VIP客户"_s, u"北京"_s, true});
        addCustomer({2, u"华信广告"_s, u"2024-03-01"_s, u"VIP客户"_s, u"北京"_s, true}); // the same in all six
        addCustomer({3, u"华信广告"_s, u"2022-08-08"_s, u"VIP客户"_s, u"北京"_s, true});
        addCustomer({4, u"新月翻译"_s, u"2024-05-10"_s, u"普通客户"_s, u"上海"_s});
        addCustomer({5, u"蓝海网络"_s, u"2023-12-20"_s, u"潜在客户"_s, u"广州"_s});
        m_folder->exec(u"UPDATE Customers SET CustDistdb = NULL, CustLevel = NULL WHERE CustNo = 5"_s);
        addBusiness(1, u"年度画册"_s, u"120000"_s);
        addBusiness(2, u"展会搭建"_s, u"80000"_s);
        addBusiness(2, u"户外广告"_s, u"1500.25"_s);
        addBusiness(3, u"宣传单"_s, u"900"_s);
        addBusiness(5, u"官网改版"_s, u"NULL"_s);
        build();

        db::Query &query = *m_dm->QryCustList;
        query.open();
        QCOMPARE(list().recordCount(), query.recordCount());
        QCOMPARE(list().recordCount(), 4);
        for (query.first(); !query.eof(); query.next()) {
            const int no = query.recNo() + 1;
            QVERIFY(list().locate(u"No"_s, no));
            for (const QString &f : {u"CustName_S"_s, u"CreateTime"_s, u"CustLevel"_s, u"IsConsult"_s, u"custdistdb"_s, u"AccessoryPath"_s})
                QCOMPARE(list().field(f).asString(), query.field(f).asString());
            QCOMPARE(list().field(u"OperateCount"_s).asInteger(), query.field(u"OperateCount"_s).asInteger());
            // A sum of nothing known is shown as 0 (the query leaves it empty).
            QCOMPARE(list().field(u"SumGoalAmount"_s).asFloat(), query.field(u"SumGoalAmount"_s).asFloat());
        }
        QVERIFY(list().locate(u"No"_s, 2));
        QCOMPARE(list().field(u"OperateCount"_s).asInteger(), 3);
        QCOMPARE(list().field(u"SumGoalAmount"_s).asFloat(), 201500.25);
    }

    void emptyDatabaseGivesAnEmptyList()
    {
        open();
        QVERIFY(m_window->buildList());
        QCOMPARE(list().recordCount(), 0);
        QCOMPARE(model()->rowCount(), 0);
        QCOMPARE(m_panelMoves, QStringList{crm::AccessoryRoot});
        QVERIFY(m_services->messages.shown.isEmpty());
    }

    // The marker is clear again however the build ends, and a failed build keeps the last list.
    void failedBuildClearsTheMarker_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("work table held by another program") << u"lock"_s;
        QTest::newRow("filling fails") << u"insert"_s;
    }
    void failedBuildClearsTheMarker()
    {
        QFETCH(QString, failure);
        addCustomer({1, u"华信广告"_s, u"2024-03-01"_s, u"VIP客户"_s, u"北京"_s});
        build();
        addCustomer({2, u"新月翻译"_s, u"2024-05-10"_s, u"普通客户"_s, u"上海"_s});
        std::unique_ptr<QLockFile> otherProgram;
        if (failure == u"lock"_s) {
            list().close();
            otherProgram = std::make_unique<QLockFile>(m_folder->path(u"data/TempCustList.lck"_s));
            QVERIFY(otherProgram->tryLock(0));
        } else {
            m_folder->exec(u"CREATE TRIGGER full BEFORE INSERT ON TempCustList BEGIN SELECT RAISE(ABORT, '磁盘已满'); END"_s);
        }

        QVERIFY(!m_window->buildList());
        QVERIFY(crm::CustListMode.isEmpty());
        QCOMPARE(m_services->messages.shown.size(), 1);
        QCOMPARE(m_services->messages.shown[0].icon, sys::Icon::Critical);
        QVERIFY2(m_services->messages.shown[0].text.contains(failure == u"lock"_s ? u"独占"_s : u"磁盘已满"_s),
                 qPrintable(m_services->messages.shown[0].text));
        QCOMPARE(m_folder->scalar(u"SELECT group_concat(CustName_S) FROM TempCustList"_s).toString(), u"华信广告"_s);

        // Scrolling the list moves the panel again.
        otherProgram.reset();
        list().open();
        list().last();
        QCOMPARE(m_panelMoves.value(m_panelMoves.size() - 1), crm::AccessoryRoot + u"华信广告"_s);
    }

    // A click, or a move with the keyboard, points the attachment panel at the row's folder.
    void rowMovesFollowTheAttachmentPanel()
    {
        addCustomer({1, u"华信广告"_s, u"2024-03-01"_s, u"VIP客户"_s, u"北京"_s});
        addCustomer({2, u"新月翻译"_s, u"2024-05-10"_s, u"普通客户"_s, u"上海"_s});
        addCustomer({3, u"蓝海网络"_s, u"2023-12-20"_s, u"潜在客户"_s, u"广州"_s});
        build();

        clickRow(listRowOf(u"华信广告"_s));
        QCOMPARE(list().field(u"CustName_S"_s).asString(), u"华信广告"_s);
        QCOMPARE(m_panelMoves.value(m_panelMoves.size() - 1), crm::AccessoryRoot + u"华信广告"_s);

        QTest::keyClick(view(), Qt::Key_Down); // next by short name
        QCOMPARE(list().field(u"CustName_S"_s).asString(), u"蓝海网络"_s);
        QCOMPARE(m_panelMoves.value(m_panelMoves.size() - 1), crm::AccessoryRoot + u"蓝海网络"_s);

        // A click on the row already current brings the panel back from wherever it went.
        m_panelMoves << u"/elsewhere"_s;
        clickRow(list().recNo());
        QCOMPARE(m_panelMoves.value(m_panelMoves.size() - 1), crm::AccessoryRoot + u"蓝海网络"_s);
    }

    // Several customers of one name stay separate rows and group together with their sums.
    void groupsWithCountsAndSums()
    {
        addCustomer({1, u"张三律所"_s, u"2023-01-05"_s, u"VIP客户"_s, u"北京"_s});
        addCustomer({2, u"张三律所"_s, u"2024-02-01"_s, u"普通客户"_s, u"上海"_s});
        addCustomer({3, u"华信广告"_s, u"2024-03-01"_s, u"VIP客户"_s, u"北京"_s});
        addBusiness(1, u"合同审查"_s, u"3000"_s);
        addBusiness(2, u"法律顾问"_s, u"12000"_s);
        addBusiness(2, u"诉讼代理"_s, u"50000"_s);
        addBusiness(3, u"年度画册"_s, u"120000"_s);
        build();
        QCOMPARE(model()->rowCount(), 3);
        const int noWidth = view()->columnWidth(ColNo);
        view()->setColumnWidth(ColSum, 150); // widths the user sets stay through grouping

        dropHeaderOnPanel(ColName);
        QCOMPARE(model()->groupColumns(), QList<int>{ColName});
        QCOMPARE(model()->rowCount(), 2);
        const QModelIndex zhang = model()->index(1, 0);
        QVERIFY(model()->isGroup(zhang));
        QCOMPARE(model()->groupText(zhang), u"客户简称：张三律所（2 条记录，业务数量合计：3，合同总额合计：￥65,000）"_s);
        QCOMPARE(model()->rowCount(zhang), 2);
        QVERIFY(view()->isExpanded(zhang));
        QVERIFY(view()->isColumnHidden(ColName)); // the group row carries the name
        QCOMPARE(grid()->groupPanel()->chips().size(), 1);

        // A second level from the header's menu; the level groups sort and sum on their own.
        triggerHeaderMenu(ColLevel, u"actGroupBy"_s);
        QCOMPARE(model()->groupColumns(), (QList<int>{ColName, ColLevel}));
        const QModelIndex zhangByLevel = model()->index(1, 0);
        QCOMPARE(model()->rowCount(zhangByLevel), 2);
        QCOMPARE(model()->groupText(model()->index(0, 0, zhangByLevel)),
                 u"客户级别：普通客户（1 条记录，业务数量合计：2，合同总额合计：￥62,000）"_s);

        // Regrouped by level alone (Chinese collation puts Han before Latin); a click on the
        // chip flips the order of the groups.
        triggerHeaderMenu(-1, u"actUngroupAll"_s);
        grid()->groupBy(ColLevel);
        auto groupValues = [this] {
            QStringList values;
            for (int r = 0; r < model()->rowCount(); ++r)
                values << model()->groupValueText(model()->index(r, 0));
            return values;
        };
        QCOMPARE(groupValues(), (QStringList{u"普通客户"_s, u"VIP客户"_s}));
        QCOMPARE(model()->groupRowCount(model()->index(0, 0)), 1);
        QCOMPARE(model()->groupSum(model()->index(1, 0), ColSum).toDouble(), 123000.0);
        auto *chipOrder = grid()->groupPanel()->findChild<QToolButton *>(u"groupChipOrder"_s);
        QVERIFY(chipOrder);
        QTest::mouseClick(chipOrder, Qt::LeftButton);
        QCOMPARE(groupValues(), (QStringList{u"VIP客户"_s, u"普通客户"_s}));

        // Collapsing stays through a re-sort; the current row follows the dataset cursor.
        view()->collapse(model()->index(0, 0));
        grid()->sortBy(ColSum, Qt::DescendingOrder);
        QVERIFY(!view()->isExpanded(model()->index(0, 0)));
        QVERIFY(view()->isExpanded(model()->index(1, 0)));
        QCOMPARE(model()->datasetRow(model()->index(0, 0, model()->index(0, 0))), listRowOf(u"华信广告"_s));
        list().moveTo(listRowOf(u"张三律所"_s, u"2024-02-01"_s));
        QCOMPARE(model()->datasetRow(view()->currentIndex()), list().recNo());

        auto *remove = grid()->groupPanel()->findChild<QToolButton *>(u"groupChipRemove"_s);
        QVERIFY(remove);
        QTest::mouseClick(remove, Qt::LeftButton);
        QVERIFY(model()->groupColumns().isEmpty());
        QCOMPARE(model()->rowCount(), 3);
        QVERIFY(!view()->isColumnHidden(ColName));
        QCOMPARE(view()->columnWidth(ColNo), noWidth);
        QCOMPARE(view()->columnWidth(ColSum), 150);
    }

    // The hidden check column "顾问单位" is shown from the header's menu.
    void hiddenConsultColumnCanBeShown()
    {
        addCustomer({1, u"华信广告"_s, u"2024-03-01"_s, u"VIP客户"_s, u"北京"_s, true});
        addCustomer({2, u"新月翻译"_s, u"2024-05-10"_s, u"普通客户"_s, u"上海"_s});
        build();
        QVERIFY(view()->isColumnHidden(ColConsult));
        triggerHeaderMenu(ColName, u"actShow_IsConsult"_s);
        QVERIFY(!view()->isColumnHidden(ColConsult));
        const QModelIndex cell = grid()->viewIndex(listRowOf(u"华信广告"_s), ColConsult);
        QCOMPARE(cell.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        grid()->groupBy(ColConsult);
        QCOMPARE(model()->groupValueText(model()->index(0, 0)), u"否"_s);
    }

    // A double click opens the customer of the row: the first of that name in the short-name
    // index, found without regard to case.
    void doubleClickOpensTheCustomer_data()
    {
        QTest::addColumn<QString>("rowName");
        QTest::addColumn<QString>("rowCreated");
        QTest::addColumn<QString>("renameTo"); // the customer's name changed after the list was built
        QTest::addColumn<int>("openedNo");
        QTest::addColumn<QString>("openedCreated");
        QTest::newRow("only one of that name") << u"蓝海网络"_s << QString() << QString() << 3 << u"2023/12/20"_s;
        QTest::newRow("older of two of one name") << u"张三律所"_s << u"2023-01-05"_s << QString() << 1 << u"2023/1/5"_s;
        QTest::newRow("newer of two of one name") << u"张三律所"_s << u"2024-02-01"_s << QString() << 1 << u"2023/1/5"_s;
        QTest::newRow("letter case differs") << u"Delta设计"_s << QString() << u"DELTA设计"_s << 4 << u"2024/4/4"_s;
    }
    void doubleClickOpensTheCustomer()
    {
        QFETCH(QString, rowName);
        QFETCH(QString, rowCreated);
        QFETCH(QString, renameTo);
        QFETCH(int, openedNo);
        QFETCH(QString, openedCreated);
        addCustomer({1, u"张三律所"_s, u"2023-01-05"_s, u"VIP客户"_s, u"北京"_s});
        addCustomer({2, u"张三律所"_s, u"2024-02-01"_s, u"普通客户"_s, u"上海"_s});
        addCustomer({3, u"蓝海网络"_s, u"2023-12-20"_s, u"潜在客户"_s, u"广州"_s});
        addCustomer({4, u"Delta设计"_s, u"2024-04-04"_s, u"普通客户"_s, u"深圳"_s});
        addBusiness(openedNo, u"首单"_s, u"1000"_s);
        build();
        if (!renameTo.isEmpty()) { // as the customer detail window does
            QVERIFY(m_dm->tlbCust->locate(u"CustNo"_s, 4));
            m_dm->tlbCust->edit();
            m_dm->tlbCust->field(u"CustName_S"_s).setValue(renameTo);
            m_dm->tlbCust->post();
            m_dm->tlbCust->first();
        }
        QSignalSpy opened(m_window.get(), &TfrmCustList::customerOpened);

        clickRow(listRowOf(rowName, rowCreated), true);

        QCOMPARE(opened.size(), 1);
        const QString shown = renameTo.isEmpty() ? rowName : renameTo;
        QCOMPARE(opened[0][0].toString(), shown);
        QCOMPARE(opened[0][1].toString(), openedCreated);
        QCOMPARE(m_dm->tlbCust->field(u"CustNo"_s).asInteger(), openedNo);
        for (db::Table *t : {m_dm->tlbLinkman, m_dm->tlbOperates, m_dm->tlbType, m_dm->tlbOrigin, m_dm->tlbEvolveType,
                             m_dm->tlbOperateItems, m_dm->tlbAlarm})
            QVERIFY2(t->isActive(), qPrintable(t->objectName()));
        QCOMPARE(m_dm->tlbOperates->field(u"OperateTitle"_s).asString(), u"首单"_s); // the details follow
        QCOMPARE(m_panelMoves.value(m_panelMoves.size() - 1), crm::AccessoryRoot + rowName);
        QVERIFY(m_services->messages.shown.isEmpty());
    }

    // A customer deleted after the list was built is not replaced by whichever one was current.
    void doubleClickOnAVanishedCustomerSaysSo()
    {
        addCustomer({1, u"华信广告"_s, u"2024-03-01"_s, u"VIP客户"_s, u"北京"_s});
        addCustomer({2, u"新月翻译"_s, u"2024-05-10"_s, u"普通客户"_s, u"上海"_s});
        build();
        m_dm->tlbCust->open();
        m_dm->tlbCust->locate(u"CustNo"_s, 1);
        m_folder->exec(u"DELETE FROM Customers WHERE CustNo = 2"_s);
        m_dm->tlbCust->refresh();
        QSignalSpy opened(m_window.get(), &TfrmCustList::customerOpened);

        clickRow(listRowOf(u"新月翻译"_s), true);

        QCOMPARE(opened.size(), 0);
        QCOMPARE(m_dm->tlbCust->field(u"CustNo"_s).asInteger(), 1);
        QCOMPARE(m_services->messages.shown.size(), 1);
        QCOMPARE(m_services->messages.shown[0].icon, sys::Icon::Warning);
        QVERIFY(m_services->messages.shown[0].text.contains(u"新月翻译"_s));
    }

    // For a look at the list as users see it (CRM_GRAB_DIR=<folder>).
    void screenshotWithGrouping()
    {
        if (qEnvironmentVariableIsEmpty("CRM_GRAB_DIR"))
            QSKIP("set CRM_GRAB_DIR to save screenshots");
        const QList<Customer> office{
            {1, u"华信广告"_s, u"2023-03-01"_s, u"VIP客户"_s, u"北京"_s, true},
            {2, u"新月翻译"_s, u"2024-05-10"_s, u"普通客户"_s, u"上海"_s},
            {3, u"蓝海网络"_s, u"2023-12-20"_s, u"潜在客户"_s, u"广州"_s},
            {4, u"远航物流"_s, u"2022-07-18"_s, u"VIP客户"_s, u"天津"_s, true},
            {5, u"博文咨询"_s, u"2024-01-09"_s, u"普通客户"_s, u"北京"_s},
            {6, u"金桥会展"_s, u"2023-06-30"_s, u"VIP客户"_s, u"上海"_s},
            {7, u"万家装饰"_s, u"2024-02-14"_s, u"普通客户"_s, u"深圳"_s},
            {8, u"正信会计"_s, u"2022-11-02"_s, u"VIP客户"_s, u"北京"_s, true},
            {9, u"东方律所"_s, u"2023-09-12"_s, u"黑名单"_s, u"杭州"_s},
            {10, u"星河传媒"_s, u"2024-04-21"_s, u"潜在客户"_s, u"成都"_s},
            {11, u"张三律所"_s, u"2023-01-05"_s, u"普通客户"_s, u"北京"_s},
            {12, u"张三律所"_s, u"2024-03-11"_s, u"普通客户"_s, u"南京"_s},
        };
        for (const Customer &c : office)
            addCustomer(c);
        const QList<std::tuple<int, QString, QString>> deals{
            {1, u"年度画册"_s, u"120000"_s}, {1, u"展会搭建"_s, u"86000"_s},  {1, u"户外广告"_s, u"45500"_s},
            {2, u"合同翻译"_s, u"8800"_s},   {4, u"华东专线"_s, u"260000"_s}, {4, u"仓储外包"_s, u"98000"_s},
            {5, u"管理咨询"_s, u"30000"_s},  {6, u"春季展会"_s, u"150000"_s}, {7, u"办公室装修"_s, u"76000"_s},
            {8, u"年度审计"_s, u"42000"_s},  {8, u"税务筹划"_s, u"18000"_s},  {11, u"合同审查"_s, u"3000"_s},
            {12, u"法律顾问"_s, u"12000"_s}, {12, u"诉讼代理"_s, u"50000"_s},
        };
        for (const auto &[no, title, amount] : deals)
            addBusiness(no, title, amount);
        build();
        grab(u"frmCustList.png"_s);
        grid()->groupBy(ColLevel);
        grid()->sortBy(ColSum, Qt::DescendingOrder);
        view()->collapse(model()->index(0, 0)); // 潜在客户
        grab(u"frmCustList-grouped.png"_s);
    }
};

QTEST_MAIN(TestCustList)
#include "tst_custlist.moc"
