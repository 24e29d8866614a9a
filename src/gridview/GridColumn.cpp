#include "GridColumn.h"

#include "BoardError.h"
#include "GridHost.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// Wider than any screen; keeps the conversion to pixels far from overflow.
constexpr double MaxWidth = 1.0e6;

} // namespace

GridColumn::GridColumn(QString key, int index, const GridStyle* styleBasedOn, GridHost* host)
    : m_key(std::move(key)), m_index(index), m_caption(m_key), m_host(host),
      m_style(u"coluna %1"_s.arg(m_key), styleBasedOn, host) {}

void GridColumn::setCaption(const QString& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    changed();
}

void GridColumn::setWidth(double twips) {
    if (!std::isfinite(twips) || twips < 0 || twips > MaxWidth) {
        const QString grid = m_host ? u" da grelha %1"_s.arg(m_host->gridName()) : QString();
        throw BoardError(u"Largura inválida para a coluna \"%1\"%2: %3. A largura é um número de "
                         u"twips entre 0 e %4."_s.arg(m_key, grid, QString::number(twips),
                                                      QString::number(MaxWidth, 'f', 0)));
    }
    if (twips == m_width)
        return;
    m_width = twips;
    changed();
}

void GridColumn::setDataType(int code) {
    m_dataType = code;
}

void GridColumn::setHidden(bool hidden) {
    if (hidden == m_hidden)
        return;
    m_hidden = hidden;
    changed();
}

void GridColumn::changed() {
    if (m_host)
        m_host->columnChanged(*this);
}

} // namespace assi
