#pragma once

#include <QString>
#include <QStringView>

namespace assi {

/// `text` with its control characters written out: NUL as "\0", the others
/// (and DEL) as "\xHH", except tab and line feed. For quoting values read
/// from files in messages: a NUL would end the message wherever it is printed
/// as a C string, and other controls garble a terminal or a log.
QString escapeControlCharacters(QStringView text);

} // namespace assi
