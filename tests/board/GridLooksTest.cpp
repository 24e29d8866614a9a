#include "board/GridLooks.h"

#include "GridsTestSupport.h"
#include "core/BoardError.h"
#include "settings/SettingsLookup.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

constexpr qint32 White = 0x00FFFFFF;
constexpr qint32 SystemButtonFace = qint32(0x8000000Fu);

struct GridLooksTest : ::testing::Test {
    test::SettingsFile file;
    std::unique_ptr<Grid> grid = std::make_unique<Grid>();

    void SetUp() override { grid->setObjectName(u"Grelha_1"_s); }

    SettingsLookup settings() { return SettingsLookup(file.write()); }
    void apply(Grid& g, SettingsSection section) { applyGridLook(g, settings(), section, White); }

    // The message of the error that applying the request grids' look raises.
    QString failure() {
        try {
            apply(*grid, RequestGridsSection);
        } catch (const BoardError& e) {
            return e.message();
        }
        return {};
    }
};

TEST_F(GridLooksTest, RequestGridTakesEverySettingOfItsSection) {
    apply(*grid, RequestGridsSection);
    const QStringList expected = {
        u"título Pedidos pendentes"_s,
        u"fundo 16777215"_s,
        u"letra Arial 12"_s,
        u"linhas 330"_s,
        u"cabeçalhos 420"_s,
        u"Caption: fundo 8011023, texto 16777215, Tahoma 14 bold, alinhamento 5"_s,
        u"Heading: fundo 8011023, texto 16777215, Tahoma 14 bold, alinhamento 5"_s,
        u"GroupHeader: fundo 15128749, texto 6697728, Verdana 11, alinhamento 4"_s,
        u"Selection: fundo 10079487, texto 1, Courier New 13, alinhamento 0"_s,
        u"InactiveSelection: fundo 14745599, texto 2, Georgia 10, alinhamento 0"_s,
        // No setting colours the band's text: it keeps the system colour.
        u"GroupByBox: fundo 15790320, texto %1, Times New Roman 9, alinhamento 4"_s.arg(
            SystemButtonFace),
    };
    EXPECT_EQ(test::lookSummary(*grid), expected);
}

// A bad value stops the look at its own step: what came before stays and
// what comes after is not done.
TEST_F(GridLooksTest, BadValueStopsAtItsStepWithEarlierStepsApplied) {
    struct Case {
        const char16_t* key;
        const char16_t* text;
        std::function<void(const Grid&)> earlierApplied;
        std::function<void(const Grid&)> laterNotDone;
    };
    const Grid fresh;
    const Case cases[] = {
        {u"FonteSize", u"",
         [](const Grid& g) {
             EXPECT_EQ(g.caption(), u"Pedidos pendentes"_s);
             EXPECT_EQ(g.gridFont().name, u"Arial"_s);
         },
         [&](const Grid& g) {
             EXPECT_EQ(g.gridFont().size, fresh.gridFont().size);
             EXPECT_EQ(g.rowHeight(), fresh.rowHeight());
         }},
        {u"Cabecalho_BackColor", u"&H1FFFFFFFF",
         [](const Grid& g) {
             EXPECT_EQ(g.headingHeight(), 420);
             EXPECT_EQ(g.style(u"Caption"_s).font().name, u"Tahoma"_s);
         },
         [&](const Grid& g) {
             EXPECT_EQ(g.style(u"Heading"_s).backColor(), fresh.style(u"Heading"_s).backColor());
         }},
        {u"Group_BackColor", u"",
         [](const Grid& g) {
             EXPECT_EQ(g.caption(), u"Pedidos pendentes"_s);
             EXPECT_EQ(g.style(u"Heading"_s).backColor(), 8011023);
             EXPECT_EQ(g.style(u"Heading"_s).textAlignment(), TextAlignment::CentreMiddle);
             EXPECT_TRUE(g.style(u"Caption"_s).font().bold);
             EXPECT_EQ(g.rowHeight(), 330);
         },
         [&](const Grid& g) {
             EXPECT_EQ(g.style(u"GroupHeader"_s).backColor(),
                       fresh.style(u"GroupHeader"_s).backColor());
             EXPECT_EQ(g.style(u"Selection"_s).backColor(),
                       fresh.style(u"Selection"_s).backColor());
         }},
        {u"Seleccao_FontSize", u"0",
         [](const Grid& g) {
             EXPECT_EQ(g.style(u"Selection"_s).backColor(), 10079487);
             EXPECT_EQ(g.style(u"Selection"_s).font().name, u"Courier New"_s);
         },
         [](const Grid& g) {
             // Until it is set, the inactive selection follows the selection.
             EXPECT_FALSE(g.style(u"InactiveSelection"_s).ownValues().foreColor.has_value());
         }},
        {u"GroupBox_backColor", u"cinzento",
         [](const Grid& g) { EXPECT_EQ(g.style(u"InactiveSelection"_s).font().size, 10); },
         [&](const Grid& g) {
             EXPECT_EQ(g.style(u"GroupByBox"_s).backColor(),
                       fresh.style(u"GroupByBox"_s).backColor());
         }},
    };
    for (const Case& c : cases) {
        const QString key = QString::fromUtf16(c.key);
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(key.toStdString());
        test::SettingsFile local;
        local.set(u"GrelhaPedidos"_s, key, text);
        Grid g;
        g.setObjectName(u"Grelha_1"_s);
        QString message;
        try {
            applyGridLook(g, SettingsLookup(local.write()), RequestGridsSection, White);
        } catch (const BoardError& e) {
            message = e.message();
        }
        EXPECT_TRUE(message.contains(u"[GrelhaPedidos] %1"_s.arg(key))) << message.toStdString();
        c.earlierApplied(g);
        c.laterNotDone(g);
    }
}

TEST_F(GridLooksTest, FixingTheFileHealsTheLookAtTheNextRefresh) {
    file.set(u"GrelhaPedidos"_s, u"Group_BackColor"_s, u""_s);
    EXPECT_FALSE(failure().isEmpty());
    file.set(u"GrelhaPedidos"_s, u"Group_BackColor"_s, u"15128749"_s);
    EXPECT_EQ(failure(), QString());
    EXPECT_EQ(grid->style(u"GroupByBox"_s).backColor(), 15790320);
}

TEST_F(GridLooksTest, EmptyTitleHidesTheCaptionWithoutError) {
    file.set(u"GrelhaPedidos"_s, u"Titulo"_s, u""_s);
    apply(*grid, RequestGridsSection);
    EXPECT_EQ(grid->caption(), QString());
}

TEST_F(GridLooksTest, BoardKeepsItsPlaceWhateverTheLook) {
    Grid board;
    board.setGeometry(8, 8, 1304, 517);
    apply(board, WeekBoardSection);
    EXPECT_EQ(board.geometry(), QRect(8, 8, 1304, 517));
}

} // namespace
