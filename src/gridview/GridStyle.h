#pragma once

#include "gridview/GridFont.h"
#include "gridview/TextAlignmentCode.h"

#include <QString>
#include <optional>

namespace assi {

class GridStyles;

/// One named style of a grid: colours (0x00BBGGRR, see colorFromOle), font,
/// text alignment (see TextAlignment), word wrap and display format
/// (see formatForDisplay). Each property may be left unset, and is then
/// inherited from the style this one is based on; "Normal" is the root, and
/// the font falls back on the grid's own font at the end of the chain.
///
/// The plain getters give the effective value, after inheritance; the
/// setters set this style's own value.
class GridStyle {
public:
    struct Values {
        std::optional<qint32> backColor;
        std::optional<qint32> foreColor;
        std::optional<qint32> gridLineColor;
        std::optional<QString> fontName;
        std::optional<double> fontSize;
        std::optional<bool> fontBold;
        std::optional<TextAlignment> textAlignment;
        std::optional<bool> wordWrap;
        std::optional<QString> format;
    };

    /// `basedOn` may be null for a root; `owner`, when given, is told of
    /// every change and gives the root font and the grid's name.
    GridStyle(QString name, const GridStyle* basedOn, GridStyles* owner = nullptr);
    GridStyle(const GridStyle&) = delete;
    GridStyle& operator=(const GridStyle&) = delete;

    const QString& name() const { return m_name; }
    const GridStyle* basedOn() const { return m_basedOn; }

    qint32 backColor() const;
    qint32 foreColor() const;
    qint32 gridLineColor() const;
    GridFont font() const;
    TextAlignment textAlignment() const;
    bool wordWrap() const;
    QString format() const;

    void setBackColor(qint32 color);
    void setForeColor(qint32 color);
    void setGridLineColor(qint32 color);
    /// An empty name clears this style's own name, so the inherited one shows.
    void setFontName(const QString& name);
    /// Throws BoardError unless 0 < points <= 2048.
    void setFontSize(double points);
    void setFontBold(bool bold);
    void setTextAlignment(TextAlignment alignment);
    void setWordWrap(bool wrap);
    void setFormat(const QString& format);

    /// The values set on this style itself.
    const Values& ownValues() const { return m_own; }
    /// The values this style lays over a row's own look when it is used as a
    /// highlight (a format rule, the selection): those set on it or on the
    /// styles it is based on, short of the root.
    Values overridingValues() const;

private:
    template <typename T> std::optional<T> inherited(std::optional<T> Values::*member) const;
    template <typename T> void assign(std::optional<T> Values::*member, T value);
    void changed();
    QString describe() const;

    QString m_name;
    const GridStyle* m_basedOn;
    GridStyles* m_owner;
    Values m_own;
};

} // namespace assi
