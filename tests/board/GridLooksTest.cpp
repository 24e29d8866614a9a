#include "GridLooks.h"

#include "GridsTestSupport.h"
#include "common/ScopedLocale.h"
#include "BoardError.h"
#include "SettingsLookup.h"

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
    void apply(Grid& g, int gridNumber) { applyGridLook(g, settings(), gridNumber, White); }

    // The message of the error that applying the request grids' look raises.
    QString failure() {
        try {
            apply(*grid, 1);
        } catch (const BoardError& e) {
            return e.message();
        }
        return {};
    }
};

TEST_F(GridLooksTest, RequestGridTakesEverySettingOfItsSection) {
    apply(*grid, 1);
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

TEST_F(GridLooksTest, HeadingColoursReadTheLeadingNumberAndNeverFail) {
    struct Case {
        const char16_t* text;
        qint32 expected;
    };
    const Case cases[] = {
        {u"&HFF", 255}, {u"12,5", 12}, {u"12.5", 12}, {u"13.5", 14},
        {u"", 0},       {u"azul", 0},  {u" 42 ", 42}, {u"&H80000005", qint32(0x80000005u)},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        file.set(u"GrelhaPedidos"_s, u"Cabecalho_BackColor"_s, text)
            .set(u"GrelhaPedidos"_s, u"Cabecalho_ForeColor"_s, text);
        apply(*grid, 1);
        EXPECT_EQ(grid->style(u"Heading"_s).backColor(), c.expected);
        EXPECT_EQ(grid->style(u"Heading"_s).foreColor(), c.expected);
        // The caption bar is drawn with the heading's colours.
        EXPECT_EQ(grid->style(u"Caption"_s).backColor(), c.expected);
    }
}

TEST_F(GridLooksTest, OtherValuesFollowTheRegionalNumberFormat) {
    struct Case {
        const char* locale;
        const char16_t* key;
        const char16_t* text;
        std::function<double(const Grid&)> read;
        double expected; // NaN: refused
    };
    const auto groupBack = [](const Grid& g) {
        return double(g.style(u"GroupHeader"_s).backColor());
    };
    const auto rows = [](const Grid& g) { return g.rowHeight(); };
    const auto heading = [](const Grid& g) { return double(g.style(u"Heading"_s).font().size); };
    const double refused = std::nan("");
    const Case cases[] = {
        {"pt_PT.UTF-8", u"Group_BackColor", u"12,5", groupBack, 12},
        {"pt_PT.UTF-8", u"Group_BackColor", u"13,5", groupBack, 14},
        {"pt_PT.UTF-8", u"Group_BackColor", u"&HFF", groupBack, 255},
        {"C", u"Group_BackColor", u"12,5", groupBack, refused},
        {"pt_PT.UTF-8", u"AlturaLinhas", u"330,5", rows, 330.5},
        {"C", u"AlturaLinhas", u"330,5", rows, refused},
        {"C", u"AlturaLinhas", u"0", rows, refused},
        {"pt_PT.UTF-8", u"Cabecalho_FonteSize", u"10,5", heading, 10.5},
        {"C", u"Cabecalho_FonteSize", u"10,5", heading, refused},
        {"C", u"Cabecalho_FonteSize", u"4000", heading, refused},
    };
    for (const Case& c : cases) {
        const QString key = QString::fromUtf16(c.key);
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(
            (u"%1 = %2 em %3"_s.arg(key, text, QString::fromLatin1(c.locale))).toStdString());
        test::ScopedLocale locale(c.locale);
        if (!locale.ok())
            GTEST_SKIP() << c.locale << " não está instalado";
        test::SettingsFile local;
        local.set(u"GrelhaPedidos"_s, key, text);
        Grid g;
        if (std::isnan(c.expected)) {
            EXPECT_THROW(applyGridLook(g, SettingsLookup(local.write()), 1, White), BoardError);
            continue;
        }
        applyGridLook(g, SettingsLookup(local.write()), 1, White);
        EXPECT_DOUBLE_EQ(c.read(g), c.expected);
    }
}

// A bad value stops the look at its own step: what came before stays, what
// comes after is not done, and the message names where to fix it.
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
        {u"AlturaLinhas", u"", [](const Grid& g) { EXPECT_EQ(g.gridFont().size, 12); },
         [&](const Grid& g) { EXPECT_EQ(g.rowHeight(), fresh.rowHeight()); }},
        {u"Cabecalho_Altura", u"alto", [](const Grid& g) { EXPECT_EQ(g.rowHeight(), 330); },
         [&](const Grid& g) { EXPECT_EQ(g.headingHeight(), fresh.headingHeight()); }},
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
             EXPECT_EQ(g.style(u"Heading"_s).textAlignment(), 5);
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
            applyGridLook(g, SettingsLookup(local.write()), 1, White);
        } catch (const BoardError& e) {
            message = e.message();
        }
        EXPECT_TRUE(message.contains(u"[GrelhaPedidos] %1"_s.arg(key))) << message.toStdString();
        EXPECT_TRUE(message.contains(u"\"%1\""_s.arg(text))) << message.toStdString();
        EXPECT_TRUE(message.contains(local.path())) << message.toStdString();
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

TEST_F(GridLooksTest, RequestGridsLookAlikeAndOnlyTheBoardReadsItsOwnSection) {
    Grid grelha11;
    Grid grelha2;
    apply(*grid, 1);
    apply(grelha11, 1);
    apply(grelha2, 2);
    const QStringList requestLook = test::lookSummary(*grid);
    EXPECT_EQ(test::lookSummary(grelha11), requestLook);
    EXPECT_EQ(grelha2.caption(), u"Ordens da semana"_s);

    file.set(u"GrelhaAssistencias"_s, u"Titulo"_s, u"Semana"_s)
        .set(u"GrelhaAssistencias"_s, u"FonteSize"_s, u"16"_s)
        .set(u"GrelhaAssistencias"_s, u"Group_BackColor"_s, u"255"_s)
        .set(u"GrelhaAssistencias"_s, u"AlturaLinhas"_s, u"600"_s);
    apply(*grid, 1);
    apply(grelha11, 1);
    apply(grelha2, 2);
    EXPECT_EQ(test::lookSummary(*grid), requestLook);
    EXPECT_EQ(test::lookSummary(grelha11), requestLook);
    EXPECT_EQ(grelha2.caption(), u"Semana"_s);
    EXPECT_EQ(grelha2.gridFont().size, 16);
    EXPECT_EQ(grelha2.rowHeight(), 600);
    EXPECT_EQ(grelha2.style(u"GroupHeader"_s).backColor(), 255);

    // And the request section reaches both request grids alike.
    file.set(u"GrelhaPedidos"_s, u"Fonte"_s, u"Verdana"_s);
    apply(*grid, 1);
    apply(grelha11, 1);
    EXPECT_EQ(grid->gridFont().name, u"Verdana"_s);
    EXPECT_EQ(test::lookSummary(grelha11), test::lookSummary(*grid));
}

TEST_F(GridLooksTest, EmptyTitleHidesTheCaptionWithoutError) {
    file.set(u"GrelhaPedidos"_s, u"Titulo"_s, u""_s);
    apply(*grid, 1);
    EXPECT_EQ(grid->caption(), QString());
}

TEST_F(GridLooksTest, BoardKeepsItsPlaceWhateverTheLook) {
    Grid board;
    board.setGeometry(8, 8, 1304, 517);
    apply(board, 2);
    EXPECT_EQ(board.geometry(), QRect(8, 8, 1304, 517));
}

} // namespace
