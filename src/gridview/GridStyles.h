#pragma once

#include "GridStyle.h"

#include <QHash>
#include <QStringList>
#include <memory>
#include <vector>

namespace assi {

/// A grid's named styles. It starts with the 19 built-in styles and their
/// design values: "Normal" is the root; "Caption" is based on "Heading",
/// "CurrentCell" on "CurrentRow", "InactiveSelection" on "Selection", every
/// other one on "Normal". Styles added later are based on "Normal". Names
/// match case-insensitively; styles are never removed, so a reference to one
/// stays valid for the life of the collection.
class GridStyles {
public:
    explicit GridStyles(GridHost* host = nullptr);
    GridStyles(const GridStyles&) = delete;
    GridStyles& operator=(const GridStyles&) = delete;

    /// The style with that name; throws BoardError when there is none.
    GridStyle& style(const QString& name);
    const GridStyle& style(const QString& name) const;
    /// The style with that name, or null.
    const GridStyle* find(const QString& name) const;
    const GridStyle& normal() const { return *m_normal; }

    /// Adds a style based on "Normal". Throws BoardError when the name is
    /// empty or already taken (the existing style keeps its settings).
    GridStyle& addStyle(const QString& name);

    /// Built-in styles first, in alphabetical order, then the added ones in
    /// the order they were added.
    QStringList styleNames() const;

private:
    GridStyle& create(const QString& name, const GridStyle* basedOn);
    QString gridName() const;

    GridHost* m_host;
    std::vector<std::unique_ptr<GridStyle>> m_styles;
    QHash<QString, GridStyle*> m_byLowerName;
    const GridStyle* m_normal = nullptr;
};

} // namespace assi
