#include "app/RunningBoard.h"

#include "app/Assi.h"
#include "app/BoardDump.h"
#include "app/BoardStateFiles.h"
#include "app/FooterBand.h"
#include "gridview/Grid.h"
#include "wall/BoardInstanceLock.h"
#include "wall/RuntimeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// The state file's own keys, beside the dump's.
const QString PidKey = u"pid"_s;
const QString DisplayKey = u"display"_s;
const QString StatusLineKey = u"statusLine"_s;
const QString FooterTextKey = u"footerText"_s;
const QString PagesKey = u"pages"_s;
const QString LastRefreshKey = u"lastRefresh"_s;
const QString WrittenAtKey = u"writtenAt"_s;
const QString FrameKey = u"frame"_s;
const QString GridNames[] = {u"Grelha_1"_s, u"Grelha_11"_s, u"Grelha_2"_s};
// Enough for any board a wall shows whole; --dump gives every row.
constexpr int StateRowsPerGrid = 1000;

const QString LockSuffix = u".lock"_s;

// With its offset from UTC, so a reader elsewhere reads the board's own hour.
QString isoTime(const QDateTime& time) {
    if (!time.isValid())
        return {};
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
}

QString readableTime(const QString& iso) {
    const QDateTime time = QDateTime::fromString(iso, Qt::ISODate);
    return time.isValid() ? time.toString(u"dd/MM/yyyy HH:mm:ss"_s) : iso;
}

QJsonObject readState(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

struct LiveBoard {
    QString folder;
    QString display;
    qint64 pid = 0;
};

QList<LiveBoard> liveBoards(const QStringList& folders) {
    QList<LiveBoard> boards;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& lock : dir.entryList({u"*"_s + LockSuffix}, QDir::Files)) {
            // Not dir.filePath(): an X display's name begins with ':', which
            // Qt takes for a resource of its own.
            const BoardInstanceLock::Holder holder =
                BoardInstanceLock::holderOf(folder + u'/' + lock);
            if (holder.held)
                boards.append({folder, lock.chopped(LockSuffix.size()), holder.pid});
        }
    }
    return boards;
}

QString pagesText(const QJsonObject& pages) {
    QStringList parts;
    for (const QString& grid : GridNames) {
        const QJsonObject page = pages[grid].toObject();
        if (!page.isEmpty())
            parts << u"%1 %2/%3"_s.arg(grid)
                         .arg(page[u"current"_s].toInt())
                         .arg(page[u"count"_s].toInt());
    }
    return parts.join(u", "_s);
}

QString describeState(const LiveBoard& board, const QJsonObject& state, const QString& statePath) {
    const QJsonObject refresh = state[LastRefreshKey].toObject();
    const QString refreshAt = refresh[u"at"_s].toString();
    const QString refreshWords =
        refreshAt.isEmpty()
            ? u"ainda nenhuma"_s
            : readableTime(refreshAt) +
                  (refresh[u"succeeded"_s].toBool() ? u" (com êxito)"_s : u" (falhou)"_s);
    QStringList lines{
        u"Quadro a correr no ecrã %1 (processo %2)."_s.arg(board.display).arg(board.pid),
        u"  Mostra: %1"_s.arg(state[StatusLineKey].toString()),
        u"  Rodapé: %1"_s.arg(state[FooterTextKey].toString()),
        u"  Páginas: %1"_s.arg(pagesText(state[PagesKey].toObject())),
        u"  Última atualização: %1"_s.arg(refreshWords),
        u"  Estado guardado em: %1"_s.arg(readableTime(state[WrittenAtKey].toString())),
        u"  Imagem do quadro: %1"_s.arg(state[FrameKey].toString()),
        u"  Estado completo (JSON): %1"_s.arg(statePath),
    };
    return lines.join(u'\n');
}

QString userWords() {
    const QString user = qEnvironmentVariable("USER");
    return user.isEmpty() ? QString() : u" (%1)"_s.arg(user);
}

// A state left by a board that has ended: when, and what it showed then.
QString leftoverWords(const QStringList& folders) {
    for (const QString& folder : folders) {
        const QJsonObject state = readState(folder + u'/' + BoardStateFiles::StateFileName);
        if (state.isEmpty())
            continue;
        return u"O último estado guardado, de %1, é de um quadro que já terminou (processo %2, "
               u"ecrã %3): %4"_s.arg(readableTime(state[WrittenAtKey].toString()))
                   .arg(state[PidKey].toInteger())
                   .arg(state[DisplayKey].toString(), state[StatusLineKey].toString());
    }
    return {};
}

} // namespace

QJsonObject runningBoardState(const Assi& window, const QString& statusLine,
                              const QString& framePath) {
    // Written at every page turn: a board of 100,000 rows would make it tens
    // of megabytes each time, built on the UI thread. --dump gives them all.
    QJsonObject state = dumpBoard(window, StateRowsPerGrid);
    state[PidKey] = QCoreApplication::applicationPid();
    state[DisplayKey] = displayFileName();
    state[StatusLineKey] = statusLine;
    state[FooterTextKey] = window.footer()->shownText();
    QJsonObject pages;
    const Grid* grids[] = {window.Grelha_1(), window.Grelha_11(), window.Grelha_2()};
    for (int i = 0; i < 3; ++i)
        pages[GridNames[i]] = QJsonObject{{u"current"_s, grids[i]->currentPage() + 1},
                                          {u"count"_s, grids[i]->pageCount()}};
    state[PagesKey] = pages;
    state[LastRefreshKey] = QJsonObject{{u"at"_s, window.lastRefreshAt().isValid()
                                                      ? QJsonValue(isoTime(window.lastRefreshAt()))
                                                      : QJsonValue(QJsonValue::Null)},
                                        {u"succeeded"_s, window.lastError().isEmpty()}};
    state[WrittenAtKey] = isoTime(QDateTime::currentDateTime());
    state[FrameKey] = framePath;
    return state;
}

RunningBoardReport reportRunningBoard(const QStringList& folders) {
    const QList<LiveBoard> boards = liveBoards(folders);
    RunningBoardReport report;
    if (boards.isEmpty()) {
        QStringList lines{u"Nenhum quadro a correr para este utilizador%1."_s.arg(userWords())};
        if (const QString leftover = leftoverWords(folders); !leftover.isEmpty())
            lines << leftover;
        report.text = lines.join(u'\n') + u'\n';
        return report;
    }
    report.exitCode = ExitBoardWithoutState;
    QStringList texts;
    for (const LiveBoard& board : boards) {
        const QString statePath = board.folder + u'/' + BoardStateFiles::StateFileName;
        const QJsonObject state = readState(statePath);
        if (state.isEmpty() || state[PidKey].toInteger() != board.pid) {
            texts << u"Quadro a correr no ecrã %1 (processo %2), que ainda não guardou o seu "
                     u"estado em %3."_s.arg(board.display)
                         .arg(board.pid)
                         .arg(statePath);
            continue;
        }
        report.exitCode = ExitBoardRunning;
        texts << describeState(board, state, statePath);
    }
    report.text = texts.join(u"\n\n"_s) + u'\n';
    return report;
}

} // namespace assi
