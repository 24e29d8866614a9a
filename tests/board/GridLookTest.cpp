#include "board/GridLook.h"

#include "GridsTestSupport.h"
#include "common/ScopedLocale.h"
#include "settings/SettingsLookup.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

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
    if (look.failure)
        lines << u"falha no passo %1"_s.arg(int(look.failure->step));
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

// One request-grid setting changed at a time: the value it gives, or the step
// the reading stops at, with a message that says where to fix it.
TEST(GridLook, ReadsEachValueOrStopsAtTheFirstBadOne) {
    using enum LookStep;
    struct Case {
        const char* locale;
        const char16_t* key;
        const char16_t* text;
        std::function<double(const GridLook&)> value;
        double expected;
        std::optional<LookStep> failsAt = std::nullopt;
    };
    const auto headingBack = [](const GridLook& l) { return double(l.heading.backColor); };
    const auto groupBack = [](const GridLook& l) { return double(l.groupHeader.backColor); };
    const auto rows = [](const GridLook& l) { return l.rowHeight; };
    const auto headingSize = [](const GridLook& l) { return l.heading.fontSize; };
    const auto none = [](const GridLook&) { return 0.0; };
    const Case cases[] = {
        // Heading colours take the leading number and fail only past 32 bits.
        {"C", u"Cabecalho_BackColor", u"&HFF", headingBack, 255},
        {"C", u"Cabecalho_BackColor", u"12,5", headingBack, 12},
        {"C", u"Cabecalho_BackColor", u"13.5", headingBack, 14},
        {"C", u"Cabecalho_BackColor", u"azul", headingBack, 0},
        {"C", u"Cabecalho_BackColor", u"", headingBack, 0},
        {"C", u"Cabecalho_BackColor", u"&H80000005", headingBack, double(qint32(0x80000005u))},
        {"C", u"Cabecalho_BackColor", u"&H1FFFFFFFF", none, 0, HeadingBackColor},
        // Everything else follows the regional number format, whole.
        {"pt_PT.UTF-8", u"Group_BackColor", u"12,5", groupBack, 12},
        {"pt_PT.UTF-8", u"Group_BackColor", u"13,5", groupBack, 14},
        {"C", u"Group_BackColor", u"12,5", none, 0, GroupHeaderBackColor},
        {"C", u"Group_BackColor", u"", none, 0, GroupHeaderBackColor},
        {"pt_PT.UTF-8", u"AlturaLinhas", u"330,5", rows, 330.5},
        {"C", u"AlturaLinhas", u"330,5", none, 0, RowHeight},
        {"C", u"AlturaLinhas", u"0", none, 0, RowHeight},
        {"pt_PT.UTF-8", u"Cabecalho_FonteSize", u"10,5", headingSize, 10.5},
        {"C", u"Cabecalho_FonteSize", u"4000", none, 0, HeadingFontSize},
        {"C", u"FonteSize", u"", none, 0, FontSize},
        {"C", u"Cabecalho_Altura", u"alto", none, 0, HeadingHeight},
        {"C", u"Seleccao_FontSize", u"0", none, 0, SelectionFontSize},
        {"C", u"SeleccaoInactiva_Forecolor", u"x", none, 0, InactiveSelectionForeColor},
        {"C", u"GroupBox_backColor", u"cinzento", none, 0, GroupByBoxBackColor},
    };
    for (const Case& c : cases) {
        const QString key = QString::fromUtf16(c.key);
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(
            (u"%1 = %2 em %3"_s.arg(key, text, QString::fromLatin1(c.locale))).toStdString());
        test::ScopedLocale locale(c.locale);
        if (!locale.ok())
            GTEST_SKIP() << c.locale << " não está instalado";
        test::SettingsFile file;
        file.set(u"GrelhaPedidos"_s, key, text);
        const GridLook look = readGridLook(SettingsLookup(file.write()), RequestGridsSection);
        if (!c.failsAt) {
            EXPECT_FALSE(look.failure.has_value());
            EXPECT_DOUBLE_EQ(c.value(look), c.expected);
            continue;
        }
        ASSERT_TRUE(look.failure.has_value());
        EXPECT_EQ(look.failure->step, *c.failsAt);
        const QString message = look.failure->error.message();
        EXPECT_TRUE(message.contains(u"[GrelhaPedidos] %1: \"%2\""_s.arg(key, text)))
            << message.toStdString();
        EXPECT_TRUE(message.contains(file.path())) << message.toStdString();
        // What came before the bad value was read all the same.
        EXPECT_EQ(look.caption, u"Pedidos pendentes"_s);
    }
}

TEST(GridLook, MissingFileStopsAtTheFirstNumberAndSaysSoFirst) {
    test::TempDir dir;
    const QString path = dir.filePath(u"zelvio/OTK.zlv"_s);
    const GridLook look = readGridLook(SettingsLookup(path), WeekBoardSection);
    ASSERT_TRUE(look.failure.has_value());
    EXPECT_EQ(look.failure->step, LookStep::FontSize);
    EXPECT_TRUE(look.failure->error.message().startsWith(
        u"O ficheiro de definições %1 não existe"_s.arg(QDir::toNativeSeparators(path))))
        << look.failure->error.message().toStdString();
}

} // namespace
