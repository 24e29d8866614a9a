#include "board/GridLook.h"

#include "GridsTestSupport.h"
#include "common/ScopedLocale.h"
#include "gridview/Grid.h"
#include "settings/SettingsLookup.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

QString styleLine(const QString& name, const StyleLook& style) {
    return u"%1: fundo %2, texto %3, %4 %5"_s.arg(name, QString::number(style.backColor),
                                                  QString::number(style.foreColor), style.fontName,
                                                  QString::number(style.fontSize));
}

// The values of a look, one line each, and the step a failure stopped at.
QStringList lookLines(const GridLook& look) {
    QStringList lines = {
        u"título %1"_s.arg(look.caption),
        u"letra %1 %2"_s.arg(look.fontName, QString::number(look.fontSize)),
        u"linhas %1, cabeçalhos %2"_s.arg(look.rowHeight).arg(look.headingHeight),
        styleLine(u"Heading"_s, look.heading),
        styleLine(u"GroupHeader"_s, look.groupHeader),
        styleLine(u"Selection"_s, look.selection),
        styleLine(u"InactiveSelection"_s, look.inactiveSelection),
        styleLine(u"GroupByBox"_s, look.groupByBox),
    };
    for (const LookProblem& problem : look.problems)
        lines << u"problema em %1"_s.arg(settingsKeyOf(problem.field));
    return lines;
}

struct Edit {
    const char16_t* section;
    const char16_t* key;
    const char16_t* value;
};

TEST(GridLook, EachGridReadsItsOwnSection) {
    const QStringList requestLook = {
        u"título Pedidos pendentes"_s,
        u"letra Arial 12"_s,
        u"linhas 330, cabeçalhos 420"_s,
        u"Heading: fundo 8011023, texto 16777215, Tahoma 14"_s,
        u"GroupHeader: fundo 15128749, texto 6697728, Verdana 11"_s,
        u"Selection: fundo 10079487, texto 1, Courier New 13"_s,
        u"InactiveSelection: fundo 14745599, texto 2, Georgia 10"_s,
        u"GroupByBox: fundo 15790320, texto 0, Times New Roman 9"_s,
    };
    QStringList boardLook = requestLook;
    boardLook[0] = u"título Ordens da semana"_s;
    QStringList editedBoardLook = boardLook;
    editedBoardLook[0] = u"título Semana"_s;
    editedBoardLook[1] = u"letra Arial 16"_s;
    editedBoardLook[2] = u"linhas 600, cabeçalhos 420"_s;
    editedBoardLook[4] = u"GroupHeader: fundo 255, texto 6697728, Verdana 11"_s;

    const std::vector<Edit> boardEdits = {{u"GrelhaAssistencias", u"Titulo", u"Semana"},
                                          {u"GrelhaAssistencias", u"FonteSize", u"16"},
                                          {u"GrelhaAssistencias", u"AlturaLinhas", u"600"},
                                          {u"GrelhaAssistencias", u"Group_BackColor", u"255"}};
    const std::vector<Edit> requestEdits = {{u"GrelhaPedidos", u"Fonte", u"Georgia"}};
    struct Case {
        SettingsSection section;
        std::vector<Edit> edits;
        QStringList expected;
    };
    const Case cases[] = {
        {RequestGridsSection, {}, requestLook},
        {WeekBoardSection, {}, boardLook},
        {RequestGridsSection, boardEdits, requestLook},
        {WeekBoardSection, boardEdits, editedBoardLook},
        {WeekBoardSection, requestEdits, boardLook},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(&c - cases));
        test::SettingsFile file;
        for (const Edit& edit : c.edits)
            file.set(QString::fromUtf16(edit.section), QString::fromUtf16(edit.key),
                     QString::fromUtf16(edit.value));
        EXPECT_EQ(lookLines(readGridLook(SettingsLookup(file.write()), c.section)), c.expected);
    }
}

// One request-grid setting changed at a time: the value it gives, or, when it
// does not read, its design value and a message that says where to fix it,
// with every other value read all the same.
TEST(GridLook, ReadsEachValueOrPutsItsDesignValueInItsPlace) {
    struct Case {
        const char* locale;
        const char16_t* key;
        const char16_t* text; // null: the key is not in the file
        std::function<double(const GridLook&)> value;
        double expected;
        bool readsAsDesign = false;
    };
    const auto headingBack = [](const GridLook& l) { return double(l.heading.backColor); };
    const auto groupBack = [](const GridLook& l) { return double(l.groupHeader.backColor); };
    const auto rows = [](const GridLook& l) { return l.rowHeight; };
    const auto headings = [](const GridLook& l) { return l.headingHeight; };
    const auto fontSize = [](const GridLook& l) { return l.fontSize; };
    const auto headingSize = [](const GridLook& l) { return l.heading.fontSize; };
    const auto selectionSize = [](const GridLook& l) { return l.selection.fontSize; };
    const auto inactiveFore = [](const GridLook& l) {
        return double(l.inactiveSelection.foreColor);
    };
    const auto bandBack = [](const GridLook& l) { return double(l.groupByBox.backColor); };
    const Case cases[] = {
        // Heading colours take the leading number and fail only past 32 bits.
        {"C", u"Cabecalho_BackColor", u"&HFF", headingBack, 255},
        {"C", u"Cabecalho_BackColor", u"12,5", headingBack, 12},
        {"C", u"Cabecalho_BackColor", u"13.5", headingBack, 14},
        {"C", u"Cabecalho_BackColor", u"azul", headingBack, 0},
        {"C", u"Cabecalho_BackColor", u"", headingBack, 0},
        {"C", u"Cabecalho_BackColor", nullptr, headingBack, 0},
        {"C", u"Cabecalho_BackColor", u"&H80000005", headingBack, double(qint32(0x80000005u))},
        {"C", u"Cabecalho_BackColor", u"&H1FFFFFFFF", headingBack, 0, true},
        // Everything else follows the regional number format, whole.
        {"pt_PT.UTF-8", u"Group_BackColor", u"12,5", groupBack, 12},
        {"pt_PT.UTF-8", u"Group_BackColor", u"13,5", groupBack, 14},
        {"C", u"Group_BackColor", u"12,5", groupBack, 0, true},
        {"C", u"Group_BackColor", u"", groupBack, 0, true},
        {"C", u"Group_BackColor", nullptr, groupBack, 0, true},
        {"pt_PT.UTF-8", u"AlturaLinhas", u"330,5", rows, 330.5},
        {"C", u"AlturaLinhas", u"330,5", rows, 0, true},
        {"C", u"AlturaLinhas", u"0", rows, 0, true},
        {"pt_PT.UTF-8", u"Cabecalho_FonteSize", u"10,5", headingSize, 10.5},
        {"C", u"Cabecalho_FonteSize", u"4000", headingSize, 0, true},
        {"C", u"Cabecalho_FonteSize", u"grande", headingSize, 0, true},
        {"C", u"FonteSize", u"", fontSize, 0, true},
        {"C", u"Cabecalho_Altura", u"alto", headings, 0, true},
        {"C", u"Seleccao_FontSize", u"0", selectionSize, 0, true},
        {"C", u"SeleccaoInactiva_Forecolor", u"x", inactiveFore, 0, true},
        {"C", u"GroupBox_backColor", u"cinzento", bandBack, 0, true},
    };
    for (const Case& c : cases) {
        const QString key = QString::fromUtf16(c.key);
        const QString text = c.text ? QString::fromUtf16(c.text) : QString();
        SCOPED_TRACE((u"%1 = %2 em %3"_s.arg(key, c.text ? text : u"(em falta)"_s,
                                             QString::fromLatin1(c.locale)))
                         .toStdString());
        test::ScopedLocale locale(c.locale);
        if (!locale.ok())
            GTEST_SKIP() << c.locale << " não está instalado";
        test::SettingsFile file;
        if (c.text)
            file.set(u"GrelhaPedidos"_s, key, text);
        else
            file.remove(u"GrelhaPedidos"_s, key);
        const GridLook look = readGridLook(SettingsLookup(file.write()), RequestGridsSection);
        // What comes before and after the value is read all the same.
        EXPECT_EQ(look.caption, u"Pedidos pendentes"_s);
        EXPECT_EQ(look.groupByBox.fontName, u"Times New Roman"_s);
        if (!c.readsAsDesign) {
            EXPECT_TRUE(look.problems.isEmpty());
            EXPECT_DOUBLE_EQ(c.value(look), c.expected);
            continue;
        }
        EXPECT_DOUBLE_EQ(c.value(look), c.value(designLook()));
        ASSERT_EQ(look.problems.size(), 1);
        EXPECT_EQ(settingsKeyOf(look.problems[0].field), key);
        const QString message = look.problems[0].message;
        const QString why = c.text ? u"\"%1\""_s.arg(text) : u"falta a chave %1"_s.arg(key);
        EXPECT_TRUE(message.contains(u"[GrelhaPedidos] %1: %2"_s.arg(key, why)))
            << message.toStdString();
        EXPECT_TRUE(message.contains(file.path())) << message.toStdString();
    }
}

// A grid's design values are those of a grid just made, whatever was applied
// to another since.
TEST(GridLook, TheDesignLookIsAFreshGrids) {
    Grid used;
    used.setFontSize(30);
    used.style(GridStyles::Heading).setBackColor(255);
    const GridLook design = designLook();
    const Grid fresh;
    EXPECT_EQ(lookLines(design), lookLines(lookOf(fresh)));
    EXPECT_EQ(design.fontSize, 8.25);
    EXPECT_EQ(design.rowHeight, fresh.rowHeight());
    EXPECT_EQ(design.heading.fontName, u"MS Sans Serif"_s);
}

TEST(GridLook, MissingFileGivesTheDesignLookAndSaysSoFirst) {
    test::TempDir dir;
    const QString path = dir.filePath(u"zelvio/OTK.zlv"_s);
    const GridLook look = readGridLook(SettingsLookup(path), WeekBoardSection);
    // The texts are empty; every number takes its design value.
    EXPECT_EQ(look.caption, QString());
    EXPECT_EQ(look.fontSize, designLook().fontSize);
    EXPECT_EQ(look.rowHeight, designLook().rowHeight);
    EXPECT_EQ(look.heading.fontSize, designLook().heading.fontSize);
    EXPECT_EQ(look.groupHeader.backColor, designLook().groupHeader.backColor);
    EXPECT_EQ(look.groupByBox.fontSize, designLook().groupByBox.fontSize);
    ASSERT_FALSE(look.problems.isEmpty());
    EXPECT_EQ(look.problems[0].field, FonteSize);
    EXPECT_TRUE(look.problems[0].message.startsWith(
        u"O ficheiro de definições %1 não existe"_s.arg(QDir::toNativeSeparators(path))))
        << look.problems[0].message.toStdString();
    EXPECT_TRUE(look.problems[0].message.contains(u"falta a chave FonteSize"_s));
}

} // namespace
