// The manual page and the example settings file that the package installs,
// held against what the program itself knows: its options, the settings keys
// it reads and the values it accepts.
#include "app/CommandLine.h"
#include "board/GridLook.h"
#include "board/SettingsLengths.h"
#include "common/ScopedLocale.h"
#include "common/TempDir.h"
#include "database/ConnectionProfile.h"
#include "settings/GeneralSettings.h"
#include "settings/SettingsLookup.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using assi::SettingsField;
using assi::SettingsSection;

namespace {

QString packagingFile(const QString& name) {
    return QStringLiteral(ASSI_PACKAGING_DIR) + u'/' + name;
}

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// One documented key: the sections its heading names, and its text.
struct ManualEntry {
    QStringList sections;
    QString key;
    QString text;
    bool unused() const { return text.contains(u"não usada"_s); }
};

// The keys of the manual's DEFINIÇÕES: each ".SS" heading names its sections
// in brackets; each ".TP" then ".B Key" starts a key's entry.
QList<ManualEntry> manualEntries(const QString& manual) {
    static const QRegularExpression sectionName(u"\\[(\\w+)\\]"_s);
    QList<ManualEntry> entries;
    QStringList sections;
    bool inSettings = false;
    const QStringList lines = manual.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.startsWith(u".SH"_s)) {
            inSettings = line.contains(u"DEFINIÇÕES"_s);
            sections.clear();
        } else if (inSettings && line.startsWith(u".SS"_s)) {
            sections.clear();
            for (const auto& match : sectionName.globalMatch(line))
                sections << match.captured(1);
        } else if (inSettings && !sections.isEmpty() && line == u".TP"_s && i + 1 < lines.size() &&
                   lines[i + 1].startsWith(u".B "_s)) {
            entries.append({sections, lines[i + 1].mid(3).trimmed(), {}});
        } else if (!entries.isEmpty() && inSettings) {
            entries.last().text += line + u'\n';
        }
    }
    return entries;
}

QMap<QString, QSet<QString>> documentedKeys() {
    QMap<QString, QSet<QString>> keys;
    for (const ManualEntry& entry : manualEntries(readText(packagingFile(u"assi.1.in"_s))))
        for (const QString& section : entry.sections)
            keys[section].insert(entry.key);
    return keys;
}

TEST(ManualPage, DocumentsEveryOptionOfTheHelp) {
    const QString manual = readText(packagingFile(u"assi.1.in"_s));
    ASSERT_FALSE(manual.isEmpty());
    static const QRegularExpression longOption(u"--([a-z][a-z-]*)"_s);
    int options = 0;
    for (const auto& match : longOption.globalMatch(assi::commandLineHelp())) {
        ++options;
        const QString escaped = u"\\-\\-"_s + match.captured(1).replace(u"-"_s, u"\\-"_s);
        EXPECT_TRUE(manual.contains(escaped)) << match.captured(0).toStdString();
    }
    EXPECT_GT(options, 10);
}

// Which section each range of field numbers is read from.
struct FieldRange {
    SettingsSection section;
    const char16_t* sectionName;
    SettingsField first;
    SettingsField last;
};

const FieldRange FieldRanges[] = {
    {assi::GeneralSection, u"Geral", assi::PolegadasEcra, assi::QuantosDiasAntes},
    {assi::RequestGridsSection, u"GrelhaPedidos", assi::Titulo, assi::Grid_Coluna7},
    // The weekly board's columns are fixed: it reads the look alone.
    {assi::WeekBoardSection, u"GrelhaAssistencias", assi::Titulo, assi::GroupBox_FontSize},
    {assi::RequestGridsSection, u"GrelhaPedidos", assi::DiasAviso, assi::Novo_ForeColor},
    {assi::WeekBoardSection, u"GrelhaAssistencias", assi::SemTecnico, assi::SemTecnico_ForeColor},
};

// A settings file holding exactly the keys the manual documents, each in the
// sections it is documented under: a key the program reads that the manual
// leaves out (or puts in the wrong section) reads back empty.
TEST(ManualPage, DocumentsEverySettingsKeyInItsSection) {
    const QMap<QString, QSet<QString>> documented = documentedKeys();
    QString ini;
    for (auto it = documented.begin(); it != documented.end(); ++it) {
        ini += u"["_s + it.key() + u"]\n"_s;
        for (const QString& key : it.value())
            ini += key + u"=documentada\n"_s;
    }
    assi::test::TempDir dir;
    const assi::SettingsLookup lookup(dir.write(u"OTK.zlv"_s, ini.toUtf8()));

    for (const FieldRange& range : FieldRanges) {
        for (int field = range.first; field <= range.last; ++field) {
            if (field == 0) // between the general fields and the grids'
                continue;
            EXPECT_EQ(lookup.Ler_INI(range.section, field).toStdString(), "documentada")
                << "field " << field << " of ["
                << QString::fromUtf16(range.sectionName).toStdString() << "]";
        }
    }

    using Key = assi::ConnectionProfile::Key;
    for (const Key key :
         {Key::Servidor, Key::BaseDados, Key::Senha, Key::Utilizador, Key::Motor, Key::Driver})
        EXPECT_TRUE(documented.value(assi::ConnectionProfile::section())
                        .contains(assi::ConnectionProfile::keyName(key)))
            << assi::ConnectionProfile::keyName(key).toStdString();
}

// The example names every key the manual says the board uses, in its section.
TEST(ExampleSettings, HoldsEveryKeyTheBoardUses) {
    const QString example = readText(packagingFile(u"OTK.zlv.exemplo"_s));
    ASSERT_FALSE(example.isEmpty());
    QMap<QString, QSet<QString>> inExample;
    QString section;
    for (const QString& line : example.split(u'\n')) {
        if (line.startsWith(u'['))
            section = line.mid(1, line.indexOf(u']') - 1);
        // ";Driver=FreeTDS": a key shown but left off, right after the ';'
        // (prose comments have a blank there).
        else if (const QString entry = line.startsWith(u';') ? line.mid(1) : line;
                 entry.contains(u'=') && !entry.startsWith(u' '))
            inExample[section].insert(entry.left(entry.indexOf(u'=')));
    }
    for (const ManualEntry& entry : manualEntries(readText(packagingFile(u"assi.1.in"_s)))) {
        if (entry.unused())
            continue;
        for (const QString& s : entry.sections)
            EXPECT_TRUE(inExample.value(s).contains(entry.key))
                << "[" << s.toStdString() << "] " << entry.key.toStdString();
    }
}

// The example's values are ones the board accepts, under any regional format.
class ExampleSettingsLoad : public testing::TestWithParam<const char*> {};

TEST_P(ExampleSettingsLoad, EveryValueConverts) {
    const assi::test::ScopedLocale locale(GetParam());
    if (!locale.ok())
        GTEST_SKIP() << GetParam() << " is not installed";
    const QString file = packagingFile(u"OTK.zlv.exemplo"_s);
    const assi::SettingsLookup lookup(file);
    ASSERT_TRUE(lookup.problem().isEmpty()) << lookup.problem().toStdString();

    try {
        EXPECT_GT(lookup.readWholeNumber16(assi::GeneralSection, assi::QuantosMinutos), 0);
        for (const SettingsSection section : {assi::RequestGridsSection, assi::WeekBoardSection}) {
            const assi::GridLook look = assi::readGridLook(lookup, section);
            EXPECT_TRUE(look.problems.isEmpty())
                << (look.problems.isEmpty() ? std::string()
                                            : look.problems[0].message.toStdString());
            EXPECT_FALSE(look.caption.isEmpty());
        }
        EXPECT_GT(lookup.readFontPointSize(assi::RequestGridsSection, assi::Grid_FontSize), 0);
        for (const SettingsField column :
             {assi::Grid_Coluna1, assi::Grid_Coluna2, assi::Grid_Coluna3, assi::Grid_Coluna4})
            EXPECT_GT(assi::readColumnWidth(lookup, assi::RequestGridsSection, column), 0);

        const assi::GeneralSettings general = assi::GeneralSettings::read(lookup);
        EXPECT_TRUE(general.problems.isEmpty()) << general.problems.value(0).message.toStdString();

        assi::ConnectionProfile profile;
        profile.readFile(file);
        EXPECT_FALSE(profile.server().isEmpty());
        EXPECT_FALSE(profile.database().isEmpty());
        EXPECT_FALSE(profile.login().isEmpty());
        EXPECT_EQ(profile.engine(), assi::DatabaseEngine::SqlServer);
    } catch (const assi::BoardError& e) {
        FAIL() << e.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(, ExampleSettingsLoad, testing::Values("C", "pt_PT.UTF-8", "en_US.UTF-8"));

} // namespace
