#pragma once

#include "GridStyle.h"

#include <QString>

namespace assi {

class GridHost;

/// One column of a grid, identified by its key (the name of the field it
/// shows). Its width is in twips; its data type is a code the grid only
/// keeps. Its own style is based on the grid's "Normal" style unless said
/// otherwise, so whatever it does not set comes from there.
class GridColumn {
public:
    /// Default width of a new column, in twips (100 pixels).
    static constexpr double DefaultWidth = 1500.0;

    GridColumn(QString key, int index, const GridStyle* styleBasedOn, GridHost* host = nullptr);
    GridColumn(const GridColumn&) = delete;
    GridColumn& operator=(const GridColumn&) = delete;

    const QString& key() const { return m_key; }
    /// Position among the grid's columns, from 0.
    int index() const { return m_index; }

    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);

    double width() const { return m_width; }
    /// Throws BoardError for a negative, infinite or absurdly large width.
    void setWidth(double twips);

    int dataType() const { return m_dataType; }
    void setDataType(int code);

    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden);

    GridStyle& style() { return m_style; }
    const GridStyle& style() const { return m_style; }

private:
    void changed();

    QString m_key;
    int m_index;
    QString m_caption;
    double m_width = DefaultWidth;
    int m_dataType = 8;
    bool m_hidden = false;
    GridHost* m_host;
    GridStyle m_style;
};

} // namespace assi
