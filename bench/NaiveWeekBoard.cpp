#include "NaiveWeekBoard.h"

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace assi::bench {

namespace {

// What a recordset filter by equality costs without an index: a look at every row.
std::vector<int> scanFilter(const Recordset& rows, int field, const QVariant& value) {
    std::vector<int> hits;
    const int count = rows.recordCount();
    for (int r = 0; r < count; ++r) {
        if (rows.valueAt(r, field) == value)
            hits.push_back(r);
    }
    return hits;
}

Recordset naiveCopy(Recordset& query) {
    Recordset raw = BuildOrderSourceRecordset();
    const Recordset scan = raw.clone();
    const int ordField = raw.fieldIndex(u"Ord"_s), dataField = raw.fieldIndex(u"Data"_s);
    for (; !query.eof(); query.moveNext()) {
        const QString date = query.value(u"Data"_s).toString();
        std::vector<int> sameDate = scanFilter(scan, dataField, date);
        int ord = 1;
        if (!sameDate.empty()) {
            std::stable_sort(sameDate.begin(), sameDate.end(), [&](int a, int b) {
                return scan.valueAt(a, ordField).toInt() > scan.valueAt(b, ordField).toInt();
            });
            ord = scan.valueAt(sameDate.front(), ordField).toInt() + 1;
        }
        raw.addNew();
        raw.setValue(u"Ord"_s, ord);
        raw.setValue(u"Data"_s, date);
        raw.setValue(u"DiaSemana"_s, query.value(u"DiaSemana"_s));
        raw.setValue(u"Cliente"_s, query.value(u"Cliente"_s));
        raw.setValue(u"Tecnico"_s, query.value(u"Tecnico"_s));
        raw.update();
    }
    return raw;
}

Recordset naivePivot(Recordset& raw, const WeekDayNames& names) {
    Recordset board = BuildBoardRecordset();
    raw.setSort(u"Ord"_s);
    raw.moveFirst();
    QString remembered = u"-1"_s;
    const Recordset clone = raw.clone();
    const int ordField = raw.fieldIndex(u"Ord"_s), dayField = raw.fieldIndex(u"DiaSemana"_s),
              technicianField = raw.fieldIndex(u"Tecnico"_s);
    board.addNew();

    auto appendTechnicianRow = [&](const QString& group) {
        const std::vector<int> rows = scanFilter(clone, ordField, group.toInt());
        if (rows.empty())
            return;
        board.addNew();
        board.setValue(u"Ord"_s, group + u'1');
        for (int row : rows) {
            const int i = FindDayColumn(clone.valueAt(row, dayField).toString(), names);
            if (i == noDayColumn)
                continue;
            board.setValue(2 * (i + 1), clone.valueAt(row, technicianField));
            board.setValue(2 * (i + 1) + 1, u""_s);
            board.setValue(12, u"1"_s);
        }
        board.update();
    };

    for (; !raw.eof(); raw.moveNext()) {
        const QString ord = raw.value(u"Ord"_s).toString();
        if (ord != remembered && remembered.toInt() != -1) {
            appendTechnicianRow(remembered);
            board.addNew();
        }
        const int i = FindDayColumn(raw.value(u"DiaSemana"_s).toString(), names);
        if (i == noDayColumn)
            continue;
        remembered = ord;
        board.setValue(0, remembered);
        board.setValue(2 * (i + 1), raw.value(u"Cliente"_s));
        board.setValue(2 * (i + 1) + 1, u""_s);
        board.setValue(12, u"0"_s);
        board.update();
    }
    appendTechnicianRow(remembered);
    board.moveFirst();
    return board;
}

} // namespace

bool naiveBuildWeekBoard(Recordset& query, const WeekDayNames& DiasSemana, Recordset& board) {
    if (query.recordCount() < 1)
        return false;
    Recordset raw = naiveCopy(query);
    board = naivePivot(raw, DiasSemana);
    return true;
}

} // namespace assi::bench
