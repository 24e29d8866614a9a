#pragma once

#include <QString>

namespace assi {

/// One board per display: the running board holds a lock on a file named
/// after its display, which the system lets go of when the process ends,
/// however it ends. The file holds the holder's process id, so a second
/// board and `--estado` can say which process it is. Taking the lock never
/// waits; asking who holds it never takes it.
class BoardInstanceLock {
public:
    enum class Outcome {
        Taken,         // this process is the display's board
        HeldByAnother, // another board is open there
        Unavailable,   // the file cannot be had: the board runs unlocked
    };

    /// Tries to take the lock on `path`, creating the file.
    explicit BoardInstanceLock(const QString& path);
    ~BoardInstanceLock();
    BoardInstanceLock(const BoardInstanceLock&) = delete;
    BoardInstanceLock& operator=(const BoardInstanceLock&) = delete;

    Outcome outcome() const { return m_outcome; }
    /// The process that holds the lock when another does; 0 when it has not
    /// written its id yet.
    qint64 holderPid() const { return m_holderPid; }
    /// Why the lock is unavailable, in Portuguese.
    const QString& problem() const { return m_problem; }

    struct Holder {
        bool held = false;
        qint64 pid = 0; // 0: held by a process that has not written its id yet
    };
    /// Whether a board holds the lock on `path`, and which.
    static Holder holderOf(const QString& path);

private:
    int m_fd = -1;
    Outcome m_outcome = Outcome::Unavailable;
    qint64 m_holderPid = 0;
    QString m_problem;
};

} // namespace assi
