#include "data/PasswordFileWarning.h"

#include "common/TempDir.h"
#include "data/ConnectionStartup.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr QFile::Permissions Private = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions GroupReads = Private | QFile::ReadGroup;
constexpr QFile::Permissions AllRead = GroupReads | QFile::ReadOther;

struct Case {
    const char* name;
    const char* text;
    QFile::Permissions permissions;
    const char16_t* expectedMode; // empty: no warning
};

const Case Cases[] = {
    {"PasswordReadableByAll", "[BaseDados]\nSenha=segredo\n", AllRead, u"0644"},
    {"PasswordReadableByTheGroup", "[BaseDados]\nSenha=segredo\n", GroupReads, u"0640"},
    {"PasswordReadableByOthersOnly", "[BaseDados]\nSenha=segredo\n", Private | QFile::ReadOther,
     u"0604"},
    {"PasswordPrivateToItsOwner", "[BaseDados]\nSenha=segredo\n", Private, u""},
    {"EmptyPasswordReadableByAll", "[BaseDados]\nSenha=\nServidor=srv\n", AllRead, u""},
    {"NoPasswordKey", "[BaseDados]\nServidor=srv\n", AllRead, u""},
    {"PasswordInAnotherSection", "[Geral]\nSenha=segredo\n", AllRead, u""},
    {"WindowsLineEndsAndCase", "[basedados]\r\nsenha=segredo\r\n", AllRead, u"0644"},
};

class ReadablePasswordWarning : public testing::TestWithParam<Case> {};

TEST_P(ReadablePasswordWarning, WarnsOnlyAboutAPasswordOthersMayRead) {
    const Case& c = GetParam();
    assi::test::TempDir dir;
    const QString file = dir.write(u"OTK.zlv"_s, c.text);
    ASSERT_TRUE(QFile::setPermissions(file, c.permissions));

    const QString warning = assi::readablePasswordWarning(file);
    const QString mode = QString::fromUtf16(c.expectedMode);
    if (mode.isEmpty()) {
        EXPECT_TRUE(warning.isEmpty()) << warning.toStdString();
        return;
    }
    EXPECT_TRUE(warning.contains(file)) << warning.toStdString();
    EXPECT_TRUE(warning.contains(u"(modo "_s + mode + u')')) << warning.toStdString();
    EXPECT_TRUE(warning.contains(u"chmod 600 "_s + file)) << warning.toStdString();
    EXPECT_FALSE(warning.contains(u"segredo"_s)) << "never the password itself";
}

INSTANTIATE_TEST_SUITE_P(, ReadablePasswordWarning, testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MissingPasswordFile, SaysNothing) {
    assi::test::TempDir dir;
    EXPECT_TRUE(assi::readablePasswordWarning(dir.filePath(u"OTK.zlv"_s)).isEmpty());
}

// Both the settings file and the catalogue are looked at, whichever the
// connection uses.
TEST(ReadablePasswordWarnings, NameTheSettingsFileThenTheCatalogue) {
    assi::test::TempDir dir;
    const QString base = dir.mkdir(u"base"_s);
    const QString program = dir.mkdir(u"programa"_s);
    const QString settings = dir.write(u"programa/OTK.zlv"_s, "[BaseDados]\nSenha=a\n");
    const QString catalogue = dir.write(u"programa/Catalogos/bd.sql"_s, "[BaseDados]\nSenha=b\n");
    QFile::setPermissions(settings, AllRead);
    QFile::setPermissions(catalogue, GroupReads);

    const QStringList warnings =
        assi::readablePasswordWarnings(assi::locateConnectionFiles(base, program));
    ASSERT_EQ(warnings.size(), 2);
    EXPECT_TRUE(warnings[0].contains(settings));
    EXPECT_TRUE(warnings[1].contains(catalogue));
}

} // namespace
