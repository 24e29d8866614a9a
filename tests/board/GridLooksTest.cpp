#include "board/GridLooks.h"

#include "GridsTestSupport.h"
#include "settings/SettingsLookup.h"

#include <QStringView>
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
    QList<LookProblem> apply(Grid& g, SettingsSection section) {
        return applyGridLook(g, settings(), section, White);
    }
};

TEST_F(GridLooksTest, RequestGridTakesEverySettingOfItsSection) {
    EXPECT_TRUE(apply(*grid, RequestGridsSection).isEmpty());
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

// The look values that can fail to read, a text each cannot read, and what
// the grid shows of it.
struct LookKey {
    const char16_t* key;
    const char16_t* bad;
    std::function<double(const Grid&)> shown;
};

double styleBack(const Grid& g, QStringView style) {
    return g.style(style).backColor();
}
double styleFore(const Grid& g, QStringView style) {
    return g.style(style).foreColor();
}
double styleSize(const Grid& g, QStringView style) {
    return g.style(style).font().size;
}

const LookKey lookKeys[] = {
    {u"FonteSize", u"grande", [](const Grid& g) { return g.gridFont().size; }},
    {u"AlturaLinhas", u"alta", [](const Grid& g) { return g.rowHeight(); }},
    {u"Cabecalho_Altura", u"-1", [](const Grid& g) { return g.headingHeight(); }},
    {u"Cabecalho_FonteSize", u"grande",
     [](const Grid& g) {
         // The caption takes the headings' size.
         EXPECT_EQ(styleSize(g, GridStyles::Caption), styleSize(g, GridStyles::Heading));
         return styleSize(g, GridStyles::Heading);
     }},
    {u"Cabecalho_BackColor", u"&H1FFFFFFFF",
     [](const Grid& g) { return styleBack(g, GridStyles::Heading); }},
    {u"Cabecalho_ForeColor", u"99999999999",
     [](const Grid& g) { return styleFore(g, GridStyles::Heading); }},
    {u"Group_BackColor", u"", [](const Grid& g) { return styleBack(g, GridStyles::GroupHeader); }},
    {u"Group_ForeColor", u"azul",
     [](const Grid& g) { return styleFore(g, GridStyles::GroupHeader); }},
    {u"Group_FontSize", u"0", [](const Grid& g) { return styleSize(g, GridStyles::GroupHeader); }},
    {u"Seleccao_backColor", u"12,5",
     [](const Grid& g) { return styleBack(g, GridStyles::Selection); }},
    {u"Seleccao_Forecolor", u"-",
     [](const Grid& g) { return styleFore(g, GridStyles::Selection); }},
    {u"Seleccao_FontSize", u"3000",
     [](const Grid& g) { return styleSize(g, GridStyles::Selection); }},
    {u"SeleccaoInactiva_backColor", u"cinza",
     [](const Grid& g) { return styleBack(g, GridStyles::InactiveSelection); }},
    {u"SeleccaoInactiva_Forecolor", u"#FFFFFF",
     [](const Grid& g) { return styleFore(g, GridStyles::InactiveSelection); }},
    {u"SeleccaoInactiva_FontSize", u"dez",
     [](const Grid& g) { return styleSize(g, GridStyles::InactiveSelection); }},
    {u"GroupBox_backColor", u"cinzento",
     [](const Grid& g) { return styleBack(g, GridStyles::GroupByBox); }},
    {u"GroupBox_FontSize", u"", [](const Grid& g) { return styleSize(g, GridStyles::GroupByBox); }},
};

// Every look value of both sections, bad at start and bad while running: that
// one property shows as on a grid just made (not as the last good look had
// it), every other one as the settings give it, and the problem names the
// file, the section, the key and the value.
TEST(GridLooks, ABadValueLeavesOnlyItsPropertyAtTheDesignValue) {
    const std::pair<SettingsSection, QString> sections[] = {
        {RequestGridsSection, u"GrelhaPedidos"_s}, {WeekBoardSection, u"GrelhaAssistencias"_s}};
    const Grid fresh;
    for (const auto& [section, sectionName] : sections) {
        test::SettingsFile good;
        Grid goodGrid;
        ASSERT_TRUE(
            applyGridLook(goodGrid, SettingsLookup(good.write()), section, White).isEmpty());
        for (const LookKey& bad : lookKeys) {
            const QString key = QString::fromUtf16(bad.key);
            const QString text = QString::fromUtf16(bad.bad);
            ASSERT_NE(bad.shown(goodGrid), bad.shown(fresh)) << "a value that shows the change";
            for (const bool running : {false, true}) {
                SCOPED_TRACE((u"[%1] %2=%3%4"_s.arg(sectionName, key, text,
                                                    running ? u", while running"_s : QString()))
                                 .toStdString());
                Grid g;
                g.setObjectName(u"Grelha"_s);
                if (running)
                    (void)applyGridLook(g, SettingsLookup(good.write()), section, White);
                test::SettingsFile spoilt;
                spoilt.set(sectionName, key, text);
                const QList<LookProblem> problems =
                    applyGridLook(g, SettingsLookup(spoilt.write()), section, White);

                EXPECT_EQ(bad.shown(g), bad.shown(fresh));
                for (const LookKey& other : lookKeys) {
                    if (&other == &bad)
                        continue;
                    EXPECT_EQ(other.shown(g), other.shown(goodGrid))
                        << QString::fromUtf16(other.key).toStdString();
                }
                EXPECT_EQ(g.caption(), goodGrid.caption());
                ASSERT_EQ(problems.size(), 1);
                EXPECT_EQ(settingsKeyOf(problems[0].field), key);
                const QString message = problems[0].message;
                EXPECT_TRUE(message.contains(u"[%1] %2: \"%3\""_s.arg(sectionName, key, text)))
                    << message.toStdString();
                EXPECT_TRUE(message.contains(spoilt.path())) << message.toStdString();
            }
        }
    }
}

TEST_F(GridLooksTest, FixingTheFileHealsTheLookAtTheNextRefresh) {
    file.set(u"GrelhaPedidos"_s, u"Group_BackColor"_s, u""_s);
    EXPECT_EQ(apply(*grid, RequestGridsSection).size(), 1);
    EXPECT_EQ(grid->style(u"GroupHeader"_s).backColor(),
              Grid().style(u"GroupHeader"_s).backColor());
    file.set(u"GrelhaPedidos"_s, u"Group_BackColor"_s, u"15128749"_s);
    EXPECT_TRUE(apply(*grid, RequestGridsSection).isEmpty());
    EXPECT_EQ(grid->style(u"GroupHeader"_s).backColor(), 15128749);
}

TEST_F(GridLooksTest, EmptyTitleHidesTheCaptionWithoutError) {
    file.set(u"GrelhaPedidos"_s, u"Titulo"_s, u""_s);
    EXPECT_TRUE(apply(*grid, RequestGridsSection).isEmpty());
    EXPECT_EQ(grid->caption(), QString());
}

TEST_F(GridLooksTest, BoardKeepsItsPlaceWhateverTheLook) {
    Grid board;
    board.setGeometry(8, 8, 1304, 517);
    EXPECT_TRUE(apply(board, WeekBoardSection).isEmpty());
    EXPECT_EQ(board.geometry(), QRect(8, 8, 1304, 517));
}

} // namespace
