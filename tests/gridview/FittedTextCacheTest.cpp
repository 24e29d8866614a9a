#include "gridview/FittedTextCache.h"

#include "gridview/GridPainting.h"

#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

TEST(FittedTextCache, MeasuresATextOnceForEachFontAndArea) {
    const QString text = u"Câmara Municipal de Vila Nova de Famalicão — Serviços Técnicos"_s;
    const QFont plain(u"Arial"_s, 11);
    QFont bold = plain;
    bold.setBold(true);
    struct Case {
        const char* what;
        QString text;
        QFont font;
        QSize area;
        int measured;
    };
    const Case cases[] = {
        {"first fit", text, plain, {300, 40}, 1},
        {"the same again", text, plain, {300, 40}, 1},
        {"narrower", text, plain, {90, 40}, 2},
        {"the narrower again", text, plain, {90, 40}, 2},
        {"lower", text, plain, {90, 18}, 3},
        {"in bold", text, bold, {90, 40}, 4},
        {"another text", u"Hotel Mar Azul"_s, plain, {90, 40}, 5},
    };
    FittedTextCache cache;
    for (const Case& c : cases) {
        EXPECT_EQ(cache.fit(c.text, c.font, c.area), fitWrappedText(c.text, c.font, c.area))
            << c.what;
        EXPECT_EQ(cache.measuredCount(), c.measured) << c.what;
    }
    EXPECT_NE(cache.fit(text, plain, {300, 40}), cache.fit(text, plain, {90, 40}))
        << "a text cut for one width is not shown at another";
}

TEST(FittedTextCache, StartsAfreshWhenFull) {
    FittedTextCache cache;
    const QFont font(u"Arial"_s, 11);
    const QSize area(100, 20);
    cache.fit(u"Hotel Mar Azul"_s, font, area);
    for (int i = 0; i < FittedTextCache::Capacity; ++i)
        cache.fit(QString::number(i), font, area);
    const int measured = cache.measuredCount();
    cache.fit(u"Hotel Mar Azul"_s, font, area);
    EXPECT_EQ(cache.measuredCount(), measured + 1);
}
