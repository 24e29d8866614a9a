#include "wall/BoardInstanceLock.h"

#include "common/TempDir.h"
#include "wall/RuntimeFolder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <unistd.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

// Sets or clears an environment variable for one scope.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QString& value) : m_name(name) {
        if (qEnvironmentVariableIsSet(name))
            m_saved = qgetenv(name);
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value.toLocal8Bit());
    }
    ~ScopedVariable() {
        if (m_saved)
            qputenv(m_name, *m_saved);
        else
            qunsetenv(m_name);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    std::optional<QByteArray> m_saved;
};

} // namespace

// Two names of one display are one lock; a Wayland socket's path is a file name.
TEST(BoardInstanceLock, EachDisplayHasOneLockName) {
    struct Case {
        QString wayland;
        QString x11;
        QString name;
    };
    const Case cases[] = {
        {{}, u":0"_s, u":0"_s},
        {{}, u":0.0"_s, u":0"_s},
        {{}, u"localhost:10.0"_s, u"localhost:10"_s},
        {u"wayland-1"_s, u":0"_s, u"wayland-1"_s},
        {u"/run/user/1000/wayland-0"_s, {}, u"_run_user_1000_wayland-0"_s},
        {{}, {}, u"sem-ecra"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.wayland + u" / "_s + c.x11).toStdString());
        const ScopedVariable wayland("WAYLAND_DISPLAY", c.wayland);
        const ScopedVariable x11("DISPLAY", c.x11);
        EXPECT_EQ(displayFileName(), c.name);
    }
}

// The first board takes the display; a second, even in the same process,
// finds it held and by whom; once the first ends, the display is free.
TEST(BoardInstanceLock, OneBoardHoldsTheDisplayUntilItEnds) {
    assi::test::TempDir dir;
    // Not filePath(): Qt takes a name that begins with ':' for a resource.
    const QString path = dir.path() + u"/:0.lock"_s;
    EXPECT_FALSE(BoardInstanceLock::holderOf(path).held);

    auto first = std::make_unique<BoardInstanceLock>(path);
    ASSERT_EQ(first->outcome(), BoardInstanceLock::Outcome::Taken)
        << first->problem().toStdString();
    const qint64 ours = QCoreApplication::applicationPid();
    const BoardInstanceLock second(path);
    EXPECT_EQ(second.outcome(), BoardInstanceLock::Outcome::HeldByAnother);
    EXPECT_EQ(second.holderPid(), ours);
    const BoardInstanceLock::Holder holder = BoardInstanceLock::holderOf(path);
    EXPECT_TRUE(holder.held);
    EXPECT_EQ(holder.pid, ours);

    first.reset();
    EXPECT_FALSE(BoardInstanceLock::holderOf(path).held);
    const BoardInstanceLock third(path);
    EXPECT_EQ(third.outcome(), BoardInstanceLock::Outcome::Taken);

    const BoardInstanceLock nowhere(dir.path() + u"/no-such-folder/:0.lock"_s);
    EXPECT_EQ(nowhere.outcome(), BoardInstanceLock::Outcome::Unavailable);
    EXPECT_TRUE(nowhere.problem().contains(u"no-such-folder"_s)) << nowhere.problem().toStdString();
}

// From an administrator's shell without XDG_RUNTIME_DIR, the board's folder
// is still found where the session keeps it.
TEST(RuntimeFolder, WithoutASessionTheUsersRunFolderIsLookedIn) {
    assi::test::TempDir dir;
    {
        const ScopedVariable runtime("XDG_RUNTIME_DIR", dir.path());
        EXPECT_EQ(boardRuntimeFolder(), dir.path() + u"/assi"_s);
        EXPECT_EQ(boardRuntimeFolders().first(), dir.path() + u"/assi"_s);
    }
    const ScopedVariable runtime("XDG_RUNTIME_DIR", QString());
    const QString userRun = u"/run/user/%1"_s.arg(getuid());
    if (!QFileInfo(userRun).isDir())
        GTEST_SKIP() << userRun.toStdString() << " is not here";
    EXPECT_EQ(boardRuntimeFolder(), userRun + u"/assi"_s);
}
