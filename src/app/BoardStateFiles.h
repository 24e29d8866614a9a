#pragma once

#include <QImage>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QThread>
#include <memory>
#include <optional>

namespace assi {

/// The running board's state and last frame, in files an administrator can
/// read without walking to the wall: `estado.json` and `quadro.png` in the
/// board's runtime folder. Each file is replaced whole (written beside it,
/// then renamed over it), so a reader finds the last one or the one before,
/// never half of one. The frame is encoded and both are written on a thread
/// of their own, one pair at a time: the UI thread never waits on them.
class BoardStateFiles : public QObject {
    Q_OBJECT
public:
    static constexpr QLatin1StringView StateFileName{"estado.json"};
    static constexpr QLatin1StringView FrameFileName{"quadro.png"};

    /// Writes into `folder`, which is made (readable by this user alone)
    /// when it is not there.
    explicit BoardStateFiles(QString folder, QObject* parent = nullptr);
    /// Waits for the pair being written, if any: a frame takes a fraction of
    /// a second, and a file left unreplaced is worse.
    ~BoardStateFiles() override;

    const QString& folder() const { return m_folder; }
    QString statePath() const;
    QString framePath() const;

    /// Hands `frame` and `state` to the writer's thread: the frame first, so
    /// the state read is never ahead of it. While a pair is being written,
    /// the newest waits its turn and any that waited before it are dropped.
    void write(QImage frame, QJsonObject state);
    bool isWriting() const { return m_writing; }
    /// Pairs dropped for a newer one since the start.
    int droppedCount() const { return m_dropped; }

Q_SIGNALS:
    /// A pair was written (or failed to be: said once in the log until it
    /// works again), on the thread that asked for it.
    void written(bool succeeded);

private:
    struct Pair {
        QImage frame;
        QJsonObject state;
    };
    void startWriting(Pair pair);
    void finishWriting(const QString& problem);

    QString m_folder;
    QThread m_thread;
    std::unique_ptr<QObject> m_writer; // lives on m_thread
    bool m_writing = false;
    std::optional<Pair> m_waiting;
    int m_dropped = 0;
    bool m_failing = false;
};

} // namespace assi
