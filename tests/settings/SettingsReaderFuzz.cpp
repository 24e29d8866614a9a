// libFuzzer entry point for the INI reading (clang builds only; see
// CMakeLists.txt). The first line of the input names the section and the key to
// look up, "section=key", so the fuzzer can steer the lookup; the rest is the
// file's bytes.

#include "settings/IniText.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype firstLineEnd = input.indexOf('\n');
    const QByteArray query = firstLineEnd < 0 ? QByteArray() : input.first(firstLineEnd);
    const qsizetype equals = query.indexOf('=');
    const QString section = QString::fromUtf8(equals < 0 ? query : query.first(equals));
    const QString key = QString::fromUtf8(equals < 0 ? QByteArray() : query.sliced(equals + 1));

    const QString text = assi::IniText::decode(input.sliced(firstLineEnd + 1));
    for (const QString& k : {key, QStringLiteral("Titulo")}) {
        const QString value = assi::IniText::findValue(text, section, k);
        if (value.contains(u'\n') || value.size() > text.size())
            std::abort();
    }
    return 0;
}
