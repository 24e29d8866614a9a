// The settings file as the board reaches it: through folders that get
// swapped and links that get pointed elsewhere, and on shares that hang.
#include "common/TempDir.h"
#include "wall/SettingsFileReader.h"
#include "wall/SettingsWatcher.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <semaphore>

using namespace assi;
using namespace assi::test;
using namespace Qt::StringLiterals;

namespace {

bool moveTo(const QString& from, const QString& to) {
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

// After the folder is swapped (a restore, a sync) or a link in the path is
// pointed at another folder, the next reading watches the live file again:
// its edits are seen, and those of the copy left behind are not.
TEST(SettingsWatcher, FollowsTheFileToTheFolderItIsNowIn) {
    struct Case {
        const char* name;
        bool throughLink; // the board's path goes through a link
        // Puts a new folder with its own settings where the board looks;
        // returns the folder the old file is left in.
        std::function<QString(const TempDir&)> swap;
    };
    const Case cases[] = {
        {"folder moved aside and a new one moved in", false,
         [](const TempDir& dir) {
             const QString old = dir.filePath(u"zelvio.old"_s);
             EXPECT_TRUE(moveTo(dir.filePath(u"zelvio"_s), old));
             dir.write(u"new/OTK.zlv"_s, "[Geral]\nA=2\n");
             EXPECT_TRUE(moveTo(dir.filePath(u"new"_s), dir.filePath(u"zelvio"_s)));
             return old;
         }},
        {"link pointed at another folder", true,
         [](const TempDir& dir) {
             dir.write(u"b/OTK.zlv"_s, "[Geral]\nA=2\n");
             const QString link = dir.filePath(u"zelvio"_s);
             EXPECT_TRUE(QFile::link(dir.filePath(u"b"_s), link + u".tmp"_s));
             EXPECT_TRUE(moveTo(link + u".tmp"_s, link));
             return dir.filePath(u"a"_s);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        if (c.throughLink) {
            dir.write(u"a/OTK.zlv"_s, "[Geral]\nA=1\n");
            ASSERT_TRUE(QFile::link(dir.filePath(u"a"_s), dir.filePath(u"zelvio"_s)));
        } else {
            dir.write(u"zelvio/OTK.zlv"_s, "[Geral]\nA=1\n");
        }
        const QString path = dir.filePath(u"zelvio/OTK.zlv"_s);
        constexpr int quietMilliseconds = 200;
        SettingsWatcher watcher(quietMilliseconds);
        watcher.watch(path);
        const QString oldFolder = c.swap(dir);
        // What the swap itself stirred up has settled; then the board reads again.
        QTest::qWait(3 * quietMilliseconds);
        watcher.watch(path);
        QSignalSpy settled(&watcher, &SettingsWatcher::settled);

        dir.write(QDir(dir.path()).relativeFilePath(oldFolder + u"/OTK.zlv"_s), "[Geral]\nA=9\n");
        QTest::qWait(3 * quietMilliseconds);
        EXPECT_EQ(settled.count(), 0) << "an edit of the copy left behind";

        dir.write(u"zelvio/OTK.zlv"_s, "[Geral]\nA=3\n");
        EXPECT_TRUE(settled.wait(5000)) << "an edit of the live file";
    }
}

// A reading that does not answer costs the caller the deadline once; until
// it answers no other is started, and after it has the next one runs.
TEST(SettingsFileReader, AFileThatHangsCostsOneDeadline) {
    using namespace std::chrono_literals;
    TempDir dir;
    const QString path = dir.write(u"OTK.zlv"_s, "[Geral]\nQuantosMinutos=5\n");
    auto share = std::make_shared<std::binary_semaphore>(0);
    auto started = std::make_shared<std::atomic<int>>(0);
    const auto hangingJob = [share, started, path] {
        ++*started;
        share->acquire();
        return SettingsFileReading::readNow(path);
    };
    SettingsFileReader reader(200ms);
    QElapsedTimer waited;
    waited.start();
    EXPECT_FALSE(reader.read(hangingJob).has_value());
    EXPECT_GE(waited.elapsed(), 200);
    EXPECT_TRUE(reader.isHanging());

    // Still hanging: answered at once, and nothing more is asked of the share.
    waited.restart();
    EXPECT_FALSE(reader.read(hangingJob).has_value());
    EXPECT_LT(waited.elapsed(), 200);
    EXPECT_EQ(started->load(), 1);

    share->release();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !reader.isHanging(); }, 5000));
    const auto reading = reader.read([path] { return SettingsFileReading::readNow(path); });
    ASSERT_TRUE(reading.has_value());
    EXPECT_TRUE(reading->contents.text().contains(u"QuantosMinutos=5"_s));
    EXPECT_TRUE(reading->file.found);
    EXPECT_TRUE(reading->folder.found);
}
