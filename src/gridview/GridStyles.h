#pragma once

#include "gridview/GridStyle.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <vector>

namespace assi {

/// A grid's named styles. It starts with the 19 built-in styles and their
/// design values: "Normal" is the root; "Caption" is based on "Heading",
/// "CurrentCell" on "CurrentRow", "InactiveSelection" on "Selection", every
/// other one on "Normal". Styles added later are based on "Normal". Names
/// match case-insensitively; styles are never removed, so a reference to one
/// stays valid for the life of the collection.
///
/// Every change to one of its styles, or to a style made with this
/// collection as its owner (a column's), is announced by changed(). Errors
/// name the grid by the parent's objectName.
class GridStyles : public QObject {
    Q_OBJECT

public:
    /// The built-in styles' names.
    static constexpr QStringView AddNewRow = u"AddNewRow";
    static constexpr QStringView Caption = u"Caption";
    static constexpr QStringView CurrentCell = u"CurrentCell";
    static constexpr QStringView CurrentRow = u"CurrentRow";
    static constexpr QStringView FilteredRow = u"FilteredRow";
    static constexpr QStringView Frozen = u"Frozen";
    static constexpr QStringView GridBackground = u"GridBackground";
    static constexpr QStringView GroupByBox = u"GroupByBox";
    static constexpr QStringView GroupByBoxCell = u"GroupByBoxCell";
    static constexpr QStringView GroupFooter = u"GroupFooter";
    static constexpr QStringView GroupHeader = u"GroupHeader";
    static constexpr QStringView Heading = u"Heading";
    static constexpr QStringView InactiveSelection = u"InactiveSelection";
    static constexpr QStringView Normal = u"Normal";
    static constexpr QStringView PageFooter = u"PageFooter";
    static constexpr QStringView PageHeader = u"PageHeader";
    static constexpr QStringView PreviewPane = u"PreviewPane";
    static constexpr QStringView Selection = u"Selection";
    static constexpr QStringView Tip = u"Tip";
    /// How many there are: styleNames() lists them before any added style.
    static constexpr int BuiltInStyleCount = 19;

    explicit GridStyles(QObject* parent = nullptr);

    /// The style with that name; throws BoardError when there is none.
    GridStyle& style(QStringView name);
    const GridStyle& style(QStringView name) const;
    /// The style with that name, or null.
    const GridStyle* find(QStringView name) const;
    const GridStyle& normal() const { return *m_normal; }

    /// Adds a style based on "Normal". Throws BoardError when the name is
    /// empty or already taken (the existing style keeps its settings).
    GridStyle& addStyle(const QString& name);

    /// Built-in styles first, in alphabetical order, then the added ones in
    /// the order they were added.
    QStringList styleNames() const;

    /// The font every style inherits unless it sets one: the grid's own.
    const GridFont& baseFont() const { return m_baseFont; }
    void setBaseFont(const GridFont& font);

    /// Every font the grid draws is this many times its style's size, for
    /// a grid read from further off than its settings were made for; the
    /// styles keep the sizes they were given. 1: as given.
    double textZoom() const { return m_textZoom; }
    void setTextZoom(double factor);

    /// The owning grid's name for error messages.
    QString gridName() const;

Q_SIGNALS:
    /// A style's own value or the base font has changed.
    void changed();

private:
    friend class GridStyle;
    void notifyChanged() { Q_EMIT changed(); }
    GridStyle& create(QStringView name, const GridStyle* basedOn);

    GridFont m_baseFont;
    double m_textZoom = 1;
    std::vector<std::unique_ptr<GridStyle>> m_styles;
    QHash<QString, GridStyle*> m_byLowerName;
    const GridStyle* m_normal = nullptr;
};

} // namespace assi
