// The floor the board's own figures are measured against: the plainest Qt
// Widgets program that shows the same data. It runs the board's two queries
// on the same SQLite database, reads every column of every row into a
// minimal table model and shows them in three QTableViews (the requests dealt
// out in two, the week's orders in the third) over a footer with the date
// and time, laid out like the board at its design size.
//
//   assi_bare_board (--demo | --database FILE) [--today YYYY-MM-DD]
//                   [--size WxH] [--scale N] [--snapshot FILE.png|.bmp]
//                   [--refreshes N] [--page-turns N]
//   assi_bare_board --make-database FOLDER --rows N [--today YYYY-MM-DD]
//
// --size is in device pixels, as the board's; --scale hands Qt a scale
// factor the way the board's Escala does. --make-database writes a demo
// site under FOLDER (FOLDER/zelvio/OTK.zlv and its database, for
// `assi --base-dir FOLDER`) with N more requests and N more orders.
#include "BareTableModel.h"
#include "BenchDatabase.h"
#include "app/Snapshot.h"
#include "data/DemoSite.h"
#include "data/SqlDialect.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The board's design size and the demo's looks: Arial 13, rows of 360 and
// 510 twips, margins of 120 twips, the weekly board over two thirds.
constexpr QSize designSize(1330, 829);
constexpr int requestRowPixels = 24;
constexpr int orderRowPixels = 34;
constexpr int marginPixels = 8;
constexpr int fontPoints = 13;

[[noreturn]] void fail(const QString& message) {
    std::fprintf(stderr, "%s\n", qPrintable(message));
    std::exit(1);
}

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// VmHWM or VmRSS of this process, in kB.
long statusKilobytes(const QByteArray& key) {
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

struct BoardModels {
    std::unique_ptr<assi::bench::BareTableModel> first, second, orders;
};

BoardModels runQueries(const QDate& today) {
    const auto dialect = assi::SqlDialect::forEngine(assi::DatabaseEngine::Sqlite);
    BoardModels models;
    models.first = std::make_unique<assi::bench::BareTableModel>();
    models.second = std::make_unique<assi::bench::BareTableModel>();
    models.orders = std::make_unique<assi::bench::BareTableModel>();
    const auto read = [](const QString& sql, assi::bench::BareTableModel& odd,
                         assi::bench::BareTableModel& even) {
        QSqlQuery query;
        query.setForwardOnly(true);
        if (!query.exec(sql))
            fail(query.lastError().text());
        const QSqlRecord record = query.record();
        QStringList headers;
        for (int c = 0; c < record.count(); ++c)
            headers << record.fieldName(c);
        odd.setHeaders(headers);
        even.setHeaders(headers);
        for (int row = 0; query.next(); ++row) {
            QVariantList values;
            values.reserve(headers.size());
            for (int c = 0; c < headers.size(); ++c)
                values << query.value(c);
            (row % 2 == 0 ? odd : even).appendRow(std::move(values));
        }
    };
    read(dialect->pendingRequestsSql(), *models.first, *models.second);
    read(dialect->weekOrdersSql(today), *models.orders, *models.orders);
    return models;
}

class BareWindow : public QWidget {
public:
    BareWindow() {
        const QFont font(u"Arial"_s, fontPoints);
        for (QTableView* view : {&m_first, &m_second, &m_orders}) {
            view->setFont(font);
            view->verticalHeader()->hide();
            view->horizontalHeader()->setStretchLastSection(true);
        }
        m_first.verticalHeader()->setDefaultSectionSize(requestRowPixels);
        m_second.verticalHeader()->setDefaultSectionSize(requestRowPixels);
        m_orders.verticalHeader()->setDefaultSectionSize(orderRowPixels);
        m_orders.horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

        auto* requests = new QHBoxLayout;
        requests->setSpacing(2 * marginPixels);
        requests->addWidget(&m_first);
        requests->addWidget(&m_second);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(marginPixels, marginPixels, marginPixels, 0);
        layout->setSpacing(marginPixels);
        layout->addWidget(&m_orders, 2);
        layout->addLayout(requests, 1);
        layout->addWidget(&m_footer);
    }

    void showModels(BoardModels models) {
        setModel(m_first, models.first.get());
        setModel(m_second, models.second.get());
        setModel(m_orders, models.orders.get());
        m_models = std::move(models); // the old ones go only once no view shows them
        m_footer.setText(QLocale(QLocale::Portuguese, QLocale::Portugal)
                             .toString(QDateTime::currentDateTime(), u"dddd, d 'de' MMMM 'de' "
                                                                     u"yyyy, HH:mm"_s));
    }

    void sizeFooter() {
        QFont font = m_footer.font();
        font.setPixelSize(std::max(11, height() * 25 / 1000));
        m_footer.setFont(font);
    }

    bool painted() const { return m_painted; }

    // Scrolls each table down a page, back to the top after the last one,
    // and paints them before returning.
    void turnPage() {
        for (QTableView* view : {&m_first, &m_second, &m_orders}) {
            QScrollBar* bar = view->verticalScrollBar();
            const int next = bar->value() + bar->pageStep();
            bar->setValue(next > bar->maximum() ? 0 : next);
            view->viewport()->repaint();
        }
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        m_painted = true;
        QWidget::paintEvent(event);
    }

private:
    static void setModel(QTableView& view, QAbstractItemModel* model) {
        QItemSelectionModel* old = view.selectionModel();
        view.setModel(model);
        delete old;
    }

    QTableView m_first, m_second, m_orders;
    QLabel m_footer;
    BoardModels m_models;
    bool m_painted = false;
};

void openDatabase(const QString& file) {
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s);
    db.setDatabaseName(file);
    db.setConnectOptions(u"QSQLITE_OPEN_READONLY"_s);
    if (!QFile::exists(file) || !db.open())
        fail(u"%1: %2"_s.arg(file, db.lastError().text()));
}

void refresh(BareWindow& window, const QDate& today, int count) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = cpuMs();
        window.showModels(runQueries(today));
        window.repaint();
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(cpuMs() - cpuStart);
        std::printf("refresh %d: %.1f ms wall, %.1f ms CPU\n", i + 1, wall.back(), cpu.back());
    }
    std::printf("refresh median: %.1f ms wall, %.1f ms CPU; VmHWM %ld kB, VmRSS %ld kB\n",
                median(wall), median(cpu), statusKilobytes("VmHWM"), statusKilobytes("VmRSS"));
}

void turnPages(BareWindow& window, int count) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = cpuMs();
        window.turnPage();
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(cpuMs() - cpuStart);
    }
    std::printf("page turn median over %d: %.2f ms wall, %.2f ms CPU\n", count, median(wall),
                median(cpu));
}

} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    const QCommandLineOption demo(u"demo"_s);
    const QCommandLineOption database(u"database"_s, {}, u"file"_s);
    const QCommandLineOption today(u"today"_s, {}, u"date"_s);
    const QCommandLineOption size(u"size"_s, {}, u"WxH"_s);
    const QCommandLineOption scale(u"scale"_s, {}, u"factor"_s);
    const QCommandLineOption snapshot(u"snapshot"_s, {}, u"file"_s);
    const QCommandLineOption refreshes(u"refreshes"_s, {}, u"count"_s);
    const QCommandLineOption pageTurns(u"page-turns"_s, {}, u"count"_s);
    const QCommandLineOption makeDatabase(u"make-database"_s, {}, u"folder"_s);
    const QCommandLineOption rows(u"rows"_s, {}, u"count"_s);
    parser.addOptions(
        {demo, database, today, size, scale, snapshot, refreshes, pageTurns, makeDatabase, rows});
    if (!parser.parse(arguments))
        fail(parser.errorText());

    // Qt takes the scale when the application object is made, as the board's Escala.
    const double factor = parser.isSet(scale) ? parser.value(scale).toDouble() : 1.0;
    if (parser.isSet(scale)) {
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
        qputenv("QT_SCALE_FACTOR", QByteArray::number(factor, 'g', 6));
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        (parser.isSet(snapshot) || parser.isSet(makeDatabase) ||
         qEnvironmentVariableIsEmpty("DISPLAY")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QDate day = parser.isSet(today) ? QDate::fromString(parser.value(today), Qt::ISODate)
                                          : QDate::currentDate();
    if (parser.isSet(makeDatabase)) {
        const assi::DemoFiles files = assi::writeDemo(parser.value(makeDatabase), day);
        assi::bench::addBenchRows(files.databaseFile, parser.value(rows).toInt(), day);
        std::printf("%s\n", qPrintable(files.databaseFile));
        return 0;
    }

    QTemporaryDir demoFolder;
    QString databaseFile = parser.value(database);
    if (parser.isSet(demo))
        databaseFile = assi::writeDemo(demoFolder.path(), day).databaseFile;
    if (databaseFile.isEmpty())
        fail(u"--demo or --database FILE"_s);
    openDatabase(databaseFile);

    QSize screen = designSize;
    if (parser.isSet(size)) {
        const QStringList parts = parser.value(size).split(u'x');
        screen = QSize(parts.value(0).toInt(), parts.value(1).toInt());
    }
    BareWindow window;
    window.resize(screen / factor);
    window.sizeFooter();
    window.showModels(runQueries(day));
    window.show();
    // The first paint of the window with its data, before anything is measured.
    QEventLoop loop;
    while (!window.painted())
        loop.processEvents(QEventLoop::WaitForMoreEvents);

    if (parser.isSet(snapshot)) {
        if (const QString error =
                assi::saveSnapshot(window.grab().toImage(), parser.value(snapshot));
            !error.isEmpty())
            fail(error);
    }
    if (parser.isSet(refreshes))
        refresh(window, day, parser.value(refreshes).toInt());
    if (parser.isSet(pageTurns))
        turnPages(window, parser.value(pageTurns).toInt());
    std::fflush(stdout);
    return 0;
}
