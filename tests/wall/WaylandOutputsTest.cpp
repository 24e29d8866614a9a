#include "wall/WaylandOutputs.h"

#include "FakeCompositor.h"
#include "common/TempDir.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <wayland-server.h>

using namespace assi;

namespace {

using test::FakeCompositor;
using test::FakeOutput;

constexpr const char* SocketName = FakeCompositor::SocketName;

// The runtime folder a compositor's socket is looked for in, for one test.
class ScopedRuntimeFolder {
public:
    ScopedRuntimeFolder() : m_saved(qgetenv("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", m_dir.path().toLocal8Bit());
    }
    ~ScopedRuntimeFolder() { qputenv("XDG_RUNTIME_DIR", m_saved); }
    QString path() const { return m_dir.path(); }

private:
    test::TempDir m_dir;
    QByteArray m_saved;
};

QString describe(const WaylandOutput& output) {
    return QStringLiteral("%1x%2 px, %3x%4 mm, scale %5")
        .arg(output.pixels.width())
        .arg(output.pixels.height())
        .arg(output.millimetres.width())
        .arg(output.millimetres.height())
        .arg(output.scale);
}

QStringList describe(const QList<WaylandOutput>& outputs) {
    QStringList lines;
    for (const WaylandOutput& output : outputs)
        lines << describe(output);
    return lines;
}

} // namespace

TEST(WaylandOutputs, ReadsEveryOutputAndPicksTheLargest) {
    struct Case {
        const char* name;
        QList<FakeOutput> outputs;
        QStringList read;
        QString largest;
    };
    const Case cases[] = {
        {"one output",
         {{QSize(1920, 1080), QSize(1210, 680)}},
         {QStringLiteral("1920x1080 px, 1210x680 mm, scale 1")},
         QStringLiteral("1920x1080 px, 1210x680 mm, scale 1")},
        {"a wall display beside a small panel",
         {{QSize(1366, 768), QSize(310, 170)}, {QSize(3840, 2160), QSize(1650, 930)}},
         {QStringLiteral("1366x768 px, 310x170 mm, scale 1"),
          QStringLiteral("3840x2160 px, 1650x930 mm, scale 1")},
         QStringLiteral("3840x2160 px, 1650x930 mm, scale 1")},
        {"no physical size",
         {{QSize(1920, 1080), QSize(0, 0)}},
         {QStringLiteral("1920x1080 px, 0x0 mm, scale 1")},
         QStringLiteral("1920x1080 px, 0x0 mm, scale 1")},
        {"scale 2",
         {{QSize(3840, 2160), QSize(600, 340), 2}},
         {QStringLiteral("3840x2160 px, 600x340 mm, scale 2")},
         QStringLiteral("3840x2160 px, 600x340 mm, scale 2")},
        {"a screen on its side",
         {{QSize(1920, 1080), QSize(1210, 680), 1, WL_OUTPUT_TRANSFORM_270}},
         {QStringLiteral("1080x1920 px, 680x1210 mm, scale 1")},
         QStringLiteral("1080x1920 px, 680x1210 mm, scale 1")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScopedRuntimeFolder runtime;
        const FakeCompositor compositor(c.outputs);
        const auto outputs = readWaylandOutputs(SocketName, WaylandOutputsTimeoutMilliseconds);
        ASSERT_TRUE(outputs.has_value());
        EXPECT_EQ(describe(*outputs), c.read);
        const auto largest = largestOutput(*outputs);
        ASSERT_TRUE(largest.has_value());
        EXPECT_EQ(describe(*largest), c.largest);
    }
}

TEST(WaylandOutputs, GivesUpOnACompositorThatNeverAnswers) {
    const ScopedRuntimeFolder runtime;
    // Accepted by the system on the compositor's behalf, then never read.
    const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const QByteArray path =
        (runtime.path() + QLatin1Char('/') + QLatin1String(SocketName)).toLocal8Bit();
    std::strncpy(address.sun_path, path.constData(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(listen(listening, 1), 0);

    constexpr int Timeout = 300;
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_FALSE(readWaylandOutputs(SocketName, Timeout).has_value());
    EXPECT_LT(elapsed.elapsed(), 3 * Timeout);
    close(listening);
}
