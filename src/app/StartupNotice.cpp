#include "app/StartupNotice.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace assi {

namespace {
// About this many lines fill the window's height; never smaller than MinPixels.
constexpr int LinesPerHeight = 24;
constexpr int MinPixels = 18;
const QColor AlarmColour(0xC0, 0x00, 0x00);
} // namespace

int noticeTextPixels(int windowHeight) {
    return std::max(MinPixels, windowHeight / LinesPerHeight);
}

StartupNotice::StartupNotice(QWidget* parent) : QLabel(parent) {
    setObjectName(u"StartupNotice"_s);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, AlarmColour);
    setPalette(colours);
    hide();
}

void StartupNotice::showProblem(const QString& message, const QTime& retryAt) {
    setText(u"O quadro não pode arrancar.\n\n%1\n\nNova tentativa às %2."_s.arg(
        message, retryAt.toString(u"HH:mm"_s)));
    fitToParent();
    show();
    raise();
}

void StartupNotice::fitToParent() {
    const QWidget* window = parentWidget();
    if (!window)
        return;
    const int margin = std::min(window->width(), window->height()) / LinesPerHeight;
    setGeometry(window->rect());
    setContentsMargins(margin, margin, margin, margin);
    QFont type = font();
    type.setBold(true);
    type.setPixelSize(noticeTextPixels(window->height()));
    setFont(type);
}

} // namespace assi
