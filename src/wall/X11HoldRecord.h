#pragma once

#include "wall/X11ScreenSettings.h"

#include <optional>
#include <string>
#include <sys/types.h>

namespace assi {

/// Word, in the user's runtime folder, of what a board holding an X
/// display's screen saver and DPMS off found there, for as long as it holds:
/// a board started after one that died holding, before that one's guardian
/// has put things back, reads "off" on the server and takes this instead.
/// Open, the record is locked: boards and guardians on the same display take
/// turns, so a guardian never puts back over a hold that has begun since.
class X11HoldRecord {
public:
    struct Entry {
        pid_t holder = 0;
        X11ScreenSettings::Originals originals;
        bool operator==(const Entry&) const = default;
    };

    /// DISPLAY's record in XDG_RUNTIME_DIR/assi; not open without either.
    static X11HoldRecord forDisplay();
    /// The record at `path`, created if needed; waits for its lock.
    explicit X11HoldRecord(const std::string& path);
    X11HoldRecord(X11HoldRecord&& other) noexcept;
    X11HoldRecord& operator=(X11HoldRecord&& other) noexcept;
    ~X11HoldRecord();

    bool isOpen() const { return m_fd >= 0; }
    /// None when nobody holds, or what is there does not read as a record.
    std::optional<Entry> read() const;
    void write(const Entry& entry);
    /// Nobody holds: the record goes, and it is closed.
    void clear();
    void close();

private:
    X11HoldRecord() = default;

    std::string m_path;
    int m_fd = -1;
};

} // namespace assi
