#include "wall/ScreenPhysicalSize.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

// Offscreen, Qt makes a size up; no size is better than that.
TEST(ScreenPhysicalSize, NoSizeWhereThereIsNoScreen) {
    ASSERT_FALSE(QGuiApplication::primaryScreen()->physicalSize().isEmpty());
    EXPECT_TRUE(assi::reportedScreenMillimetres(QGuiApplication::primaryScreen()).isEmpty());
    EXPECT_TRUE(assi::reportedScreenMillimetres(nullptr).isEmpty());
}
