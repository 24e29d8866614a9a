#pragma once

#include <QAbstractItemDelegate>

namespace assi {

/// Paints every cell of a grid, body and group header rows alike, from the
/// model's look roles (see GridModel::Role): the row's selection picks the
/// selected look, active while the grid has the focus. Every row is as high
/// as the grid's row height; text that does not fit is cut.
class GridDelegate : public QAbstractItemDelegate {
    Q_OBJECT

public:
    explicit GridDelegate(QObject* parent = nullptr);

    int rowHeight() const { return m_rowHeight; }
    void setRowHeight(int pixels) { m_rowHeight = pixels; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int m_rowHeight = 17;
};

} // namespace assi
