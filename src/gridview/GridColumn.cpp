#include "gridview/GridColumn.h"

#include "core/BoardError.h"
#include "gridview/GridHeaderView.h"
#include "gridview/GridStyles.h"
#include "gridview/RecordsetModel.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// Wider than any screen; keeps the conversion to pixels far from overflow.
constexpr double MaxWidth = 1.0e6;

} // namespace

GridColumn::GridColumn(QString key, int index, const GridStyle* styleBasedOn, const Parts& parts)
    : m_key(std::move(key)), m_index(index), m_parts(parts),
      m_style(u"coluna %1"_s.arg(m_key), styleBasedOn, parts.styles) {}

QString GridColumn::caption() const {
    return m_parts.model->headerData(m_index, Qt::Horizontal).toString();
}

void GridColumn::setCaption(const QString& caption) {
    m_parts.model->setHeaderData(m_index, Qt::Horizontal, caption);
}

double GridColumn::width() const {
    return m_parts.header->columnWidth(m_index);
}

double GridColumn::shownWidth() const {
    return m_parts.header->shownWidth(m_index);
}

void GridColumn::setWidth(double twips) {
    if (!std::isfinite(twips) || twips < 0 || twips > MaxWidth)
        throw BoardError(u"Largura inválida para a coluna \"%1\" da grelha %2: %3. A largura é um "
                         u"número de twips entre 0 e %4."_s.arg(m_key, m_parts.styles->gridName(),
                                                                QString::number(twips),
                                                                QString::number(MaxWidth, 'f', 0)));
    m_parts.header->setColumnWidth(m_index, twips);
}

bool GridColumn::isHidden() const {
    return m_parts.header->isColumnHidden(m_index);
}

void GridColumn::setHidden(bool hidden) {
    m_parts.header->setColumnHidden(m_index, hidden);
}

} // namespace assi
