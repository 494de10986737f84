// crm-bench: generates the target office's database once and times the data layer against
// the same SQL run raw on SQLite in the same process.
#include "Benchmarks.h"
#include "Generator.h"

#include "platform/db/Connection.h"
#include "platform/db/Error.h"
#include "store/Schema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>

#include "platform/db/Query.h"
#include "platform/report/ReportEngine.h"
#include "customers/CustListBuilder.h"
#include "store/DMOrvane.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>

#include <cstdio>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

// Bump when the generator changes, so stale caches are rebuilt.
constexpr int GeneratorVersion = 2;

long statusKb(const char *key)
{
    QFile f(u"/proc/self/status"_s);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Forgets the peak so far (Linux 4.0+), so generating the cache does not count.
bool resetPeakRss()
{
    QFile f(u"/proc/self/clear_refs"_s);
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

QString markerText(double scale, const Generator::Counts &c)
{
    return u"version=%1 scale=%2 customers=%3 linkmans=%4 operates=%5 items=%6 alarms=%7\n"_s.arg(GeneratorVersion)
        .arg(scale)
        .arg(c.customers)
        .arg(c.linkmans)
        .arg(c.operates)
        .arg(c.items)
        .arg(c.alarms);
}

// Returns true when the cache was (re)generated.
bool prepareCache(const QString &folder, double scale, bool regenerate)
{
    const QString dataFolder = QDir(folder).filePath(u"data"_s);
    const QString marker = QDir(folder).filePath(u"complete"_s);
    QFile m(marker);
    const QString expected = u"version=%1 scale=%2 "_s.arg(GeneratorVersion).arg(scale);
    if (!regenerate && m.open(QIODevice::ReadOnly) && QString::fromUtf8(m.readAll()).startsWith(expected)
        && QFile::exists(QDir(dataFolder).filePath(QString::fromLatin1(db::Connection::DatabaseFileName))))
        return false;
    m.close();
    // A half-written cache (interrupted run) is never reused: it has no marker.
    QDir(folder).removeRecursively();
    if (!QDir().mkpath(dataFolder))
        throw std::runtime_error("cannot create " + dataFolder.toStdString());
    QElapsedTimer t;
    t.start();
    const Generator::Counts c = Generator::generate(dataFolder, scale);
    std::printf("# generated in %.1f s: %d customers, %d contact persons, %d business records, %d items, %d reminders"
                " (peak_rss_mb=%ld while generating)\n",
                double(t.elapsed()) / 1000.0, c.customers, c.linkmans, c.operates, c.items, c.alarms,
                statusKb("VmHWM:") / 1024);
    QSaveFile out(marker);
    if (!out.open(QIODevice::WriteOnly) || out.write(markerText(scale, c).toUtf8()) < 0 || !out.commit())
        throw std::runtime_error("cannot write " + marker.toStdString());
    return true;
}

} // namespace

// The customer list page: TempCustList.db rebuilt from the customers and their business, then a
// customer opened from it the way a double click does.
static void customerList()
{
    store::TDMOrvane dm;
    QElapsedTimer t;
    t.start();
    customers::buildCustomerList(dm);
    const qint64 first = t.elapsed(); // cold: the store's pages and the customer table are loaded
    t.restart();
    customers::buildCustomerList(dm);
    const qint64 build = t.elapsed();
    dm.tlbCustList->moveTo(dm.tlbCustList->recordCount() / 2);
    t.restart();
    const auto opened = customers::openListCustomer(dm);
    std::printf("custlist_build_first ms=%lld\n", (long long)first);
    std::printf("custlist_build ms=%lld rows=%d\ncustlist_open_customer ms=%lld found=%d\n", (long long)build,
                dm.tlbCustList->recordCount(), (long long)t.elapsed(), opened ? 1 : 0);
}

// The customer list (every customer with its business count and sum) prepared and written to PDF.
static void reportCustomerList(const QString &folder)
{
    db::Query list;
    list.setSql(u"SELECT row_number() OVER (ORDER BY CreateTime DESC) No, * FROM ("
                "SELECT Customers.CustName_S, Customers.custdistdb, COUNT(Operates.OperateNO) OperateCount,"
                " SUM(Operates.GoalAmount) SumGoalAmount, Customers.CustLevel, Customers.IsConsult, Customers.CreateTime,"
                " Customers.AccessoryPath FROM \"Customers.DB\" Customers LEFT OUTER JOIN \"Operates.DB\" Operates"
                " ON (Customers.CustNo = Operates.CustNo) GROUP BY Customers.CustNo)"_s);
    list.open();
    list.setDisplayFormat(u"SumGoalAmount"_s, u"￥,0;-￥,0"_s);
    const QString tpl = QStringLiteral(CRM_SOURCE_DIR) + u"/resources/data/Report/CustList.frf"_s;
    QElapsedTimer t;
    t.start();
    const int pages = report::ReportEngine::renderPdf(tpl, &list, folder + u"/custlist.pdf"_s);
    std::printf("report_custlist rows=%d pages=%d ms=%lld\n", list.recordCount(), pages, (long long)t.elapsed());
}

int main(int argc, char **argv)
{
    // Reports lay out text with real fonts: a GUI application, offscreen when there is no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"crm-bench"_s);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Times the data layer on a generated office database beside raw SQLite."_s);
    parser.addHelpOption();
    const QCommandLineOption scaleOpt(u"scale"_s, u"Size of the office; 1 = 10,000 customers and 1,000,000 items."_s,
                                      u"F"_s, u"1"_s);
    const QCommandLineOption runsOpt(u"runs"_s, u"Timed runs of each step (median reported)."_s, u"N"_s, u"5"_s);
    const QCommandLineOption cacheOpt(u"cache"_s, u"Folder holding the generated databases."_s, u"DIR"_s,
                                      u"/tmp/crm-bench-cache"_s);
    const QCommandLineOption stepsOpt(u"steps"_s, u"Customers scrolled in the master-detail step."_s, u"N"_s, u"1000"_s);
    const QCommandLineOption regenOpt(u"regenerate"_s, u"Build the database again even when a complete one is cached."_s);
    const QCommandLineOption discardOpt(u"discard"_s, u"Delete the generated database after the run."_s);
    const QCommandLineOption onlyOpt(u"only"_s, u"Run only these steps: open, locate, scroll, report, custlist (comma-separated)."_s,
                                     u"STEPS"_s, u"open,locate,scroll,report,custlist"_s);
    const QCommandLineOption pageCacheOpt(u"page-cache-mb"_s,
                                          u"Give the connection an SQLite page cache of this size (default: the engine's 2 MB)."_s,
                                          u"MB"_s);
    const QCommandLineOption wallOpt(u"wall"_s, u"Time with the wall clock instead of the thread's CPU time."_s);
    const QCommandLineOption breakdownOpt(u"breakdown"_s, u"Also print where the time of a step goes (lines starting '#')."_s);
    parser.addOptions({scaleOpt, runsOpt, cacheOpt, stepsOpt, onlyOpt, pageCacheOpt, regenOpt, discardOpt, wallOpt, breakdownOpt});
    parser.process(app);

    bool ok = false;
    const double scale = parser.value(scaleOpt).toDouble(&ok);
    if (!ok || scale <= 0 || scale > 10) {
        std::fprintf(stderr, "crm-bench: --scale wants a number above 0 and at most 10\n");
        return 2;
    }
    const int runs = parser.value(runsOpt).toInt(&ok);
    if (!ok || runs < 1) {
        std::fprintf(stderr, "crm-bench: --runs wants a positive whole number\n");
        return 2;
    }
    const int steps = parser.value(stepsOpt).toInt(&ok);
    if (!ok || steps < 1) {
        std::fprintf(stderr, "crm-bench: --steps wants a positive whole number\n");
        return 2;
    }

    const QString folder = QDir(parser.value(cacheOpt)).filePath(u"scale-%1"_s.arg(scale));
    const QString dataFolder = QDir(folder).filePath(u"data"_s);
    std::printf("cache=%s\n", qPrintable(QDir::cleanPath(QDir(dataFolder).absolutePath())));
    std::fflush(stdout);
    try {
        if (!prepareCache(folder, scale, parser.isSet(regenOpt)))
            std::printf("# reusing the cached database\n");
        if (!resetPeakRss())
            std::printf("# could not reset the peak memory figure: it includes generating the database\n");
        Measure::useWallClock(parser.isSet(wallOpt));
        std::printf("# times: median of %d runs, %s\n", runs,
                    parser.isSet(wallOpt) ? "wall clock" : "CPU time of the thread (--wall for elapsed time)");
        std::fflush(stdout);

        store::openDatabase(dataFolder);
        if (parser.isSet(pageCacheOpt)) {
            const int mb = parser.value(pageCacheOpt).toInt();
            db::Connection::get().exec(u"PRAGMA cache_size = %1"_s.arg(-mb * 1024));
            std::printf("# page cache: %d MB\n", mb);
        }
        {
            Benchmarks b(db::Connection::get(), runs, parser.isSet(breakdownOpt));
            const QStringList only = parser.value(onlyOpt).split(u',');
            if (only.contains(u"open"_s))
                b.openCustomers();
            if (only.contains(u"locate"_s))
                b.locateCustomer();
            if (only.contains(u"scroll"_s))
                b.scrollMasterDetail(steps);
        }
        if (parser.value(onlyOpt).split(u',').contains(u"report"_s))
            reportCustomerList(folder);
        if (parser.value(onlyOpt).split(u',').contains(u"custlist"_s))
            customerList();
        db::Connection::closeAlias();
    } catch (const db::Error &e) {
        std::fprintf(stderr, "crm-bench: %s\n", qPrintable(e.message()));
        return 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "crm-bench: %s\n", e.what());
        return 1;
    }
    std::printf("peak_rss_mb=%ld\n", statusKb("VmHWM:") / 1024);
    if (parser.isSet(discardOpt))
        QDir(folder).removeRecursively();
    return 0;
}
