#pragma once

#include <QString>

namespace assi {

/// Reads single values from the board's INI settings file. Nothing is kept
/// between lookups: every readValue() reads the file afresh, so a changed file
/// takes effect at the next lookup. The INI rules and encodings are those of
/// IniText.
class SettingsReader {
public:
    void setFilePath(const QString& path);

    /// True when the file is there and can be read.
    bool fileExists() const;

    /// The text stored under `key` of `section`, or the empty text when the
    /// file, the section or the key is missing (or the file cannot be read).
    /// An empty key asks for nothing and gets the empty text.
    QString readValue(const QString& section, const QString& key) const;

private:
    QString m_filePath;
};

} // namespace assi
