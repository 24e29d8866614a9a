#include "app/BoardReading.h"

#include <QJsonValue>
#include <QLocale>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

double smallestCap(const QList<QFont>& fonts, double zoom) {
    double smallest = 0;
    for (QFont font : fonts) {
        font.setPointSizeF(font.pointSizeF() * zoom);
        const double cap = capHeightPixels(font);
        smallest = smallest > 0 ? std::min(smallest, cap) : cap;
    }
    return smallest;
}

QJsonValue orNull(std::optional<double> value) {
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

// Round to the hundredth, as the words and the dump give them.
double hundredths(double value) {
    return std::round(value * 100) / 100;
}

QString screenInWords(const BoardReading& reading) {
    const QLocale portuguese(QLocale::Portuguese, QLocale::Portugal);
    switch (reading.screen.source) {
    case ScreenSizeSource::Settings:
        return u"ecrã de %1 polegadas, das definições"_s.arg(
            portuguese.toString(reading.screenInches.value_or(0), 'g', 4));
    case ScreenSizeSource::Screen:
        return u"ecrã com %1 mm de altura, como o ecrã diz"_s.arg(
            std::lround(reading.screen.millimetres));
    case ScreenSizeSource::Assumed:
        break;
    }
    return u"tamanho do ecrã desconhecido: assumidos 96 pontos por polegada (indique "
           u"PolegadasEcra em [Geral])"_s;
}

} // namespace

double BoardReading::millimetresPerPixel() const {
    return screenLines > 0 ? screen.millimetres / screenLines : 0;
}

std::optional<double> BoardReading::smallestCapDegrees() const {
    if (!distanceMetres || millimetresPerPixel() <= 0)
        return std::nullopt;
    return capDegrees(smallestCapPixels, millimetresPerPixel(), *distanceMetres);
}

BoardReading boardReadingFor(std::optional<double> distanceMetres, std::optional<double> inches,
                             QSize screenPixels, double devicePixelRatio,
                             QSizeF reportedMillimetres, const QList<QFont>& fonts) {
    BoardReading reading;
    reading.distanceMetres = distanceMetres;
    reading.screenInches = inches;
    reading.devicePixelRatio = devicePixelRatio > 0 ? devicePixelRatio : 1;
    reading.screenLines = std::max(1, screenPixels.height());
    // The physical size is of the screen's own pixels; the board draws in
    // the window's, devicePixelRatio of those each.
    reading.screen =
        screenHeightFor(inches, screenPixels * reading.devicePixelRatio, reportedMillimetres);
    // A screen of no size (a window not laid out yet) cannot be read from anywhere.
    if (distanceMetres && reading.millimetresPerPixel() > 0) {
        reading.capPixels = minimumCapPixels(*distanceMetres, reading.millimetresPerPixel());
        reading.textZoom = textZoomFor(fonts, reading.capPixels);
    }
    reading.smallestCapPixels = smallestCap(fonts, reading.textZoom);
    return reading;
}

QString describeReading(const BoardReading& reading) {
    const QLocale portuguese(QLocale::Portuguese, QLocale::Portugal);
    const QString cap =
        u"Letra mais pequena: %1 px"_s.arg(std::lround(reading.smallestCapScreenPixels()));
    if (!reading.distanceMetres)
        return cap + u"; sem DistanciaLeitura, a letra fica com os tamanhos das definições; "_s +
               screenInWords(reading);
    return cap +
           u", %1° a %2 m; "_s.arg(portuguese.toString(*reading.smallestCapDegrees(), 'f', 2),
                                   portuguese.toString(*reading.distanceMetres, 'g', 4)) +
           screenInWords(reading);
}

QJsonObject legibilityJson(const BoardReading& reading) {
    const std::optional<double> degrees = reading.smallestCapDegrees();
    return {{u"distanceM"_s, orNull(reading.distanceMetres)},
            {u"screenHeightMm"_s, std::round(reading.screen.millimetres)},
            {u"screenSource"_s, screenSizeSourceName(reading.screen.source)},
            {u"smallestCapPx"_s, hundredths(reading.smallestCapScreenPixels())},
            {u"smallestCapDegrees"_s,
             degrees ? QJsonValue(hundredths(*degrees)) : QJsonValue(QJsonValue::Null)}};
}

} // namespace assi
