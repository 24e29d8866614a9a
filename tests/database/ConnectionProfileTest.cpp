#include "database/ConnectionProfile.h"

#include "common/ErrorOf.h"
#include "common/TempDir.h"
#include "database/FolderProbe.h"
#include "database/SystemFolderLocator.h"

#include <QDir>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using assi::ConnectionProfile;
using assi::DatabaseEngine;
using assi::test::TempDir;

namespace {

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

TEST(ConnectionProfile, ReadsTheConnectionSection) {
    TempDir dir;
    const QString file = dir.write(u"OTK.zlv"_s, "[Geral]\r\nServidor=errado\r\n"
                                                 "[basedados]\r\n"
                                                 "servidor = srv01,1500\r\n"
                                                 "BaseDados=OTK\r\n"
                                                 "Senha=pa;ss=}\r\n"
                                                 "Utilizador=quadro\r\n"
                                                 "Driver=FreeTDS\r\n");
    ConnectionProfile profile;
    profile.readFile(file);
    EXPECT_EQ(profile.server(), u"srv01,1500"_s);
    EXPECT_EQ(profile.database(), u"OTK"_s);
    EXPECT_EQ(profile.password(), u"pa;ss=}"_s);
    EXPECT_EQ(profile.login(), u"quadro"_s);
    EXPECT_EQ(profile.engine(), DatabaseEngine::SqlServer);
    EXPECT_EQ(profile.odbcDriver(), u"FreeTDS"_s);
    EXPECT_TRUE(profile.sourceFileExists());
}

TEST(ConnectionProfile, AMissingFileReadsAsEmptyValues) {
    TempDir dir;
    ConnectionProfile profile;
    profile.readFile(dir.filePath(u"OTK.zlv"_s));
    EXPECT_TRUE(profile.server().isEmpty());
    EXPECT_TRUE(profile.database().isEmpty());
    EXPECT_TRUE(profile.login().isEmpty());
    EXPECT_FALSE(profile.sourceFileExists());
    EXPECT_EQ(profile.engine(), DatabaseEngine::SqlServer);
}

TEST(ConnectionProfile, TheCatalogueReplacesEveryValue) {
    TempDir dir;
    const QString settings =
        dir.write(u"OTK.zlv"_s, "[BaseDados]\nServidor=srv01\nSenha=da-definicao\n");
    const QString catalogue = dir.write(
        u"Catalogos/bd.sql"_s, "[BaseDados]\nServidor=srv02\nBaseDados=OTK2\nUtilizador=cat\n");
    ConnectionProfile profile;
    profile.readFile(settings);
    profile.readFile(catalogue);
    EXPECT_EQ(profile.server(), u"srv02"_s);
    EXPECT_EQ(profile.database(), u"OTK2"_s);
    EXPECT_EQ(profile.password(), u""_s);
    EXPECT_EQ(profile.login(), u"cat"_s);
}

TEST(ConnectionProfile, ARelativeSqliteFileIsTakenFromTheFolderOfTheFileThatNamesIt) {
    TempDir dir;
    const QString settings =
        dir.write(u"site/OTK.zlv"_s, "[BaseDados]\nMotor=SQLite\nBaseDados=dados/demo.db\n");
    const QString catalogue =
        dir.write(u"prog/Catalogos/bd.sql"_s, "[BaseDados]\nMotor=sqlite\nBaseDados=../demo.db\n");
    const QString absolute =
        dir.write(u"abs/OTK.zlv"_s, "[BaseDados]\nMotor=sqlite\nBaseDados=/srv/demo.db\n");
    const QString server = dir.write(u"srv/OTK.zlv"_s, "[BaseDados]\nBaseDados=dados/demo.db\n");

    ConnectionProfile profile;
    profile.readFile(settings);
    EXPECT_EQ(profile.engine(), DatabaseEngine::Sqlite);
    EXPECT_EQ(profile.database(), QDir(dir.path()).filePath(u"site/dados/demo.db"_s));
    profile.readFile(catalogue);
    EXPECT_EQ(profile.database(), QDir(dir.path()).filePath(u"prog/demo.db"_s));
    profile.readFile(absolute);
    EXPECT_EQ(profile.database(), u"/srv/demo.db"_s);
    profile.readFile(server); // a SQL Server database name is a name, not a path
    EXPECT_EQ(profile.database(), u"dados/demo.db"_s);
}

TEST(ConnectionProfile, AnUnknownEngineIsAnErrorNamingFileSectionKeyAndText) {
    TempDir dir;
    const QString file = dir.write(u"OTK.zlv"_s, "[BaseDados]\nMotor=oracle\n");
    ConnectionProfile profile;
    profile.readFile(file);
    EXPECT_EQ(assi::test::errorOf([&] { (void)profile.engine(); }),
              u"Definição inválida em [BaseDados] Motor: \"oracle\" não é \"sqlserver\" "
              u"nem \"sqlite\" ("_s +
                  file + u')');
}

TEST(SystemFolderLocator, OverrideThenEnvironmentThenConfigurationFolder) {
    TempDir dir;
    const QString fromEnv = dir.mkdir(u"env"_s);
    {
        ScopedEnv env("ASSI_BASE_DIR", fromEnv.toLocal8Bit());
        EXPECT_EQ(assi::SystemFolderLocator(dir.path() + u"/base/"_s).folderPath(),
                  dir.path() + u"/base"_s);
        EXPECT_EQ(assi::SystemFolderLocator().folderPath(), fromEnv);
    }
    ScopedEnv env("ASSI_BASE_DIR", QByteArray());
    EXPECT_EQ(
        assi::SystemFolderLocator().folderPath(),
        QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
    // A relative folder is taken from the current folder.
    EXPECT_EQ(assi::SystemFolderLocator(u"rel/x"_s).folderPath(),
              QDir::current().filePath(u"rel/x"_s));
}

TEST(FolderProbe, OnlyAnExistingFolderIsAFolder) {
    TempDir dir;
    dir.mkdir(u"zelvio"_s);
    dir.write(u"ficheiro"_s, "x");
    const assi::FolderProbe probe;
    EXPECT_TRUE(probe.folderExists(dir.filePath(u"zelvio"_s)));
    EXPECT_FALSE(probe.folderExists(dir.filePath(u"ficheiro"_s)));
    EXPECT_FALSE(probe.folderExists(dir.filePath(u"nada"_s)));
    EXPECT_FALSE(probe.folderExists(QString()));
}

} // namespace
