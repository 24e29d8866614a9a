#include "app/BoardStateFiles.h"

#include "app/Logging.h"
#include "wall/RuntimeFolder.h"

#include <QImageWriter>
#include <QJsonDocument>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// Qt maps a PNG quality of 80 to 89 to zlib's level 1: the fastest that
// still compresses. A board's flat colours and text shrink well even so.
constexpr int FastPngQuality = 85;

// Replaces `path` whole with what `write` puts in it; empty when it did,
// else why not.
template <typename Write> QString replaceFile(const QString& path, Write write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return u"%1: %2"_s.arg(path, file.errorString());
    if (const QString problem = write(file); !problem.isEmpty()) {
        file.cancelWriting();
        return u"%1: %2"_s.arg(path, problem);
    }
    if (!file.commit())
        return u"%1: %2"_s.arg(path, file.errorString());
    return {};
}

QString writePair(const QString& folder, const QString& framePath, const QImage& frame,
                  const QString& statePath, const QJsonObject& state) {
    // Made again if an administrator cleared it.
    if (QString problem = makeBoardRuntimeFolder(folder); !problem.isEmpty())
        return problem;
    QString problem = replaceFile(framePath, [&frame](QSaveFile& file) {
        QImageWriter writer(&file, "png");
        writer.setQuality(FastPngQuality);
        return writer.write(frame) ? QString() : writer.errorString();
    });
    if (!problem.isEmpty())
        return problem;
    return replaceFile(statePath, [&state](QSaveFile& file) {
        const QByteArray json = QJsonDocument(state).toJson(QJsonDocument::Indented);
        return file.write(json) == json.size() ? QString() : file.errorString();
    });
}

} // namespace

BoardStateFiles::BoardStateFiles(QString folder, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)), m_writer(std::make_unique<QObject>()) {
    m_thread.setObjectName(u"assi-state-files"_s);
    m_writer->moveToThread(&m_thread);
    m_thread.start(QThread::LowPriority);
}

BoardStateFiles::~BoardStateFiles() {
    m_thread.quit();
    m_thread.wait();
}

QString BoardStateFiles::statePath() const {
    return m_folder + u'/' + StateFileName;
}

QString BoardStateFiles::framePath() const {
    return m_folder + u'/' + FrameFileName;
}

void BoardStateFiles::write(QImage frame, QJsonObject state) {
    Pair pair{std::move(frame), std::move(state)};
    if (m_writing) {
        if (m_waiting)
            ++m_dropped;
        m_waiting = std::move(pair);
        return;
    }
    startWriting(std::move(pair));
}

void BoardStateFiles::startWriting(Pair pair) {
    m_writing = true;
    QMetaObject::invokeMethod(
        m_writer.get(),
        [this, pair = std::move(pair), folder = m_folder, framePath = framePath(),
         statePath = statePath()] {
            const QString problem = writePair(folder, framePath, pair.frame, statePath, pair.state);
            QMetaObject::invokeMethod(
                this, [this, problem] { finishWriting(problem); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void BoardStateFiles::finishWriting(const QString& problem) {
    m_writing = false;
    if (problem.isEmpty()) {
        m_failing = false;
    } else if (!std::exchange(m_failing, true)) {
        qCWarning(lcApp).noquote()
            << u"Não foi possível guardar o estado do quadro em %1."_s.arg(problem);
    }
    if (m_waiting) {
        Pair next = std::move(*m_waiting);
        m_waiting.reset();
        startWriting(std::move(next));
    }
    Q_EMIT written(problem.isEmpty());
}

} // namespace assi
