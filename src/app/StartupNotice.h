#pragma once

#include <QLabel>
#include <QTime>

namespace assi {

/// Why the board has not started, over the whole window in large red type:
/// the board hangs on a wall with nobody at its keyboard, so the reason must
/// read from across the room and no dialog may wait for a click.
/// The pixel size of a notice read across the room on a window
/// `windowHeight` pixels high: about 24 lines would fill it.
int noticeTextPixels(int windowHeight);

class StartupNotice : public QLabel {
    Q_OBJECT
public:
    explicit StartupNotice(QWidget* parent);

    /// Shows `message` and when the next attempt will be, over the parent.
    void showProblem(const QString& message, const QTime& retryAt);
    /// Covers the parent and scales the type to its height.
    void fitToParent();
};

} // namespace assi
