#include "data/WeekBoard.h"

#include "common/BoardTables.h"
#include "common/TableText.h"

#include <gtest/gtest.h>
#include <limits>
#include <random>

using namespace assi;
using namespace assi::test;
using namespace Qt::StringLiterals;

namespace {

const QString N = u"NULL"_s;

WeekDayNames namesFrom(const QDate& today) {
    WeekDayNames names;
    fillWeekDayNames(today, names);
    return names;
}

QString dayNameOf(const QDate& date) {
    static const char16_t* const names[] = {u"",       u"SEGUNDA", u"TERÇA",  u"QUARTA",
                                            u"QUINTA", u"SEXTA",   u"SÁBADO", u"DOMINGO"};
    return QString::fromUtf16(names[date.dayOfWeek()]);
}

OrderRow order(const QDate& date, const QString& client, const QString& technician) {
    return {dayNameOf(date), date.toString(Qt::ISODate), client, technician};
}

// A board row as "Ord|Vazio_0|Dia_1|Vazio_1|...|Dia_5|Vazio_5|Tipo".
QString boardRow(const QString& ord, const QVariantList& days, const QString& tipo) {
    QStringList cells{ord, N};
    for (const QVariant& day : days) {
        cells << (day.isNull() ? N : day.toString()) << (day.isNull() ? N : QString());
    }
    cells << tipo;
    return cells.join(u'|');
}

Recordset pivot(const QList<OrderRow>& rows, const QDate& today, bool* ok = nullptr,
                int* weekendOrders = nullptr) {
    Recordset query = orderQuery(rows);
    Recordset board;
    const bool built = buildWeekBoard(query, namesFrom(today), board, weekendOrders);
    if (ok)
        *ok = built;
    return board;
}

const QDate monday(2026, 12, 7);
const QDate thursday(2026, 12, 10);

} // namespace

TEST(WeekBoard, NamesTheWorkingDaysFromTodayWhateverTheWeekday) {
    const std::pair<QDate, QStringList> cases[] = {
        {monday, {u"SEGUNDA"_s, u"TERÇA"_s, u"QUARTA"_s, u"QUINTA"_s, u"SEXTA"_s}},
        {monday.addDays(1), {u"TERÇA"_s, u"QUARTA"_s, u"QUINTA"_s, u"SEXTA"_s, u"SEGUNDA"_s}},
        {monday.addDays(2), {u"QUARTA"_s, u"QUINTA"_s, u"SEXTA"_s, u"SEGUNDA"_s, u"TERÇA"_s}},
        {monday.addDays(3), {u"QUINTA"_s, u"SEXTA"_s, u"SEGUNDA"_s, u"TERÇA"_s, u"QUARTA"_s}},
        {monday.addDays(4), {u"SEXTA"_s, u"SEGUNDA"_s, u"TERÇA"_s, u"QUARTA"_s, u"QUINTA"_s}},
        {monday.addDays(5), {u"SEGUNDA"_s, u"TERÇA"_s, u"QUARTA"_s, u"QUINTA"_s, u"SEXTA"_s}},
        {monday.addDays(6), {u"SEGUNDA"_s, u"TERÇA"_s, u"QUARTA"_s, u"QUINTA"_s, u"SEXTA"_s}},
    };
    for (const auto& [today, expected] : cases) {
        SCOPED_TRACE(today.toString(Qt::ISODate).toStdString());
        WeekDayNames names{u"x"_s, u"x"_s, u"x"_s, u"x"_s, u"x"_s, u"keep"_s, u"keep"_s};
        fillWeekDayNames(today, names);
        EXPECT_EQ(QStringList(names.begin(), names.begin() + dayColumnCount), expected);
        EXPECT_EQ(names[5], u"keep"_s);
        EXPECT_EQ(names[6], u"keep"_s);
    }
}

TEST(WeekBoard, DayNamesMustMatchExactly) {
    const WeekDayNames names = namesFrom(monday);
    const std::pair<QString, int> cases[] = {
        {u"SEGUNDA"_s, 0},
        {u"TERÇA"_s, 1},
        {u"SEXTA"_s, 4},
        {u"SÁBADO"_s, noDayColumn},
        {u"DOMINGO"_s, noDayColumn},
        {u"Segunda"_s, noDayColumn},
        {u"terça"_s, noDayColumn},
        {u"TERCA"_s, noDayColumn},
        {u" QUARTA"_s, noDayColumn},
        {u"QUINTA "_s, noDayColumn},
        {QString(), noDayColumn},
        {u""_s, noDayColumn},
    };
    for (const auto& [name, column] : cases)
        EXPECT_EQ(FindDayColumn(name, names), column) << name.toStdString();
}

TEST(WeekBoard, BoardFieldsAreWhereTheirNamesSayAndKeepTheLargestKeyWhole) {
    Recordset board = BuildBoardRecordset();
    ASSERT_EQ(board.fieldCount(), boardFieldCount);
    EXPECT_EQ(board.fieldIndex(u"Ord"_s), boardOrdField);
    EXPECT_EQ(board.fieldIndex(u"Tipo"_s), boardTipoField);
    for (int column = 0; column < dayColumnCount; ++column) {
        const QString k = QString::number(column + 1);
        EXPECT_EQ(board.fieldIndex(u"Dia_"_s + k), boardDayField(column));
        EXPECT_EQ(board.fieldIndex(u"Vazio_"_s + k), boardSpacerField(column));
    }
    board.addNew();
    const QString key = QString::number(std::numeric_limits<qint32>::max()) + u'1';
    board.setValue(boardOrdField, key);
    EXPECT_EQ(board.value(boardOrdField).toString(), key);
}

TEST(WeekBoard, PivotsTheMondayExampleRowByRow) {
    const QString longName = QString(boardDaySize, u'ç') + u"(sede)"_s;
    Recordset board = pivot({order(monday, u"A"_s, u"T1"_s), order(monday, longName, u""_s),
                             order(monday.addDays(2), u"C"_s, u"T2"_s)},
                            monday);
    EXPECT_EQ(board.absolutePosition(), 1) << "returned on its first row";
    EXPECT_EQ(rowsText(board),
              (QStringList{
                  u"1|NULL|A||NULL|NULL|C||NULL|NULL|NULL|NULL|0"_s,
                  u"11|NULL|T1||NULL|NULL|T2||NULL|NULL|NULL|NULL|1"_s,
                  boardRow(u"2"_s, {longName.left(boardDaySize), {}, {}, {}, {}}, u"0"_s),
                  u"21|NULL|||NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|1"_s,
              }));
}

TEST(WeekBoard, TenAndMoreOrdersOnADayKeepDistinctKeys) {
    for (const int count : {10, 12, 105}) {
        SCOPED_TRACE(count);
        QList<OrderRow> rows{order(monday, u"m1"_s, u"tm1"_s)};
        for (int n = 1; n <= count; ++n)
            rows.append(order(monday.addDays(1), u"c%1"_s.arg(n), u"t%1"_s.arg(n)));
        Recordset board = pivot(rows, monday);

        QStringList expected{
            boardRow(u"1"_s, {u"m1"_s, u"c1"_s, {}, {}, {}}, u"0"_s),
            boardRow(u"11"_s, {u"tm1"_s, u"t1"_s, {}, {}, {}}, u"1"_s),
        };
        for (int n = 2; n <= count; ++n) {
            expected << boardRow(QString::number(n), {{}, u"c%1"_s.arg(n), {}, {}, {}}, u"0"_s)
                     << boardRow(QString::number(n) + u'1', {{}, u"t%1"_s.arg(n), {}, {}, {}},
                                 u"1"_s);
        }
        EXPECT_EQ(rowsText(board), expected);
    }
}

TEST(WeekBoard, WeekendOrdersLeaveNoTraceWhereverTheyFallInAGroup) {
    // From a Thursday: QUINTA, SEXTA, SEGUNDA, TERÇA, QUARTA. Saturday's
    // second and third orders come first in groups 2 and 3; its fourth makes
    // a group of its own.
    const QDate saturday = thursday.addDays(2), sunday = thursday.addDays(3),
                nextMonday = thursday.addDays(4);
    Recordset board = pivot(
        {
            order(thursday, u"a1"_s, u"ta1"_s),
            order(saturday, u"w1"_s, u"tw1"_s),
            order(saturday, u"w2"_s, u"tw2"_s),
            order(saturday, u"w3"_s, u"tw3"_s),
            order(saturday, u"w4"_s, u"tw4"_s),
            order(sunday, u"w5"_s, u"tw5"_s),
            order(nextMonday, u"m1"_s, u"tm1"_s),
            order(nextMonday, u"m2"_s, u"tm2"_s),
            order(nextMonday, u"m3"_s, u""_s),
        },
        thursday);
    EXPECT_EQ(rowsText(board), (QStringList{
                                   boardRow(u"1"_s, {u"a1"_s, {}, u"m1"_s, {}, {}}, u"0"_s),
                                   boardRow(u"11"_s, {u"ta1"_s, {}, u"tm1"_s, {}, {}}, u"1"_s),
                                   boardRow(u"2"_s, {{}, {}, u"m2"_s, {}, {}}, u"0"_s),
                                   boardRow(u"21"_s, {{}, {}, u"tm2"_s, {}, {}}, u"1"_s),
                                   boardRow(u"3"_s, {{}, {}, u"m3"_s, {}, {}}, u"0"_s),
                                   boardRow(u"31"_s, {{}, {}, u""_s, {}, {}}, u"1"_s),
                               }));
}

TEST(WeekBoard, AWeekendOnlyWeekGivesOneEmptyRow) {
    bool ok = false;
    int weekendOrders = 0;
    Recordset board =
        pivot({order(monday.addDays(5), u"s"_s, u"t"_s), order(monday.addDays(6), u"d"_s, u"t"_s)},
              monday, &ok, &weekendOrders);
    EXPECT_TRUE(ok);
    EXPECT_EQ(rowsText(board), QStringList{QStringList(boardFieldCount, N).join(u'|')});
    EXPECT_EQ(weekendOrders, 2);
}

// Every order is either under a day column or counted as a weekend one.
TEST(WeekBoard, CountsTheOrdersNoDayColumnShows) {
    const QDate saturday = monday.addDays(5), sunday = monday.addDays(6),
                wednesday = monday.addDays(2);
    const struct {
        const char* name;
        QDate today;
        QList<int> dueInDays; // from today
        int weekendOrders;
    } cases[] = {
        {"SaturdayFromMonday", monday, {0, 5}, 1},
        {"TheSameOrderOnFriday", monday, {0, 4}, 0},
        {"FromSaturdayTodayAndTomorrow", saturday, {0, 1, 2, 1}, 3},
        {"FromSundayTodayAndTheLastDay", sunday, {0, 6, 3}, 2},
        {"FromWednesdayMidWindow", wednesday, {0, 3, 4, 5}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QList<OrderRow> rows;
        for (int days : c.dueInDays)
            rows.append(order(c.today.addDays(days), u"c%1"_s.arg(rows.size()), u"t"_s));
        int weekendOrders = -1;
        Recordset board = pivot(rows, c.today, nullptr, &weekendOrders);
        EXPECT_EQ(weekendOrders, c.weekendOrders);
        const QString shown = rowsText(board).join(u'|');
        const auto isShown = [&](const OrderRow& row) {
            return shown.contains(u'|' + row.cliente.toString() + u'|');
        };
        EXPECT_EQ(std::count_if(rows.begin(), rows.end(), isShown), rows.size() - c.weekendOrders);
    }
}

TEST(WeekBoard, DayNamesThatDifferInCaseOrAccentsFindNoColumn) {
    Recordset board = pivot(
        {
            {u"Segunda"_s, u"2026-12-07"_s, u"x1"_s, u"t"_s},
            {u"TERCA"_s, u"2026-12-08"_s, u"x2"_s, u"t"_s},
            {u" QUARTA"_s, u"2026-12-09"_s, u"x3"_s, u"t"_s},
            {u"SEXTA"_s, u"2026-12-11"_s, u"f1"_s, u"tf1"_s},
        },
        monday);
    EXPECT_EQ(rowsText(board), (QStringList{
                                   boardRow(u"1"_s, {{}, {}, {}, {}, u"f1"_s}, u"0"_s),
                                   boardRow(u"11"_s, {{}, {}, {}, {}, u"tf1"_s}, u"1"_s),
                               }));
}

TEST(WeekBoard, NoRowsLeaveTheBoardAsItWas) {
    Recordset query = orderQuery({});
    Recordset board = orderQuery({order(monday, u"previous"_s, u"t"_s)});
    int weekendOrders = -1;
    EXPECT_FALSE(buildWeekBoard(query, namesFrom(monday), board, &weekendOrders));
    EXPECT_EQ(columnText(board, u"Cliente"_s), QStringList{u"previous"_s});
    EXPECT_EQ(weekendOrders, 0);
}

namespace {

using OrdersByColumn = std::array<QList<OrderRow>, dayColumnCount>;

// The board read column by column: under day i, the clients (then the
// technicians) of that day's orders in their order.
QStringList boardReadByColumn(const OrdersByColumn& byColumn) {
    qsizetype depth = 0;
    for (const auto& column : byColumn)
        depth = std::max(depth, column.size());
    if (depth == 0)
        return {QStringList(boardFieldCount, N).join(u'|')};
    QStringList expected;
    for (qsizetype n = 0; n < depth; ++n) {
        QVariantList clients(dayColumnCount), technicians(dayColumnCount);
        for (qsizetype c = 0; c < dayColumnCount; ++c) {
            if (n >= byColumn[size_t(c)].size())
                continue;
            // A null client still marks its day as taken.
            const OrderRow& row = byColumn[size_t(c)][n];
            clients[c] = row.cliente.isNull() ? QVariant(u"\x01"_s) : row.cliente;
            technicians[c] = row.tecnico;
        }
        const QString key = QString::number(n + 1);
        expected << boardRow(key, clients, u"0"_s).replace(u"\x01"_s, N)
                 << boardRow(key + u'1', technicians, u"1"_s);
    }
    return expected;
}

} // namespace

// Random weeks against the board read column by column.
TEST(WeekBoard, MatchesTheBoardReadColumnByColumn) {
    std::mt19937 random(20261207);
    for (int week = 0; week < 300; ++week) {
        const QDate today = monday.addDays(int(random() % 7));
        const WeekDayNames names = namesFrom(today);
        QList<OrderRow> rows;
        OrdersByColumn byColumn;
        for (int offset = 0; offset < 7; ++offset) {
            const QDate date = today.addDays(offset);
            const int count = int(random() % 14) * int(random() % 2);
            for (int n = 0; n < count; ++n) {
                OrderRow row = order(date, u"c%1.%2"_s.arg(offset).arg(n),
                                     random() % 4 ? u"t%1"_s.arg(n) : QString(u""_s));
                if (random() % 10 == 0)
                    row.cliente = QVariant();
                rows.append(row);
                const int column = FindDayColumn(row.diaSemana.toString(), names);
                if (column != noDayColumn)
                    byColumn[size_t(column)].append(row);
            }
        }
        if (rows.isEmpty())
            continue;
        const QStringList expected = boardReadByColumn(byColumn);

        bool ok = false;
        Recordset board = pivot(rows, today, &ok);
        ASSERT_TRUE(ok);
        ASSERT_EQ(rowsText(board), expected) << "week " << week;
    }
}
