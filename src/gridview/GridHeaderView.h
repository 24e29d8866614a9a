#pragma once

#include <QColor>
#include <QHeaderView>

namespace assi {

/// The column headings of a grid, painted from the model's header data in
/// the "Heading" look (GridModel::LookRole). Sections keep the widths they
/// are given: they cannot be resized, moved or clicked.
class GridHeaderView : public QHeaderView {
    Q_OBJECT

public:
    explicit GridHeaderView(QWidget* parent = nullptr);

    /// The colour right of the last heading.
    void setEmptyAreaColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    QColor m_emptyAreaColor = Qt::white;
};

} // namespace assi
