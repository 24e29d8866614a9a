// The program as a person runs it, without a display: --dump, --snapshot and
// --check on the embedded demo, on bad settings and on a dead database.
#include "common/FullDisk.h"
#include "common/TempDir.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ProgramRun runAssi(const QStringList& arguments, const QString& display = {}) {
    QProcess assi;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"DISPLAY"_s);
    env.remove(u"WAYLAND_DISPLAY"_s);
    if (!display.isEmpty())
        env.insert(u"DISPLAY"_s, display);
    env.remove(u"QT_QPA_PLATFORM"_s); // the program must pick offscreen by itself
    assi.setProcessEnvironment(env);
    assi.start(QStringLiteral(ASSI_EXECUTABLE), arguments);
    ProgramRun run;
    if (!assi.waitForFinished(60000))
        return run;
    run.exitCode = assi.exitStatus() == QProcess::NormalExit ? assi.exitCode() : -2;
    run.out = QString::fromUtf8(assi.readAllStandardOutput());
    run.err = QString::fromUtf8(assi.readAllStandardError());
    return run;
}

QString geometry(const QJsonObject& o) {
    return u"%1,%2 %3x%4"_s.arg(o[u"left"_s].toDouble())
        .arg(o[u"top"_s].toDouble())
        .arg(o[u"width"_s].toDouble())
        .arg(o[u"height"_s].toDouble());
}

// Rewrites one line of a settings file.
void replaceLine(const QString& path, const QString& pattern, const QString& line) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(f.readAll());
    f.close();
    text.replace(QRegularExpression(pattern, QRegularExpression::MultilineOption), line);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
}

} // namespace

TEST(EndToEnd, DumpShowsTheDemoBoardLaidOutAndFilled) {
    assi::test::TempDir dir;
    const ProgramRun run =
        runAssi({u"--demo"_s, u"--base-dir"_s, dir.path(), u"--today"_s, u"2026-12-09"_s,
                 u"--dump"_s, u"--size"_s, u"1320x800"_s, u"--select"_s, u"Grelha_1:1"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject dump = QJsonDocument::fromJson(run.out.toUtf8()).object();
    ASSERT_FALSE(dump.isEmpty()) << run.out.toStdString();

    EXPECT_TRUE(dump[u"error"_s].isNull());
    EXPECT_EQ(dump[u"today"_s].toString(), u"2026-12-09"_s);
    EXPECT_EQ(dump[u"diasSemana"_s].toArray().first().toString(), u"QUARTA"_s);
    EXPECT_EQ(dump[u"window"_s].toObject()[u"scaleWidth"_s].toDouble(), 19800);
    const QJsonObject grids = dump[u"grids"_s].toObject();
    // Laid out above a footer 30 pixels high (450 twips).
    EXPECT_EQ(geometry(grids[u"Grelha_2"_s].toObject()), u"120,120 19560x7460"_s);
    EXPECT_EQ(geometry(grids[u"Grelha_1"_s].toObject()), u"120,7580 9660x3730"_s);
    EXPECT_EQ(geometry(grids[u"Grelha_11"_s].toObject()), u"10020,7580 9660x3730"_s);
    const QJsonObject footer = dump[u"footer"_s].toObject();
    EXPECT_EQ(footer[u"state"_s].toString(), u"ok"_s);
    EXPECT_EQ(footer[u"height"_s].toInt(), 30);
    EXPECT_TRUE(footer[u"text"_s].toString().contains(u" — Atualizado às "_s))
        << footer[u"text"_s].toString().toStdString();
    EXPECT_TRUE(dump[u"status"_s].toString().startsWith(u"Atualizado às "_s));

    const QJsonObject requests = grids[u"Grelha_1"_s].toObject();
    EXPECT_EQ(requests[u"groupBy"_s].toArray(), QJsonArray{u"Dep"_s});
    EXPECT_EQ(requests[u"rows"_s].toArray().size() +
                  grids[u"Grelha_11"_s].toObject()[u"rows"_s].toArray().size(),
              60);
    const QJsonObject board = grids[u"Grelha_2"_s].toObject();
    EXPECT_EQ(board[u"columns"_s].toArray()[2].toObject()[u"caption"_s].toString(), u"QUARTA"_s);
    EXPECT_EQ(board[u"formatRules"_s].toArray().size(), 1);

    // The selected request shows its notes in the panel, under its grid.
    const QJsonObject panel = dump[u"panel"_s].toObject();
    EXPECT_TRUE(panel[u"visible"_s].toBool());
    EXPECT_FALSE(panel[u"text"_s].toString().isEmpty());
    EXPECT_DOUBLE_EQ(panel[u"left"_s].toDouble(), 120 + (9660 - 6015) / 2.0);
}

TEST(EndToEnd, SnapshotRendersTheWindowAtTheAskedSize) {
    assi::test::TempDir dir;
    const QString png = dir.filePath(u"quadro.png"_s);
    const ProgramRun run = runAssi({u"--demo"_s, u"--base-dir"_s, dir.path(), u"--snapshot"_s, png,
                                    u"--size"_s, u"1920x1080"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(1920, 1080));
}

TEST(EndToEnd, ASnapshotOnAFullDiskFailsAndKeepsTheEarlierOne) {
    const assi::test::SmallDisk disk(64);
    if (!disk.isMounted())
        GTEST_SKIP() << "a small tmpfs cannot be mounted here";
    assi::test::TempDir dir;
    const QString png = disk.filePath(u"quadro.png"_s);
    const ProgramRun first = runAssi(
        {u"--demo"_s, u"--base-dir"_s, dir.path(), u"--snapshot"_s, png, u"--size"_s, u"100x80"_s});
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    QFile earlier(png);
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    const QByteArray before = earlier.readAll();
    earlier.close();

    const ProgramRun run = runAssi({u"--demo"_s, u"--base-dir"_s, dir.path(), u"--snapshot"_s, png,
                                    u"--size"_s, u"1920x1080"_s});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(u"Não foi possível escrever a imagem em "_s + png))
        << run.err.toStdString();
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), before);
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files), QStringList{u"quadro.png"_s});
}

TEST(EndToEnd, FailuresSayWhatFailedInPortugueseWithoutThePassword) {
    assi::test::TempDir dir;
    ASSERT_EQ(runAssi({u"--demo"_s, u"--base-dir"_s, dir.path(), u"--check"_s}).exitCode, 0);
    const QString settings = dir.filePath(u"zelvio/OTK.zlv"_s);

    // A database that is down: the board still starts, and says why it is empty.
    replaceLine(settings, u"^Motor=.*$"_s, u"Motor=sqlserver"_s);
    replaceLine(settings, u"^Servidor=.*$"_s, u"Servidor=127.0.0.1,1"_s);
    replaceLine(settings, u"^Senha=.*$"_s, u"Senha=pa55-secreta"_s);
    ProgramRun run = runAssi({u"--base-dir"_s, dir.path(), u"--dump"_s});
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    const QJsonObject dump = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_TRUE(dump[u"error"_s].toString().contains(u"127.0.0.1,1"_s)) << run.out.toStdString();
    const QJsonObject footer = dump[u"footer"_s].toObject();
    EXPECT_EQ(footer[u"state"_s].toString(), u"failed"_s);
    EXPECT_TRUE(
        footer[u"text"_s].toString().contains(u" — Sem ligação à base de dados desde as "_s))
        << footer[u"text"_s].toString().toStdString();
    EXPECT_TRUE(dump[u"status"_s].toString().endsWith(dump[u"error"_s].toString()));
    EXPECT_FALSE((run.out + run.err).contains(u"pa55-secreta"_s));
    // The grids have their titles from the start, and nothing the window was designed with.
    const QJsonObject grids = dump[u"grids"_s].toObject();
    const std::pair<QString, QString> titles[] = {
        {u"Grelha_1"_s, u"Pedidos de assistência pendentes"_s},
        {u"Grelha_11"_s, u"Pedidos de assistência pendentes"_s},
        {u"Grelha_2"_s, u"Ordens de serviço da semana"_s},
    };
    for (const auto& [name, title] : titles) {
        const QJsonObject grid = grids[name].toObject();
        EXPECT_EQ(grid[u"caption"_s].toString(), title) << name.toStdString();
        EXPECT_EQ(grid[u"columns"_s].toArray(), QJsonArray()) << name.toStdString();
    }

    run = runAssi({u"--base-dir"_s, dir.path(), u"--check"_s});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.contains(u"Senha      = ****"_s)) << run.out.toStdString();
    EXPECT_FALSE((run.out + run.err).contains(u"pa55-secreta"_s));

    // No refresh period: the board cannot run, and says which file and key.
    replaceLine(settings, u"^QuantosMinutos=.*$"_s, u"QuantosMinutos=todos"_s);
    run = runAssi({u"--base-dir"_s, dir.path(), u"--snapshot"_s, dir.filePath(u"x.png"_s)});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(u"[Geral] QuantosMinutos"_s)) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(settings)) << run.err.toStdString();

    // A display named but not there (an X server not up yet at boot).
    run = runAssi({u"--base-dir"_s, dir.path()}, u":93"_s);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(u"Não foi possível abrir o ecrã \":93\""_s))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(u"--snapshot"_s));

    // Nonsense on the command line.
    run = runAssi({u"--today"_s, u"ontem"_s});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(u"--today"_s));
    run = runAssi({u"--dump"_s, u"--after"_s, u"-5"_s});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(u"--after espera um número inteiro de segundos"_s))
        << run.err.toStdString();
}

// A look value that does not read leaves the data on the wall: the board
// shows them, and its footer names the setting in words that fit.
TEST(EndToEnd, ABadLookValueShowsTheDataAndNamesTheSetting) {
    assi::test::TempDir dir;
    ASSERT_EQ(runAssi({u"--demo"_s, u"--base-dir"_s, dir.path(), u"--check"_s}).exitCode, 0);
    const QString settings = dir.filePath(u"zelvio/OTK.zlv"_s);
    replaceLine(settings, u"^Cabecalho_FonteSize=.*$"_s, u"Cabecalho_FonteSize=grande"_s);
    const ProgramRun run =
        runAssi({u"--base-dir"_s, dir.path(), u"--dump"_s, u"--size"_s, u"1330x748"_s});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject dump = QJsonDocument::fromJson(run.out.toUtf8()).object();
    const QJsonObject grids = dump[u"grids"_s].toObject();
    EXPECT_GT(grids[u"Grelha_1"_s].toObject()[u"rows"_s].toArray().size(), 0);
    EXPECT_GT(grids[u"Grelha_2"_s].toObject()[u"rows"_s].toArray().size(), 0);
    EXPECT_DOUBLE_EQ(grids[u"Grelha_1"_s]
                         .toObject()[u"styles"_s]
                         .toObject()[u"Heading"_s]
                         .toObject()[u"font"_s]
                         .toObject()[u"size"_s]
                         .toDouble(),
                     8.25);
    const QJsonObject footer = dump[u"footer"_s].toObject();
    EXPECT_EQ(footer[u"state"_s].toString(), u"failed"_s);
    const QString shown = footer[u"text"_s].toString();
    EXPECT_TRUE(shown.contains(u" — Definições com erro: [GrelhaPedidos] Cabecalho_FonteSize"_s))
        << shown.toStdString();
    EXPECT_FALSE(shown.endsWith(u"…"_s)) << shown.toStdString();
    for (const QString& section : {u"GrelhaPedidos"_s, u"GrelhaAssistencias"_s}) {
        const QString message =
            u"Definição inválida em [%1] Cabecalho_FonteSize: \"grande\" não é um número (%2)"_s
                .arg(section, settings);
        EXPECT_TRUE(dump[u"status"_s].toString().contains(message))
            << dump[u"status"_s].toString().toStdString();
        EXPECT_TRUE(run.err.contains(message)) << "in the log";
    }
}

// --check says every setting the board would refuse or leave at its design
// value, by section and key, and does not call such a board in order.
TEST(EndToEnd, CheckNamesEverySettingTheBoardRefuses) {
    struct Case {
        const char* name;
        QString pattern;
        QString line;
        QString said;
    };
    const Case cases[] = {
        {"a period that is no number", u"^QuantosMinutos=.*$"_s, u"QuantosMinutos=abc"_s,
         u"[Geral] QuantosMinutos: \"abc\" não é um número"_s},
        {"pages in words", u"^SegundosPorPagina=.*$"_s, u"SegundosPorPagina=dez"_s,
         u"[Geral] SegundosPorPagina: \"dez\" não é um número"_s},
        {"pages below nothing", u"^SegundosPorPagina=.*$"_s, u"SegundosPorPagina=-1"_s,
         u"[Geral] SegundosPorPagina: \"-1\" está fora do intervalo"_s},
        {"pages longer than a day", u"^SegundosPorPagina=.*$"_s, u"SegundosPorPagina=86401"_s,
         u"[Geral] SegundosPorPagina: \"86401\" está fora do intervalo"_s},
        {"a heading's size in words", u"^Cabecalho_FonteSize=14$"_s,
         u"Cabecalho_FonteSize=grande"_s,
         u"[GrelhaPedidos] Cabecalho_FonteSize: \"grande\" não é um número"_s},
        {"an empty file", u"[\\s\\S]*"_s, QString(), u"[Geral] QuantosMinutos"_s},
    };
    assi::test::TempDir dir;
    ASSERT_EQ(runAssi({u"--demo"_s, u"--base-dir"_s, dir.path(), u"--check"_s}).exitCode, 0);
    const QString settings = dir.filePath(u"zelvio/OTK.zlv"_s);
    QFile demo(settings);
    ASSERT_TRUE(demo.open(QIODevice::ReadOnly));
    const QByteArray demoSettings = demo.readAll();
    demo.close();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write(u"zelvio/OTK.zlv"_s, demoSettings);
        replaceLine(settings, c.pattern, c.line);
        const ProgramRun run = runAssi({u"--base-dir"_s, dir.path(), u"--check"_s});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.out.contains(c.said)) << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(u"Há problemas: veja acima."_s));
    }
}

TEST(EndToEnd, AfterLetsTheBoardTurnItsPagesBeforeTheDump) {
    assi::test::TempDir dir;
    ASSERT_EQ(runAssi({u"--demo"_s, u"--base-dir"_s, dir.path(), u"--check"_s}).exitCode, 0);
    replaceLine(dir.filePath(u"zelvio/OTK.zlv"_s), u"^SegundosPorPagina=.*$"_s,
                u"SegundosPorPagina=1"_s);
    const auto pageOf = [&](const QStringList& extra) {
        const ProgramRun run = runAssi(
            QStringList{u"--base-dir"_s, dir.path(), u"--dump"_s, u"--size"_s, u"1920x1080"_s} +
            extra);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return QJsonDocument::fromJson(run.out.toUtf8())
            .object()[u"grids"_s]
            .toObject()[u"Grelha_1"_s]
            .toObject()[u"page"_s]
            .toObject();
    };
    const QJsonObject first = pageOf({});
    EXPECT_EQ(first[u"current"_s].toInt(), 1);
    EXPECT_EQ(first[u"firstRow"_s].toInt(), 0);
    ASSERT_GE(first[u"count"_s].toInt(), 4);
    // A page a second for two seconds: one or two turns, whichever way the timers fall.
    const QJsonObject later = pageOf({u"--after"_s, u"2"_s});
    EXPECT_GE(later[u"current"_s].toInt(), 2);
    EXPECT_LE(later[u"current"_s].toInt(), 3);
    EXPECT_GT(later[u"firstRow"_s].toInt(), 0);
}

// A 4K television with Escala=auto shows the 1920x1080 board at twice the
// size, and a wall display keeps the pointer out of sight.
TEST(EndToEnd, EscalaScalesTheWholeBoardAndFullScreenHidesThePointer) {
    assi::test::TempDir dir;
    ASSERT_EQ(runAssi({u"--demo"_s, u"--base-dir"_s, dir.path(), u"--check"_s}).exitCode, 0);
    replaceLine(dir.filePath(u"zelvio/OTK.zlv"_s), u"^SegundosPorPagina=.*$"_s,
                u"SegundosPorPagina=10\nEscala=auto"_s);
    const QString png = dir.filePath(u"quadro.png"_s);
    const ProgramRun run = runAssi({u"--base-dir"_s, dir.path(), u"--dump"_s, u"--fullscreen"_s,
                                    u"--size"_s, u"3840x2160"_s, u"--snapshot"_s, png});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject dump = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_DOUBLE_EQ(dump[u"scale"_s].toDouble(), 2.0);
    const QJsonObject window = dump[u"window"_s].toObject();
    EXPECT_DOUBLE_EQ(window[u"scaleWidth"_s].toDouble(), 1920 * 15);
    EXPECT_DOUBLE_EQ(window[u"scaleHeight"_s].toDouble(), 1080 * 15);
    EXPECT_TRUE(dump[u"kiosk"_s].toObject()[u"pointerHidden"_s].toBool());
    EXPECT_EQ(QImage(png).size(), QSize(3840, 2160));
}

// Read from 3 m on a 55" TV, with Escala left in as well: the distance
// decides, the grids fill their width with data only, and --check and
// --dump say how large the smallest letter is.
TEST(EndToEnd, ReadingDistanceSizesTheTextAndCheckSaysHowLarge) {
    assi::test::TempDir dir;
    ASSERT_EQ(runAssi({u"--demo"_s, u"--base-dir"_s, dir.path(), u"--check"_s}).exitCode, 0);
    replaceLine(dir.filePath(u"zelvio/OTK.zlv"_s), u"^SegundosPorPagina=.*$"_s,
                u"SegundosPorPagina=10\nEscala=auto\nPolegadasEcra=55\nDistanciaLeitura=3"_s);

    const ProgramRun check = runAssi({u"--base-dir"_s, dir.path(), u"--check"_s});
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString();
    EXPECT_TRUE(check.out.contains(QRegularExpression(
        u"Letra mais pequena: \\d+ px, 0,3\\d° a 3 m; ecrã de 55 polegadas, das definições"_s)))
        << check.out.toStdString();
    EXPECT_TRUE(check.out.contains(u"decide DistanciaLeitura"_s));

    const ProgramRun run =
        runAssi({u"--base-dir"_s, dir.path(), u"--dump"_s, u"--size"_s, u"1920x1080"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject dump = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_DOUBLE_EQ(dump[u"scale"_s].toDouble(), 1.0);
    const QJsonObject legibility = dump[u"legibility"_s].toObject();
    EXPECT_DOUBLE_EQ(legibility[u"distanceM"_s].toDouble(), 3);
    EXPECT_DOUBLE_EQ(legibility[u"screenHeightMm"_s].toDouble(), 685);
    EXPECT_EQ(legibility[u"screenSource"_s].toString(), u"settings"_s);
    EXPECT_GE(legibility[u"smallestCapPx"_s].toDouble(), 24.8);
    EXPECT_GE(legibility[u"smallestCapDegrees"_s].toDouble(), 0.3);

    const QJsonObject grids = dump[u"grids"_s].toObject();
    for (const QString& name : grids.keys()) {
        SCOPED_TRACE(name.toStdString());
        const QJsonObject grid = grids[name].toObject();
        double shown = 0;
        for (const QJsonValue& column : grid[u"columns"_s].toArray()) {
            if (!column[u"hidden"_s].toBool())
                shown += column[u"width"_s].toDouble();
        }
        // The frame's pixel on either side is all that is not a column.
        EXPECT_NEAR(shown, grid[u"width"_s].toDouble() - 2 * 15, 15);
    }
}

// The demo turns every mark on: old and late requests and orders nobody is
// on stand out, --check says so, and a value that does not read is said.
TEST(EndToEnd, TheDemoMarksWhatNeedsAttention) {
    assi::test::TempDir dir;
    const ProgramRun check = runAssi({u"--demo"_s, u"--base-dir"_s, dir.path(), u"--check"_s});
    ASSERT_EQ(check.exitCode, 0) << check.out.toStdString();
    EXPECT_TRUE(check.out.contains(u"Realce: pedidos com 10 dias ou mais (Aviso)"_s))
        << check.out.toStdString();

    const ProgramRun run = runAssi({u"--base-dir"_s, dir.path(), u"--dump"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject grids = QJsonDocument::fromJson(run.out.toUtf8())[u"grids"_s].toObject();
    QSet<QString> seen;
    for (const QString& name : grids.keys()) {
        const QJsonObject grid = grids[name].toObject();
        const QJsonArray marks = grid[u"marks"_s].toArray();
        EXPECT_EQ(marks.size(), grid[u"rows"_s].toArray().size()) << name.toStdString();
        for (const QJsonValue& mark : marks)
            seen.insert(mark.isNull() ? u"null"_s : name + u':' + mark.toString());
    }
    for (const QString& expected :
         {u"null"_s, u"Grelha_1:aviso"_s, u"Grelha_1:atraso"_s, u"Grelha_2:semTecnico"_s})
        EXPECT_TRUE(seen.contains(expected)) << expected.toStdString();

    replaceLine(dir.filePath(u"zelvio/OTK.zlv"_s), u"^DiasAviso=.*$"_s, u"DiasAviso=dez"_s);
    const ProgramRun spoilt = runAssi({u"--base-dir"_s, dir.path(), u"--check"_s});
    EXPECT_NE(spoilt.exitCode, 0);
    EXPECT_TRUE(spoilt.out.contains(u"[GrelhaPedidos] DiasAviso: \"dez\""_s))
        << spoilt.out.toStdString();
}
