#include "data/BoardLoader.h"

#include "common/TempDir.h"
#include "data/DemoDatabase.h"
#include "data/DemoSite.h"

#include <QFile>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

const QDate today(2026, 12, 7);

// A per-site folder whose settings name servico.sqlite, read through a
// loader that stays open between refreshes as the board's does.
struct Site {
    test::TempDir dir;
    QString settings = dir.filePath(u"base/zelvio/OTK.zlv"_s);
    QString database = dir.filePath(u"base/zelvio/servico.sqlite"_s);
    std::unique_ptr<BoardLoader> loader;

    Site() {
        dir.mkdir(u"base/zelvio"_s);
        dir.mkdir(u"programa"_s);
        writeDemoSettings(settings, u"servico.sqlite"_s);
        loader =
            std::make_unique<BoardLoader>(dir.filePath(u"base"_s), dir.filePath(u"programa"_s));
    }

    // Writes a database holding `requests` pending requests to `file`.
    void writeDatabase(const QString& file, int requests) const {
        DemoDatabase db(file);
        db.addDepartment(1, u"Oficina"_s);
        db.addClient(1, u"Farmácia Conceição"_s);
        for (int numero = 1; numero <= requests; ++numero)
            db.addRequest({2026, numero, 1, 0, 1, 1, QDateTime(today.addDays(-1), QTime(9, 0)),
                           u"pedido %1"_s.arg(numero)});
    }

    // The pending requests the next refresh shows, or its error.
    QString nextLoad() const {
        const BoardData data = loader->load(today);
        if (data.requestsError)
            return *data.requestsError;
        return u"%1 pedidos"_s.arg(data.first.recordCount() + data.second.recordCount());
    }
};

bool renameOver(const QString& from, const QString& to) {
    // What a restore or a sync tool does: QFile::rename never replaces a file.
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

struct ReplacementCase {
    const char* name;
    bool throughSymlink;               // the settings name a link to the database
    void (*replace)(const Site& site); // done between two refreshes
    QString expected;                  // what the second refresh shows
};

const ReplacementCase replacementCases[] = {
    {"RenamedOver", false,
     [](const Site& site) {
         site.writeDatabase(site.database + u".tmp"_s, 2);
         ASSERT_TRUE(renameOver(site.database + u".tmp"_s, site.database));
     },
     u"2 pedidos"_s},
    {"Removed", false, [](const Site& site) { ASSERT_TRUE(QFile::remove(site.database)); },
     u"o ficheiro %1 não existe"_s},
    {"SymlinkRetargeted", true,
     [](const Site& site) {
         site.writeDatabase(site.dir.filePath(u"nova.sqlite"_s), 2);
         ASSERT_TRUE(QFile::link(site.dir.filePath(u"nova.sqlite"_s), site.database + u".tmp"_s));
         ASSERT_TRUE(renameOver(site.database + u".tmp"_s, site.database));
     },
     u"2 pedidos"_s},
};

void PrintTo(const ReplacementCase& c, std::ostream* os) {
    *os << c.name;
}

class DatabaseReplaced : public ::testing::TestWithParam<ReplacementCase> {};

TEST_P(DatabaseReplaced, TheNextRefreshNoLongerShowsTheOldFile) {
    const ReplacementCase& c = GetParam();
    Site site;
    if (c.throughSymlink) {
        site.writeDatabase(site.dir.filePath(u"antiga.sqlite"_s), 1);
        ASSERT_TRUE(QFile::link(site.dir.filePath(u"antiga.sqlite"_s), site.database));
    } else {
        site.writeDatabase(site.database, 1);
    }
    ASSERT_EQ(site.nextLoad(), u"1 pedidos"_s);

    c.replace(site);
    const QString shown = site.nextLoad();
    const QString expected =
        c.expected.contains(u"%1"_s) ? c.expected.arg(site.database) : c.expected;
    EXPECT_TRUE(shown.contains(expected)) << shown.toStdString();
}

INSTANTIATE_TEST_SUITE_P(BoardLoader, DatabaseReplaced, ::testing::ValuesIn(replacementCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
