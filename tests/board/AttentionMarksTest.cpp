#include "board/AttentionMarks.h"

#include "GridsTestSupport.h"
#include "board/AttentionSettings.h"
#include "gridview/DisplayFormat.h"
#include "settings/SettingsLookup.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

const QDate Today(2026, 12, 7);
constexpr qint64 Minute = 60'000;

// Requests as the board binds them, each with its number and the regional
// short date the query gives.
Recordset requestsDated(const QList<std::pair<QString, QVariant>>& numbersAndDates) {
    QList<test::RequestRow> rows;
    for (const auto& [number, date] : numbersAndDates)
        rows.append({u"Redes"_s,
                     u"Cliente "_s + number,
                     number.isNull() ? QVariant() : QVariant(number),
                     date,
                     {}});
    return test::boundRequests(rows);
}

QVariant daysAgo(int days) {
    return regionalShortDate(Today.addDays(-days));
}

RequestAttention attention(int warningDays, int lateDays, int newMinutes = 0) {
    RequestAttention a;
    a.warningDays = warningDays;
    a.lateDays = lateDays;
    a.newMinutes = newMinutes;
    return a;
}

QStringList names(const RowMarks& marks) {
    QStringList out;
    for (const RowMark mark : marks)
        out << (mark == RowMark::None ? u"-"_s : markName(mark));
    return out;
}

TEST(RequestAge, CountsWholeDaysFromTheRequestDateToToday) {
    struct Case {
        const char* name;
        RequestAttention settings;
        QVariant date;
        const char* mark;
    } cases[] = {
        {"a day short of the warning", attention(7, 14), daysAgo(6), "-"},
        {"exactly the warning days", attention(7, 14), daysAgo(7), "aviso"},
        {"a day short of late", attention(7, 14), daysAgo(13), "aviso"},
        {"exactly the late days", attention(7, 14), daysAgo(14), "atraso"},
        {"late only, no warning set", attention(0, 14), daysAgo(20), "atraso"},
        {"warning only", attention(7, 0), daysAgo(400), "aviso"},
        {"late below warning: late wins", attention(14, 7), daysAgo(10), "atraso"},
        {"dated in the future", attention(1, 2), daysAgo(-3), "-"},
        {"no date", attention(1, 2), QVariant(), "-"},
        {"a date that does not read", attention(1, 2), u"ontem"_s, "-"},
        {"a date the database gave as text", attention(7, 14), u"2026-11-30"_s, "aviso"},
        {"both off", attention(0, 0), daysAgo(900), "-"},
    };
    const RequestArrivals none;
    for (const Case& c : cases) {
        const RowMarks marks =
            markRequests(requestsDated({{u"2026/1"_s, c.date}}), Today, c.settings, none, 0);
        EXPECT_EQ(names(marks), QStringList{QString::fromLatin1(c.mark)}) << c.name;
    }
}

TEST(RequestArrivals, NewSinceThePreviousRefreshForItsMinutesOnly) {
    const Recordset before = requestsDated({{u"2026/1"_s, daysAgo(0)}, {u"2026/2"_s, daysAgo(0)}});
    const Recordset after = requestsDated(
        {{u"2026/1"_s, daysAgo(0)}, {u"2026/3"_s, daysAgo(0)}, {u"2026/2"_s, daysAgo(0)}});
    const RequestAttention thirtyMinutes = attention(0, 0, 30);
    RequestArrivals arrivals;
    const qint64 start = 5 * Minute;

    arrivals.take({&before}, start);
    EXPECT_EQ(names(markRequests(before, Today, thirtyMinutes, arrivals, start)),
              (QStringList{u"-"_s, u"-"_s}))
        << "nothing is new at the first refresh";

    const qint64 arrived = start + 3 * Minute;
    arrivals.take({&after}, arrived);
    struct Case {
        qint64 at;
        QStringList marks;
    } cases[] = {
        {arrived, {u"-"_s, u"novo"_s, u"-"_s}},
        {arrived + 30 * Minute - 1, {u"-"_s, u"novo"_s, u"-"_s}},
        {arrived + 30 * Minute, {u"-"_s, u"-"_s, u"-"_s}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(names(markRequests(after, Today, thirtyMinutes, arrivals, c.at)), c.marks)
            << c.at;
    EXPECT_EQ(arrivals.nextChange(arrived, 30), arrived + 30 * Minute);

    // Seen again at a later refresh, it keeps its arrival; gone and back, it is new again.
    arrivals.take({&after}, arrived + Minute);
    EXPECT_EQ(arrivals.nextChange(arrived + Minute, 30), arrived + 30 * Minute);
    arrivals.take({&before}, arrived + 2 * Minute);
    arrivals.take({&after}, arrived + 3 * Minute);
    EXPECT_TRUE(arrivals.isNew(u"2026/3"_s, arrived + 32 * Minute, 30));

    arrivals.forget();
    arrivals.take({&after}, arrived + 40 * Minute);
    EXPECT_EQ(arrivals.nextChange(arrived + 40 * Minute, 30), std::nullopt)
        << "after forget(), the next refresh is a first one";
}

// A refresh mostly shows the last one's requests at the same places; those
// that moved, changed grids or sit beside a longer number are still known.
TEST(RequestArrivals, KnowsTheLastRefreshsRequestsWhereverTheyNowAre) {
    // Each grid's numbers, separated by '|'.
    const struct {
        const char16_t *name, *before, *after, *newOnes;
    } cases[] = {
        {u"the same, in the same places", u"1 2|3", u"1 2|3", u""},
        {u"one more at the top", u"1 2", u"9 1 2", u"9"},
        {u"reversed", u"1 2 3", u"3 2 1", u""},
        {u"moved to the other grid", u"1|2", u"2|1 4", u"4"},
        {u"a number and its longer neighbour", u"1 12", u"11 2 1 12", u"11 2"},
        {u"one shown twice", u"1", u"1 5 5", u"5"},
        {u"one gone", u"1 2", u"2", u""},
    };
    const auto grids = [](const char16_t* text) {
        std::vector<Recordset> out;
        for (const QString& grid : QString::fromUtf16(text).split(u'|')) {
            QList<std::pair<QString, QVariant>> rows;
            for (const QString& number : grid.split(u' ', Qt::SkipEmptyParts))
                rows.append({number, daysAgo(0)});
            out.push_back(requestsDated(rows));
        }
        return out;
    };
    const auto pointers = [](const std::vector<Recordset>& tables) {
        std::vector<const Recordset*> out;
        for (const Recordset& table : tables)
            out.push_back(&table);
        return out;
    };
    for (const auto& c : cases) {
        const std::vector<Recordset> before = grids(c.before), after = grids(c.after);
        RequestArrivals arrivals;
        arrivals.take(pointers(before), 0);
        arrivals.take(pointers(before), Minute);
        arrivals.take(pointers(after), 2 * Minute);
        QStringList newOnes;
        for (const QString& number :
             QString::fromUtf16(c.after).split(QRegularExpression(u"[ |]"_s))) {
            if (arrivals.isNew(number, 2 * Minute, 30) && !newOnes.contains(number))
                newOnes << number;
        }
        EXPECT_EQ(newOnes.join(u' '), QString::fromUtf16(c.newOnes))
            << QString::fromUtf16(c.name).toStdString();
    }
}

TEST(RequestArrivals, KnowsARequestWithoutANumberByWhatItShows) {
    const Recordset one = requestsDated({{QString(), daysAgo(1)}});
    const Recordset two = requestsDated({{QString(), daysAgo(1)}, {QString(), daysAgo(2)}});
    RequestArrivals arrivals;
    arrivals.take({&one}, 0);
    arrivals.take({&two}, Minute);
    EXPECT_FALSE(arrivals.isNew(requestKey(two, 0, two.fieldIndex(u"Pedido"_s)), Minute, 30));
    EXPECT_TRUE(arrivals.isNew(requestKey(two, 1, two.fieldIndex(u"Pedido"_s)), Minute, 30));
}

TEST(RequestMarks, LateStaysAnAlarmOnANewRequestAndNewHidesTheWarning) {
    const Recordset first = requestsDated({{u"2026/1"_s, daysAgo(0)}});
    const Recordset second = requestsDated(
        {{u"2026/1"_s, daysAgo(0)}, {u"2026/2"_s, daysAgo(8)}, {u"2026/3"_s, daysAgo(20)}});
    RequestArrivals arrivals;
    arrivals.take({&first}, 0);
    arrivals.take({&second}, Minute);
    EXPECT_EQ(names(markRequests(second, Today, attention(7, 14, 30), arrivals, Minute)),
              (QStringList{u"-"_s, u"novo"_s, u"atraso"_s}));
}

TEST(OrderMarks, TechnicianLineOfAnOrderWithoutATechnician) {
    // An empty name is an order nobody is on; null is a day with no order.
    const Recordset board = test::boardRecordset({
        {u"1"_s, {u"Cliente A"_s, u"Cliente B"_s, {}, {}, {}}, u"0"_s},
        {u"11"_s, {u"Ana"_s, u""_s, {}, {}, {}}, u"1"_s},
        {u"2"_s, {u"Cliente C"_s, {}, {}, {}, {}}, u"0"_s},
        {u"21"_s, {u"Rui"_s, {}, {}, {}, {}}, u"1"_s},
        {u"3"_s, {u""_s, {}, {}, {}, {}}, u"0"_s},
        {u"31"_s, {u"Rui"_s, {}, {}, {}, {}}, u"1"_s},
    });
    EXPECT_EQ(names(markOrders(board)),
              (QStringList{u"-"_s, u"semTecnico"_s, u"-"_s, u"-"_s, u"-"_s, u"-"_s}));
    EXPECT_FALSE(lacksTechnician(board, 1, boardDayField(0)));
    EXPECT_TRUE(lacksTechnician(board, 1, boardDayField(1)));
    EXPECT_FALSE(lacksTechnician(board, 1, boardSpacerField(0))) << "a spacer is no order";
}

TEST(AttentionSettings, ReadsEachKeyOnItsOwnAndSaysWhatDoesNotRead) {
    struct Case {
        const char* key;
        const char* value;
        int warningDays, lateDays, newMinutes;
        qint32 warningBack;
        const char* problemKey; // "" for none
    } cases[] = {
        {"DiasAviso", "7", 7, 0, 0, DefaultWarningColours.backColor, ""},
        {"DiasAviso", " 7 ", 7, 0, 0, DefaultWarningColours.backColor, ""},
        {"DiasAviso", "", 0, 0, 0, 0, ""},
        {"DiasAviso", "sete", 0, 0, 0, 0, "DiasAviso"},
        {"DiasAviso", "-1", 0, 0, 0, 0, "DiasAviso"},
        {"DiasAviso", "3651", 0, 0, 0, 0, "DiasAviso"},
        {"DiasAtraso", "14", 0, 14, 0, 0, ""},
        {"MinutosNovo", "0", 0, 0, 0, 0, ""},
        {"MinutosNovo", "1441", 0, 0, 0, 0, "MinutosNovo"},
        {"MinutosNovo", "30", 0, 0, 30, 0, ""},
    };
    for (const Case& c : cases) {
        test::SettingsFile file;
        file.set(u"GrelhaPedidos"_s, QString::fromLatin1(c.key), QString::fromUtf8(c.value));
        const RequestAttention read = readRequestAttention(SettingsLookup(file.write()));
        const std::string what = std::string(c.key) + "=" + c.value;
        EXPECT_EQ(read.warningDays, c.warningDays) << what;
        EXPECT_EQ(read.lateDays, c.lateDays) << what;
        EXPECT_EQ(read.newMinutes, c.newMinutes) << what;
        EXPECT_EQ(read.warning.backColor, c.warningBack) << what;
        QStringList problems;
        for (const LookProblem& p : read.problems)
            problems << settingsKeyOf(p.field);
        EXPECT_EQ(problems.join(u','), QString::fromLatin1(c.problemKey)) << what;
    }
}

TEST(AttentionSettings, ColoursOfAMarkThatIsOnDefaultAndReportWhenTheyDoNotRead) {
    test::SettingsFile file;
    file.set(u"GrelhaPedidos"_s, u"DiasAtraso"_s, u"14"_s)
        .set(u"GrelhaPedidos"_s, u"Atraso_ForeColor"_s, u"branco"_s)
        .set(u"GrelhaPedidos"_s, u"Novo_BackColor"_s, u"verde"_s); // Novo is off: not read
    const RequestAttention read = readRequestAttention(SettingsLookup(file.write()));
    EXPECT_EQ(read.late.backColor, DefaultLateColours.backColor);
    EXPECT_EQ(read.late.foreColor, DefaultLateColours.foreColor);
    ASSERT_EQ(read.problems.size(), 1);
    EXPECT_EQ(read.problems[0].field, Atraso_ForeColor);
    EXPECT_TRUE(read.problems[0].message.contains(u"branco"_s));

    file.set(u"GrelhaAssistencias"_s, u"SemTecnico"_s, u"  sem técnico "_s);
    const OrderAttention orders = readOrderAttention(SettingsLookup(file.write()));
    EXPECT_EQ(orders.noTechnicianText, u"sem técnico"_s);
    EXPECT_EQ(orders.noTechnicianForeColor, DefaultNoTechnicianForeColor);
}

} // namespace
