#include "board/GridLook.h"

#include "board/SettingsLengths.h"
#include "settings/SettingsLookup.h"

namespace assi {

namespace {

// Reads one setting after another, remembering which one it is at, so that
// a failure can say how far the look got.
class LookReader {
public:
    LookReader(const SettingsLookup& settings, SettingsSection section)
        : m_settings(settings), m_section(section) {}

    LookStep step() const { return m_step; }

    QString text(LookStep step, SettingsField field) {
        m_step = step;
        return m_settings.Ler_INI(m_section, field);
    }
    qint32 colour(LookStep step, SettingsField field) {
        m_step = step;
        return m_settings.readStrictWholeNumber(m_section, field);
    }
    qint32 lenientColour(LookStep step, SettingsField field) {
        m_step = step;
        return m_settings.readLeadingWholeNumber(m_section, field);
    }
    double fontSize(LookStep step, SettingsField field) {
        m_step = step;
        return m_settings.readFontPointSize(m_section, field);
    }
    double rowHeight(LookStep step, SettingsField field) {
        m_step = step;
        return readRowHeight(m_settings, m_section, field);
    }
    double headingHeight(LookStep step, SettingsField field) {
        m_step = step;
        return readHeadingHeight(m_settings, m_section, field);
    }

private:
    const SettingsLookup& m_settings;
    SettingsSection m_section;
    LookStep m_step = LookStep::Caption;
};

void readLook(LookReader& read, GridLook& look) {
    using enum LookStep;
    look.caption = read.text(Caption, Titulo);
    look.fontName = read.text(FontName, Fonte);
    look.fontSize = read.fontSize(FontSize, FonteSize);
    look.rowHeight = read.rowHeight(RowHeight, AlturaLinhas);
    look.headingHeight = read.headingHeight(HeadingHeight, Cabecalho_Altura);

    StyleLook& heading = look.heading;
    heading.fontName = read.text(HeadingFontName, Cabecalho_Fonte);
    heading.fontSize = read.fontSize(HeadingFontSize, Cabecalho_FonteSize);
    heading.backColor = read.lenientColour(HeadingBackColor, Cabecalho_BackColor);
    heading.foreColor = read.lenientColour(HeadingForeColor, Cabecalho_ForeColor);

    StyleLook& group = look.groupHeader;
    group.backColor = read.colour(GroupHeaderBackColor, Group_BackColor);
    group.foreColor = read.colour(GroupHeaderForeColor, Group_ForeColor);
    group.fontName = read.text(GroupHeaderFontName, Group_Font);
    group.fontSize = read.fontSize(GroupHeaderFontSize, Group_FontSize);

    StyleLook& selection = look.selection;
    selection.backColor = read.colour(SelectionBackColor, Seleccao_backColor);
    selection.foreColor = read.colour(SelectionForeColor, Seleccao_Forecolor);
    selection.fontName = read.text(SelectionFontName, Seleccao_Font);
    selection.fontSize = read.fontSize(SelectionFontSize, Seleccao_FontSize);

    StyleLook& inactive = look.inactiveSelection;
    inactive.backColor = read.colour(InactiveSelectionBackColor, SeleccaoInactiva_backColor);
    inactive.foreColor = read.colour(InactiveSelectionForeColor, SeleccaoInactiva_Forecolor);
    inactive.fontName = read.text(InactiveSelectionFontName, SeleccaoInactiva_Font);
    inactive.fontSize = read.fontSize(InactiveSelectionFontSize, SeleccaoInactiva_FontSize);

    StyleLook& band = look.groupByBox;
    band.backColor = read.colour(GroupByBoxBackColor, GroupBox_backColor);
    band.fontName = read.text(GroupByBoxFontName, GroupBox_Font);
    band.fontSize = read.fontSize(GroupByBoxFontSize, GroupBox_FontSize);
}

} // namespace

GridLook readGridLook(const SettingsLookup& settings, SettingsSection section) {
    GridLook look;
    LookReader reader(settings, section);
    try {
        readLook(reader, look);
    } catch (const BoardError& error) {
        look.failure = LookFailure{reader.step(), error};
    }
    return look;
}

} // namespace assi
