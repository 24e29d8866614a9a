#include "BenchData.h"

#include "common/BoardTables.h"

#include <QDateTime>

using namespace Qt::StringLiterals;

namespace assi::bench {

QDate benchMonday() {
    return QDate(2026, 12, 7);
}

Recordset makeRequestQuery(int rows) {
    const QString note = u"Equipamento não arranca depois da falha de energia; o cliente pede "
                         u"visita ainda hoje e deixa contacto do responsável de manutenção."_s;
    QList<test::RequestRow> requests;
    requests.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        requests.append({u"Departamento %1"_s.arg(r * 12 / rows),
                         u"Cliente de Assistência Técnica n.º %1, Lda."_s.arg(r),
                         u"2026/%1"_s.arg(r + 1),
                         QDateTime(QDate(2026, 12, 1).addDays(r % 6), QTime(9 + r % 9, 30)),
                         r % 7 ? QVariant(note) : QVariant()});
    }
    return test::requestQuery(requests);
}

Recordset makeOrderQuery(int rows, int perDate) {
    static const QString names[] = {u"SEGUNDA"_s, u"TERÇA"_s, u"QUARTA"_s, u"QUINTA"_s, u"SEXTA"_s};
    QList<test::OrderRow> orders;
    orders.reserve(rows);
    const int dates = std::max(dayColumnCount, (rows + perDate - 1) / perDate);
    // Rows are spread evenly over the dates, in date order.
    int row = 0;
    for (int d = 0; d < dates; ++d) {
        const QDate date = benchMonday().addDays(7 * (d / dayColumnCount) + d % dayColumnCount);
        const QString dateText = date.toString(Qt::ISODate);
        const int end = int(qint64(rows) * (d + 1) / dates);
        for (; row < end; ++row) {
            orders.append({names[d % dayColumnCount], dateText,
                           u"Cliente Exemplar de Serviços %1"_s.arg(row),
                           row % 9 ? u"Técnico %1"_s.arg(row % 40) : QString(u""_s)});
        }
    }
    return test::orderQuery(orders);
}

WeekDayNames benchDayNames() {
    WeekDayNames names;
    fillWeekDayNames(benchMonday(), names);
    return names;
}

} // namespace assi::bench
