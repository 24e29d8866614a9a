#include "gridview/OleColor.h"

#include <QGuiApplication>
#include <QPalette>
#include <gtest/gtest.h>

using namespace assi;

TEST(OleColor, ReadsRedFromTheLowByte) {
    struct Case {
        qint32 value;
        QColor expected;
    };
    const Case cases[] = {
        {0, QColor(0, 0, 0)},
        {255, QColor(255, 0, 0)},
        {0x00FF00, QColor(0, 255, 0)},
        {0xFF0000, QColor(0, 0, 255)},
        {0xFFFFFF, QColor(255, 255, 255)},
        {0x804000, QColor(0, 0x40, 0x80)},
        {15195094, QColor(0xD6, 0xDB, 0xE7)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(colorFromOle(c.value), c.expected) << c.value;
}

TEST(OleColor, TopBitNamesASystemColourOfThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 1, 1));
    palette.setColor(QPalette::Text, QColor(2, 2, 2));
    palette.setColor(QPalette::Highlight, QColor(3, 3, 3));
    palette.setColor(QPalette::HighlightedText, QColor(4, 4, 4));
    palette.setColor(QPalette::Button, QColor(5, 5, 5));
    palette.setColor(QPalette::Dark, QColor(6, 6, 6));
    palette.setColor(QPalette::ButtonText, QColor(7, 7, 7));
    struct Case {
        quint32 value;
        QColor expected;
    };
    const Case cases[] = {
        {0x80000005u, QColor(1, 1, 1)}, // window
        {0x80000008u, QColor(2, 2, 2)}, // window text
        {0x8000000Du, QColor(3, 3, 3)}, // highlight
        {0x8000000Eu, QColor(4, 4, 4)}, // highlight text
        {0x8000000Fu, QColor(5, 5, 5)}, // button face
        {0x80000010u, QColor(6, 6, 6)}, // button shadow
        {0x80000012u, QColor(7, 7, 7)}, // button text
        {0x80000063u, QColor(0, 0, 0)}, // no such index
        {0x80FFFF05u, QColor(0, 0, 0)}, // not a system colour value
    };
    for (const Case& c : cases)
        EXPECT_EQ(colorFromOle(qint32(c.value), palette), c.expected) << std::hex << c.value;
}

TEST(OleColor, WithoutAPaletteUsesTheApplications) {
    EXPECT_EQ(colorFromOle(qint32(0x80000005u)), QGuiApplication::palette().color(QPalette::Base));
}
