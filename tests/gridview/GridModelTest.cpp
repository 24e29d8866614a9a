#include "GridModel.h"

#include "GridTestData.h"
#include "BoardError.h"
#include "GridCellLook.h"
#include "GridStyles.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

// The model's rows as a reader sees them: "[group]" for a header, then
// "a|b|c" for each record, indented by nothing, in display order.
void collectRows(const QAbstractItemModel& model, const QModelIndex& parent, QStringList& out) {
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex index = model.index(r, 0, parent);
        if (index.data(GridModel::GroupHeaderRole).toBool()) {
            out << u"[%1]"_s.arg(index.data().toString());
            collectRows(model, index, out);
            continue;
        }
        QStringList cells;
        for (int c = 0; c < model.columnCount(parent); ++c)
            cells << index.siblingAtColumn(c).data().toString();
        out << cells.join(u'|');
    }
}

QString rowsText(const QAbstractItemModel& model) {
    QStringList rows;
    collectRows(model, QModelIndex(), rows);
    return rows.join(u' ');
}

Recordset pairs(std::initializer_list<std::pair<QVariant, QString>> rows) {
    Recordset rs;
    rs.appendField(u"G"_s, FieldType::Text);
    rs.appendField(u"Nome"_s, FieldType::Text);
    for (const auto& [group, name] : rows) {
        rs.addNew();
        rs.setValue(0, group);
        rs.setValue(1, name);
    }
    return rs;
}

struct Fixture : ::testing::Test {
    GridStyles styles;
    GridModel model{styles};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

using GridModelTest = Fixture;

} // namespace

TEST_F(GridModelTest, BeforeBindingShowsThePlaceholderColumnsAndNoRows) {
    EXPECT_FALSE(model.isBound());
    ASSERT_EQ(model.gridColumnCount(), 3);
    QStringList columns;
    for (int c = 0; c < model.gridColumnCount(); ++c)
        columns << u"%1:%2"_s.arg(model.gridColumn(c).key()).arg(model.gridColumn(c).width());
    EXPECT_EQ(columns.join(u' '), u"Col0:330 Field0:495 Field1:495"_s);
    EXPECT_EQ(model.gridColumn(0).style().basedOn()->name(), u"Heading"_s);
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(GridModelTest, BindingMakesOneColumnPerFieldAndShowsTheRowsInOrder) {
    Recordset rs = test::sampleRequests();
    model.setRecordset(rs);
    QStringList keys;
    for (int c = 0; c < model.gridColumnCount(); ++c)
        keys << model.gridColumn(c).key() + u"="_s + model.headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(keys.join(u' '),
              u"Dep=Dep Cliente=Cliente Pedido=Pedido DataPedido=DataPedido Obs=Obs"_s);
    EXPECT_EQ(model.gridColumn(1).width(), GridColumn::DefaultWidth);
    EXPECT_EQ(model.gridColumn(1).dataType(), 8);
    EXPECT_EQ(model.rowCount(), 6);
    EXPECT_EQ(model.index(1, 1).data().toString(), u"Conceição & Filhos, Lda"_s);
    EXPECT_EQ(model.index(0, 0).data().toString(), QString()) << "a null shows empty";
    EXPECT_FALSE(model.index(0, 0).data(Qt::EditRole).isValid());
    EXPECT_EQ(model.index(5, 0).data(GridModel::RecordRowRole).toInt(), 5);
}

TEST_F(GridModelTest, GroupsFollowTheFirstAppearanceOfEachValue) {
    struct Case {
        const char* name;
        Recordset rs;
        QString expected;
    };
    const Case cases[] = {
        {"sorted, null first",
         pairs({{QVariant(), u"a"_s}, {u"X"_s, u"b"_s}, {u"X"_s, u"c"_s}, {u"Y"_s, u"d"_s}}),
         u"[] |a [X] X|b X|c [Y] Y|d"_s},
        {"unsorted: a value is never split",
         pairs({{u"Y"_s, u"a"_s}, {u"X"_s, u"b"_s}, {u"Y"_s, u"c"_s}}), u"[Y] Y|a Y|c [X] X|b"_s},
        {"null and empty text are different values", pairs({{u""_s, u"a"_s}, {QVariant(), u"b"_s}}),
         u"[] |a [] |b"_s},
        {"no rows, no groups", pairs({}), u""_s},
    };
    for (const Case& c : cases) {
        model.setRecordset(c.rs, {u"G"_s});
        EXPECT_EQ(rowsText(model), c.expected) << c.name;
    }
}

TEST_F(GridModelTest, GroupsNestByEachGroupColumnInTurn) {
    Recordset rs = test::sampleRequests();
    model.setRecordset(rs, {u"Dep"_s, u"DataPedido"_s});
    QStringList headers;
    for (int g = 0; g < model.rowCount(); ++g) {
        const QModelIndex group = model.index(g, 0);
        QStringList inner;
        for (int s = 0; s < model.rowCount(group); ++s) {
            const QModelIndex sub = model.index(s, 0, group);
            inner << sub.data().toString() + u"("_s + QString::number(model.rowCount(sub)) + u")"_s;
        }
        headers << group.data().toString() + u":"_s + inner.join(u',');
    }
    EXPECT_EQ(headers.join(u' '), u":01/12/2026(1) Assistência:06/12/2026(1),07/12/2026(1) "
                                  u"Informática:08/12/2026(1),09/12/2026(1) Redes:09/12/2026(1)"_s);
}

TEST_F(GridModelTest, AGroupHeaderShowsItsValueInTheGroupedColumnsFormat) {
    Recordset rs = pairs({{u"2026-12-06"_s, u"a"_s}});
    model.setRecordset(rs, {u"G"_s});
    model.gridColumn(0).style().setFormat(u"dd/MM"_s);
    EXPECT_EQ(model.index(0, 0).data().toString(), u"06/12"_s);
    EXPECT_TRUE(model.isGroupHeader(model.index(0, 0)));
    EXPECT_EQ(model.recordRow(model.index(0, 0)), -1);
    EXPECT_EQ(model.recordRow(model.index(0, 1, model.index(0, 0))), 0);
}

TEST_F(GridModelTest, RegroupingAndRebindingResetOnceAndKeepKnownGroupKeys) {
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    model.setRecordset(test::sampleRequests(), {u"dep"_s});
    EXPECT_EQ(model.groupKeys(), QStringList{u"Dep"_s}) << "keys take the field's spelling";
    model.setGroupKeys({u"Dep"_s});
    EXPECT_EQ(resets.size(), 1) << "the same grouping again changes nothing";

    model.setRecordset(pairs({{u"X"_s, u"a"_s}}), model.groupKeys());
    EXPECT_EQ(resets.size(), 2);
    EXPECT_TRUE(model.groupKeys().isEmpty()) << "the new recordset has no Dep";
    EXPECT_THROW(model.setGroupKeys({u"Dep"_s}), BoardError);
    EXPECT_EQ(resets.size(), 2);
}

TEST_F(GridModelTest, FormatRulesPaintTheMatchingRowsAndAreNotRepeated) {
    Recordset rs;
    rs.appendField(u"Dia_1"_s, FieldType::Text);
    rs.appendField(u"Tipo"_s, FieldType::Text);
    for (const auto& [day, type] :
         {std::pair{u"Cliente A"_s, u"0"_s}, {u"Técnico T"_s, u"1"_s}, {u"Cliente B"_s, u"0"_s}}) {
        rs.addNew();
        rs.setValue(0, day);
        rs.setValue(1, type);
    }
    model.setRecordset(rs);
    GridStyle& paint = styles.addStyle(u"Pintar"_s);
    paint.setForeColor(255);
    paint.setFontName(u"Tahoma"_s);
    paint.setFontSize(20);
    paint.setFontBold(true);
    for (int refresh = 0; refresh < 3; ++refresh)
        model.addFormatRule({u"Pintar"_s, u"Tipo"_s, 0});
    ASSERT_EQ(model.formatRules().size(), 1);

    QStringList painted;
    for (int r = 0; r < model.rowCount(); ++r) {
        const auto look = model.index(r, 0).data(GridModel::LookRole).value<GridCellLook>();
        painted << u"%1:%2:%3:%4"_s
                       .arg(model.index(r, 0).data().toString(), look.fore.name(),
                            look.font.bold() ? u"bold"_s : u"plain"_s)
                       .arg(look.font.pointSizeF());
    }
    const QString plainSize = QString::number(8.25);
    EXPECT_EQ(painted.join(u' '), u"Cliente A:#ff0000:bold:20 Técnico T:#000000:plain:%1 "
                                  u"Cliente B:#ff0000:bold:20"_s.arg(plainSize));

    // The selection lays its colours over the rule's font.
    styles.style(u"Selection"_s).setForeColor(0xFFFFFF);
    const auto selected = model.index(0, 0).data(GridModel::SelectedLookRole).value<GridCellLook>();
    EXPECT_EQ(selected.fore, QColor(Qt::white));
    EXPECT_TRUE(selected.font.bold());
}

TEST_F(GridModelTest, CellLooksComeFromTheColumnStyleAndHeadingsFromHeading) {
    model.setRecordset(test::sampleRequests());
    styles.style(u"Normal"_s).setBackColor(0xEEEEEE);
    styles.style(u"Heading"_s).setTextAlignment(5);
    GridColumn& pedido = model.gridColumn(2);
    pedido.style().setTextAlignment(5);
    pedido.style().setFontName(u"Arial"_s);

    const auto cell = model.index(1, 2).data(GridModel::LookRole).value<GridCellLook>();
    EXPECT_EQ(cell.alignment, Qt::AlignCenter);
    EXPECT_EQ(cell.font.family(), u"Arial"_s);
    EXPECT_EQ(cell.back, QColor(0xEE, 0xEE, 0xEE));
    EXPECT_EQ(model.index(1, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignLeft | Qt::AlignVCenter);
    const auto heading =
        model.headerData(1, Qt::Horizontal, GridModel::LookRole).value<GridCellLook>();
    EXPECT_EQ(heading.alignment, Qt::AlignCenter);
    EXPECT_EQ(heading.font.family(), u"MS Sans Serif"_s);
}
