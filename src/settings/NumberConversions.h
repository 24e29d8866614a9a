#pragma once

#include "settings/ConversionError.h"
#include "settings/RegionalFormat.h"

#include <QStringView>
#include <cstdint>

// The conversions that settings texts go through before they reach a grid or
// the window. Each throws ConversionError; SettingsLookup turns that into a
// complete message naming the file, the section and the key.
//
// Hexadecimal (&H) and octal (&O) texts give the 32-bit pattern they spell, so
// "&HFFFF" is 65535 and "&H80000005" (a system colour) is negative; a pattern
// wider than 32 bits is out of range.
namespace assi {

// Nearest whole number, halves going to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfToEven(double value);

// The longest number at the start of `text`, to the nearest signed 32-bit
// integer (halves to even), never failing on text: blanks, tabs and line feeds
// anywhere are ignored, "." is the only decimal point whatever the regional
// settings, an exponent (E or D: "1d2" is 100) and a leading &H or &O are read
// (the letter right after the '&': "& HF" is no number), and text that starts
// with no number gives 0. Throws OutOfRange only for a value beyond
// 32 bits or a radix pattern over 32 bits.
std::int32_t parseLeadingWholeNumber(QStringView text);

// The whole text (blanks around it allowed) read as a number in the regional
// format, as Windows' runtime reads it: a sign before or after the number,
// with blanks between it and the digits (" - 1234 ", "1234-"), or parentheses
// for a negative ("(5)"); the locale's currency symbol before or after; digits
// with the locale's group separator anywhere in the integer part (under en_US
// "12,5" is 125); the locale's decimal separator; an optional exponent (E).
// Or &H / &O digits. Then taken to the nearest signed 32-bit integer, halves
// to even. Empty or non-numeric text is NotANumber.
std::int32_t parseStrictWholeNumber(QStringView text,
                                    const RegionalFormat& format = RegionalFormat::current());

// As parseStrictWholeNumber(), to a signed 16-bit integer.
std::int16_t parseWholeNumber16(QStringView text,
                                const RegionalFormat& format = RegionalFormat::current());

// The whole text read as in parseStrictWholeNumber(), as a 32-bit float.
float parseStrictDecimal(QStringView text,
                         const RegionalFormat& format = RegionalFormat::current());

// A font size in points: a strict decimal greater than 0 and at most 2048.
double parseFontPointSize(QStringView text,
                          const RegionalFormat& format = RegionalFormat::current());

// The distance the board is read from, in metres: a strict decimal greater
// than 0 and at most 50.
double parseReadingDistance(QStringView text,
                            const RegionalFormat& format = RegionalFormat::current());

// A screen's diagonal in inches: a strict decimal from 5 to 500.
double parseScreenInches(QStringView text,
                         const RegionalFormat& format = RegionalFormat::current());

} // namespace assi
