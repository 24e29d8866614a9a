#include "data/ConnectionStartup.h"

#include "core/BoardError.h"
#include "data/Logging.h"
#include "data/ProgramFolder.h"
#include "database/ConnectionStringBuilder.h"
#include "database/DatabaseConnection.h"
#include "database/FolderProbe.h"
#include "database/SystemFolderLocator.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

using Key = ConnectionProfile::Key;

// Servidor, Utilizador and BaseDados, in the order the fallback tests them.
QStringList emptyConnectionKeys(const ConnectionProfile& profile) {
    QStringList empty;
    if (profile.server().isEmpty())
        empty << ConnectionProfile::keyName(Key::Servidor);
    if (profile.login().isEmpty())
        empty << ConnectionProfile::keyName(Key::Utilizador);
    if (profile.database().isEmpty())
        empty << ConnectionProfile::keyName(Key::BaseDados);
    return empty;
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// The fallback does not look at the catalogue's values again; connecting with
// a value missing would only give the driver's puzzling answer, so say here
// what is missing and where it was looked for.
void requireConnectionValues(const ConnectionPlan& plan) {
    const QStringList missing = emptyConnectionKeys(plan.profile);
    if (missing.isEmpty())
        return;
    const QString settings =
        plan.settingsFileExists
            ? u"o ficheiro de definições %1 não os tem todos"_s.arg(shown(plan.settingsFilePath))
            : u"o ficheiro de definições %1 não existe"_s.arg(shown(plan.settingsFilePath));
    const QString catalogue =
        plan.profile.sourceFileExists()
            ? u"o catálogo %1 também não"_s.arg(shown(plan.catalogueFilePath))
            : u"o catálogo %1 não existe"_s.arg(shown(plan.catalogueFilePath));
    throw BoardError(u"Faltam valores de ligação em [%1]: %2; %3 e %4."_s.arg(
        ConnectionProfile::section(), missing.join(u", "_s), settings, catalogue));
}

} // namespace

ConnectionPlan locateConnectionFiles(const QString& baseFolderOverride, const QString& appDir) {
    ConnectionPlan plan;
    plan.baseFolder = SystemFolderLocator(baseFolderOverride).folderPath();
    const ProgramFolder program = findProgramFolder(appDir);
    plan.programFolder = program.path;
    plan.programFolderReason = program.reason();
    plan.siteFolder = QDir(plan.baseFolder).filePath(u"zelvio"_s);
    plan.siteFolderExists = FolderProbe().folderExists(plan.siteFolder);

    const QString settingsFolder = plan.siteFolderExists ? plan.siteFolder : plan.programFolder;
    plan.settingsFilePath = QDir(settingsFolder).filePath(u"OTK.zlv"_s);
    plan.catalogueFilePath = QDir(plan.programFolder).filePath(u"Catalogos/bd.sql"_s);
    return plan;
}

QString locateSettingsFile(const QString& baseFolderOverride, const QString& appDir) {
    return locateConnectionFiles(baseFolderOverride, appDir).settingsFilePath;
}

ConnectionPlan planConnection(const QString& baseFolderOverride, const QString& appDir) {
    ConnectionPlan plan = locateConnectionFiles(baseFolderOverride, appDir);

    plan.profile.readFile(plan.settingsFilePath);
    plan.settingsFileExists = plan.profile.sourceFileExists();
    plan.emptyInSettings = emptyConnectionKeys(plan.profile);
    if (!plan.emptyInSettings.isEmpty()) {
        plan.profile.readFile(plan.catalogueFilePath);
        plan.usesCatalogue = true;
    }
    qCInfo(lcData).noquote() << u"Definições: %1%2"_s.arg(
        shown(plan.settingsFilePath),
        plan.usesCatalogue ? u"; valores de ligação do catálogo"_s : QString());
    return plan;
}

namespace {

ConnectionString connectionStringFor(const ConnectionPlan& plan) {
    const ConnectionProfile& profile = plan.profile;
    ConnectionStringBuilder builder;
    builder.setProvider(u"MSDataShape"_s);
    builder.setReadOnly(true);
    builder.setServer(profile.server());
    builder.setLogin(profile.login());
    builder.setDatabase(profile.database());
    builder.setPassword(profile.password());
    builder.setEngine(profile.engine());
    builder.setOdbcDriver(profile.odbcDriver());
    return builder.buildConnectionString();
}

} // namespace

void LIgarBd(const ConnectionPlan& plan, DatabaseConnection& connection) {
    requireConnectionValues(plan);
    connection.connect(connectionStringFor(plan));
}

QString describePlannedConnection(const QString& baseFolderOverride, const QString& appDir) {
    try {
        const ConnectionPlan plan = planConnection(baseFolderOverride, appDir);
        requireConnectionValues(plan);
        return connectionStringFor(plan).describe();
    } catch (const std::exception&) {
        return {}; // only ever adds to a message; the load reports the problem
    }
}

} // namespace assi
