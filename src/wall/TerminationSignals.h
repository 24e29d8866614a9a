#pragma once

#include <QObject>

class QSocketNotifier;

namespace assi {

/// SIGTERM (systemctl stop, a shutdown), SIGINT and SIGHUP end the board as
/// Esc does, through the event loop, so that what it changed on the X server
/// is put back. Killed outright, the server would keep its screen saver off.
/// Does nothing where there are no such signals.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    TerminationSignals();
    ~TerminationSignals() override;

private:
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace assi
