#include "board/RequestColumns.h"

#include "GridsTestSupport.h"
#include "common/ScopedLocale.h"
#include "core/BoardError.h"
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

    // One refresh of the request grids: bind, then set up, as the window does.
    void refresh(const Recordset& first, const Recordset& second) {
        const SettingsLookup settings(file.write());
        grelha1.setDataSource(first);
        grelha11.setDataSource(second);
        setUpRequestColumns(grelha1, settings);
        setUpRequestColumns(grelha11, settings);
        QCoreApplication::processEvents();
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

TEST_F(RequestColumnsTest, BadWidthStopsTheSetUpAtThatColumn) {
    struct Case {
        const char16_t* key;
        const char16_t* text;
    };
    const Case cases[] = {{u"Grid_Coluna2", u""},
                          {u"Grid_Coluna2", u"largo"},
                          {u"Grid_Coluna2", u"-5"},
                          {u"Grid_FontSize", u""}};
    for (const Case& c : cases) {
        const QString key = QString::fromUtf16(c.key);
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE((key + u" = "_s + text).toStdString());
        test::SettingsFile local;
        local.set(u"GrelhaPedidos"_s, key, text);
        Grid grid;
        grid.setDataSource(test::sampleRequests());
        QString message;
        try {
            setUpRequestColumns(grid, SettingsLookup(local.write()));
        } catch (const BoardError& e) {
            message = e.message();
        }
        EXPECT_TRUE(message.contains(u"[GrelhaPedidos] %1"_s.arg(key))) << message.toStdString();
        EXPECT_TRUE(message.contains(u"\"%1\""_s.arg(text))) << message.toStdString();
        EXPECT_EQ(grid.column(u"Cliente"_s).style().font().name, u"MS Sans Serif"_s);
        EXPECT_FALSE(grid.column(u"Obs"_s).isHidden());
        EXPECT_TRUE(grid.groupColumns().isEmpty());
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
