#include "app/ShownBoardLine.h"

#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

// With several grids turning pages, the line names the longest round's.
TEST(ShownBoardLine, ThePageSaidIsTheLongestRounds) {
    struct Case {
        const char* name;
        QList<ShownPage> pages;
        QString said;
    };
    const Case cases[] = {
        {"no grid shows data", {}, {}},
        {"every grid fits on one page", {{1, 1}, {1, 1}, {1, 1}}, {}},
        {"one grid turns pages", {{1, 1}, {1, 1}, {2, 4}}, u"página 2/4"_s},
        {"the request grids and the week", {{1, 2}, {2, 2}, {3, 5}}, u"página 3/5"_s},
        {"a tie goes to the first", {{2, 3}, {1, 3}, {1, 1}}, u"página 2/3"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pageWords(c.pages), c.said);
    }
}
