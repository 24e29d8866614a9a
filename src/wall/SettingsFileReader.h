#pragma once

#include "settings/SettingsReader.h"
#include "wall/FileIdentity.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace assi {

/// One reading of the settings file, with the identities of the folder and
/// the file it was read from, so a watch can tell it is still on them.
struct SettingsFileReading {
    SettingsReader contents;
    FileIdentity folder;
    FileIdentity file;

    /// Reads `path` now, on the calling thread.
    static SettingsFileReading readNow(const QString& path);
};

/// Reads the settings file on a thread of its own and waits a deadline for
/// it. A file on a network share that has stopped answering would otherwise
/// hold the window, the watchdog's pings and the answer to a SIGTERM for as
/// long as the share does. A reading that misses the deadline is left to end
/// on its own, and until it has no other is started: a share that hangs for
/// an hour costs one deadline and one thread, not one of each per refresh.
class SettingsFileReader {
public:
    static constexpr std::chrono::milliseconds Deadline{5000};
    /// Finds and reads the file; runs on the reader's thread, so it must own
    /// everything it uses.
    using Job = std::function<SettingsFileReading()>;

    explicit SettingsFileReader(std::chrono::milliseconds deadline = Deadline);
    ~SettingsFileReader();
    SettingsFileReader(const SettingsFileReader&) = delete;
    SettingsFileReader& operator=(const SettingsFileReader&) = delete;

    std::chrono::milliseconds deadline() const { return m_deadline; }
    /// `job`'s reading; none when it has not answered within the deadline, or
    /// when an earlier reading has still not answered (then `job` is not run).
    std::optional<SettingsFileReading> read(Job job);
    /// Whether a reading has missed its deadline and not answered since.
    bool isHanging() const;

private:
    struct Pending;
    std::chrono::milliseconds m_deadline;
    std::shared_ptr<Pending> m_hanging;
};

} // namespace assi
