#include "data/WeekBoard.h"

#include "core/TextCut.h"
#include "data/FieldTexts.h"
#include "data/QueryColumns.h"
#include "data/RegionalText.h"
#include "data/SqlDialect.h"
#include "database/DatabaseConnection.h"

#include <QHash>
#include <algorithm>
#include <numeric>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// The board shows the seven days from today.
constexpr int daysInWindow = 7;

const QString& dayNameOf(int dayOfWeek) {
    static const std::array<QString, 8> names{
        QString(),   u"SEGUNDA"_s, u"TERÇA"_s, u"QUARTA"_s,
        u"QUINTA"_s, u"SEXTA"_s,   QString(),  QString(),
    };
    return names[size_t(dayOfWeek)]; // Qt numbers Monday 1 ... Sunday 7
}

// One order as the pivot needs it: its number within its date, its day
// column, and its names as kept from the query.
struct Order {
    int ord;
    int column; // or noDayColumn
    QVariant cliente;
    QVariant tecnico;
};

// A query value as an order keeps it: text of at most `size` characters.
QVariant keptText(const QVariant& value, int size) {
    if (value.typeId() != QMetaType::QString) {
        const QVariant text = toRegionalText(value);
        return text.isNull() ? text : QVariant(cutToCharacters(text.toString(), size));
    }
    // The usual case, kept free of copies: a text that already fits.
    const QString& text = *static_cast<const QString*>(value.constData());
    return text.size() <= size ? value : QVariant(cutToCharacters(text, size));
}

// Numbers the orders of each delivery date 1, 2, 3 ... in arrival order.
class OrderNumbering {
public:
    explicit OrderNumbering(const WeekDayNames& DiasSemana) : m_DiasSemana(DiasSemana) {}

    // The order's texts as kept: its delivery date, day name, client and technician.
    void add(const QVariant& date, const QVariant& dayName, QVariant cliente, QVariant tecnico) {
        // A null date equals no other, so each of its orders is the first.
        const int ord = date.isNull() ? 1 : ++lastOnDate(date.toString());
        m_orders.push_back({ord, FindDayColumn(dayName.toString(), m_DiasSemana),
                            std::move(cliente), std::move(tecnico)});
    }
    void reserve(int orders) { m_orders.reserve(size_t(orders)); }
    std::vector<Order> takeOrders() { return std::move(m_orders); }

private:
    // The queries give the orders by date: the last order's date is tried
    // before any look-up.
    int& lastOnDate(const QString& date) {
        if (!m_hasLastDate || m_lastDate.key() != date) {
            m_lastDate = m_lastOnDate.find(date);
            if (m_lastDate == m_lastOnDate.end())
                m_lastDate = m_lastOnDate.insert(date, 0);
            m_hasLastDate = true;
        }
        return m_lastDate.value();
    }

    const WeekDayNames& m_DiasSemana;
    QHash<QString, int> m_lastOnDate;
    QHash<QString, int>::iterator m_lastDate; // only ever the last one found or inserted
    bool m_hasLastDate = false;
    std::vector<Order> m_orders;
};

// Reads the query rows from the current one to EOF.
std::vector<Order> readOrders(Recordset& query, const WeekDayNames& DiasSemana) {
    const int data = requireQueryColumn(query, u"Data"_s);
    const int diaSemana = requireQueryColumn(query, u"DiaSemana"_s);
    const int cliente = requireQueryColumn(query, u"Cliente"_s);
    const int tecnico = requireQueryColumn(query, u"Tecnico"_s);
    OrderNumbering numbering(DiasSemana);
    numbering.reserve(query.recordCount());
    for (; !query.eof(); query.moveNext()) {
        numbering.add(keptText(query.value(data), orderDateSize),
                      keptText(query.value(diaSemana), orderDayNameSize),
                      keptText(query.value(cliente), orderNameSize),
                      keptText(query.value(tecnico), orderNameSize));
    }
    return numbering.takeOrders();
}

// Reads the week's orders straight from the database, keeping only what the
// pivot needs; none when the query gives no rows.
std::vector<Order> readOrders(DatabaseConnection& connection, const QDate& today,
                              const WeekDayNames& DiasSemana) {
    const auto dialect = SqlDialect::forEngine(connection.engine());
    std::optional<OrderNumbering> numbering;
    FieldTexts texts;
    int data = 0, diaSemana = 0, cliente = 0, tecnico = 0;
    connection.readQuery(
        dialect->weekOrdersSql(today),
        [&](const QueryCells& cells) {
            numbering.emplace(DiasSemana);
            texts = FieldTexts();
            data = requireQueryColumn(cells, u"Data"_s);
            diaSemana = requireQueryColumn(cells, u"DiaSemana"_s);
            cliente = requireQueryColumn(cells, u"Cliente"_s);
            tecnico = requireQueryColumn(cells, u"Tecnico"_s);
        },
        [&](QueryCells& cells) {
            numbering->add(texts.text(cells, data, orderDateSize),
                           texts.text(cells, diaSemana, orderDayNameSize),
                           texts.text(cells, cliente, orderNameSize),
                           texts.text(cells, tecnico, orderNameSize));
        });
    return numbering ? numbering->takeOrders() : std::vector<Order>();
}

// Adds one board row: under each day column the name (client or technician)
// of the order that fills it, its spacer the empty text.
void placeRow(Recordset& board, const std::array<const Order*, dayColumnCount>& orderOfColumn,
              const QString& key, QVariant Order::*name, const QString& type) {
    board.addNew();
    board.setValue(boardOrdField, key);
    for (int column = 0; column < dayColumnCount; ++column) {
        const Order* order = orderOfColumn[size_t(column)];
        if (!order)
            continue;
        board.setValue(boardDayField(column), order->*name);
        board.setValue(boardSpacerField(column), QString(u""_s));
    }
    board.setValue(boardTipoField, type);
    board.update();
}

// The positions of `orders` sorted by number, stably: the orders of one number
// keep their arrival (date) order. Numbers run from 1 to at most the number of
// orders, so a counting sort does.
std::vector<int> stableOrderByNumber(const std::vector<Order>& orders) {
    // start[n]: where the orders numbered n begin in the sorted list.
    std::vector<int> start(orders.size() + 2, 0);
    for (const Order& order : orders) {
        Q_ASSERT_X(order.ord >= 1 && size_t(order.ord) <= orders.size(), "stableOrderByNumber",
                   "orders are numbered from 1 within their date");
        ++start[size_t(order.ord) + 1];
    }
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<int> sorted(orders.size());
    for (size_t i = 0; i < orders.size(); ++i)
        sorted[size_t(start[size_t(orders[i].ord)]++)] = int(i);
    return sorted;
}

// The board of a week's orders, given in arrival order: for each number n, a
// client row keyed n and a technician row keyed n followed by 1.
Recordset pivotOrders(const std::vector<Order>& orders) {
    const std::vector<int> sorted = stableOrderByNumber(orders);
    Recordset board = BuildBoardRecordset();
    for (size_t group = 0; group < sorted.size();) {
        const int number = orders[size_t(sorted[group])].ord;
        // Within one week a group holds each day at most once; should two
        // orders ever share a day, the later one shows, as if written over.
        std::array<const Order*, dayColumnCount> orderOfColumn{};
        bool shown = false;
        size_t next = group;
        for (; next < sorted.size() && orders[size_t(sorted[next])].ord == number; ++next) {
            const Order& order = orders[size_t(sorted[next])];
            if (order.column == noDayColumn)
                continue;
            orderOfColumn[size_t(order.column)] = &order;
            shown = true;
        }
        // A group of weekend orders only has nothing to show.
        if (shown) {
            const QString key = QString::number(number);
            placeRow(board, orderOfColumn, key, &Order::cliente, u"0"_s);
            placeRow(board, orderOfColumn, key + u'1', &Order::tecnico, u"1"_s);
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

// The orders the board has no column for: they appear on no row, so the
// window says how many there are.
int countWithoutColumn(const std::vector<Order>& orders) {
    return int(std::count_if(orders.begin(), orders.end(),
                             [](const Order& order) { return order.column == noDayColumn; }));
}

void setIfGiven(int* out, int value) {
    if (out)
        *out = value;
}

} // namespace

Recordset BuildBoardRecordset() {
    Recordset board;
    board.appendField(u"Ord"_s, FieldType::Text, boardKeySize);
    board.appendField(u"Vazio_0"_s, FieldType::Text, boardSpacerSize);
    for (int k = 1; k <= dayColumnCount; ++k) {
        board.appendField(u"Dia_%1"_s.arg(k), FieldType::Text, boardDaySize);
        board.appendField(u"Vazio_%1"_s.arg(k), FieldType::Text, boardSpacerSize);
    }
    board.appendField(u"Tipo"_s, FieldType::Text, boardTipoSize);
    return board;
}

void fillWeekDayNames(const QDate& today, WeekDayNames& DiasSemana) {
    size_t next = 0;
    for (int offset = 0; offset < daysInWindow; ++offset) {
        const QString& name = dayNameOf(today.addDays(offset).dayOfWeek());
        if (!name.isNull())
            DiasSemana[next++] = name;
    }
}

int FindDayColumn(const QString& dayName, const WeekDayNames& DiasSemana) {
    if (dayName.isNull())
        return noDayColumn;
    for (int i = 0; i < dayColumnCount; ++i) {
        if (DiasSemana[size_t(i)] == dayName)
            return i;
    }
    return noDayColumn;
}

bool buildWeekBoard(Recordset& query, const WeekDayNames& DiasSemana, Recordset& board,
                    int* weekendOrders) {
    setIfGiven(weekendOrders, 0);
    if (query.recordCount() == 0)
        return false;
    const std::vector<Order> orders = readOrders(query, DiasSemana);
    board = pivotOrders(orders);
    setIfGiven(weekendOrders, countWithoutColumn(orders));
    return true;
}

void LoadWeekBoard(DatabaseConnection& connection, const QDate& today, Recordset& board,
                   WeekDayNames& DiasSemana, bool& ok, int* weekendOrders) {
    ok = true;
    setIfGiven(weekendOrders, 0);
    fillWeekDayNames(today, DiasSemana);
    try {
        const std::vector<Order> orders = readOrders(connection, today, DiasSemana);
        ok = !orders.empty();
        if (ok)
            board = pivotOrders(orders);
        setIfGiven(weekendOrders, countWithoutColumn(orders));
    } catch (...) {
        // Whatever failed, the caller must not take `board` for a new week.
        ok = false;
        throw;
    }
}

} // namespace assi
