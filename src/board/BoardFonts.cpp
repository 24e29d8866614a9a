#include "board/BoardFonts.h"

#include "board/BoardColumns.h"
#include "board/GridLook.h"
#include "settings/SettingsLookup.h"

namespace assi {

namespace {

void addFont(QList<QFont>& fonts, const QString& name, double size, bool bold) {
    if (size > 0)
        fonts << GridFont{name, size, bold}.toQFont();
}

} // namespace

QList<QFont> boardTextFonts(const SettingsLookup& settings) {
    QList<QFont> fonts;
    for (const SettingsSection section : {RequestGridsSection, WeekBoardSection}) {
        const GridLook look = readGridLook(settings, section);
        addFont(fonts, look.fontName, look.fontSize, false);
        // The caption and the headings are drawn bold.
        addFont(fonts, look.heading.fontName, look.heading.fontSize, true);
        addFont(fonts, look.groupHeader.fontName, look.groupHeader.fontSize, false);
    }
    try {
        addFont(fonts, settings.Ler_INI(RequestGridsSection, Grid_Font),
                settings.readFontPointSize(RequestGridsSection, Grid_FontSize), false);
    } catch (const BoardError&) {
        // Said on the footer by the refresh that applies the columns.
    }
    fonts << clientFont().toQFont();
    return fonts;
}

} // namespace assi
