#pragma once

#include <QFont>
#include <QHash>
#include <QSize>
#include <QString>

namespace assi {

/// fitWrappedText() remembered: a text is measured once for each font and
/// area it is fitted to, however often its cell is painted. It keeps at
/// most Capacity fits and starts afresh when full, so a board that brings
/// new texts at every refresh does not make it grow.
class FittedTextCache {
public:
    static constexpr qsizetype Capacity = 8192;

    /// What fitWrappedText(text, font, area) gives.
    QString fit(const QString& text, const QFont& font, const QSize& area);
    /// How many fits were measured rather than remembered.
    int measuredCount() const { return m_measured; }
    void clear() { m_fits.clear(); }

private:
    struct Key {
        QString text;
        QFont font;
        QSize area;
        friend bool operator==(const Key&, const Key&) = default;
        friend size_t qHash(const Key& key, size_t seed) {
            return qHashMulti(seed, key.text, key.font, key.area.width(), key.area.height());
        }
    };
    QHash<Key, QString> m_fits;
    int m_measured = 0;
};

} // namespace assi
