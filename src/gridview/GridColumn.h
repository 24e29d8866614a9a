#pragma once

#include "gridview/GridStyle.h"

#include <QString>

namespace assi {

class GridHeaderView;
class GridStyles;
class RecordsetModel;

/// The kind of value a column holds, numbered as variant types are.
enum class GridDataType : int {
    Integer = 3,
    Double = 5,
    DateTime = 7,
    Text = 8,
};

/// One column of a grid, identified by its key (the name of the field it
/// shows): a handle on what the grid's parts keep about it. Its caption is
/// the model's heading, its width (in twips) and hidden flag are the
/// header's; its data type the grid keeps without using it. Its own style is
/// based on the grid's "Normal" style unless said otherwise, so whatever it
/// does not set comes from there.
class GridColumn {
public:
    /// Default width of a new column, in twips (100 pixels).
    static constexpr double DefaultWidth = 1500.0;

    /// Where a column's settings live.
    struct Parts {
        GridStyles* styles;
        RecordsetModel* model;
        GridHeaderView* header;
    };

    GridColumn(QString key, int index, const GridStyle* styleBasedOn, const Parts& parts);
    GridColumn(const GridColumn&) = delete;
    GridColumn& operator=(const GridColumn&) = delete;

    const QString& key() const { return m_key; }
    /// Position among the grid's columns, from 0.
    int index() const { return m_index; }

    QString caption() const;
    void setCaption(const QString& caption);

    double width() const;
    /// The width the column shows at, in twips: width(), unless the grid's
    /// columns fill its width (see Grid::setColumnsFillWidth()).
    double shownWidth() const;
    /// Throws BoardError for a negative, infinite or absurdly large width.
    void setWidth(double twips);

    GridDataType dataType() const { return m_dataType; }
    void setDataType(GridDataType type) { m_dataType = type; }

    bool isHidden() const;
    void setHidden(bool hidden);

    GridStyle& style() { return m_style; }
    const GridStyle& style() const { return m_style; }

private:
    QString m_key;
    int m_index;
    GridDataType m_dataType = GridDataType::Text;
    Parts m_parts;
    GridStyle m_style;
};

} // namespace assi
