#include "TableText.h"

#include "Grid.h"

using namespace Qt::StringLiterals;

namespace assi::test {

QStringList rowsText(Recordset& rs) {
    QStringList lines;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        QStringList cells;
        for (int f = 0; f < rs.fieldCount(); ++f) {
            const QVariant v = rs.value(f);
            cells << (v.isNull() ? u"NULL"_s : v.toString());
        }
        lines << cells.join(u'|');
    }
    return lines;
}

QStringList shownRows(const Grid& grid) {
    QStringList rows;
    for (int r = 0; r < grid.displayedRowCount(); ++r) {
        if (grid.isGroupHeaderRow(r)) {
            rows << u"[%1]"_s.arg(grid.displayedText(r, 0));
            continue;
        }
        QStringList cells;
        for (int c = 0; c < grid.columnCount(); ++c) {
            if (!grid.columnAt(c).isHidden())
                cells << grid.displayedText(r, c);
        }
        rows << cells.join(u'|');
    }
    return rows;
}

Recordset boundRequests(const QList<RequestRow>& rows) {
    Recordset rs;
    rs.appendField(u"Dep"_s, FieldType::Text, 30);
    rs.appendField(u"Cliente"_s, FieldType::Text, 80);
    rs.appendField(u"Pedido"_s, FieldType::Text, 20);
    rs.appendField(u"DataPedido"_s, FieldType::Text, 10);
    rs.appendField(u"Obs"_s, FieldType::Text, 100);
    for (const RequestRow& r : rows) {
        rs.addNew();
        rs.setValue(0, r.dep);
        rs.setValue(1, r.cliente);
        rs.setValue(2, r.pedido);
        rs.setValue(3, r.dataPedido);
        rs.setValue(4, r.obs);
        rs.update();
    }
    rs.moveFirst();
    return rs;
}

} // namespace assi::test
