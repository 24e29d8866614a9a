#include "app/BoardDump.h"

#include "app/Assi.h"
#include "app/FooterBand.h"
#include "board/BoardAttention.h"
#include "gridview/Grid.h"
#include "gridview/TwipsGeometry.h"
#include "wall/BoardSchedule.h"
#include "wall/ScreenAwake.h"

#include <QFrame>
#include <QJsonArray>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// The styles the board sets; any style added beyond the built-in ones follows.
constexpr QStringView dumpedStyles[] = {GridStyles::Caption,           GridStyles::Heading,
                                        GridStyles::GroupHeader,       GridStyles::Selection,
                                        GridStyles::InactiveSelection, GridStyles::GroupByBox};

QJsonValue textOrNull(const QVariant& value) {
    return value.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(value.toString());
}

void addGeometry(QJsonObject& object, const QWidget* widget) {
    const QRectF r = twipsGeometry(widget);
    object[u"left"_s] = r.left();
    object[u"top"_s] = r.top();
    object[u"width"_s] = r.width();
    object[u"height"_s] = r.height();
}

QJsonObject fontJson(const GridFont& font) {
    return {{u"name"_s, font.name}, {u"size"_s, font.size}, {u"bold"_s, font.bold}};
}

QJsonObject styleJson(const GridStyle& style) {
    return {{u"backColor"_s, style.backColor()},
            {u"foreColor"_s, style.foreColor()},
            {u"font"_s, fontJson(style.font())},
            {u"textAlignment"_s, qToUnderlying(style.textAlignment())},
            {u"wordWrap"_s, style.wordWrap()},
            {u"format"_s, style.format()}};
}

QJsonObject gridJson(const Grid& grid, const RowMarks& marks, int rowsPerGrid) {
    QJsonObject g;
    g[u"visible"_s] = grid.isVisibleTo(grid.parentWidget());
    g[u"caption"_s] = grid.caption();
    addGeometry(g, &grid);
    g[u"backColor"_s] = grid.backColor();
    g[u"font"_s] = fontJson(grid.gridFont());
    g[u"rowHeight"_s] = grid.rowHeight();
    g[u"headingHeight"_s] = grid.headingHeight();
    g[u"groupBy"_s] = QJsonArray::fromStringList(grid.groupColumns());

    QJsonArray columns;
    for (int i = 0; i < grid.columnCount(); ++i) {
        const GridColumn& c = grid.columnAt(i);
        columns.append(QJsonObject{{u"key"_s, c.key()},
                                   {u"caption"_s, c.caption()},
                                   {u"width"_s, c.shownWidth()},
                                   {u"hidden"_s, c.isHidden()},
                                   {u"font"_s, fontJson(c.style().font())},
                                   {u"wordWrap"_s, c.style().wordWrap()},
                                   {u"textAlignment"_s, qToUnderlying(c.style().textAlignment())},
                                   {u"format"_s, c.style().format()}});
    }
    g[u"columns"_s] = columns;

    QJsonArray rows;
    QJsonArray rowMarks;
    const Recordset& data = grid.dataSource();
    const int recordCount = std::max(0, data.recordCount());
    for (int r = 0; r < std::min(recordCount, rowsPerGrid); ++r) {
        QJsonArray row;
        for (int f = 0; f < data.fieldCount(); ++f)
            row.append(textOrNull(data.valueAt(r, f)));
        rows.append(row);
        const QString mark = size_t(r) < marks.size() ? markName(marks[size_t(r)]) : QString();
        rowMarks.append(mark.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(mark));
    }
    g[u"rows"_s] = rows;
    g[u"marks"_s] = rowMarks;
    if (recordCount > rowsPerGrid)
        g[u"rowsLeftOut"_s] = recordCount - rowsPerGrid;

    QJsonObject styles;
    QStringList names;
    for (const QStringView name : dumpedStyles)
        names << name.toString();
    names += grid.styleNames().mid(GridStyles::BuiltInStyleCount);
    for (const QString& name : std::as_const(names))
        styles[name] = styleJson(grid.style(name));
    g[u"styles"_s] = styles;

    QJsonArray rules;
    for (const GridFormatRule& rule : grid.formatRules())
        rules.append(QJsonObject{{u"style"_s, rule.styleName},
                                 {u"column"_s, rule.columnKey},
                                 {u"value"_s, rule.value.toString()}});
    g[u"formatRules"_s] = rules;

    // Pages from 1; firstRow counts display rows from 0, group headers included.
    g[u"page"_s] = QJsonObject{{u"current"_s, grid.currentPage() + 1},
                               {u"count"_s, grid.pageCount()},
                               {u"firstRow"_s, grid.pageFirstRow()}};
    return g;
}

} // namespace

QJsonObject dumpBoard(const Assi& window, int rowsPerGrid) {
    QJsonObject dump;
    dump[u"settingsFile"_s] = window.SettingsFilePath();
    dump[u"refreshTicks"_s] = window.RefreshTicks();
    dump[u"today"_s] = window.today().toString(Qt::ISODate);
    QJsonArray dayNames;
    for (const QString& day : window.lastDiasSemana())
        dayNames.append(day);
    dump[u"diasSemana"_s] = dayNames;
    dump[u"window"_s] = QJsonObject{{u"scaleWidth"_s, window.ScaleWidth()},
                                    {u"scaleHeight"_s, window.ScaleHeight()}};
    dump[u"scale"_s] = window.devicePixelRatioF();
    dump[u"legibility"_s] = legibilityJson(window.reading());
    const BoardSchedule& schedule = window.schedule();
    dump[u"kiosk"_s] = QJsonObject{{u"pointerHidden"_s, window.isPointerHidden()},
                                   {u"awake"_s, mechanismName(schedule.awake().mechanism())},
                                   {u"holding"_s, schedule.awake().isHolding()},
                                   {u"open"_s, schedule.isOpen()}};
    dump[u"error"_s] = window.lastError().isEmpty() ? QJsonValue(QJsonValue::Null)
                                                    : QJsonValue(window.lastError());
    dump[u"status"_s] = window.statusText();
    const FooterBand& footer = *window.footer();
    dump[u"footer"_s] = QJsonObject{{u"text"_s, footer.shownText()},
                                    {u"state"_s, StatusLine::stateName(footer.state())},
                                    {u"height"_s, footer.height()}};

    QJsonObject panel;
    panel[u"visible"_s] = window.Frame1()->isVisibleTo(&const_cast<Assi&>(window));
    addGeometry(panel, window.Frame1());
    panel[u"text"_s] = window.Label1()->text();
    dump[u"panel"_s] = panel;

    QJsonObject grids;
    const BoardAttention& attention = window.attention();
    for (const Grid* grid : {window.Grelha_1(), window.Grelha_11(), window.Grelha_2()})
        grids[grid->objectName()] = gridJson(*grid, attention.marksOf(*grid), rowsPerGrid);
    QJsonObject board = grids[u"Grelha_2"_s].toObject();
    board[u"weekendOrders"_s] = window.weekendOrders();
    grids[u"Grelha_2"_s] = board;
    dump[u"grids"_s] = grids;
    return dump;
}

} // namespace assi
