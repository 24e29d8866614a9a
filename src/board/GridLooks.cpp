#include "GridLooks.h"

#include "SettingsLengths.h"
#include "Grid.h"
#include "SettingsLookup.h"

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// Field numbers of the look settings, in both grid sections.
enum LookField {
    Titulo = 1,
    Fonte = 2,
    FonteSize = 3,
    AlturaLinhas = 4,
    Cabecalho_BackColor = 5,
    Cabecalho_ForeColor = 6,
    Cabecalho_Fonte = 7,
    Cabecalho_FonteSize = 8,
    Cabecalho_Altura = 9,
    Group_Font = 10,
    Group_FontSize = 11,
    Group_BackColor = 12,
    Group_ForeColor = 13,
    Seleccao_backColor = 14,
    Seleccao_Forecolor = 15,
    Seleccao_Font = 16,
    Seleccao_FontSize = 17,
    SeleccaoInactiva_backColor = 18,
    SeleccaoInactiva_Forecolor = 19,
    SeleccaoInactiva_Font = 20,
    SeleccaoInactiva_FontSize = 21,
    GroupBox_backColor = 22,
    GroupBox_Font = 23,
    GroupBox_FontSize = 24,
};

// Name first, then size, each read as it is applied: a bad size leaves the
// new name in force, as the font object would.
void setStyleFont(GridStyle& style, const SettingsLookup& settings, int g, int nameField,
                  int sizeField) {
    style.setFontName(settings.Ler_INI(g, nameField));
    style.setFontSize(settings.readFontPointSize(g, sizeField));
}

// Selection and InactiveSelection take the same four settings.
void setSelectionStyle(GridStyle& style, const SettingsLookup& settings, int g, int backField,
                       int foreField, int fontField, int sizeField) {
    style.setBackColor(settings.readStrictWholeNumber(g, backField));
    style.setForeColor(settings.readStrictWholeNumber(g, foreField));
    setStyleFont(style, settings, g, fontField, sizeField);
}

} // namespace

void applyGridLook(Grid& grid, const SettingsLookup& settings, int gridNumber,
                   qint32 windowBackColor) {
    const int g = gridNumber;
    grid.setCaption(settings.Ler_INI(g, Titulo));

    // No fixed height for the weekly board here: the layout alone places the
    // grids, so a week without orders (no new layout) keeps its full height.

    grid.setBackColor(windowBackColor);

    grid.setFontName(settings.Ler_INI(g, Fonte));
    grid.setFontSize(settings.readFontPointSize(g, FonteSize));
    grid.setRowHeight(readRowHeight(settings, g, AlturaLinhas));
    grid.setHeadingHeight(readHeadingHeight(settings, g, Cabecalho_Altura));

    GridStyle& caption = grid.style(u"Caption"_s);
    setStyleFont(caption, settings, g, Cabecalho_Fonte, Cabecalho_FonteSize);
    caption.setFontBold(true);
    grid.setCaption(settings.Ler_INI(g, Titulo));

    // Heading colours are read leniently: a text that is no number gives black.
    GridStyle& heading = grid.style(u"Heading"_s);
    heading.setBackColor(settings.readLeadingWholeNumber(g, Cabecalho_BackColor));
    heading.setForeColor(settings.readLeadingWholeNumber(g, Cabecalho_ForeColor));
    setStyleFont(heading, settings, g, Cabecalho_Fonte, Cabecalho_FonteSize);
    heading.setFontBold(true);
    heading.setTextAlignment(5);

    // The group header's font is left as the settings give it, never bold.
    GridStyle& groupHeader = grid.style(u"GroupHeader"_s);
    groupHeader.setBackColor(settings.readStrictWholeNumber(g, Group_BackColor));
    groupHeader.setForeColor(settings.readStrictWholeNumber(g, Group_ForeColor));
    setStyleFont(groupHeader, settings, g, Group_Font, Group_FontSize);

    setSelectionStyle(grid.style(u"Selection"_s), settings, g, Seleccao_backColor,
                      Seleccao_Forecolor, Seleccao_Font, Seleccao_FontSize);
    setSelectionStyle(grid.style(u"InactiveSelection"_s), settings, g, SeleccaoInactiva_backColor,
                      SeleccaoInactiva_Forecolor, SeleccaoInactiva_Font, SeleccaoInactiva_FontSize);

    // No setting colours the group-by band's text: it keeps its own.
    GridStyle& groupByBox = grid.style(u"GroupByBox"_s);
    groupByBox.setBackColor(settings.readStrictWholeNumber(g, GroupBox_backColor));
    setStyleFont(groupByBox, settings, g, GroupBox_Font, GroupBox_FontSize);
}

} // namespace assi
