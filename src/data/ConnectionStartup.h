#pragma once

#include "database/ConnectionProfile.h"

#include <QString>
#include <QStringList>

namespace assi {

class DatabaseConnection;

/// Where the settings live and which connection values the board will use,
/// worked out without touching the database (so the window can do it on its
/// own thread and a worker can connect later).
struct ConnectionPlan {
    QString baseFolder; // from SystemFolderLocator
    QString siteFolder; // <base>/zelvio
    bool siteFolderExists = false;
    QString programFolder;       // the program's own folder (see ProgramFolder)
    QString programFolderReason; // why that folder, in Portuguese
    QString settingsFilePath;    // <site or program folder>/OTK.zlv
    bool settingsFileExists = false;
    QString catalogueFilePath; // <program folder>/Catalogos/bd.sql
    bool usesCatalogue = false;
    /// Of Servidor, Utilizador and BaseDados, those the settings file left
    /// empty (why the catalogue is used).
    QStringList emptyInSettings;
    ConnectionProfile profile; // the values to connect with
};

/// Finds the settings file and gathers the connection values, with the
/// catalogue fallback: when Servidor, Utilizador or BaseDados is empty in the
/// settings file (or the file is missing), all four values come from the
/// catalogue instead; Senha takes no part in that test, and the catalogue's
/// values are not tested again.
///
/// `baseFolderOverride` goes to SystemFolderLocator (empty: ASSI_BASE_DIR,
/// else the user's configuration folder). `appDir` is the program's folder
/// (empty: ASSI_APP_DIR, else as findProgramFolder() says). Throws BoardError when
/// the settings file or the catalogue is there but cannot be read.
ConnectionPlan planConnection(const QString& baseFolderOverride, const QString& appDir);

/// The plan's folders and files, found without reading any file.
ConnectionPlan locateConnectionFiles(const QString& baseFolderOverride, const QString& appDir);

/// The settings file planConnection() would read (in the site folder when
/// there is one, else in the program folder), found without reading anything,
/// so it can be looked for again while a late share is still being mounted.
QString locateSettingsFile(const QString& baseFolderOverride, const QString& appDir);

/// Builds the connection from the plan's values (read-only, through the
/// "MSDataShape" provider) and opens `connection`. Throws BoardError when a
/// value is still missing after the fallback or the connection cannot be
/// opened.
void LIgarBd(const ConnectionPlan& plan, DatabaseConnection& connection);

/// The server and database LIgarBd would connect to now, as messages name
/// them (never the password); empty when they cannot be worked out.
QString describePlannedConnection(const QString& baseFolderOverride, const QString& appDir);

} // namespace assi
