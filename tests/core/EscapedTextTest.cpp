#include "core/EscapedText.h"

#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

TEST(EscapedText, WritesOutControlsThatWouldCutOrGarbleAMessage) {
    const std::pair<QString, QString> cases[] = {
        {QString::fromUtf16(u"12\u00003", 4), u"12\\03"_s},
        {u"a\rb\x1B[2J\x7F"_s, u"a\\x0Db\\x1B[2J\\x7F"_s},
        {u"linha\n\tseguinte"_s, u"linha\n\tseguinte"_s},
        {u"Conceição €"_s, u"Conceição €"_s},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(escapeControlCharacters(text), expected) << expected.toStdString();
}
