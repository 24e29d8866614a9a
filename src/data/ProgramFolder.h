#pragma once

#include <QString>

namespace assi {

/// The folder that holds the fallback settings file and Catalogos/bd.sql,
/// and why it was chosen (`assi --check` says both).
struct ProgramFolder {
    enum class Source {
        Given,               // --app-dir
        Environment,         // ASSI_APP_DIR
        SystemConfiguration, // the program runs from where it was installed
        Executable,          // the program runs from elsewhere (a build tree)
    };
    QString path;
    Source source = Source::Executable;

    /// Why this folder, in Portuguese, for --check.
    QString reason() const;
};

/// What decides the program folder, gathered so the choice can be made (and
/// tested) without the running process.
struct ProgramFolderInputs {
    QString appDir;             // --app-dir or ASSI_APP_DIR as the command line read them
    QString environmentAppDir;  // ASSI_APP_DIR itself
    QString executableFolder;   // where the running executable is
    QString installedBinFolder; // where installation puts the executable
    QString systemConfigFolder; // where an installed program keeps its files
};

/// A given folder wins; else an executable in its installed folder (compared
/// after resolving links, so /bin and /usr/bin are one) uses the system
/// configuration folder, and any other executable its own folder.
ProgramFolder chooseProgramFolder(const ProgramFolderInputs& inputs);

/// chooseProgramFolder() with this process's executable, environment and the
/// installation folders the build was configured with.
ProgramFolder findProgramFolder(const QString& appDir);

} // namespace assi
