#include "board/GridLook.h"

#include "board/SettingsLengths.h"
#include "core/BoardError.h"
#include "gridview/Grid.h"
#include "settings/SettingsLookup.h"

namespace assi {

namespace {

StyleLook styleLookOf(const GridStyle& style) {
    const GridFont font = style.font();
    return StyleLook{style.backColor(), style.foreColor(), font.name, font.size};
}

// Reads one setting after another; one that does not read gives way to its
// design value, and the reading goes on.
class LookReader {
public:
    LookReader(const SettingsLookup& settings, SettingsSection section,
               QList<LookProblem>& problems)
        : m_settings(settings), m_section(section), m_problems(problems) {}

    QString text(SettingsField field) const { return m_settings.Ler_INI(m_section, field); }
    qint32 colour(SettingsField field, qint32 design) {
        return orDesign(field, design,
                        [&] { return m_settings.readStrictWholeNumber(m_section, field); });
    }
    qint32 lenientColour(SettingsField field, qint32 design) {
        return orDesign(field, design,
                        [&] { return m_settings.readLeadingWholeNumber(m_section, field); });
    }
    double fontSize(SettingsField field, double design) {
        return orDesign(field, design,
                        [&] { return m_settings.readFontPointSize(m_section, field); });
    }
    double rowHeight(SettingsField field, double design) {
        return orDesign(field, design, [&] { return readRowHeight(m_settings, m_section, field); });
    }
    double headingHeight(SettingsField field, double design) {
        return orDesign(field, design,
                        [&] { return readHeadingHeight(m_settings, m_section, field); });
    }

private:
    template <typename Value, typename Read>
    Value orDesign(SettingsField field, Value design, Read read) {
        try {
            return read();
        } catch (const BoardError& error) {
            m_problems.append({field, error.message()});
            return design;
        }
    }

    const SettingsLookup& m_settings;
    SettingsSection m_section;
    QList<LookProblem>& m_problems;
};

// The group header and both selections take the same four settings.
struct StyleFields {
    SettingsField backColor;
    SettingsField foreColor;
    SettingsField fontName;
    SettingsField fontSize;
};

StyleLook readStyleLook(LookReader& read, const StyleFields& fields, const StyleLook& design) {
    StyleLook style;
    style.backColor = read.colour(fields.backColor, design.backColor);
    style.foreColor = read.colour(fields.foreColor, design.foreColor);
    style.fontName = read.text(fields.fontName);
    style.fontSize = read.fontSize(fields.fontSize, design.fontSize);
    return style;
}

} // namespace

GridLook lookOf(const Grid& grid) {
    GridLook look;
    look.caption = grid.caption();
    look.fontName = grid.gridFont().name;
    look.fontSize = grid.gridFont().size;
    look.rowHeight = grid.rowHeight();
    look.headingHeight = grid.headingHeight();
    look.heading = styleLookOf(grid.style(GridStyles::Heading));
    look.groupHeader = styleLookOf(grid.style(GridStyles::GroupHeader));
    look.selection = styleLookOf(grid.style(GridStyles::Selection));
    look.inactiveSelection = styleLookOf(grid.style(GridStyles::InactiveSelection));
    look.groupByBox = styleLookOf(grid.style(GridStyles::GroupByBox));
    return look;
}

const GridLook& designLook() {
    // Read off a grid made for the purpose, so the design values have one
    // home, the grid's; it goes at once, before the application does.
    static const GridLook design = [] {
        const Grid fresh;
        return lookOf(fresh);
    }();
    return design;
}

GridLook readGridLook(const SettingsLookup& settings, SettingsSection section) {
    const GridLook& design = designLook();
    GridLook look;
    LookReader read(settings, section, look.problems);
    look.caption = read.text(Titulo);
    look.fontName = read.text(Fonte);
    look.fontSize = read.fontSize(FonteSize, design.fontSize);
    look.rowHeight = read.rowHeight(AlturaLinhas, design.rowHeight);
    look.headingHeight = read.headingHeight(Cabecalho_Altura, design.headingHeight);

    StyleLook& heading = look.heading;
    heading.fontName = read.text(Cabecalho_Fonte);
    heading.fontSize = read.fontSize(Cabecalho_FonteSize, design.heading.fontSize);
    heading.backColor = read.lenientColour(Cabecalho_BackColor, design.heading.backColor);
    heading.foreColor = read.lenientColour(Cabecalho_ForeColor, design.heading.foreColor);

    look.groupHeader = readStyleLook(
        read, {Group_BackColor, Group_ForeColor, Group_Font, Group_FontSize}, design.groupHeader);
    look.selection = readStyleLook(
        read, {Seleccao_backColor, Seleccao_Forecolor, Seleccao_Font, Seleccao_FontSize},
        design.selection);
    look.inactiveSelection = readStyleLook(read,
                                           {SeleccaoInactiva_backColor, SeleccaoInactiva_Forecolor,
                                            SeleccaoInactiva_Font, SeleccaoInactiva_FontSize},
                                           design.inactiveSelection);

    StyleLook& band = look.groupByBox;
    band.backColor = read.colour(GroupBox_backColor, design.groupByBox.backColor);
    band.fontName = read.text(GroupBox_Font);
    band.fontSize = read.fontSize(GroupBox_FontSize, design.groupByBox.fontSize);
    return look;
}

} // namespace assi
