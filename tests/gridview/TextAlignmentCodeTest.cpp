#include "gridview/TextAlignmentCode.h"

#include <gtest/gtest.h>

using namespace assi;

TEST(TextAlignmentCode, CodesLayOutLikeAKeypadFromTheTop) {
    struct Case {
        int code;
        Qt::Alignment expected;
    };
    const Case cases[] = {
        {1, Qt::AlignLeft | Qt::AlignTop},        {2, Qt::AlignHCenter | Qt::AlignTop},
        {3, Qt::AlignRight | Qt::AlignTop},       {4, Qt::AlignLeft | Qt::AlignVCenter},
        {5, Qt::AlignHCenter | Qt::AlignVCenter}, {6, Qt::AlignRight | Qt::AlignVCenter},
        {7, Qt::AlignLeft | Qt::AlignBottom},     {8, Qt::AlignHCenter | Qt::AlignBottom},
        {9, Qt::AlignRight | Qt::AlignBottom},    {0, Qt::AlignLeft | Qt::AlignVCenter},
        {42, Qt::AlignLeft | Qt::AlignVCenter},
    };
    for (const Case& c : cases)
        EXPECT_EQ(alignmentFromCode(c.code), c.expected) << c.code;
}

TEST(TextAlignmentCode, GeneralPutsNumbersRightAndFixedCodesIgnoreTheValue) {
    EXPECT_EQ(alignmentFromCode(0, true), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(alignmentFromCode(4, true), Qt::AlignLeft | Qt::AlignVCenter);
}
