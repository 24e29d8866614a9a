#include "NaiveWeekBoard.h"

#include <algorithm>
#include <numeric>
#include <vector>

using namespace Qt::StringLiterals;

namespace assi::bench {

namespace {

enum RawField { RawOrd, RawDiaSemana, RawData, RawCliente, RawTecnico };

// The raw-orders table: each order with its number within its date.
Recordset BuildOrderSourceRecordset() {
    Recordset raw;
    raw.appendField(u"Ord"_s, FieldType::Integer);
    raw.appendField(u"DiaSemana"_s, FieldType::Text, orderDayNameSize);
    raw.appendField(u"Data"_s, FieldType::Text, orderDateSize);
    raw.appendField(u"Cliente"_s, FieldType::Text, orderNameSize);
    raw.appendField(u"Tecnico"_s, FieldType::Text, orderNameSize);
    return raw;
}

// What a filter by equality costs without an index: a look at every row.
std::vector<int> scanFilter(const Recordset& rows, int field, const QVariant& value) {
    std::vector<int> hits;
    const int count = rows.recordCount();
    for (int r = 0; r < count; ++r) {
        if (rows.valueAt(r, field) == value)
            hits.push_back(r);
    }
    return hits;
}

// The rows ordered by an integer field, stably, as a table's sort gives them.
std::vector<int> sortedBy(const Recordset& rows, int field) {
    std::vector<int> order(size_t(rows.recordCount()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return rows.valueAt(a, field).toInt() < rows.valueAt(b, field).toInt();
    });
    return order;
}

Recordset naiveCopy(Recordset& query) {
    Recordset raw = BuildOrderSourceRecordset();
    const int data = query.fieldIndex(u"Data"_s), diaSemana = query.fieldIndex(u"DiaSemana"_s),
              cliente = query.fieldIndex(u"Cliente"_s), tecnico = query.fieldIndex(u"Tecnico"_s);
    for (; !query.eof(); query.moveNext()) {
        const QString date = query.value(data).toString();
        std::vector<int> sameDate = scanFilter(raw, RawData, date);
        int ord = 1;
        if (!sameDate.empty()) {
            std::stable_sort(sameDate.begin(), sameDate.end(), [&](int a, int b) {
                return raw.valueAt(a, RawOrd).toInt() > raw.valueAt(b, RawOrd).toInt();
            });
            ord = raw.valueAt(sameDate.front(), RawOrd).toInt() + 1;
        }
        raw.addNew();
        raw.setValue(RawOrd, ord);
        raw.setValue(RawData, date);
        raw.setValue(RawDiaSemana, query.value(diaSemana));
        raw.setValue(RawCliente, query.value(cliente));
        raw.setValue(RawTecnico, query.value(tecnico));
        raw.update();
    }
    return raw;
}

Recordset naivePivot(const Recordset& raw, const WeekDayNames& names) {
    Recordset board = BuildBoardRecordset();
    QString remembered = u"-1"_s;
    board.addNew();

    auto appendTechnicianRow = [&](const QString& group) {
        const std::vector<int> rows = scanFilter(raw, RawOrd, group.toInt());
        if (rows.empty())
            return;
        board.addNew();
        board.setValue(boardOrdField, group + u'1');
        for (int row : rows) {
            const int i = FindDayColumn(raw.valueAt(row, RawDiaSemana).toString(), names);
            if (i == noDayColumn)
                continue;
            board.setValue(boardDayField(i), raw.valueAt(row, RawTecnico));
            board.setValue(boardSpacerField(i), u""_s);
            board.setValue(boardTipoField, u"1"_s);
        }
        board.update();
    };

    for (int row : sortedBy(raw, RawOrd)) {
        const QString ord = raw.valueAt(row, RawOrd).toString();
        if (ord != remembered && remembered.toInt() != -1) {
            appendTechnicianRow(remembered);
            board.addNew();
        }
        const int i = FindDayColumn(raw.valueAt(row, RawDiaSemana).toString(), names);
        if (i == noDayColumn)
            continue;
        remembered = ord;
        board.setValue(boardOrdField, remembered);
        board.setValue(boardDayField(i), raw.valueAt(row, RawCliente));
        board.setValue(boardSpacerField(i), u""_s);
        board.setValue(boardTipoField, u"0"_s);
        board.update();
    }
    appendTechnicianRow(remembered);
    board.moveFirst();
    return board;
}

} // namespace

bool buildNaiveWeekBoard(Recordset& query, const WeekDayNames& DiasSemana, Recordset& board) {
    if (query.recordCount() < 1)
        return false;
    board = naivePivot(naiveCopy(query), DiasSemana);
    return true;
}

} // namespace assi::bench
