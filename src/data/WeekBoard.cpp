#include "WeekBoard.h"

#include "QueryColumns.h"
#include "RegionalText.h"
#include "SqlDialect.h"
#include "DatabaseConnection.h"
#include "TextCut.h"

#include <QHash>
#include <algorithm>
#include <numeric>
#include <vector>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// Raw-orders recordset, by position.
enum RawField { RawOrd, RawDiaSemana, RawData, RawCliente, RawTecnico };
constexpr int daySize = 15;
constexpr int dateSize = 30;
constexpr int nameSize = 30;

// Board recordset, by position: day column i (0 to 4) is at dayField(i).
constexpr int boardOrd = 0;
constexpr int boardTipo = 12;
constexpr int dayField(int column) {
    return 2 * (column + 1);
}
constexpr int spacerField(int column) {
    return dayField(column) + 1;
}

// Wide enough for any group key: the digits of a 32-bit group number and the
// trailing "1" of its technician row.
constexpr int boardKeySize = 11;

const QString& dayNameOf(int dayOfWeek) {
    static const std::array<QString, 8> names{
        QString(),   u"SEGUNDA"_s, u"TERÇA"_s, u"QUARTA"_s,
        u"QUINTA"_s, u"SEXTA"_s,   QString(),  QString(),
    };
    return names[size_t(dayOfWeek)]; // Qt numbers Monday 1 ... Sunday 7
}

// One order as the pivot needs it: its number within its date, its day
// column, and the names as the raw-orders recordset stores them.
struct RawOrder {
    int ord;
    int column; // or noDayColumn
    QVariant cliente;
    QVariant tecnico;
};

// A value as a raw-orders text field of `size` characters stores it.
QVariant storedText(const QVariant& value, int size) {
    if (value.typeId() != QMetaType::QString) {
        const QVariant text = toRegionalText(value);
        return text.isNull() ? text : QVariant(cutToCharacters(text.toString(), size));
    }
    // The usual case, kept free of copies: a text that already fits.
    const QString& text = *static_cast<const QString*>(value.constData());
    return text.size() <= size ? value : QVariant(cutToCharacters(text, size));
}

// Reads the query rows from the current one to EOF and numbers the orders of
// each delivery date 1, 2, 3 ... in arrival order: one more than the last
// number given on that date. Hands each row to `add` as the raw-orders
// recordset stores it: add(ord, diaSemana, data, cliente, tecnico).
template <typename Add> void numberOrders(Recordset& query, Add add) {
    const int data = requireQueryColumn(query, u"Data"_s);
    const int diaSemana = requireQueryColumn(query, u"DiaSemana"_s);
    const int cliente = requireQueryColumn(query, u"Cliente"_s);
    const int tecnico = requireQueryColumn(query, u"Tecnico"_s);
    QHash<QString, int> lastOnDate;
    for (; !query.eof(); query.moveNext()) {
        const QVariant date = storedText(query.value(data), dateSize);
        // A null date equals no other, so each of its orders is the first.
        const int ord = date.isNull() ? 1 : ++lastOnDate[date.toString()];
        add(ord, storedText(query.value(diaSemana), daySize), date,
            storedText(query.value(cliente), nameSize), storedText(query.value(tecnico), nameSize));
    }
}

// Adds one board row: under each day column the name (client or technician)
// of the order that fills it, its spacer the empty text.
void placeRow(Recordset& board, const std::array<const RawOrder*, noDayColumn>& orderOfColumn,
              const QString& key, QVariant RawOrder::*name, const QString& type) {
    board.addNew();
    board.setValue(boardOrd, key);
    for (int column = 0; column < noDayColumn; ++column) {
        const RawOrder* order = orderOfColumn[size_t(column)];
        if (!order)
            continue;
        board.setValue(dayField(column), order->*name);
        board.setValue(spacerField(column), QString(u""_s));
    }
    board.setValue(boardTipo, type);
    board.update();
}

// The positions of `orders` sorted by number, stably: the orders of one number
// keep their arrival (date) order. Numbers given per date run from 1 to at
// most the number of orders, so a counting sort does; anything else is sorted.
std::vector<int> stableOrderByNumber(const std::vector<RawOrder>& orders) {
    const int count = int(orders.size());
    std::vector<int> sorted(orders.size());
    if (orders.empty())
        return sorted;
    const auto [lowest, highest] =
        std::minmax_element(orders.begin(), orders.end(),
                            [](const RawOrder& a, const RawOrder& b) { return a.ord < b.ord; });
    const qint64 range = qint64(highest->ord) - lowest->ord + 1;
    if (range > qint64(count) + 1) {
        std::iota(sorted.begin(), sorted.end(), 0);
        std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) {
            return orders[size_t(a)].ord < orders[size_t(b)].ord;
        });
        return sorted;
    }
    std::vector<int> start(size_t(range) + 1, 0);
    for (const RawOrder& order : orders)
        ++start[size_t(order.ord - lowest->ord) + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    for (int i = 0; i < count; ++i)
        sorted[size_t(start[size_t(orders[size_t(i)].ord - lowest->ord)]++)] = i;
    return sorted;
}

// The board of a week's orders, given in arrival order: for each number n, a
// client row keyed n and a technician row keyed n followed by 1.
Recordset pivotOrders(const std::vector<RawOrder>& orders) {
    const std::vector<int> sorted = stableOrderByNumber(orders);
    Recordset board = BuildBoardRecordset();
    for (size_t group = 0; group < sorted.size();) {
        const int number = orders[size_t(sorted[group])].ord;
        // Within one week a group holds each day at most once; should two
        // orders ever share a day, the later one shows, as if written over.
        std::array<const RawOrder*, noDayColumn> orderOfColumn{};
        bool shown = false;
        size_t next = group;
        for (; next < sorted.size() && orders[size_t(sorted[next])].ord == number; ++next) {
            const RawOrder& order = orders[size_t(sorted[next])];
            if (order.column == noDayColumn)
                continue;
            orderOfColumn[size_t(order.column)] = &order;
            shown = true;
        }
        // A group of weekend orders only has nothing to show.
        if (shown) {
            const QString key = QString::number(number);
            placeRow(board, orderOfColumn, key, &RawOrder::cliente, u"0"_s);
            placeRow(board, orderOfColumn, key + u'1', &RawOrder::tecnico, u"1"_s);
        }
        group = next;
    }

    // A week whose orders all fall on the weekend still gets its one, empty row.
    if (board.recordCount() == 0) {
        board.addNew();
        board.update();
    }
    board.moveFirst();
    return board;
}

} // namespace

Recordset BuildOrderSourceRecordset() {
    Recordset raw;
    raw.appendField(u"Ord"_s, FieldType::Integer);
    raw.appendField(u"DiaSemana"_s, FieldType::Text, daySize);
    raw.appendField(u"Data"_s, FieldType::Text, dateSize);
    raw.appendField(u"Cliente"_s, FieldType::Text, nameSize);
    raw.appendField(u"Tecnico"_s, FieldType::Text, nameSize);
    return raw;
}

Recordset BuildBoardRecordset() {
    Recordset board;
    board.appendField(u"Ord"_s, FieldType::Text, boardKeySize);
    board.appendField(u"Vazio_0"_s, FieldType::Text, 5);
    for (int k = 1; k <= 5; ++k) {
        board.appendField(u"Dia_%1"_s.arg(k), FieldType::Text, 30);
        board.appendField(u"Vazio_%1"_s.arg(k), FieldType::Text, 5);
    }
    board.appendField(u"Tipo"_s, FieldType::Text, 1);
    return board;
}

void FillWeekDayNames(const QDate& today, WeekDayNames& DiasSemana) {
    size_t next = 0;
    for (int offset = 0; offset < 7; ++offset) {
        const QString& name = dayNameOf(today.addDays(offset).dayOfWeek());
        if (!name.isNull())
            DiasSemana[next++] = name;
    }
}

int FindDayColumn(const QString& dayName, const WeekDayNames& DiasSemana) {
    if (dayName.isNull())
        return noDayColumn;
    for (int i = 0; i < noDayColumn; ++i) {
        if (DiasSemana[size_t(i)] == dayName)
            return i;
    }
    return noDayColumn;
}

Recordset CopyOrdersWithSequence(Recordset& query) {
    Recordset raw = BuildOrderSourceRecordset();
    numberOrders(query, [&raw](int ord, const QVariant& diaSemana, const QVariant& data,
                               const QVariant& cliente, const QVariant& tecnico) {
        raw.addNew();
        raw.setValue(RawOrd, ord);
        raw.setValue(RawData, data);
        raw.setValue(RawDiaSemana, diaSemana);
        raw.setValue(RawCliente, cliente);
        raw.setValue(RawTecnico, tecnico);
        raw.update();
    });
    return raw;
}

Recordset PivotWeekBoard(const Recordset& raw, const WeekDayNames& DiasSemana) {
    const Recordset rows = raw.clone(); // insertion order, no filter
    std::vector<RawOrder> orders;
    orders.reserve(size_t(rows.recordCount()));
    for (int r = 0; r < rows.recordCount(); ++r) {
        orders.push_back({rows.valueAt(r, RawOrd).toInt(),
                          FindDayColumn(rows.valueAt(r, RawDiaSemana).toString(), DiasSemana),
                          rows.valueAt(r, RawCliente), rows.valueAt(r, RawTecnico)});
    }
    return pivotOrders(orders);
}

bool BuildWeekBoard(Recordset& query, const WeekDayNames& DiasSemana, Recordset& board) {
    const int count = query.recordCount();
    if (count < 1)
        return false;
    // The same numbering and pivot as CopyOrdersWithSequence followed by
    // PivotWeekBoard, without building the raw-orders recordset in between.
    std::vector<RawOrder> orders;
    orders.reserve(size_t(count));
    numberOrders(query, [&](int ord, const QVariant& diaSemana, const QVariant&,
                            const QVariant& cliente, const QVariant& tecnico) {
        orders.push_back({ord, FindDayColumn(diaSemana.toString(), DiasSemana), cliente, tecnico});
    });
    board = pivotOrders(orders);
    return true;
}

void LoadWeekBoard(DatabaseConnection& connection, const QDate& today, Recordset& board,
                   WeekDayNames& DiasSemana, bool& ok) {
    ok = true;
    FillWeekDayNames(today, DiasSemana);
    try {
        const auto dialect = SqlDialect::forEngine(connection.engine());
        Recordset query;
        connection.OpenQuery(QString(), dialect->weekOrdersSql(today), query, true, 0);
        ok = BuildWeekBoard(query, DiasSemana, board);
    } catch (...) {
        // Whatever failed, the caller must not take `board` for a new week.
        ok = false;
        throw;
    }
}

} // namespace assi
