// What needs attention, on a running window: the marks follow the settings,
// the refreshes, the clock's ticks and the steady clock.
#include "BoardFixture.h"
#include "app/BoardDump.h"
#include "gridview/DisplayFormat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace assi;
using namespace assi::test;

namespace {

constexpr qint64 Minute = 60'000;

// Every attention key out of the demo's settings.
QByteArray withoutAttention(QByteArray settings) {
    for (const char* key :
         {"DiasAviso", "DiasAtraso", "MinutosNovo", "Aviso_BackColor", "Aviso_ForeColor",
          "Atraso_BackColor", "Atraso_ForeColor", "Novo_BackColor", "Novo_ForeColor"})
        settings = withSetting(settings, u"GrelhaPedidos"_s, QString::fromLatin1(key), {});
    for (const char* key : {"SemTecnico", "SemTecnico_ForeColor"})
        settings = withSetting(settings, u"GrelhaAssistencias"_s, QString::fromLatin1(key), {});
    return settings;
}

QByteArray attentionSettings(const QString& warningDays, const QString& lateDays,
                             const QString& newMinutes, const QString& noTechnician) {
    QByteArray s = withSetting(validSettings, u"GrelhaPedidos"_s, u"DiasAviso"_s, warningDays);
    s = withSetting(s, u"GrelhaPedidos"_s, u"DiasAtraso"_s, lateDays);
    s = withSetting(s, u"GrelhaPedidos"_s, u"MinutosNovo"_s, newMinutes);
    return withSetting(s, u"GrelhaAssistencias"_s, u"SemTecnico"_s, noTechnician);
}

// Requests numbered as given, each dated `days` before `today`.
Recordset requestsAged(const QDate& today, const QList<std::pair<QString, int>>& numbersAndDays) {
    QList<RequestRow> rows;
    for (const auto& [number, days] : numbersAndDays)
        rows.append({u"Redes"_s,
                     u"Cliente "_s + number,
                     number,
                     regionalShortDate(today.addDays(-days)),
                     {}});
    return boundRequests(rows);
}

// A week of two orders: Ana on the first, nobody on the second.
BoardData dataWith(Recordset first, Recordset second) {
    BoardData d = goodData(u"x"_s);
    d.first = std::move(first);
    d.second = std::move(second);
    d.board = boardRecordset({{u"1"_s, {u"Cliente A"_s, u"Cliente B"_s, {}, {}, {}}, u"0"_s},
                              {u"11"_s, {u"Ana"_s, u""_s, {}, {}, {}}, u"1"_s}});
    return d;
}

QStringList marksOf(const Assi& window, const char* grid) {
    QStringList out;
    const QJsonArray marks =
        dumpBoard(window)[u"grids"_s][QString::fromLatin1(grid)][u"marks"_s].toArray();
    for (const QJsonValue& mark : marks)
        out << (mark.isNull() ? u"-"_s : mark.toString());
    return out;
}

QJsonObject dumpWithoutFile(const Assi& window) {
    QJsonObject dump = dumpBoard(window);
    dump.remove(u"settingsFile"_s);
    return dump;
}

TEST(Attention, KeysLeftOutOrOffLeaveTheBoardAsItWas) {
    const QDate today(2026, 12, 7);
    const BoardData data = dataWith(requestsAged(today, {{u"2026/1"_s, 30}, {u"2026/2"_s, 0}}),
                                    requestsAged(today, {{u"2026/3"_s, 9}}));
    Board absent(withoutAttention(validSettings));
    Board off(attentionSettings(u"0"_s, u""_s, u"0"_s, u""_s));
    for (Board* b : {&absent, &off}) {
        b->window.Form_Load();
        b->feed.deliver(data);
        b->feed.deliver(data);
    }
    const QJsonObject dump = dumpWithoutFile(absent.window);
    EXPECT_EQ(QJsonDocument(dump).toJson(), QJsonDocument(dumpWithoutFile(off.window)).toJson());
    for (const char* grid : {"Grelha_1", "Grelha_11", "Grelha_2"}) {
        const QJsonObject g = dump[u"grids"_s][QString::fromLatin1(grid)].toObject();
        EXPECT_EQ(g[u"marks"_s].toArray().size(), g[u"rows"_s].toArray().size()) << grid;
        EXPECT_EQ(marksOf(absent.window, grid).join(u""_s).count(u'-'),
                  g[u"rows"_s].toArray().size())
            << grid;
        const QStringList styles = g[u"styles"_s].toObject().keys();
        for (const char* style : {"Aviso", "Atraso", "Novo", "SemTecnico"})
            EXPECT_FALSE(styles.contains(QString::fromLatin1(style))) << grid << " " << style;
    }
    EXPECT_EQ(absent.window.Grelha_2()->displayedText(1, boardDayField(1)), u""_s);
}

TEST(Attention, RequestsAgeAtMidnightWithoutARefresh) {
    Board b(attentionSettings(u"7"_s, u"14"_s, u"0"_s, u""_s), QDate());
    const QDate monday(2026, 12, 7);
    b.now = QDateTime(monday, QTime(23, 59, 30));
    b.window.Form_Load();
    b.feed.deliver(dataWith(requestsAged(monday, {{u"2026/1"_s, 6}, {u"2026/2"_s, 13}}),
                            requestsAged(monday, {{u"2026/3"_s, 7}, {u"2026/4"_s, 14}})));
    EXPECT_EQ(marksOf(b.window, "Grelha_1"), (QStringList{u"-"_s, u"aviso"_s}));
    EXPECT_EQ(marksOf(b.window, "Grelha_11"), (QStringList{u"aviso"_s, u"atraso"_s}));

    // The first tick of the new day asks for a refresh that does not come back.
    b.now = QDateTime(monday.addDays(1), QTime(0, 0, 0));
    b.window.Relogio_Timer();
    ASSERT_TRUE(b.window.isRefreshing());
    EXPECT_EQ(marksOf(b.window, "Grelha_1"), (QStringList{u"aviso"_s, u"atraso"_s}));
    EXPECT_EQ(marksOf(b.window, "Grelha_11"), (QStringList{u"aviso"_s, u"atraso"_s}));
    b.window.Grelha_1()->settle();
    const GridCellLook late = b.window.Grelha_1()->cellLook(2, 1); // under its group header
    EXPECT_EQ(late.back, QColor(0xD3, 0x2F, 0x2F)) << "the demo's red";
}

TEST(Attention, ARequestIsNewForItsMinutesFromTheRefreshThatBroughtIt) {
    Board b(attentionSettings(u""_s, u""_s, u"30"_s, u""_s));
    qint64 steady = 100 * Minute;
    b.window.setSteadyClock([&] { return steady; });
    const QDate today(2026, 12, 7);
    b.window.Form_Load();
    b.feed.deliver(dataWith(requestsAged(today, {{u"2026/1"_s, 0}, {u"2026/2"_s, 0}}),
                            requestsAged(today, {{u"2026/3"_s, 0}})));
    EXPECT_EQ(marksOf(b.window, "Grelha_1"), (QStringList{u"-"_s, u"-"_s}))
        << "nothing is new at start";

    steady += 5 * Minute;
    const BoardData withNew = dataWith(requestsAged(today, {{u"2026/1"_s, 0}, {u"2026/9"_s, 0}}),
                                       requestsAged(today, {{u"2026/2"_s, 0}, {u"2026/3"_s, 0}}));
    b.feed.deliver(withNew);
    EXPECT_EQ(marksOf(b.window, "Grelha_1"), (QStringList{u"-"_s, u"novo"_s}));
    EXPECT_EQ(marksOf(b.window, "Grelha_11"), (QStringList{u"-"_s, u"-"_s}))
        << "a request that moved to the other grid is not new";

    steady += 29 * Minute;
    b.feed.deliver(withNew);
    EXPECT_EQ(marksOf(b.window, "Grelha_1"), (QStringList{u"-"_s, u"novo"_s}));
    steady += Minute;
    b.window.Relogio_Timer();
    EXPECT_EQ(marksOf(b.window, "Grelha_1"), (QStringList{u"-"_s, u"-"_s}));
}

TEST(Attention, AnOrderWithoutATechnicianSaysSoInItsStyle) {
    Board b(attentionSettings(u""_s, u""_s, u""_s, u"sem técnico"_s));
    b.window.Form_Load();
    const QDate today(2026, 12, 7);
    b.feed.deliver(dataWith(requestsAged(today, {{u"2026/1"_s, 0}}), requestsAged(today, {})));
    EXPECT_EQ(marksOf(b.window, "Grelha_2"), (QStringList{u"-"_s, u"semTecnico"_s}));
    Grid& board = *b.window.Grelha_2();
    board.settle();
    EXPECT_EQ(board.displayedText(1, boardDayField(1)), u"sem técnico"_s);
    EXPECT_EQ(board.displayedText(1, boardDayField(0)), u"Ana"_s);
    EXPECT_EQ(board.displayedText(1, boardDayField(2)), u""_s) << "no order that day";
    EXPECT_EQ(board.cellLook(1, boardDayField(1)).fore, QColor(0xBF, 0x36, 0x0C));
    EXPECT_NE(board.cellLook(1, boardDayField(0)).fore, QColor(0xBF, 0x36, 0x0C));
}

} // namespace

namespace {

TEST(Attention, TheWeeksWeekendOrdersAreCountedBeforeThePageNumber) {
    Board b;
    b.window.Form_Load();
    struct Case {
        int weekendOrders;
        const char16_t* note;
    } cases[] = {{3, u"+3 ao fim de semana"}, {1, u"+1 ao fim de semana"}, {0, u""}};
    for (const Case& c : cases) {
        BoardData data = goodData(u"x"_s);
        data.weekendOrders = c.weekendOrders;
        b.feed.deliver(data);
        EXPECT_EQ(b.window.Grelha_2()->captionNote(), QString::fromUtf16(c.note));
        EXPECT_EQ(dumpBoard(b.window)[u"grids"_s][u"Grelha_2"_s][u"weekendOrders"_s].toInt(-1),
                  c.weekendOrders);
    }
}

} // namespace
