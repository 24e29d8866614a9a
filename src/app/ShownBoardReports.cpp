#include "app/ShownBoardReports.h"

#include "app/Assi.h"
#include "app/BoardStateFiles.h"
#include "app/RunningBoard.h"
#include "app/ShownBoardLine.h"
#include "app/ShownFrame.h"
#include "gridview/Grid.h"
#include "wall/BoardSchedule.h"
#include "wall/SystemdNotifier.h"

#include <QTimer>

namespace assi {

ShownBoardReports::ShownBoardReports(Assi& window, SystemdNotifier* notifier,
                                     BoardStateFiles* files, QObject* parent)
    : QObject(parent), m_window(window), m_notifier(notifier), m_files(files) {
    connect(&window, &Assi::statusShown, this, [this] { schedule(Files::IfChanged); });
    connect(&window, &Assi::refreshFinished, this, [this] { schedule(Files::Always); });
    for (Grid* grid : {window.Grelha_1(), window.Grelha_11(), window.Grelha_2()})
        connect(grid, &Grid::pageChanged, this, [this] {
            // Behind the closed screen the pages turn unseen.
            if (m_window.schedule().isOpen())
                schedule(Files::Always);
        });
    schedule(Files::Always);
}

void ShownBoardReports::schedule(Files files) {
    m_filesDue = m_filesDue || files == Files::Always;
    if (std::exchange(m_due, true))
        return;
    // After the grids' own queued layout, which was asked for first.
    QTimer::singleShot(0, this, &ShownBoardReports::report);
}

void ShownBoardReports::report() {
    m_due = false;
    for (Grid* grid : {m_window.Grelha_1(), m_window.Grelha_11(), m_window.Grelha_2()})
        grid->settle();
    const QString line = describeShownBoard(m_window);
    const bool changed = line != m_statusLine;
    m_statusLine = line;
    if (m_notifier)
        m_notifier->setStatus(line);
    if (!m_files || !(std::exchange(m_filesDue, false) || changed))
        return;
    // Qt draws widgets on the UI thread only; the encoding is the writer's.
    m_files->write(shownFrame(m_window), runningBoardState(m_window, line, m_files->framePath()));
}

} // namespace assi
