#include "data/DemoSite.h"

#include "common/BoardTables.h"
#include "common/ErrorOf.h"
#include "common/FullDisk.h"
#include "common/TableText.h"
#include "common/TempDir.h"
#include "data/PendingRequests.h"
#include "data/WeekBoard.h"
#include "database/DatabaseConnection.h"
#include "settings/SettingsReader.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>

using namespace assi;
using namespace assi::test;
using namespace Qt::StringLiterals;

namespace {

const QStringList gridKeys{
    u"Titulo"_s,
    u"Fonte"_s,
    u"FonteSize"_s,
    u"AlturaLinhas"_s,
    u"Cabecalho_BackColor"_s,
    u"Cabecalho_ForeColor"_s,
    u"Cabecalho_Fonte"_s,
    u"Cabecalho_FonteSize"_s,
    u"Cabecalho_Altura"_s,
    u"Group_Font"_s,
    u"Group_FontSize"_s,
    u"Group_BackColor"_s,
    u"Group_ForeColor"_s,
    u"Seleccao_backColor"_s,
    u"Seleccao_Forecolor"_s,
    u"Seleccao_Font"_s,
    u"Seleccao_FontSize"_s,
    u"SeleccaoInactiva_backColor"_s,
    u"SeleccaoInactiva_Forecolor"_s,
    u"SeleccaoInactiva_Font"_s,
    u"SeleccaoInactiva_FontSize"_s,
    u"GroupBox_backColor"_s,
    u"GroupBox_Font"_s,
    u"GroupBox_FontSize"_s,
    u"Grid_Font"_s,
    u"Grid_FontSize"_s,
    u"Grid_Coluna1"_s,
    u"Grid_Coluna2"_s,
    u"Grid_Coluna3"_s,
    u"Grid_Coluna4"_s,
};

struct DemoBoard {
    QStringList first, second, board;
    WeekDayNames names;
};

DemoBoard readDemo(const DemoFiles& files, const QDate& today) {
    DatabaseConnection connection;
    connection.connect(sqliteConnection(files.databaseFile));
    DemoBoard read;
    Recordset first, second, board;
    LoadPendingRequests(connection, first, second);
    bool ok = false;
    LoadWeekBoard(connection, today, board, read.names, ok);
    EXPECT_TRUE(ok);
    read.first = rowsText(first);
    read.second = rowsText(second);
    read.board = rowsText(board);
    return read;
}

// Day column k's non-null entries on client rows (Tipo "0").
QList<int> ordersPerDay(const QStringList& boardRows) {
    QList<int> counts(dayColumnCount, 0);
    for (const QString& row : boardRows) {
        const QStringList cells = row.split(u'|');
        if (cells[boardTipoField] != u"0"_s)
            continue;
        for (int k = 0; k < dayColumnCount; ++k)
            counts[k] += cells[boardDayField(k)] != u"NULL"_s;
    }
    return counts;
}

} // namespace

TEST(DemoSite, WritesAPerSiteFolderWithEverySetting) {
    TempDir base;
    const DemoFiles files = writeDemo(base.path(), QDate(2026, 12, 7));
    EXPECT_EQ(files.settingsFile, base.filePath(u"zelvio/OTK.zlv"_s));
    EXPECT_EQ(QFileInfo(files.databaseFile).absolutePath(),
              QFileInfo(files.settingsFile).absolutePath());
    ASSERT_TRUE(QFileInfo::exists(files.databaseFile));

    SettingsReader settings;
    settings.read(files.settingsFile);
    EXPECT_EQ(settings.readValue(u"Geral"_s, u"QuantosMinutos"_s), u"1"_s);
    EXPECT_EQ(settings.readValue(u"BaseDados"_s, u"Motor"_s), u"sqlite"_s);
    EXPECT_FALSE(settings.readValue(u"BaseDados"_s, u"Servidor"_s).isEmpty());
    EXPECT_FALSE(settings.readValue(u"BaseDados"_s, u"Utilizador"_s).isEmpty());
    EXPECT_EQ(settings.readValue(u"BaseDados"_s, u"BaseDados"_s),
              QFileInfo(files.databaseFile).fileName());
    EXPECT_EQ(settings.readValue(u"GrelhaPedidos"_s, u"Titulo"_s),
              u"Pedidos de assistência pendentes"_s);
    for (qsizetype i = 0; i < gridKeys.size(); ++i) {
        EXPECT_FALSE(settings.readValue(u"GrelhaPedidos"_s, gridKeys[i]).isEmpty())
            << gridKeys[i].toStdString();
        if (i < 24) {
            EXPECT_FALSE(settings.readValue(u"GrelhaAssistencias"_s, gridKeys[i]).isEmpty())
                << gridKeys[i].toStdString();
        }
    }
}

TEST(DemoSite, ShowsWhatTheBoardMustShowWhateverTheWeekday) {
    for (int d = 0; d < 7; ++d) {
        const QDate today = QDate(2026, 12, 7).addDays(d);
        SCOPED_TRACE(today.toString(Qt::ISODate).toStdString());
        TempDir base;
        const DemoBoard demo = readDemo(writeDemo(base.path(), today), today);

        EXPECT_EQ(demo.first.size() + demo.second.size(), 60);
        EXPECT_EQ(demo.first.size(), 30);
        const QString everything = (demo.first + demo.second + demo.board).join(u'\n');
        EXPECT_FALSE(everything.contains(u"NÃO DEVE APARECER"_s)) << everything.toStdString();
        const QStringList requests = demo.first + demo.second;
        EXPECT_TRUE(std::any_of(requests.begin(), requests.end(), [](const QString& row) {
            return row.startsWith(u"NULL|"_s);
        })) << "requests without a department";

        const QList<int> perDay = ordersPerDay(demo.board);
        EXPECT_EQ(std::accumulate(perDay.begin(), perDay.end(), 0), 36)
            << "every working-day order";
        EXPECT_GE(*std::max_element(perDay.begin(), perDay.end()), 12) << "one busy day";
        // Orders without a technician show an empty technician name.
        EXPECT_TRUE(demo.board.join(u'\n').contains(u"|||"_s));
    }
}

TEST(DemoSite, IsTheSameForTheSameDateAndReplacesAnOlderOne) {
    const QDate today(2026, 12, 9);
    TempDir base, other;
    writeDemo(base.path(), today.addDays(-30));
    const DemoFiles files = writeDemo(base.path(), today); // over the older one
    const DemoBoard again = readDemo(files, today);
    const DemoBoard fresh = readDemo(writeDemo(other.path(), today), today);
    EXPECT_EQ(again.first, fresh.first);
    EXPECT_EQ(again.second, fresh.second);
    EXPECT_EQ(again.board, fresh.board);
}

namespace {

// An earlier demo database under `base`, and a new demo that does not fit:
// the earlier one stays byte for byte, nothing is left beside it, and the
// message names it. Returns the message.
QString failToReplaceDemo(const QString& base) {
    const QString folder = QDir(base).filePath(u"zelvio"_s);
    QDir().mkpath(folder);
    const QString database = QDir(folder).filePath(QString::fromUtf16(demoDatabaseFileName));
    const QByteArray earlier = "the earlier demo database";
    {
        QFile file(database);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(earlier);
    }
    const QString error = errorOf([&] { writeDemo(base, QDate(2026, 12, 7)); });
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(database))) << error.toStdString();
    QFile file(database);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), earlier);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files),
              QStringList{QString::fromUtf16(demoDatabaseFileName)});
    return error;
}

} // namespace

TEST(DemoSite, AFullDiskLeavesTheEarlierDatabaseWhole) {
    const SmallDisk disk(16);
    if (!disk.isMounted())
        GTEST_SKIP() << "a small tmpfs cannot be mounted here";
    const QString error = failToReplaceDemo(disk.path());
    EXPECT_TRUE(error.contains(u"o disco está cheio"_s)) << error.toStdString();
}

TEST(DemoSite, AWriteCutShortLeavesTheEarlierDatabaseWhole) {
    const TempDir base;
    const FileSizeLimit limit(8 * 1024);
    failToReplaceDemo(base.path());
}
