#include "data/ProgramFolder.h"

#include "common/TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using assi::ProgramFolder;
using Source = assi::ProgramFolder::Source;

namespace {

// Folders under one temporary root: "usr/bin" is where installation puts the
// program, "bin" a link to it (as on Debian), "build/bin" a build tree.
struct Machine {
    assi::test::TempDir dir;
    Machine() {
        dir.mkdir(u"usr/bin"_s);
        dir.mkdir(u"build/bin"_s);
        QFile::link(dir.filePath(u"usr/bin"_s), dir.filePath(u"bin"_s));
    }
    QString at(const QString& relative) const {
        return relative.isEmpty() ? QString() : dir.filePath(relative);
    }
};

struct Case {
    const char* name;
    const char16_t* appDir;         // relative to the machine's root; empty: none given
    const char16_t* environment;    // ASSI_APP_DIR, likewise
    const char16_t* executable;     // the executable's folder
    const char16_t* installedBin;   // empty: the build knows no installation folder
    const char16_t* expectedFolder; // relative to the root
    Source expectedSource;
};

const Case Cases[] = {
    {"BuildTreeUsesTheExecutablesFolder", u"", u"", u"build/bin", u"usr/bin", u"build/bin",
     Source::Executable},
    {"InstalledUsesTheSystemConfiguration", u"", u"", u"usr/bin", u"usr/bin", u"etc/assi",
     Source::SystemConfiguration},
    {"InstalledReachedThroughALinkIsInstalled", u"", u"", u"bin", u"usr/bin", u"etc/assi",
     Source::SystemConfiguration},
    {"ATrailingSlashIsTheSameFolder", u"", u"", u"usr/bin/", u"usr/bin", u"etc/assi",
     Source::SystemConfiguration},
    {"NoInstallationFolderKnownIsABuildTree", u"", u"", u"usr/bin", u"", u"usr/bin",
     Source::Executable},
    {"AppDirWinsOverTheInstallation", u"site", u"", u"usr/bin", u"usr/bin", u"site", Source::Given},
    {"AppDirWinsInABuildTree", u"site", u"", u"build/bin", u"usr/bin", u"site", Source::Given},
    {"TheEnvironmentIsNamedWhenItGaveTheFolder", u"site", u"site", u"usr/bin", u"usr/bin", u"site",
     Source::Environment},
    {"AppDirDifferentFromTheEnvironmentIsGiven", u"other", u"site", u"usr/bin", u"usr/bin",
     u"other", Source::Given},
};

class ChooseProgramFolder : public testing::TestWithParam<Case> {};

TEST_P(ChooseProgramFolder, PicksTheFolderAndSaysWhy) {
    const Case& c = GetParam();
    const Machine machine;
    assi::ProgramFolderInputs inputs;
    inputs.appDir = machine.at(QString::fromUtf16(c.appDir));
    inputs.environmentAppDir = machine.at(QString::fromUtf16(c.environment));
    inputs.executableFolder = machine.at(QString::fromUtf16(c.executable));
    inputs.installedBinFolder = machine.at(QString::fromUtf16(c.installedBin));
    inputs.systemConfigFolder = machine.at(u"etc/assi"_s);

    const ProgramFolder folder = assi::chooseProgramFolder(inputs);
    EXPECT_EQ(folder.path, QDir::cleanPath(machine.at(QString::fromUtf16(c.expectedFolder))));
    EXPECT_EQ(folder.source, c.expectedSource);
    EXPECT_FALSE(folder.reason().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(, ChooseProgramFolder, testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

// A test binary runs from the build tree, never from the installed folder.
TEST(FindProgramFolder, ABuildTreeExecutableUsesItsOwnFolder) {
    qunsetenv("ASSI_APP_DIR");
    const ProgramFolder folder = assi::findProgramFolder(QString());
    EXPECT_EQ(folder.path, QDir::cleanPath(QCoreApplication::applicationDirPath()));
    EXPECT_EQ(folder.source, Source::Executable);
}

} // namespace
