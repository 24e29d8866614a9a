#pragma once

#include <QDate>
#include <QSize>
#include <QString>
#include <QStringList>

namespace assi {

/// What the command line asks for.
struct CommandLineOptions {
    QString baseDir; // folder that may hold the per-site folder; empty: the default
    QString appDir;  // the program's own folder; empty: the executable's folder
    QDate today;     // invalid: the machine's local date, day by day
    bool demo = false;
    bool check = false;
    bool dump = false;
    QString snapshotPath; // empty: no snapshot
    QSize size;           // client area in logical pixels; invalid: the design-time size
    bool fullscreen = false;
    QString select;       // "Grelha_1:3": make that displayed row current before reporting
    int afterSeconds = 0; // how long the board runs (ticks, pages, clock) before it reports
    bool help = false;
    bool version = false;
    bool state = false; // --estado: what this user's running board shows

    /// --dump, --snapshot and --check report and exit; they need no display.
    bool reportsAndExits() const { return dump || !snapshotPath.isEmpty() || check; }
};

struct CommandLineResult {
    CommandLineOptions options;
    QString error; // Portuguese; empty when the line was understood
};

/// Reads the arguments (argv[0] first) and the ASSI_BASE_DIR / ASSI_APP_DIR
/// environment defaults. Needs no application object.
CommandLineResult parseCommandLine(const QStringList& arguments);

/// The Portuguese help text.
QString commandLineHelp();

} // namespace assi
