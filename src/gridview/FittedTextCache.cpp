#include "gridview/FittedTextCache.h"

#include "gridview/GridPainting.h"

namespace assi {

QString FittedTextCache::fit(const QString& text, const QFont& font, const QSize& area) {
    Key key{text, font, area};
    if (const auto found = m_fits.constFind(key); found != m_fits.constEnd())
        return *found;
    if (m_fits.size() >= Capacity)
        m_fits.clear();
    ++m_measured;
    QString fitted = fitWrappedText(text, font, area);
    m_fits.insert(std::move(key), fitted);
    return fitted;
}

} // namespace assi
