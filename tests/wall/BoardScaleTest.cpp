#include "wall/BoardScale.h"

#include "common/TempDir.h"
#include "settings/GeneralSettings.h"
#include "settings/SettingsLookup.h"

#include <gtest/gtest.h>
#include <optional>

using namespace assi;
using namespace Qt::StringLiterals;

TEST(BoardScale, EscalaChoosesTheScaleForTheScreen) {
    struct Case {
        QByteArray line;
        QSize screen;
        std::optional<double> scale;
    };
    const Case cases[] = {
        {"", QSize(3840, 2160), std::nullopt},
        {"Escala=100\n", QSize(3840, 2160), 1.0},
        {"Escala=150%\n", QSize(1920, 1080), 1.5},
        {"Escala=auto\n", QSize(1920, 1080), 1.0},
        {"Escala=AUTO\n", QSize(2560, 1440), 1440.0 / 1080},
        {"Escala=auto\n", QSize(3840, 2160), 2.0},
        {"Escala=auto\n", QSize(1280, 720), 1.0},
        {"Escala=grande\n", QSize(3840, 2160), 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        test::TempDir dir;
        const QString path = dir.write(u"OTK.zlv"_s, "[Geral]\nQuantosMinutos=5\n" + c.line);
        const std::optional<double> scale =
            chooseBoardScale(GeneralSettings::read(SettingsLookup(path)).scale, c.screen);
        ASSERT_EQ(scale.has_value(), c.scale.has_value());
        if (scale) {
            EXPECT_DOUBLE_EQ(*scale, *c.scale);
        }
    }
}
