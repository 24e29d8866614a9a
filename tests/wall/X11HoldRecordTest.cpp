// Word of a hold in the runtime folder, locked while one board or guardian
// has it (what it says is read back by the tests of the guardian).
#include "wall/X11HoldRecord.h"

#include "common/TempDir.h"

#include <future>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {
using Saver = X11ScreenSettings::ScreenSaver;
}

// A guardian putting back and a board starting a hold take turns; one that
// waited on a record cleared meanwhile has the new file at the path.
TEST(X11HoldRecord, ASecondOpeningWaitsForTheFirstToBeDone) {
    for (const bool cleared : {false, true}) {
        SCOPED_TRACE(cleared ? "cleared" : "closed");
        test::TempDir dir;
        const std::string path = dir.filePath(u"record"_s).toStdString();
        const X11HoldRecord::Entry entry{4242, {Saver{321, 321, 1, 1}, std::nullopt}};
        X11HoldRecord first(path);
        ASSERT_TRUE(first.isOpen());
        first.write(entry);
        std::future<std::optional<X11HoldRecord::Entry>> second =
            std::async(std::launch::async, [&] {
                X11HoldRecord record(path);
                const auto found = record.read();
                record.write({found ? 1 : 2, {}});
                return found;
            });
        EXPECT_EQ(second.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
        if (cleared)
            first.clear();
        else
            first.close();
        ASSERT_EQ(second.wait_for(std::chrono::seconds(5)), std::future_status::ready);
        EXPECT_EQ(second.get(), cleared ? std::nullopt : std::optional(entry));
        EXPECT_EQ(X11HoldRecord(path).read()->holder, cleared ? 2 : 1);
    }
}
