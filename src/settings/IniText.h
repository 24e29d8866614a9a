#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

namespace assi {

/// The text of an INI file and the lookup of one value in it, following the
/// rules of Windows' own INI reading, since the sites' files were written for
/// it: lines end at a line feed, a carriage return and line feed, or a lone
/// carriage return; a section header runs from '[' to the first ']' (or to the
/// end of the line when there is none), so "[Cores]antigo]" is the section
/// "Cores"; section and key names match case-insensitively; blanks around
/// names and values are dropped; a value is the whole rest of its line (no
/// inline comments), less one pair of enclosing double or single quotes; lines
/// that start with ';' are comments; only the first section of a given name is
/// searched, and in it the first of duplicate keys wins.
///
/// Where Windows is unsound the reader goes further, on purpose:
/// - a UTF-8 byte order mark is never part of the first section's name;
/// - UTF-16 big-endian files read as well as little-endian ones;
/// - UTF-8 without a byte order mark reads as UTF-8 (Windows would show its
///   accents as two ANSI characters each); only text that is not valid UTF-8
///   is taken as Windows-1252.
class IniText {
public:
    /// Decodes the bytes of an INI file: UTF-16 (little or big endian) with a
    /// BOM, UTF-8 with or without a BOM, and otherwise Windows-1252, the ANSI
    /// code page of Western European Windows.
    static QString decode(const QByteArray& bytes);

    /// The value of `key` in `section` of `text`; none when the section or
    /// the key is not there. An empty key finds nothing.
    static std::optional<QString> lookUpValue(QStringView text, QStringView section,
                                              QStringView key);
    /// lookUpValue(), with the empty text for a value that is not there.
    static QString findValue(QStringView text, QStringView section, QStringView key);
};

} // namespace assi
