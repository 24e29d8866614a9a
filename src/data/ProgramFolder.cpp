#include "data/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

// The build passes the installation folders; a build that does not (another
// build system) behaves as a build tree.
#ifndef ASSI_INSTALL_BINDIR
#define ASSI_INSTALL_BINDIR ""
#endif
#ifndef ASSI_SYSTEM_CONFIG_DIR
#define ASSI_SYSTEM_CONFIG_DIR ""
#endif

namespace assi {

namespace {

QString absoluteClean(const QString& folder) {
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

// /bin is a link to /usr/bin on Debian: compare where the links lead.
QString resolved(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? absoluteClean(folder) : canonical;
}

} // namespace

QString ProgramFolder::reason() const {
    switch (source) {
    case Source::Given:
        return u"indicada por --app-dir"_s;
    case Source::Environment:
        return u"indicada pela variável de ambiente ASSI_APP_DIR"_s;
    case Source::SystemConfiguration:
        return u"o programa corre da pasta onde foi instalado: usa-se a pasta de configuração do "
               u"sistema"_s;
    case Source::Executable:
        break;
    }
    return u"o programa não corre da pasta onde seria instalado: usa-se a pasta do executável"_s;
}

ProgramFolder chooseProgramFolder(const ProgramFolderInputs& inputs) {
    const QString given = inputs.appDir.trimmed();
    if (!given.isEmpty()) {
        const bool fromEnvironment = given == inputs.environmentAppDir.trimmed();
        return {absoluteClean(given), fromEnvironment ? ProgramFolder::Source::Environment
                                                      : ProgramFolder::Source::Given};
    }
    const bool installed = !inputs.installedBinFolder.isEmpty() &&
                           !inputs.systemConfigFolder.isEmpty() &&
                           resolved(inputs.executableFolder) == resolved(inputs.installedBinFolder);
    if (installed)
        return {absoluteClean(inputs.systemConfigFolder),
                ProgramFolder::Source::SystemConfiguration};
    return {absoluteClean(inputs.executableFolder), ProgramFolder::Source::Executable};
}

ProgramFolder findProgramFolder(const QString& appDir) {
    ProgramFolderInputs inputs;
    inputs.environmentAppDir = qEnvironmentVariable("ASSI_APP_DIR");
    inputs.appDir = appDir.trimmed().isEmpty() ? inputs.environmentAppDir : appDir;
    // Also asked before the application object exists (the scale must be
    // known before it is made), when only the kernel can say where we are.
    inputs.executableFolder = QCoreApplication::instance()
                                  ? QCoreApplication::applicationDirPath()
                                  : QFileInfo(u"/proc/self/exe"_s).canonicalPath();
    inputs.installedBinFolder = QStringLiteral(ASSI_INSTALL_BINDIR);
    inputs.systemConfigFolder = QStringLiteral(ASSI_SYSTEM_CONFIG_DIR);
    return chooseProgramFolder(inputs);
}

} // namespace assi
