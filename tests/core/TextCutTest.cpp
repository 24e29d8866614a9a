#include "core/TextCut.h"

#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

TEST(TextCut, CountsCodePointsNeverSplittingALetter) {
    struct Case {
        QString text;
        int count;
        QString expected;
    };
    const QString clef = QString::fromUcs4(U"\U0001D11E"); // one character, two UTF-16 units
    const Case cases[] = {
        {u"Conceição"_s, 8, u"Conceiçã"_s},
        {u"Conceição"_s, 9, u"Conceição"_s},
        {u"Conceição"_s, 30, u"Conceição"_s},
        {u"abc"_s, 0, u""_s},
        {u"abc"_s, -1, u"abc"_s},
        {clef + clef + u"x"_s, 1, clef},
        {clef + clef + u"x"_s, 2, clef + clef},
        {u"a"_s + clef, 2, u"a"_s + clef},
        {QString(), 5, QString()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cutToCharacters(c.text, c.count), c.expected)
            << c.text.toStdString() << " / " << c.count;
    }
}
