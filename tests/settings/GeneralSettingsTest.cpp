#include "settings/GeneralSettings.h"

#include "common/ScopedLocale.h"
#include "common/TempDir.h"
#include "settings/SettingsLookup.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

// Each problem as "field: message", the file's path written F.
QStringList problemsOf(const GeneralSettings& general, const QString& file) {
    QStringList problems;
    for (const SettingProblem& problem : general.problems)
        problems << QString::number(problem.field) + u": "_s +
                        QString(problem.message).replace(QDir::toNativeSeparators(file), u"F"_s);
    return problems;
}

// What a reading of [Geral] gives, as one line a failure shows whole.
QString described(const GeneralSettings& general, const QString& file) {
    QStringList parts;
    parts << (general.refreshMinutes ? QString::number(*general.refreshMinutes) : u"-"_s);
    parts << QString::number(general.secondsPerPage);
    parts << general.hours.describe();
    if (!general.scale)
        parts << u"-"_s;
    else
        parts << (general.scale->automatic ? u"auto"_s : QString::number(general.scale->percent));
    parts << problemsOf(general, file);
    return parts.join(u" | "_s);
}

} // namespace

// Minutes | seconds per page | hours | scale | each problem as "field: message" (F the file).
TEST(GeneralSettings, ReadsEveryKeyAndFallsBackOnWhatDoesNotRead) {
    struct Case {
        QByteArray lines;
        QString expected;
    };
    const Case cases[] = {
        {"QuantosMinutos=5\n", u"5 | 0 | sempre aberto | -"_s},
        {"QuantosMinutos=5\nSegundosPorPagina=15\nHoraAbertura=8:00\nHoraFecho=19:30\n"
         "DiasAbertura=seg-sex\nEscala=AUTO\n",
         u"5 | 15 | das 08:00 às 19:30 (seg,ter,qua,qui,sex) | auto"_s},
        {"QuantosMinutos=5\nSegundosPorPagina=\nEscala=150%\n", u"5 | 0 | sempre aberto | 150"_s},
        {"QuantosMinutos=5\nSegundosPorPagina=0\nDiasAbertura=sáb,dom\n",
         u"5 | 0 | das 00:00 às 24:00 (sáb,dom) | -"_s},
        {"QuantosMinutos=5\nSegundosPorPagina=-5\n",
         u"5 | 0 | sempre aberto | - | -4: Definição inválida em [Geral] SegundosPorPagina: \"-5\" "
         u"está fora do intervalo (de 0 a 86400 segundos) (F)"_s},
        {"QuantosMinutos=5\nSegundosPorPagina=86401\n",
         u"5 | 0 | sempre aberto | - | -4: Definição inválida em [Geral] SegundosPorPagina: "
         u"\"86401\" está fora do intervalo (de 0 a 86400 segundos) (F)"_s},
        {"QuantosMinutos=5\nSegundosPorPagina=dez\n",
         u"5 | 0 | sempre aberto | - | -4: Definição inválida em [Geral] SegundosPorPagina: "
         u"\"dez\" não é um número (F)"_s},
        // The hours stand or fall together, and the key that failed is named.
        {"QuantosMinutos=5\nHoraAbertura=8:00\nHoraFecho=25:00\nDiasAbertura=seg-sex\n",
         u"5 | 0 | sempre aberto | - | -6: Definição inválida em [Geral] HoraFecho: \"25:00\" "
         u"não é uma hora HH:MM (F)"_s},
        {"QuantosMinutos=5\nHoraAbertura=8:00\nDiasAbertura=segunda\n",
         u"5 | 0 | sempre aberto | - | -7: Definição inválida em [Geral] DiasAbertura: "
         u"\"segunda\" não é uma lista de dias como seg-sex ou seg,qua,sex (F)"_s},
        {"QuantosMinutos=5\nEscala=grande\n",
         u"5 | 0 | sempre aberto | 100 | -8: Definição inválida em [Geral] Escala: \"grande\" não "
         u"é uma percentagem (100, 150, 200...) nem auto (F)"_s},
        // Every problem at once, in the order the footer lists them.
        {"QuantosMinutos=muitos\nSegundosPorPagina=dez\nHoraAbertura=oito\nEscala=9%\n"
         "PolegadasEcra=grande\nDistanciaLeitura=longe\n",
         u"- | 0 | sempre aberto | 100"
         u" | -4: Definição inválida em [Geral] SegundosPorPagina: \"dez\" não é um número (F)"
         u" | -5: Definição inválida em [Geral] HoraAbertura: \"oito\" não é uma hora HH:MM (F)"
         u" | -8: Definição inválida em [Geral] Escala: \"9%\" está fora do intervalo (de 25 a "
         u"400) (F)"
         u" | -9: Definição inválida em [Geral] DistanciaLeitura: \"longe\" não é um número (F)"
         u" | -10: Definição inválida em [Geral] PolegadasEcra: \"grande\" não é um número (F)"
         u" | -2: Definição inválida em [Geral] QuantosMinutos: \"muitos\" não é um número (F)"_s},
        {"", u"- | 0 | sempre aberto | - | -2: Definição inválida em [Geral] QuantosMinutos: "
             u"falta a chave QuantosMinutos (F)"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.toStdString());
        test::TempDir dir;
        const QString path = dir.write(u"OTK.zlv"_s, "[Geral]\n" + c.lines);
        const GeneralSettings general = GeneralSettings::read(SettingsLookup(path));
        EXPECT_EQ(described(general, path).toStdString(), c.expected.toStdString());
    }
}

// Metres | inches | each problem, under a Portuguese machine's regional format.
TEST(GeneralSettings, ReadsTheReadingDistanceAndTheScreensSizeAsOptionalDecimals) {
    test::ScopedLocale portuguese("pt_PT.UTF-8");
    if (!portuguese.ok())
        GTEST_SKIP() << "pt_PT.UTF-8 is not installed";
    const auto shown = [](std::optional<double> value) {
        return value ? QString::number(*value) : u"-"_s;
    };
    const std::pair<QByteArray, QString> cases[] = {
        {"DistanciaLeitura= \nPolegadasEcra=\n", u"- | -"_s},
        {"DistanciaLeitura=2,5\nPolegadasEcra=42,5\n", u"2.5 | 42.5"_s},
        {"DistanciaLeitura=50\nPolegadasEcra=5\n", u"50 | 5"_s},
        {"DistanciaLeitura=2.5\n", u"- | - | -9: Definição inválida em [Geral] DistanciaLeitura: "
                                   u"\"2.5\" não é um número (F)"_s},
        {"PolegadasEcra=4,9\nDistanciaLeitura=0\n",
         u"- | - | -9: Definição inválida em [Geral] DistanciaLeitura: \"0\" está fora do "
         u"intervalo (maior que 0 e até 50 metros) (F) | -10: Definição inválida em [Geral] "
         u"PolegadasEcra: \"4,9\" está fora do intervalo (de 5 a 500 polegadas) (F)"_s},
    };
    for (const auto& [lines, expected] : cases) {
        SCOPED_TRACE(lines.toStdString());
        test::TempDir dir;
        const QString path = dir.write(u"OTK.zlv"_s, "[Geral]\nQuantosMinutos=5\n" + lines);
        const GeneralSettings general = GeneralSettings::read(SettingsLookup(path));
        const QStringList parts =
            QStringList{shown(general.readingDistanceMetres), shown(general.screenInches)} +
            problemsOf(general, path);
        EXPECT_EQ(parts.join(u" | "_s).toStdString(), expected.toStdString());
    }
}
