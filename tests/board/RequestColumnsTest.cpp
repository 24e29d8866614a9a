#include "board/RequestColumns.h"

#include "GridsTestSupport.h"
#include "common/ScopedLocale.h"
#include "settings/SettingsLookup.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

struct RequestColumnsTest : ::testing::Test {
    test::SettingsFile file;
    Grid grelha1;
    Grid grelha11;

    void SetUp() override {
        grelha1.setObjectName(u"Grelha_1"_s);
        grelha11.setObjectName(u"Grelha_11"_s);
    }

    // One refresh of the request grids: bind, then set up, as the window
    // does; what did not read, as the first grid found it.
    QList<LookProblem> refresh(const Recordset& first, const Recordset& second) {
        const SettingsLookup settings(file.write());
        grelha1.setDataSource(first);
        grelha11.setDataSource(second);
        const QList<LookProblem> problems = setUpRequestColumns(grelha1, settings);
        EXPECT_EQ(setUpRequestColumns(grelha11, settings), problems);
        QCoreApplication::processEvents();
        return problems;
    }
};

TEST_F(RequestColumnsTest, ColumnsAfterEveryRefresh) {
    const QStringList expected = {
        u"Dep|Dep|1500|oculta|Verdana 12|sim|0|General"_s,
        u"Cliente|Cliente|4000|visível|Verdana 12|sim|0|General"_s,
        u"Pedido|Pedido|1200|visível|Verdana 12|sim|5|General"_s,
        u"DataPedido|Data Pedido|1300|visível|Verdana 12|sim|5|dd-MM-yyyy"_s,
        // The notes take no width or font of their own.
        u"Obs|Obs|1500|oculta|MS Sans Serif 8.25|sim|0|General"_s,
    };
    for (int refreshNumber = 1; refreshNumber <= 2; ++refreshNumber) {
        SCOPED_TRACE(refreshNumber);
        refresh(test::sampleRequests(), test::sampleRequests());
        EXPECT_EQ(test::columnsSummary(grelha1), expected);
        EXPECT_EQ(test::columnsSummary(grelha11), expected);
        EXPECT_EQ(grelha1.groupColumns(), QStringList{u"Dep"_s});
        EXPECT_EQ(grelha11.groupColumns(), QStringList{u"Dep"_s});
    }
}

TEST_F(RequestColumnsTest, RowsShowGroupedByDepartmentWithTheDateAsDayMonthYear) {
    test::ScopedLocale locale("pt_PT.UTF-8");
    if (!locale.ok())
        GTEST_SKIP() << "pt_PT.UTF-8 não está instalado";
    refresh(test::sampleRequests(), test::sampleRequests());
    const QStringList expected = {
        u"[Assistência]"_s,
        u"Padaria Estrela|2026/15|06-12-2026"_s,
        u"Hotel Mar Azul|2026/16|amanhã"_s, // not a date: shown as it stands
        u"[Informática]"_s,
        u"Escola Básica n.º 2|2026/21|08-12-2026"_s,
        u"Câmara Municipal|2026/22|09-12-2026"_s,
    };
    EXPECT_EQ(test::shownRows(grelha1), expected);
    EXPECT_EQ(test::shownRows(grelha11), expected);
}

TEST_F(RequestColumnsTest, ChangedSettingsAndStrayGroupingFollowTheNextRefresh) {
    refresh(test::sampleRequests(), test::sampleRequests());
    grelha1.addGroupColumn(u"Cliente"_s); // as a user dragging a heading would
    file.set(u"GrelhaPedidos"_s, u"Grid_Coluna2"_s, u"5000"_s)
        .set(u"GrelhaPedidos"_s, u"Grid_Font"_s, u"Georgia"_s)
        .set(u"GrelhaPedidos"_s, u"Grid_FontSize"_s, u"15"_s);
    refresh(test::sampleRequests(), test::sampleRequests());
    for (Grid* grid : {&grelha1, &grelha11}) {
        SCOPED_TRACE(grid->objectName().toStdString());
        EXPECT_EQ(grid->groupColumns(), QStringList{u"Dep"_s});
        EXPECT_EQ(grid->column(u"Cliente"_s).width(), 5000);
        for (const QString& key : {u"Dep"_s, u"Cliente"_s, u"Pedido"_s, u"DataPedido"_s})
            EXPECT_EQ(grid->column(key).style().font(), (GridFont{u"Georgia"_s, 15, false}));
        EXPECT_EQ(grid->column(u"Obs"_s).style().font().name, u"MS Sans Serif"_s);
    }
}

// Each column setting bad, at the first refresh and at one after a good one:
// only what it sets stays as binding made it (the default width, the grid's
// font), and the rest of the set-up is done.
TEST_F(RequestColumnsTest, ABadValueLeavesOnlyItsColumnsAsBindingMadeThem) {
    struct Case {
        const char16_t* key;
        const char16_t* text; // null: the key is not in the file
        QStringList expected;
        const char16_t* goodText;
    };
    file.set(u"GrelhaPedidos"_s, u"Grid_Coluna1"_s, u"1600"_s);
    const QStringList good = {
        u"Dep|Dep|1600|oculta|Verdana 12|sim|0|General"_s,
        u"Cliente|Cliente|4000|visível|Verdana 12|sim|0|General"_s,
        u"Pedido|Pedido|1200|visível|Verdana 12|sim|5|General"_s,
        u"DataPedido|Data Pedido|1300|visível|Verdana 12|sim|5|dd-MM-yyyy"_s,
        u"Obs|Obs|1500|oculta|MS Sans Serif 8.25|sim|0|General"_s,
    };
    const auto with = [&](int row, const QString& from, const QString& to) {
        QStringList changed = good;
        changed[row].replace(from, to);
        return changed;
    };
    QStringList gridFont = good;
    for (int row = 0; row < 4; ++row)
        gridFont[row].replace(u"Verdana 12"_s, u"Verdana 8.25"_s);
    const Case cases[] = {
        {u"Grid_FontSize", u"grande", gridFont, u"12"},
        {u"Grid_FontSize", u"0", gridFont, u"12"},
        {u"Grid_Coluna1", u"largo", with(0, u"|1600|"_s, u"|1500|"_s), u"1600"},
        {u"Grid_Coluna2", u"", with(1, u"|4000|"_s, u"|1500|"_s), u"4000"},
        {u"Grid_Coluna3", u"-5", with(2, u"|1200|"_s, u"|1500|"_s), u"1200"},
        {u"Grid_Coluna4", nullptr, with(3, u"|1300|"_s, u"|1500|"_s), u"1300"},
    };
    ASSERT_EQ(GridColumn::DefaultWidth, 1500);
    for (const Case& c : cases) {
        const QString key = QString::fromUtf16(c.key);
        const QString text = c.text ? QString::fromUtf16(c.text) : QString();
        for (const bool running : {false, true}) {
            SCOPED_TRACE((key + u" = "_s + (c.text ? text : u"(em falta)"_s) +
                          (running ? u", while running"_s : QString()))
                             .toStdString());
            for (const Case& each : cases)
                file.set(u"GrelhaPedidos"_s, QString::fromUtf16(each.key),
                         QString::fromUtf16(each.goodText));
            if (running) {
                ASSERT_TRUE(refresh(test::sampleRequests(), test::sampleRequests()).isEmpty());
            }
            if (c.text)
                file.set(u"GrelhaPedidos"_s, key, text);
            else
                file.remove(u"GrelhaPedidos"_s, key);
            const QList<LookProblem> problems =
                refresh(test::sampleRequests(), test::sampleRequests());
            const std::string expected = c.expected.join(u'\n').toStdString();
            EXPECT_EQ(test::columnsSummary(grelha1).join(u'\n').toStdString(), expected);
            EXPECT_EQ(test::columnsSummary(grelha11).join(u'\n').toStdString(), expected);
            EXPECT_EQ(grelha1.groupColumns(), QStringList{u"Dep"_s});
            ASSERT_EQ(problems.size(), 1);
            EXPECT_EQ(settingsKeyOf(problems[0].field), key);
            const QString why = c.text ? u"\"%1\""_s.arg(text) : u"falta a chave %1"_s.arg(key);
            EXPECT_TRUE(problems[0].message.contains(u"[GrelhaPedidos] %1: %2"_s.arg(key, why)))
                << problems[0].message.toStdString();
        }
    }
}

TEST_F(RequestColumnsTest, WidthsAreRegionalDecimals) {
    test::ScopedLocale locale("pt_PT.UTF-8");
    if (!locale.ok())
        GTEST_SKIP() << "pt_PT.UTF-8 não está instalado";
    file.set(u"GrelhaPedidos"_s, u"Grid_Coluna3"_s, u"1200,5"_s);
    refresh(test::sampleRequests(), test::sampleRequests());
    EXPECT_EQ(grelha1.column(u"Pedido"_s).width(), 1200.5);
}

} // namespace
