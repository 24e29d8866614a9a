#include "TableText.h"

#include "gridview/Grid.h"

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

QStringList fieldNamesOf(const Recordset& rs) {
    QStringList names;
    for (int f = 0; f < rs.fieldCount(); ++f)
        names << rs.field(f).name;
    return names;
}

QStringList columnText(Recordset& rs, const QString& fieldName) {
    const int field = rs.fieldIndex(fieldName);
    if (field < 0)
        return {u"(no field %1)"_s.arg(fieldName)};
    QStringList values;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        const QVariant v = rs.value(field);
        values << (v.isNull() ? u"NULL"_s : v.toString());
    }
    return values;
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

} // namespace assi::test
