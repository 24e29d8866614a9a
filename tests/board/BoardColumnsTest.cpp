#include "board/BoardColumns.h"

#include "GridsTestSupport.h"
#include "gridview/GridCellLook.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

struct BoardColumnsTest : ::testing::Test {
    Grid grelha2;

    void SetUp() override { grelha2.setObjectName(u"Grelha_2"_s); }

    void refresh(const QDate& today) {
        WeekDayNames DiasSemana{};
        fillWeekDayNames(today, DiasSemana);
        grelha2.setDataSource(test::sampleBoard());
        Act_Grelha_2_Campos_Novo(grelha2, DiasSemana);
        QCoreApplication::processEvents();
    }

    // Captions of the columns a reader sees, left to right.
    QStringList shownCaptions() const {
        QStringList captions;
        for (int i = 0; i < grelha2.columnCount(); ++i) {
            const GridColumn& c = grelha2.columnAt(i);
            if (!c.isHidden())
                captions << u"%1 (%2)"_s.arg(c.caption(), QString::number(c.width()));
        }
        return captions;
    }

    GridCellLook lookAt(int displayRow, const QString& key) const {
        return grelha2.cellLook(displayRow, grelha2.column(key).index());
    }
};

TEST_F(BoardColumnsTest, DayCaptionsFollowTheWeekFromToday) {
    struct Case {
        QDate today;
        QStringList days;
    };
    const Case cases[] = {
        {QDate(2026, 12, 9), // Wednesday
         {u"QUARTA"_s, u"QUINTA"_s, u"SEXTA"_s, u"SEGUNDA"_s, u"TERÇA"_s}},
        {QDate(2026, 12, 12), // Saturday
         {u"SEGUNDA"_s, u"TERÇA"_s, u"QUARTA"_s, u"QUINTA"_s, u"SEXTA"_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.today.toString(Qt::ISODate).toStdString());
        refresh(c.today);
        const QStringList expected = {
            c.days[0] + u" (5600)"_s, u" (100)"_s, c.days[1] + u" (5600)"_s, u" (100)"_s,
            c.days[2] + u" (5600)"_s, u" (100)"_s, c.days[3] + u" (5600)"_s, u" (100)"_s,
            c.days[4] + u" (5600)"_s,
        };
        EXPECT_EQ(shownCaptions(), expected);
    }
}

TEST_F(BoardColumnsTest, InternalColumnsAndTheLastSpacerAreHidden) {
    for (int refreshNumber = 1; refreshNumber <= 2; ++refreshNumber) {
        SCOPED_TRACE(refreshNumber);
        refresh(QDate(2026, 12, 9));
        QStringList hidden;
        for (int i = 0; i < grelha2.columnCount(); ++i) {
            if (grelha2.columnAt(i).isHidden())
                hidden << grelha2.columnAt(i).key() + u":"_s + grelha2.columnAt(i).caption();
        }
        EXPECT_EQ(hidden,
                  (QStringList{u"Ord:Ord"_s, u"Vazio_0:Vazio_0"_s, u"Vazio_5:"_s, u"Tipo:Tipo"_s}));
        EXPECT_EQ(grelha2.column(u"Vazio_5"_s).width(), 100);
    }
}

TEST_F(BoardColumnsTest, EmptyDaySlotGivesAnEmptyCaption) {
    WeekDayNames DiasSemana{u"SEGUNDA"_s, QString(), u"QUARTA"_s, u"QUINTA"_s, u"SEXTA"_s};
    grelha2.setDataSource(test::sampleBoard());
    Act_Grelha_2_Campos_Novo(grelha2, DiasSemana);
    EXPECT_EQ(grelha2.column(u"Dia_2"_s).caption(), QString());
    EXPECT_EQ(grelha2.column(u"Dia_3"_s).caption(), u"QUARTA"_s);
}

TEST_F(BoardColumnsTest, ClientsInLargeRedBoldTypeOnceAfterEveryRefresh) {
    refresh(QDate(2026, 12, 9));
    refresh(QDate(2026, 12, 10));
    EXPECT_EQ(grelha2.styleNames().count(u"Pintar"_s), 1);
    const GridStyle& pintar = grelha2.style(u"Pintar"_s);
    EXPECT_EQ(pintar.foreColor(), 255);
    EXPECT_EQ(pintar.font(), (GridFont{u"Tahoma"_s, 20, true}));
    ASSERT_EQ(grelha2.formatRules().size(), 1);
    const GridFormatRule rule = grelha2.formatRules().front();
    EXPECT_EQ(rule.styleName, u"Pintar"_s);
    EXPECT_EQ(rule.columnKey, u"Tipo"_s);
    EXPECT_EQ(rule.value.toString(), u"0"_s);

    // Client rows (0, 2) are painted red and bold; technicians (1, 3) are not.
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        const GridCellLook look = lookAt(row, u"Dia_1"_s);
        const bool client = row % 2 == 0;
        EXPECT_EQ(look.fore == QColor(255, 0, 0), client);
        EXPECT_EQ(look.font.bold(), client);
        EXPECT_EQ(look.font.pointSizeF() == 20, client);
    }
}

TEST_F(BoardColumnsTest, ExistingPintarKeepsItsSettings) {
    refresh(QDate(2026, 12, 9));
    grelha2.style(u"Pintar"_s).setForeColor(0x00FF0000); // a site's own blue
    refresh(QDate(2026, 12, 9));
    EXPECT_EQ(grelha2.style(u"Pintar"_s).foreColor(), 0x00FF0000);
    EXPECT_EQ(grelha2.formatRules().size(), 1);
}

} // namespace
