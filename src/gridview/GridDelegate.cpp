#include "GridDelegate.h"

#include "GridCellLook.h"
#include "GridModel.h"
#include "GridPainting.h"

#include <QPainter>

namespace assi {

GridDelegate::GridDelegate(QObject* parent) : QAbstractItemDelegate(parent) {}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    int role = GridModel::LookRole;
    if (option.state.testFlag(QStyle::State_Selected))
        role = option.state.testFlag(QStyle::State_HasFocus) ? GridModel::SelectedLookRole
                                                             : GridModel::InactiveSelectedLookRole;
    const auto look = index.data(role).value<GridCellLook>();
    const QString text = index.data(Qt::DisplayRole).toString();
    drawCell(*painter, option.rect, text, look);
    if (index.data(GridModel::GroupHeaderRole).toBool()) {
        // A group header spans the row: only a rule under it.
        painter->save();
        painter->setPen(QPen(look.gridLine, 0));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
        return;
    }
    drawCellLines(*painter, option.rect, look);
}

QSize GridDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return QSize(0, m_rowHeight);
}

} // namespace assi
