#include "app/BoardCheck.h"

#include "core/BoardError.h"
#include "data/ConnectionCheck.h"
#include "data/ConnectionStartup.h"
#include "settings/GeneralSettings.h"
#include "settings/SettingsLookup.h"
#include "wall/ScreenAwake.h"

#include <QTextStream>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// The general settings and the wall's side of the board: when it is open and
// how it keeps the screen awake. Every [Geral] value that does not read is
// said, as the footer would say it.
bool reportGeneralSettings(const QString& settingsFile, QTextStream& out) {
    const GeneralSettings general = GeneralSettings::read(SettingsLookup(settingsFile));
    out << u"Horário de funcionamento: %1"_s.arg(general.hours.describe()) << Qt::endl;
    for (const SettingProblem& problem : general.problems)
        out << problem.message << Qt::endl;
    const auto awake = ScreenAwake::forSession();
    out << u"Ecrã ligado em horário de funcionamento: %1 (%2)"_s.arg(
               mechanismName(awake->mechanism()), describeMechanism(awake->mechanism()))
        << Qt::endl;
    return general.problems.isEmpty();
}

} // namespace

int runBoardCheck(const QString& baseDirOverride, const QString& appDir, const QDate& today) {
    QTextStream out(stdout);
    bool allWell = false;
    try {
        allWell = checkConnection(baseDirOverride, appDir, out,
                                  [&today](DatabaseConnection& connection, QTextStream& stream) {
                                      return checkBoardQueries(connection, stream, today);
                                  });
    } catch (const BoardError& e) {
        out << e.message() << Qt::endl;
    }
    allWell = reportGeneralSettings(locateSettingsFile(baseDirOverride, appDir), out) && allWell;
    out << (allWell ? u"Tudo em ordem."_s : u"Há problemas: veja acima."_s) << Qt::endl;
    return allWell ? 0 : 1;
}

} // namespace assi
