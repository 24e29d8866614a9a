#include "settings/SettingsLookup.h"

#include "common/ErrorOf.h"
#include "common/ScopedLocale.h"
#include "common/TempDir.h"

#include <QDir>
#include <QMap>
#include <QSet>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

// Every key of every section holds "<section>/<key>", so a lookup shows where it read.
QByteArray everyKeyFile() {
    QString text;
    for (const char16_t* section : {u"GrelhaPedidos", u"GrelhaAssistencias", u"Geral"}) {
        text += u"["_s + QString::fromUtf16(section) + u"]\r\n"_s;
        text += u"=sem chave\r\n"_s;
        for (const auto& [field, key] : settingsKeys())
            text += QString::fromUtf16(key) + u"="_s + QString::fromUtf16(section) + u"/"_s +
                    QString::fromUtf16(key) + u"\r\n"_s;
    }
    return text.toUtf8();
}

using test::errorOf;

} // namespace

TEST(SettingsLookup, EveryFieldNumberHasAKeyOfItsOwn) {
    QMap<int, QString> keyOfField;
    QSet<QString> keys;
    for (const auto& [field, key] : settingsKeys()) {
        const QString name = QString::fromUtf16(key);
        EXPECT_FALSE(keyOfField.contains(field)) << "field " << field << " has two keys";
        EXPECT_FALSE(keys.contains(name.toLower())) << "two fields read " << name.toStdString();
        keyOfField.insert(field, name);
        keys.insert(name.toLower());
    }
    for (int field = firstSettingsField; field <= lastSettingsField; ++field) {
        if (field == 0)
            continue;
        EXPECT_FALSE(keyOfField.value(field).isEmpty()) << "field " << field << " has no key";
    }
    EXPECT_FALSE(keyOfField.contains(0)) << "zero is no field";
    EXPECT_EQ(keyOfField.firstKey(), firstSettingsField);
    EXPECT_EQ(keyOfField.lastKey(), lastSettingsField);
}

TEST(SettingsLookup, MapsGridAndFieldNumbersToSectionAndKey) {
    test::TempDir dir;
    const SettingsLookup settings(dir.write(u"OTK.zlv"_s, everyKeyFile()));
    const std::pair<int, QString> grids[] = {
        {1, u"GrelhaPedidos"_s}, {2, u"GrelhaAssistencias"_s},
        {3, u"Geral"_s},         {0, u"Geral"_s},
        {-1, u"Geral"_s},        {99, u"Geral"_s},
    };
    for (const auto& [grid, section] : grids) {
        for (int field = firstSettingsField; field <= lastSettingsField; ++field) {
            if (field == 0)
                continue;
            EXPECT_EQ(settings.Ler_INI(grid, field), section + u"/"_s + settingsKeyOf(field))
                << "Ler_INI(" << grid << ", " << field << ")";
        }
        // Field numbers without a key ask for the empty key, which finds nothing.
        for (const int field : {0, firstSettingsField - 1, lastSettingsField + 1, 1000})
            EXPECT_EQ(settings.Ler_INI(grid, field), QString()) << grid << ", " << field;
    }
}

TEST(SettingsLookup, ReturnsTheStoredTextUnconverted) {
    test::TempDir dir;
    const QString path = dir.write(u"OTK.zlv"_s, "[Geral]\nQuantosMinutos=  0005,50 minutos\n");
    const SettingsLookup settings(path);
    EXPECT_EQ(settings.Ler_INI(GeneralSection, QuantosMinutos), u"0005,50 minutos"_s);
}

TEST(SettingsLookup, ConvertsSettingsUnderTheRegionalFormat) {
    test::TempDir dir;
    const SettingsLookup settings(dir.write(u"OTK.zlv"_s, "[GrelhaPedidos]\n"
                                                          "Cabecalho_BackColor=&HFF\n"
                                                          "Cabecalho_ForeColor=texto\n"
                                                          "Group_BackColor=&H80000005\n"
                                                          "AlturaLinhas=300,5\n"
                                                          "FonteSize=10,5\n"
                                                          "[Geral]\n"
                                                          "QuantosMinutos=2,5\n"));
    test::ScopedLocale portuguese("pt_PT.UTF-8");
    if (!portuguese.ok())
        GTEST_SKIP() << "pt_PT.UTF-8 is not installed";
    EXPECT_EQ(settings.readLeadingWholeNumber(RequestGridsSection, Cabecalho_BackColor), 255);
    EXPECT_EQ(settings.readLeadingWholeNumber(RequestGridsSection, Cabecalho_ForeColor), 0);
    EXPECT_EQ(settings.readStrictWholeNumber(RequestGridsSection, Group_BackColor), -2147483643);
    EXPECT_EQ(settings.readFontPointSize(RequestGridsSection, FonteSize), 10.5);
    EXPECT_EQ(settings.readWholeNumber16(GeneralSection, QuantosMinutos), 2);
    EXPECT_EQ(settings.readConverted(RequestGridsSection, AlturaLinhas,
                                     [](QStringView text) { return parseStrictDecimal(text); }),
              300.5f);
}

TEST(SettingsLookup, FailedConversionNamesFileSectionKeyAndText) {
    test::TempDir dir;
    const QString path = dir.write(u"OTK.zlv"_s, "[GrelhaPedidos]\n"
                                                 "Group_BackColor=\n"
                                                 "FonteSize=0\n"
                                                 "AlturaLinhas=alta\n"
                                                 "Titulo=" +
                                                     QByteArray(200, 'x') +
                                                     "\n"
                                                     "Grid_Coluna1=12\0003\n"
                                                     "[Geral]\n"
                                                     "QuantosMinutos=70000\n"
                                                     "[GrelhaAssistencias]\n"
                                                     "AlturaLinhas=&H100000000\n"_ba);
    const SettingsLookup settings(path);
    const QString file = QDir::toNativeSeparators(path);
    test::ScopedLocale english("en_US.UTF-8");
    if (!english.ok())
        GTEST_SKIP() << "en_US.UTF-8 is not installed";

    const std::pair<std::function<void()>, QString> cases[] = {
        {[&] { settings.readStrictWholeNumber(RequestGridsSection, Group_BackColor); },
         u"Definição inválida em [GrelhaPedidos] Group_BackColor: \"\" não é um número (%1)"_s},
        {[&] {
             settings.readConverted(RequestGridsSection, AlturaLinhas,
                                    [](QStringView text) { return parseStrictDecimal(text); });
         },
         u"Definição inválida em [GrelhaPedidos] AlturaLinhas: \"alta\" não é um número (%1)"_s},
        {[&] { settings.readWholeNumber16(GeneralSection, QuantosMinutos); },
         u"Definição inválida em [Geral] QuantosMinutos: \"70000\" está fora do intervalo "
         u"(de -32768 a 32767) (%1)"_s},
        {[&] { settings.readFontPointSize(RequestGridsSection, FonteSize); },
         u"Definição inválida em [GrelhaPedidos] FonteSize: \"0\" está fora do intervalo "
         u"(maior que 0 e até 2048) (%1)"_s},
        {[&] { settings.readStrictWholeNumber(RequestGridsSection, Titulo); },
         u"Definição inválida em [GrelhaPedidos] Titulo: \""_s + QString(80, u'x') +
             u"…\" não é um número (%1)"_s},
        // A NUL would end the message wherever it is printed as a C string.
        {[&] { settings.readStrictWholeNumber(RequestGridsSection, Grid_Coluna1); },
         u"Definição inválida em [GrelhaPedidos] Grid_Coluna1: \"12\\03\" não é um número (%1)"_s},
        {[&] { settings.readWholeNumber16(WeekBoardSection, AlturaLinhas); },
         u"Definição inválida em [GrelhaAssistencias] AlturaLinhas: \"&H100000000\" está fora do "
         u"intervalo (de -32768 a 32767) (%1)"_s},
    };
    for (const auto& [call, expected] : cases)
        EXPECT_EQ(errorOf(call), expected.arg(file));
}

TEST(SettingsLookup, MissingSettingsFileIsNamedFirst) {
    test::TempDir dir;
    const QString path = dir.filePath(u"zelvio/OTK.zlv"_s);
    const SettingsLookup settings(path);
    EXPECT_EQ(errorOf([&] { settings.readWholeNumber16(GeneralSection, QuantosMinutos); }),
              u"O ficheiro de definições %1 não existe ou não pode ser lido. Definição inválida "
              u"em [Geral] QuantosMinutos: falta a chave QuantosMinutos"_s.arg(
                  QDir::toNativeSeparators(path)));

    // A file that is there but refused is named with the reason.
    const QString folder = dir.mkdir(u"pasta/OTK.zlv"_s);
    const SettingsLookup refused(folder);
    const QString refusal = refused.problem();
    EXPECT_EQ(refusal, u"O ficheiro de definições %1 é uma pasta."_s.arg(folder));
    EXPECT_TRUE(errorOf([&] {
                    refused.readWholeNumber16(GeneralSection, QuantosMinutos);
                }).startsWith(refusal));
    EXPECT_EQ(settings.problem(), QString());
}

// A key left out is not a value left empty: the message sends a person to add
// the key, not to look for a value that is not there. The same for every way
// a setting is read and converted, whatever the key's section.
TEST(SettingsLookup, AMissingKeySaysSo) {
    test::TempDir dir;
    const QString path = dir.write(u"OTK.zlv"_s, "[Geral]\n"
                                                 "QuantosMinutos=\n"
                                                 "[GrelhaPedidos]\n"
                                                 "Titulo=Pedidos\n"_ba);
    const SettingsLookup settings(path);
    const QString file = QDir::toNativeSeparators(path);
    const std::pair<std::function<void()>, QString> cases[] = {
        {[&] { settings.readWholeNumber16(GeneralSection, QuantosMinutos); },
         u"Definição inválida em [Geral] QuantosMinutos: \"\" não é um número (%1)"_s},
        {[&] { settings.readWholeNumber16(GeneralSection, SegundosPorPagina); },
         u"Definição inválida em [Geral] SegundosPorPagina: falta a chave SegundosPorPagina "
         u"(%1)"_s},
        {[&] { settings.readStrictWholeNumber(RequestGridsSection, Group_BackColor); },
         u"Definição inválida em [GrelhaPedidos] Group_BackColor: falta a chave Group_BackColor "
         u"(%1)"_s},
        {[&] { settings.readFontPointSize(WeekBoardSection, FonteSize); },
         u"Definição inválida em [GrelhaAssistencias] FonteSize: falta a chave FonteSize (%1)"_s},
        {[&] {
             settings.readConverted(RequestGridsSection, Grid_Coluna1,
                                    [](QStringView text) { return parseStrictDecimal(text); });
         },
         u"Definição inválida em [GrelhaPedidos] Grid_Coluna1: falta a chave Grid_Coluna1 (%1)"_s},
    };
    for (const auto& [call, expected] : cases)
        EXPECT_EQ(errorOf(call), expected.arg(file));
    // A missing key that converts all the same is no error.
    EXPECT_EQ(settings.readLeadingWholeNumber(RequestGridsSection, Cabecalho_BackColor), 0);
    EXPECT_EQ(settingsPlace(WeekBoardSection, Cabecalho_FonteSize),
              u"[GrelhaAssistencias] Cabecalho_FonteSize"_s);
}
