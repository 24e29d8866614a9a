#include "gridview/GridStyle.h"

#include "gridview/GridStyles.h"

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// What a property shows when no style in the chain sets it.
constexpr qint32 WindowColor = qint32(0x80000005u);
constexpr qint32 WindowTextColor = qint32(0x80000008u);
constexpr qint32 ButtonShadowColor = qint32(0x80000010u);

const GridFont& designFont() {
    static const GridFont font{u"MS Sans Serif"_s, 8.25, false};
    return font;
}

} // namespace

GridStyle::GridStyle(QString name, const GridStyle* basedOn, GridStyles* owner)
    : m_name(std::move(name)), m_basedOn(basedOn), m_owner(owner) {}

template <typename T>
std::optional<T> GridStyle::inherited(std::optional<T> Values::*member) const {
    for (const GridStyle* style = this; style; style = style->m_basedOn) {
        if (const auto& value = style->m_own.*member)
            return value;
    }
    return std::nullopt;
}

template <typename T> void GridStyle::assign(std::optional<T> Values::*member, T value) {
    if (m_own.*member == value)
        return;
    m_own.*member = std::move(value);
    changed();
}

void GridStyle::changed() {
    if (m_owner)
        m_owner->notifyChanged();
}

qint32 GridStyle::backColor() const {
    return inherited(&Values::backColor).value_or(WindowColor);
}

qint32 GridStyle::foreColor() const {
    return inherited(&Values::foreColor).value_or(WindowTextColor);
}

qint32 GridStyle::gridLineColor() const {
    return inherited(&Values::gridLineColor).value_or(ButtonShadowColor);
}

GridFont GridStyle::font() const {
    const GridFont root = m_owner ? m_owner->baseFont() : designFont();
    return GridFont{inherited(&Values::fontName).value_or(root.name),
                    inherited(&Values::fontSize).value_or(root.size),
                    inherited(&Values::fontBold).value_or(root.bold)};
}

TextAlignment GridStyle::textAlignment() const {
    return inherited(&Values::textAlignment).value_or(TextAlignment::General);
}

bool GridStyle::wordWrap() const {
    return inherited(&Values::wordWrap).value_or(false);
}

QString GridStyle::format() const {
    return inherited(&Values::format).value_or(QString(u"General"_s));
}

void GridStyle::setBackColor(qint32 color) {
    assign(&Values::backColor, color);
}

void GridStyle::setForeColor(qint32 color) {
    assign(&Values::foreColor, color);
}

void GridStyle::setGridLineColor(qint32 color) {
    assign(&Values::gridLineColor, color);
}

void GridStyle::setFontName(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        if (!m_own.fontName)
            return;
        m_own.fontName.reset();
        changed();
        return;
    }
    assign(&Values::fontName, trimmed);
}

void GridStyle::setFontSize(double points) {
    checkFontSize(points, describe());
    assign(&Values::fontSize, points);
}

void GridStyle::setFontBold(bool bold) {
    assign(&Values::fontBold, bold);
}

void GridStyle::setTextAlignment(TextAlignment alignment) {
    assign(&Values::textAlignment, alignment);
}

void GridStyle::setWordWrap(bool wrap) {
    assign(&Values::wordWrap, wrap);
}

void GridStyle::setFormat(const QString& format) {
    assign(&Values::format, format);
}

GridStyle::Values GridStyle::overridingValues() const {
    Values result;
    auto take = [&result](const Values& own) {
        auto fill = [](auto& target, const auto& source) {
            if (!target && source)
                target = source;
        };
        fill(result.backColor, own.backColor);
        fill(result.foreColor, own.foreColor);
        fill(result.gridLineColor, own.gridLineColor);
        fill(result.fontName, own.fontName);
        fill(result.fontSize, own.fontSize);
        fill(result.fontBold, own.fontBold);
        fill(result.textAlignment, own.textAlignment);
        fill(result.wordWrap, own.wordWrap);
        fill(result.format, own.format);
    };
    for (const GridStyle* style = this; style && style->m_basedOn; style = style->m_basedOn)
        take(style->m_own);
    return result;
}

QString GridStyle::describe() const {
    const QString style = u"estilo \"%1\""_s.arg(m_name);
    if (!m_owner)
        return style;
    return u"%1 da grelha %2"_s.arg(style, m_owner->gridName());
}

} // namespace assi
