#include "BenchData.h"

#include <QDateTime>

using namespace Qt::StringLiterals;

namespace assi::bench {

QDate benchMonday() {
    return QDate(2026, 12, 7);
}

Recordset makeRequestQuery(int rows) {
    Recordset query;
    query.appendField(u"Dep"_s, FieldType::Text);
    query.appendField(u"Cliente"_s, FieldType::Text);
    query.appendField(u"Pedido"_s, FieldType::Text);
    query.appendField(u"DataPedido"_s, FieldType::DateTime);
    query.appendField(u"Obs"_s, FieldType::Text);
    const QString note = u"Equipamento não arranca depois da falha de energia; o cliente pede "
                         u"visita ainda hoje e deixa contacto do responsável de manutenção."_s;
    for (int r = 0; r < rows; ++r) {
        query.addNew();
        query.setValue(0, u"Departamento %1"_s.arg(r * 12 / rows));
        query.setValue(1, u"Cliente de Assistência Técnica n.º %1, Lda."_s.arg(r));
        query.setValue(2, u"2026/%1"_s.arg(r + 1));
        query.setValue(3, QDateTime(QDate(2026, 12, 1).addDays(r % 6), QTime(9 + r % 9, 30)));
        query.setValue(4, r % 7 ? QVariant(note) : QVariant());
        query.update();
    }
    query.moveFirst();
    return query;
}

Recordset makeOrderQuery(int rows, int perDate) {
    static const QString names[] = {u"SEGUNDA"_s, u"TERÇA"_s, u"QUARTA"_s, u"QUINTA"_s, u"SEXTA"_s};
    Recordset query;
    query.appendField(u"DiaSemana"_s, FieldType::Text);
    query.appendField(u"Data"_s, FieldType::Text);
    query.appendField(u"Tecnico"_s, FieldType::Text);
    query.appendField(u"Cliente"_s, FieldType::Text);
    const int dates = std::max(5, (rows + perDate - 1) / perDate);
    // Rows are spread evenly over the dates, in date order.
    int row = 0;
    for (int d = 0; d < dates; ++d) {
        const QDate date = benchMonday().addDays(7 * (d / 5) + d % 5);
        const QString dateText = date.toString(Qt::ISODate);
        const int end = int(qint64(rows) * (d + 1) / dates);
        for (; row < end; ++row) {
            query.addNew();
            query.setValue(0, names[d % 5]);
            query.setValue(1, dateText);
            query.setValue(2, row % 9 ? u"Técnico %1"_s.arg(row % 40) : QString(u""_s));
            query.setValue(3, u"Cliente Exemplar de Serviços %1"_s.arg(row));
            query.update();
        }
    }
    query.moveFirst();
    return query;
}

WeekDayNames benchDayNames() {
    WeekDayNames names;
    FillWeekDayNames(benchMonday(), names);
    return names;
}

} // namespace assi::bench
