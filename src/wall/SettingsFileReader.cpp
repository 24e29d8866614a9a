#include "wall/SettingsFileReader.h"

#include <QFileInfo>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace assi {

SettingsFileReading SettingsFileReading::readNow(const QString& path) {
    SettingsFileReading reading;
    if (!path.isEmpty())
        reading.folder = FileIdentity::of(QFileInfo(path).absolutePath());
    reading.file = FileIdentity::of(path);
    reading.contents.read(path);
    return reading;
}

// Shared with the thread, which may outlive the reader (and the board) while
// it waits for a share that does not answer.
struct SettingsFileReader::Pending {
    std::mutex mutex;
    std::condition_variable done;
    std::optional<SettingsFileReading> reading;
    bool finished = false;
};

SettingsFileReader::SettingsFileReader(std::chrono::milliseconds deadline) : m_deadline(deadline) {}

SettingsFileReader::~SettingsFileReader() = default;

std::optional<SettingsFileReading> SettingsFileReader::read(Job job) {
    if (isHanging())
        return std::nullopt;
    // Whatever the one that hung found at last is older than a reading now.
    m_hanging.reset();
    auto pending = std::make_shared<Pending>();
    std::thread([pending, job = std::move(job)] {
        SettingsFileReading reading = job();
        const std::lock_guard lock(pending->mutex);
        pending->reading = std::move(reading);
        pending->finished = true;
        pending->done.notify_all();
    }).detach();
    std::unique_lock lock(pending->mutex);
    if (!pending->done.wait_for(lock, m_deadline, [&] { return pending->finished; })) {
        m_hanging = pending;
        return std::nullopt;
    }
    return std::move(pending->reading);
}

bool SettingsFileReader::isHanging() const {
    if (!m_hanging)
        return false;
    const std::lock_guard lock(m_hanging->mutex);
    return !m_hanging->finished;
}

} // namespace assi
