#include "app/BoardCheck.h"

#include "app/BoardReading.h"
#include "board/AttentionSettings.h"
#include "board/BoardFonts.h"
#include "board/GridLooks.h"
#include "core/BoardError.h"
#include "data/ConnectionCheck.h"
#include "data/ConnectionStartup.h"
#include "gridview/Grid.h"
#include "settings/GeneralSettings.h"
#include "settings/SettingsLookup.h"
#include "wall/DesktopSession.h"
#include "wall/ScreenAwake.h"
#include "wall/ScreenPhysicalSize.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextStream>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// What a board is checked against when there is no screen to ask.
constexpr QSize UsualScreen(1920, 1080);

// How large the text will be, on the screen this machine shows the board on;
// without one (run from a console), on a screen of the usual 1080 lines.
void reportReading(const GeneralSettings& general, const SettingsLookup& settings,
                   QTextStream& out) {
    const QScreen* found = QGuiApplication::primaryScreen();
    const QScreen* screen = isRealScreen(found) ? found : nullptr;
    const QSize pixels = screen ? screen->geometry().size() : UsualScreen;
    const BoardReading reading = boardReadingFor(
        general.readingDistanceMetres, general.screenInches, pixels,
        screen ? screen->devicePixelRatio() : 1.0,
        screen ? reportedScreenMillimetres(screen) : QSizeF(), boardTextFonts(settings));
    out << describeReading(reading) << Qt::endl;
    if (general.readingDistanceMetres && general.scale)
        out << u"DistanciaLeitura e Escala estão ambas definidas: decide DistanciaLeitura, que "
               u"dimensiona a letra pela distância; Escala é ignorada."_s
            << Qt::endl;
}

// Every look value that the board would leave at its design value, read as
// the board reads them, onto grids of the check's own.
QStringList lookProblems(const SettingsLookup& settings) {
    constexpr qint32 White = 0x00FFFFFF;
    Grid requests;
    Grid board;
    QList<LookProblem> problems = applyGridLook(requests, settings, RequestGridsSection, White);
    problems += applyGridLook(board, settings, WeekBoardSection, White);
    problems += readRequestAttention(settings).problems;
    problems += readOrderAttention(settings).problems;
    QStringList messages;
    for (const LookProblem& problem : problems) {
        if (!messages.contains(problem.message))
            messages << problem.message;
    }
    return messages;
}

// The general settings and the wall's side of the board: when it is open and
// how it keeps the screen awake. Every [Geral] value that does not read is
// said, as the footer would say it.
bool reportGeneralSettings(const QString& settingsFile, QTextStream& out) {
    const SettingsLookup settings(settingsFile);
    const GeneralSettings general = GeneralSettings::read(settings);
    out << u"Horário de funcionamento: %1"_s.arg(general.hours.describe()) << Qt::endl;
    reportReading(general, settings, out);
    out << describeAttention(readRequestAttention(settings), readOrderAttention(settings))
        << Qt::endl;
    for (const SettingProblem& problem : general.problems)
        out << problem.message << Qt::endl;
    const QStringList looks = lookProblems(settings);
    for (const QString& message : looks)
        out << message << Qt::endl;
    const auto awake = ScreenAwake::forSession();
    out << u"Ecrã ligado em horário de funcionamento: %1 (%2)"_s.arg(
               mechanismName(awake->mechanism()), describeMechanism(awake->mechanism()))
        << Qt::endl;
    // Over SSH the line above is about the SSH session, which has no screen:
    // the board on the wall holds its own.
    if (isRemoteShell())
        out << u"  (Isto é sobre a sessão deste comando, aberta por SSH, não sobre a do quadro "
               u"no ecrã: o que este mostra e como mantém o ecrã ligado diz-o "
               u"assi --estado, corrido como o utilizador do quadro.)"_s
            << Qt::endl;
    return general.problems.isEmpty() && looks.isEmpty();
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
