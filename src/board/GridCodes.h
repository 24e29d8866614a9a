#pragma once

namespace assi {

// The grid's numeric codes for column data types and text alignments, as the
// settings file and the dump know them.
constexpr int TextDataType = 8;
constexpr int CentredAlignment = 5;

} // namespace assi
