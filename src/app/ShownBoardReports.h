#pragma once

#include <QObject>
#include <QString>

namespace assi {

class Assi;
class BoardStateFiles;
class SystemdNotifier;

/// Tells those who cannot see the wall what it shows: the service manager's
/// status line whenever it changes, and the state files with the frame at
/// each refresh and page turn and whenever that line changes. What happens
/// within one turn of the event loop (a refresh's footer and its end, the
/// three grids' pages) makes one report, after the grids have laid out.
class ShownBoardReports : public QObject {
public:
    /// Either of `notifier` and `files` may be null; neither is owned.
    ShownBoardReports(Assi& window, SystemdNotifier* notifier, BoardStateFiles* files,
                      QObject* parent = nullptr);

    /// The line last reported.
    const QString& statusLine() const { return m_statusLine; }

private:
    enum class Files { IfChanged, Always };
    void schedule(Files files);
    void report();

    Assi& m_window;
    SystemdNotifier* m_notifier;
    BoardStateFiles* m_files;
    QString m_statusLine;
    bool m_due = false;
    bool m_filesDue = false;
};

} // namespace assi
