#pragma once

#include "settings/OpeningHours.h"

#include <QDateTime>
#include <QWidget>

class QLabel;

namespace assi {

/// What the board shows outside its opening hours: a black screen, so the
/// display can sleep or at least burn nothing, with a small dimmed clock that
/// tells a passer-by the board is alive, and under it when the board opens
/// again. The two stand somewhere else every minute, together, so no part of
/// the panel lights the same pixels all night.
class ClosedScreen : public QWidget {
    Q_OBJECT
public:
    explicit ClosedScreen(QWidget* board);

    /// The hours whose next opening is announced.
    void setHours(const OpeningHours& hours);
    /// No text smaller than this pixel size (the size read from across the
    /// room); 0, the default, sets no minimum.
    void setMinimumTextPixels(int pixels);

    /// Covers the board and shows `now`'s time, placed for that minute.
    void showAt(const QDateTime& now);
    void fitToParent();
    QLabel* clock() const { return m_clock; }
    /// "Fechado · abre amanhã às 08:00".
    QLabel* opening() const { return m_opening; }

private:
    void sizeTexts();
    void placeTexts(const QDateTime& now);
    QString openingText(const QDateTime& now) const;

    QLabel* m_clock;
    QLabel* m_opening;
    OpeningHours m_hours;
    int m_minimumTextPixels = 0;
    QDateTime m_shownAt;
};

} // namespace assi
