// Grid sized for reading from afar: zoomed text, rows that fit it, columns
// that fill the width, no scroll bars. The rest of Grid is in Grid.cpp,
// GridRows.cpp and GridPaging.cpp.
#include "core/BoardError.h"
#include "gridview/Grid.h"
#include "gridview/GridCaptionBar.h"
#include "gridview/GridDelegate.h"
#include "gridview/GridGroupByBand.h"
#include "gridview/GridHeaderView.h"
#include "gridview/GridPainting.h"
#include "gridview/GridTreeView.h"
#include "gridview/Twips.h"

#include <QGuiApplication>
#include <QStyle>
#include <cmath>

using namespace Qt::StringLiterals;

namespace assi {

namespace {
constexpr double MaxTextZoom = 100;
} // namespace

void Grid::setTextZoom(double factor) {
    if (!std::isfinite(factor) || factor <= 0 || factor > MaxTextZoom)
        throw BoardError(u"Ampliação da letra inválida na grelha %1: %2. Tem de ser maior do que 0 "
                         u"e não passar de 100."_s.arg(gridName(), QString::number(factor)));
    m_styles->setTextZoom(factor);
}

double Grid::textZoom() const {
    return m_styles->textZoom();
}

void Grid::setRowsFitText(bool fit) {
    m_view->setRowsFitText(fit);
    m_captionBar->setFitsText(fit);
    scheduleUpdate();
}

bool Grid::rowsFitText() const {
    return m_view->rowsFitText();
}

void Grid::setColumnsFillWidth(bool fill) {
    m_view->gridHeader()->setFillWidth(fill);
}

bool Grid::columnsFillWidth() const {
    return m_view->gridHeader()->fillsWidth();
}

void Grid::setScrollBarsShown(bool shown) {
    m_scrollBarsShown = shown;
    const Qt::ScrollBarPolicy policy = shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    m_view->setVerticalScrollBarPolicy(policy);
    m_view->setHorizontalScrollBarPolicy(policy);
    scheduleUpdate();
}

int Grid::headingPixels() const {
    if (!rowsFitText() || m_headingHeight <= 0)
        return twipsToPixels(m_headingHeight);
    GridCellLook heading =
        GridCellLook::of(m_styles->style(GridStyles::Heading), QGuiApplication::palette());
    heading.zoomFont(textZoom());
    const int text = QFontMetrics(heading.font).height();
    return text + 2 * fittedPadding(text);
}

int Grid::availableColumnsWidth() const {
    int width = m_view->width() - 2 * m_view->frameWidth();
    // The vertical scroll bar's room is kept whether or not it shows, so the
    // columns do not jump when it comes and goes.
    if (m_scrollBarsShown)
        width -= m_view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_view);
    return width;
}

int Grid::displayRowHeight(int displayRow) const {
    return m_view->heightOfRow(requireDisplayRow(displayRow));
}

int Grid::heightAroundRows() const {
    // The one-pixel frame above and below.
    int height = 2 + m_view->gridHeader()->height();
    if (!caption().isEmpty())
        height += m_captionBar->preferredHeight();
    if (m_groupByBoxVisible)
        height += m_groupByBand->preferredHeight();
    return height;
}

} // namespace assi
