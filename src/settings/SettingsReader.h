#pragma once

#include <QString>
#include <optional>

namespace assi {

/// One reading of the board's INI settings file: read() takes the file in
/// once, and every readValue() after it answers from that reading, so all the
/// values of one refresh come from the same contents and a refresh opens the
/// file once. The INI rules and encodings are those of IniText.
///
/// Only a regular file of at most LargestFileBytes is read: a pipe, a device
/// or a runaway file in its place would otherwise hang or swamp the board.
class SettingsReader {
public:
    /// A hundred times any real settings file.
    static constexpr qint64 LargestFileBytes = 1024 * 1024;

    /// Reads the file at `path`, replacing any earlier reading.
    void read(const QString& path);

    const QString& filePath() const { return m_filePath; }

    /// True when the file was there and was read.
    bool fileExists() const { return m_exists; }

    /// The whole text read, decoded; empty when nothing was read. Two readings
    /// with the same path and text set the board up the same way.
    const QString& text() const { return m_text; }

    /// Why a file that is there was not read (not a regular file, too large,
    /// no permission), in Portuguese, naming the file; empty when it was read
    /// or is simply missing.
    const QString& problem() const { return m_problem; }

    /// The text stored under `key` of `section`, or the empty text when the
    /// file, the section or the key is missing (or the file was not read).
    /// An empty key asks for nothing and gets the empty text.
    QString readValue(const QString& section, const QString& key) const;
    /// The text stored under `key` of `section`; none when the file, the
    /// section or the key is missing, so that a key left out can be told
    /// from one left empty.
    std::optional<QString> lookUpValue(const QString& section, const QString& key) const;

private:
    QString m_filePath;
    QString m_text;
    QString m_problem;
    bool m_exists = false;
};

} // namespace assi
