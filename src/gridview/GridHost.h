#pragma once

#include "GridFont.h"

#include <QString>

namespace assi {

class GridColumn;
class GridStyle;

/// What the styles and columns of a grid need from the grid that owns them:
/// its name for error messages, its own font (the root of every style's
/// font), and to be told of a change so it can paint and lay out again.
class GridHost {
public:
    virtual QString gridName() const = 0;
    virtual GridFont baseFont() const = 0;
    virtual void styleChanged(const GridStyle& style) = 0;
    virtual void columnChanged(const GridColumn& column) = 0;

protected:
    ~GridHost() = default;
};

} // namespace assi
