#include "gridview/TextAlignmentCode.h"

#include <gtest/gtest.h>

using namespace assi;

TEST(TextAlignmentCode, CodesLayOutLikeAKeypadFromTheTop) {
    struct Case {
        TextAlignment alignment;
        int code; // as the settings and the dump write it
        Qt::Alignment expected;
    };
    const Case cases[] = {
        {TextAlignment::LeftTop, 1, Qt::AlignLeft | Qt::AlignTop},
        {TextAlignment::CentreTop, 2, Qt::AlignHCenter | Qt::AlignTop},
        {TextAlignment::RightTop, 3, Qt::AlignRight | Qt::AlignTop},
        {TextAlignment::LeftMiddle, 4, Qt::AlignLeft | Qt::AlignVCenter},
        {TextAlignment::CentreMiddle, 5, Qt::AlignHCenter | Qt::AlignVCenter},
        {TextAlignment::RightMiddle, 6, Qt::AlignRight | Qt::AlignVCenter},
        {TextAlignment::LeftBottom, 7, Qt::AlignLeft | Qt::AlignBottom},
        {TextAlignment::CentreBottom, 8, Qt::AlignHCenter | Qt::AlignBottom},
        {TextAlignment::RightBottom, 9, Qt::AlignRight | Qt::AlignBottom},
        {TextAlignment::General, 0, Qt::AlignLeft | Qt::AlignVCenter},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qToUnderlying(c.alignment), c.code);
        EXPECT_EQ(qtAlignment(c.alignment), c.expected) << c.code;
    }
    EXPECT_EQ(qtAlignment(TextAlignment(42)), Qt::AlignLeft | Qt::AlignVCenter)
        << "off the keypad: general";
}

TEST(TextAlignmentCode, GeneralPutsNumbersRightAndFixedCodesIgnoreTheValue) {
    EXPECT_EQ(qtAlignment(TextAlignment::General, true), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(qtAlignment(TextAlignment::LeftMiddle, true), Qt::AlignLeft | Qt::AlignVCenter);
}
