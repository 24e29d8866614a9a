#include "gridview/GridDelegate.h"

#include "gridview/DisplayFormat.h"
#include "gridview/GridPainting.h"
#include "gridview/GridStyles.h"
#include "gridview/GroupingProxyModel.h"
#include "gridview/RecordsetModel.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

bool isNumeric(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

QVariant groupColumnOf(const QModelIndex& index) {
    return index.data(GroupingProxyModel::GroupColumnRole);
}

} // namespace

GridDelegate::GridDelegate(const GridStyles& styles, QObject* parent)
    : QStyledItemDelegate(parent), m_styles(styles) {}

QString GridDelegate::formatOf(int column) const {
    const GridStyle* style = m_columnStyles.value(column);
    return style ? style->format() : QString::fromUtf16(GeneralFormat);
}

const GridDelegate::Mark* GridDelegate::markOf(const QModelIndex& index) const {
    if (!m_markOf)
        return nullptr;
    const int mark = m_markOf(index.data(RecordsetModel::RecordRowRole).toInt(), index.column());
    return mark >= 0 && mark < m_marks.size() ? &m_marks[mark] : nullptr;
}

QString GridDelegate::cellText(const QModelIndex& index) const {
    const QVariant groupColumn = groupColumnOf(index);
    if (groupColumn.isValid() && index.column() != 0)
        return {};
    if (!groupColumn.isValid()) {
        if (const Mark* mark = markOf(index); mark && !mark->text.isNull())
            return mark->text;
    }
    const QString format = formatOf(groupColumn.isValid() ? groupColumn.toInt() : index.column());
    const QString text = format == QString::fromUtf16(GeneralFormat)
                             ? index.data(Qt::DisplayRole).toString()
                             : formatForDisplay(index.data(RecordsetModel::ValueRole), format);
    if (groupColumn.isValid() && text.isEmpty())
        return m_emptyGroupCaption;
    return text;
}

GridCellLook GridDelegate::cellLook(const QModelIndex& index, Selection selection) const {
    GridCellLook look = unzoomedLook(index, selection);
    look.zoomFont(m_styles.textZoom());
    return look;
}

GridCellLook GridDelegate::columnLook(int column, const QPalette& palette) const {
    const GridStyle* own = m_columnStyles.value(column);
    return GridCellLook::of(own ? *own : m_styles.normal(), palette);
}

GridCellLook GridDelegate::unzoomedLook(const QModelIndex& index, Selection selection) const {
    const QPalette palette = QGuiApplication::palette();
    const bool groupHeader = groupColumnOf(index).isValid();
    GridCellLook look;
    if (groupHeader) {
        look = GridCellLook::of(m_styles.style(GridStyles::GroupHeader), palette);
    } else {
        look = columnLook(index.column(), palette);
        for (const FormatRule& rule : m_rules) {
            const QVariant value =
                index.siblingAtColumn(rule.column).data(RecordsetModel::ValueRole);
            if (value.toString() == rule.valueText)
                look.overlay(*rule.style, palette);
        }
        if (const Mark* mark = markOf(index))
            look.overlay(*mark->style, palette);
    }
    if (selection == Selection::Active)
        look.overlay(m_styles.style(GridStyles::Selection), palette);
    else if (selection == Selection::Inactive)
        look.overlay(m_styles.style(GridStyles::InactiveSelection), palette);
    if (!groupHeader)
        look.resolveAlignment(isNumeric(index.data(RecordsetModel::ValueRole)));
    return look;
}

int GridDelegate::textHeight(const QModelIndex& index) const {
    // The font's height holds its accents and descenders already: rows read
    // from afar give their room to more rows rather than to air, keeping
    // just what the rule under the cell takes.
    const int text = QFontMetrics(cellLook(index).font).height();
    return text + fittedPadding(text);
}

GridDelegate::Selection GridDelegate::selectionOf(const QStyleOptionViewItem& option) {
    if (!option.state.testFlag(QStyle::State_Selected))
        return Selection::None;
    // The focus in the view's window, so that the board keeps its active
    // selection while another application has the screen.
    const QWidget* view = option.widget;
    const bool focused = view && view->window()->focusWidget() == view;
    return focused ? Selection::Active : Selection::Inactive;
}

void GridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    applyLook(option, cellLook(index, selectionOf(*option)), cellText(index));
}

void GridDelegate::applyLook(QStyleOptionViewItem* option, const GridCellLook& look,
                             const QString& text) const {
    // The look has the selection in it already; the style must not add its own.
    option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    option->text = text;
    if (look.wordWrap) {
        const QRect area =
            option->rect.adjusted(CellPaddingX, CellPaddingY, -CellPaddingX, -CellPaddingY);
        option->text = m_fits.fit(text, look.font, area.size());
    }
    option->font = look.font;
    option->fontMetrics = QFontMetrics(look.font);
    option->backgroundBrush = look.back;
    option->palette.setColor(QPalette::Text, look.fore);
    option->displayAlignment = look.alignment;
    option->features.setFlag(QStyleOptionViewItem::WrapText, look.wordWrap);
    // Wrapped text comes cut to the lines that fit; a single line is cut at
    // the cell's edge.
    option->textElideMode = Qt::ElideNone;
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    if (option.rect.width() <= 0 || option.rect.height() <= 0)
        return;
    const GridCellLook look = cellLook(index, selectionOf(option));
    const QString text = cellText(index);
    // Filled already, unless the view painted a selection or alternate
    // colour under the row.
    const bool backgroundFilled = look.back == m_rowsBackground && look.back.alpha() == 255 &&
                                  !option.state.testFlag(QStyle::State_Selected) &&
                                  !option.features.testFlag(QStyleOptionViewItem::Alternate);
    if (text.isEmpty()) {
        // All the style would draw of a cell with no text is its background.
        if (!backgroundFilled)
            painter->fillRect(option.rect, look.back);
    } else {
        QStyleOptionViewItem cell = option;
        QStyledItemDelegate::initStyleOption(&cell, index);
        applyLook(&cell, look, text);
        if (backgroundFilled)
            cell.backgroundBrush = Qt::NoBrush;
        const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, option.widget);
    }
    // A group header spans the row: only a rule under it.
    drawCellRules(*painter, option.rect, look.gridLine,
                  groupColumnOf(index).isValid() ? CellRules::Bottom : CellRules::BottomAndRight);
}

QSize GridDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const {
    return QSize(0, m_rowHeightOf ? m_rowHeightOf(index) : m_rowHeight);
}

} // namespace assi
