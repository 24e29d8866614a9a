#pragma once

#include <QColor>
#include <QHeaderView>
#include <QList>

namespace assi {

class GridStyles;

/// The column headings of a grid, painted in the "Heading" style. It keeps
/// each column's width in twips and whether it is hidden; sections cannot
/// be resized, moved or clicked by the user.
///
/// Nobody scrolls a board on a wall: when the columns are wider than the
/// available width, their sections shrink in proportion so every one stays
/// in sight; they grow only when asked to fill the width. The widths asked
/// for read back unchanged.
class GridHeaderView : public QHeaderView {
    Q_OBJECT

public:
    /// Width of a column nobody has set, in twips (100 pixels).
    static constexpr double DefaultColumnWidth = 1500.0;

    GridHeaderView(const GridStyles& styles, QWidget* parent = nullptr);

    double columnWidth(int logicalIndex) const;
    void setColumnWidth(int logicalIndex, double twips);
    bool isColumnHidden(int logicalIndex) const;
    void setColumnHidden(int logicalIndex, bool hidden);
    /// Every column back to the default width, shown.
    void clearColumnSettings();
    /// The pixels the sections share before they shrink.
    void setAvailableWidth(int pixels);
    /// The shown columns take the whole available width, in the
    /// proportions of their widths.
    void setFillWidth(bool fill);
    bool fillsWidth() const { return m_fillWidth; }
    /// The width a column shows at, in twips: its width, or its share of
    /// the available width when filling; a hidden column's width.
    double shownWidth(int logicalIndex) const;
    /// The colour right of the last heading.
    void setEmptyAreaColor(const QColor& color);

    /// Sizes the sections from the widths now (otherwise done once, at the
    /// next event-loop turn after a change).
    void fitSections();
    /// Sizes the sections now if a change is waiting for it.
    void settle();

    /// Sizes and hides the new sections as the columns say.
    void reset() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    void scheduleFit();
    void hideSections();

    const GridStyles& m_styles;
    // By logical index; kept here because QHeaderView forgets its sections'
    // sizes and hidden state at every model reset.
    QList<double> m_widths; // twips
    QList<bool> m_hidden;
    int m_availableWidth = 0;
    bool m_fitScheduled = false;
    bool m_fillWidth = false;
    QColor m_emptyAreaColor = Qt::white;
};

} // namespace assi
