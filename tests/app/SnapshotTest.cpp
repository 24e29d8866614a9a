#include "app/Snapshot.h"

#include "common/FullDisk.h"
#include "common/TempDir.h"

#include <QDir>
#include <QImage>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

using namespace assi;
using namespace assi::test;
using namespace Qt::StringLiterals;

namespace {

// Noise does not compress: far more than the room the tests leave.
QImage noise() {
    QImage image(300, 300, QImage::Format_RGB32);
    QRandomGenerator dice(7);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, dice.generate());
    return image;
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An earlier snapshot in `folder`, a new one that does not fit: the earlier
// stays byte for byte, nothing is left beside it, and the message names the
// file. Returns the message.
QString failToReplace(const QString& folder) {
    const QString path = QDir(folder).filePath(u"quadro.png"_s);
    QImage earlier(8, 8, QImage::Format_RGB32);
    earlier.fill(Qt::darkGreen);
    EXPECT_EQ(saveSnapshot(earlier, path), QString());
    const QByteArray before = contentsOf(path);
    EXPECT_FALSE(before.isEmpty());

    const QString error = saveSnapshot(noise(), path);
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path))) << error.toStdString();
    EXPECT_EQ(contentsOf(path), before);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{u"quadro.png"_s});
    return error;
}

} // namespace

TEST(Snapshot, AFullDiskLeavesTheEarlierImageWhole) {
    const SmallDisk disk(64);
    if (!disk.isMounted())
        GTEST_SKIP() << "a small tmpfs cannot be mounted here";
    const QString error = failToReplace(disk.path());
    EXPECT_TRUE(error.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))))
        << error.toStdString();
}

TEST(Snapshot, AWriteCutShortLeavesTheEarlierImageWhole) {
    const TempDir dir;
    const FileSizeLimit limit(16 * 1024);
    failToReplace(dir.path());
}

TEST(Snapshot, AnImageThatFitsReplacesTheEarlierOne) {
    const TempDir dir;
    const QString path = dir.filePath(u"quadro.png"_s);
    dir.write(u"quadro.png"_s, "earlier");
    const QImage image = noise();
    ASSERT_EQ(saveSnapshot(image, path), QString());
    EXPECT_EQ(QImage(path, "PNG"), image);
}
