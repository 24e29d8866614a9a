#include "app/CommandLine.h"

#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

TEST(CommandLine, ReadsOptionsAndRejectsNonsenseInPortuguese) {
    struct Case {
        QStringList args;
        bool ok;
        std::function<bool(const CommandLineOptions&)> check;
    };
    const Case cases[] = {
        {{u"--demo"_s, u"--today"_s, u"2026-12-09"_s},
         true,
         [](const CommandLineOptions& o) { return o.demo && o.today == QDate(2026, 12, 9); }},
        {{u"--size"_s, u"1320x800"_s, u"--dump"_s},
         true,
         [](const CommandLineOptions& o) {
             return o.size == QSize(1320, 800) && o.dump && o.reportsAndExits();
         }},
        {{u"--snapshot"_s, u"a.png"_s},
         true,
         [](const CommandLineOptions& o) {
             return o.snapshotPath == u"a.png"_s && o.reportsAndExits();
         }},
        {{u"--select"_s, u"Grelha_11:0"_s},
         true,
         [](const CommandLineOptions& o) { return o.select == u"Grelha_11:0"_s; }},
        {{u"--base-dir"_s, u"/x"_s, u"--app-dir"_s, u"/y"_s},
         true,
         [](const CommandLineOptions& o) { return o.baseDir == u"/x"_s && o.appDir == u"/y"_s; }},
        {{},
         true,
         [](const CommandLineOptions& o) { return !o.reportsAndExits() && !o.today.isValid(); }},
        {{u"--dump"_s, u"--after"_s, u"11"_s},
         true,
         [](const CommandLineOptions& o) { return o.afterSeconds == 11; }},
        {{u"--snapshot"_s, u"a.png"_s, u"--after"_s, u"0"_s},
         true,
         [](const CommandLineOptions& o) { return o.afterSeconds == 0; }},
        {{u"--dump"_s}, true, [](const CommandLineOptions& o) { return o.afterSeconds == 0; }},
        {{u"--dump"_s, u"--after"_s, u"-1"_s}, false, nullptr},
        {{u"--dump"_s, u"--after"_s, u"dez"_s}, false, nullptr},
        {{u"--dump"_s, u"--after"_s, u"1.5"_s}, false, nullptr},
        {{u"--dump"_s, u"--after"_s, u"86401"_s}, false, nullptr},
        {{u"--after"_s, u"5"_s}, false, nullptr},
        {{u"--today"_s, u"2026-13-01"_s}, false, nullptr},
        {{u"--today"_s, u"07/12/2026"_s}, false, nullptr},
        {{u"--size"_s, u"0x800"_s}, false, nullptr},
        {{u"--size"_s, u"big"_s}, false, nullptr},
        {{u"--select"_s, u"Grelha_3:1"_s}, false, nullptr},
        {{u"--nope"_s}, false, nullptr},
        {{u"stray"_s}, false, nullptr},
    };
    for (const Case& c : cases) {
        QStringList args{u"assi"_s};
        args << c.args;
        const CommandLineResult r = parseCommandLine(args);
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        EXPECT_EQ(r.error.isEmpty(), c.ok) << r.error.toStdString();
        if (c.ok && c.check) {
            EXPECT_TRUE(c.check(r.options));
        }
    }
}

TEST(CommandLine, HelpIsInPortuguese) {
    const QString help = commandLineHelp();
    EXPECT_TRUE(help.contains(u"Utilização:"_s));
    EXPECT_TRUE(help.contains(u"Opções:"_s));
    EXPECT_FALSE(help.contains(u"Displays"_s));
    EXPECT_TRUE(help.contains(u"Utilização: assi [opções]"_s)) << help.toStdString();
}
