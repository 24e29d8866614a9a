#pragma once

#include "app/StatusLine.h"

#include <QFrame>

class QLabel;

namespace assi {

/// The band across the bottom of the window: the day and time on the left,
/// what the board's data is worth on the right, all of it red when the data
/// cannot be trusted.
class FooterBand : public QFrame {
    Q_OBJECT
public:
    explicit FooterBand(QWidget* parent = nullptr);

    void setTextPixels(int pixels);
    void setView(const StatusLine::View& view);
    StatusLine::State state() const { return m_view.state; }
    /// What the band shows, its left and right parts as drawn (a part cut
    /// to fit ends in "…").
    QString shownText() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitTexts();

    QLabel* m_clock;
    QLabel* m_status;
    StatusLine::View m_view;
};

} // namespace assi
