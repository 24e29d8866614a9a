#pragma once

#include <QDate>
#include <QString>

namespace assi {

// Where the demo was written.
struct DemoFiles {
    QString folder;       // <base>/zelvio, the per-site folder
    QString settingsFile; // <base>/zelvio/OTK.zlv
    QString databaseFile; // beside the settings file
};

// The demo database's file name, as the settings file names it (relative to
// the settings file's folder).
inline constexpr char16_t demoDatabaseFileName[] = u"assi-demo.sqlite";

// Writes the settings file of the demo: every key the board reads, with values
// fit for a board read from across a room, and a [BaseDados] section naming
// `databaseFileName` on the SQLite engine. Replaces an existing file.
void writeDemoSettings(const QString& settingsFile, const QString& databaseFileName);

// Lays out a per-site folder under `demoBaseFolder` holding the demo settings
// file and a demo database filled around `today`, replacing earlier ones.
// Throws BoardError naming the file that could not be written.
DemoFiles writeDemo(const QString& demoBaseFolder, const QDate& today);

} // namespace assi
