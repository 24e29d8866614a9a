// The grids' looks and the request columns on the board: a value that does
// not read never keeps the data off the wall.
#include "BoardFixture.h"
#include "app/Assi.h"
#include "board/GridLook.h"
#include "gridview/GridColumn.h"

#include <QDir>
#include <QLoggingCategory>
#include <functional>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;
using namespace assi::test;

namespace {

using Shown = std::function<double(const Grid&)>;

// A look value as the grid shows it, by its place in a GridLook.
Shown inLook(std::function<double(const GridLook&)> value) {
    return [value](const Grid& grid) { return value(lookOf(grid)); };
}

Shown columnWidth(const QString& key) {
    return [key](const Grid& grid) { return grid.column(key).width(); };
}

struct BadValue {
    QString section;
    QString key;
    QString text; // null: the key is not in the file
    Shown shown;
    // What the property shows instead; none: as on a grid just made.
    Shown design = {};
};

// Every look value of both sections, and the request columns' values.
std::vector<BadValue> badValues() {
    const Shown fontSize = inLook([](const GridLook& l) { return l.fontSize; });
    const Shown rows = inLook([](const GridLook& l) { return l.rowHeight; });
    const Shown headings = inLook([](const GridLook& l) { return l.headingHeight; });
    const Shown headingSize = inLook([](const GridLook& l) { return l.heading.fontSize; });
    const Shown headingBack = inLook([](const GridLook& l) { return l.heading.backColor; });
    const Shown headingFore = inLook([](const GridLook& l) { return l.heading.foreColor; });
    const Shown groupBack = inLook([](const GridLook& l) { return l.groupHeader.backColor; });
    const Shown groupFore = inLook([](const GridLook& l) { return l.groupHeader.foreColor; });
    const Shown groupSize = inLook([](const GridLook& l) { return l.groupHeader.fontSize; });
    const Shown selBack = inLook([](const GridLook& l) { return l.selection.backColor; });
    const Shown selFore = inLook([](const GridLook& l) { return l.selection.foreColor; });
    const Shown selSize = inLook([](const GridLook& l) { return l.selection.fontSize; });
    const Shown offBack = inLook([](const GridLook& l) { return l.inactiveSelection.backColor; });
    const Shown offFore = inLook([](const GridLook& l) { return l.inactiveSelection.foreColor; });
    const Shown offSize = inLook([](const GridLook& l) { return l.inactiveSelection.fontSize; });
    const Shown bandBack = inLook([](const GridLook& l) { return l.groupByBox.backColor; });
    const Shown bandSize = inLook([](const GridLook& l) { return l.groupByBox.fontSize; });

    std::vector<BadValue> values;
    for (const QString& section : {u"GrelhaPedidos"_s, u"GrelhaAssistencias"_s}) {
        values.insert(values.end(),
                      {
                          {section, u"FonteSize"_s, u"grande"_s, fontSize},
                          {section, u"AlturaLinhas"_s, u"0"_s, rows},
                          {section, u"Cabecalho_Altura"_s, u"alta"_s, headings},
                          {section, u"Cabecalho_FonteSize"_s, u"grande"_s, headingSize},
                          {section, u"Cabecalho_BackColor"_s, u"&H1FFFFFFFF"_s, headingBack},
                          {section, u"Cabecalho_ForeColor"_s, u"99999999999"_s, headingFore},
                          {section, u"Group_BackColor"_s, QString(), groupBack},
                          {section, u"Group_ForeColor"_s, u"azul"_s, groupFore},
                          {section, u"Group_FontSize"_s, u"0"_s, groupSize},
                          {section, u"Seleccao_backColor"_s, u"-"_s, selBack},
                          {section, u"Seleccao_Forecolor"_s, u""_s, selFore},
                          {section, u"Seleccao_FontSize"_s, u"3000"_s, selSize},
                          {section, u"SeleccaoInactiva_backColor"_s, u"cinza"_s, offBack},
                          {section, u"SeleccaoInactiva_Forecolor"_s, u"#FF"_s, offFore},
                          {section, u"SeleccaoInactiva_FontSize"_s, u"dez"_s, offSize},
                          {section, u"GroupBox_backColor"_s, u"cinzento"_s, bandBack},
                          {section, u"GroupBox_FontSize"_s, u""_s, bandSize},
                      });
    }
    // A column's design is what binding makes of it: the default width, the grid's font.
    const Shown defaultWidth = [](const Grid&) { return GridColumn::DefaultWidth; };
    const QString requests = u"GrelhaPedidos"_s;
    values.insert(
        values.end(),
        {
            {requests, u"Grid_FontSize"_s, u"grande"_s,
             [](const Grid& g) { return g.column(u"Cliente"_s).style().font().size; },
             [](const Grid& g) { return g.gridFont().size; }},
            {requests, u"Grid_Coluna1"_s, u"largo"_s, columnWidth(u"Dep"_s), defaultWidth},
            {requests, u"Grid_Coluna2"_s, QString(), columnWidth(u"Cliente"_s), defaultWidth},
            {requests, u"Grid_Coluna3"_s, u"-5"_s, columnWidth(u"Pedido"_s), defaultWidth},
            {requests, u"Grid_Coluna4"_s, u"1e9"_s, columnWidth(u"DataPedido"_s), defaultWidth},
        });
    return values;
}

QList<const Grid*> gridsOf(const Assi& window, const QString& section) {
    if (section == u"GrelhaAssistencias"_s)
        return {window.Grelha_2()};
    return {window.Grelha_1(), window.Grelha_11()};
}

// The board with the value bad shows the data, that property at its design
// value, the rest as the settings give it, and names the setting on the footer.
void expectBadValueShown(const Assi& window, const BadValue& bad, const QString& path,
                         const QString& tag) {
    EXPECT_EQ(firstValue(window.Grelha_1(), u"Cliente"_s), tag + u"-a"_s);
    EXPECT_EQ(firstValue(window.Grelha_11(), u"Cliente"_s), tag + u"-b"_s);
    EXPECT_EQ(firstValue(window.Grelha_2(), u"Dia_1"_s), tag);
    EXPECT_EQ(window.lastError(), QString());
    const Grid fresh;
    for (const Grid* grid : gridsOf(window, bad.section)) {
        SCOPED_TRACE(grid->objectName().toStdString());
        EXPECT_EQ(bad.shown(*grid), bad.design ? bad.design(*grid) : bad.shown(fresh));
        EXPECT_FALSE(grid->caption().isEmpty());
    }
    EXPECT_EQ(footerStatus(window), u"Definições com erro: [%1] %2 · nova tentativa às 09:05"_s.arg(
                                        bad.section, bad.key));
    EXPECT_TRUE(footerLooksRed(window));
    const QString why =
        bad.text.isNull() ? u"falta a chave %1"_s.arg(bad.key) : u"\"%1\""_s.arg(bad.text);
    const QString message = u"Definição inválida em [%1] %2: %3"_s.arg(bad.section, bad.key, why);
    EXPECT_TRUE(window.statusText().contains(message)) << window.statusText().toStdString();
    EXPECT_TRUE(window.statusText().contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(window.footer()->toolTip().contains(message));
}

} // namespace

TEST(ActGrelha, ABadValueAtStartNeverKeepsTheDataOffTheWall) {
    for (const BadValue& bad : badValues()) {
        SCOPED_TRACE((u"[%1] %2=%3"_s.arg(bad.section, bad.key, bad.text)).toStdString());
        Board b(withSetting(validSettings, bad.section, bad.key, bad.text));
        b.window.Form_Load();
        b.feed.deliver(goodData(u"x"_s));
        expectBadValueShown(b.window, bad, b.path, u"x"_s);
    }
}

// Looks are applied afresh at every refresh: a value gone bad shows its
// design value, not the last good one, and comes back when it is put right.
TEST(ActGrelha, ABadValueWhileRunningGoesBackToItsDesignValueUntilPutRight) {
    for (const BadValue& bad : badValues()) {
        SCOPED_TRACE((u"[%1] %2=%3"_s.arg(bad.section, bad.key, bad.text)).toStdString());
        Board b;
        b.window.Form_Load();
        b.feed.deliver(goodData(u"old"_s));
        QList<double> good;
        for (const Grid* grid : gridsOf(b.window, bad.section))
            good << bad.shown(*grid);

        b.dir.write(u"zelvio/OTK.zlv"_s,
                    withSetting(validSettings, bad.section, bad.key, bad.text));
        b.window.RefreshBoard();
        b.feed.deliver(goodData(u"new"_s));
        expectBadValueShown(b.window, bad, b.path, u"new"_s);

        b.dir.write(u"zelvio/OTK.zlv"_s, validSettings);
        b.window.RefreshBoard();
        b.feed.deliver(goodData(u"fixed"_s));
        QList<double> healed;
        for (const Grid* grid : gridsOf(b.window, bad.section))
            healed << bad.shown(*grid);
        EXPECT_EQ(healed, good);
        EXPECT_EQ(footerStatus(b.window), u"Atualizado às 09:00"_s);
    }
}

namespace {

// The board's log lines while it lives.
struct LogCapture {
    LogCapture() {
        lines().clear();
        previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext& context, const QString& message) {
                if (QLatin1StringView(context.category) == "assi.app"_L1)
                    lines() << message;
            });
    }
    ~LogCapture() { qInstallMessageHandler(previous); }
    static QStringList& lines() {
        static QStringList captured;
        return captured;
    }
    QtMessageHandler previous;
};

} // namespace

// The log hears of a bad value when it comes and when it goes, not at every
// refresh that finds it again.
TEST(ActGrelha, TheLogHearsOfABadValueOncePerChange) {
    const LogCapture log;
    Board b(withSetting(validSettings, u"GrelhaPedidos"_s, u"Cabecalho_FonteSize"_s, u"grande"_s));
    b.window.Form_Load();
    b.feed.deliver(goodData(u"x"_s));
    for (int refresh = 0; refresh < 3; ++refresh) {
        b.window.RefreshBoard();
        b.feed.deliver(goodData(u"y"_s));
    }
    const QStringList expected = {
        u"Definição inválida em [GrelhaPedidos] Cabecalho_FonteSize: \"grande\" não é um número "
        u"(%1)"_s.arg(QDir::toNativeSeparators(b.path)),
    };
    EXPECT_EQ(log.lines(), expected);

    b.dir.write(u"zelvio/OTK.zlv"_s, validSettings);
    b.window.RefreshBoard();
    b.feed.deliver(goodData(u"z"_s));
    b.window.RefreshBoard();
    b.feed.deliver(goodData(u"z"_s));
    EXPECT_EQ(log.lines(),
              expected +
                  QStringList{u"Definição corrigida: [GrelhaPedidos] Cabecalho_FonteSize"_s});
}

// A settings file gone while the board runs would take every look back to its
// design: the last whole one stays in force, and the data is refreshed.
TEST(ActGrelha, ASettingsFileGoneKeepsTheLastLooks) {
    Board b;
    b.window.Form_Load();
    b.feed.deliver(goodData(u"x"_s));
    const double headingSize = b.window.Grelha_1()->style(u"Heading"_s).font().size;
    QFile::remove(b.path);
    b.window.RefreshBoard();
    b.feed.deliver(goodData(u"y"_s));
    EXPECT_EQ(b.window.lastError(), QString());
    EXPECT_EQ(firstValue(b.window.Grelha_1(), u"Cliente"_s), u"y-a"_s);
    EXPECT_EQ(b.window.Grelha_1()->style(u"Heading"_s).font().size, headingSize);
    EXPECT_EQ(b.window.Grelha_1()->caption(), u"Pedidos de assistência pendentes"_s);
}
