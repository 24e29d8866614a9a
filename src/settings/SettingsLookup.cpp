#include "settings/SettingsLookup.h"

#include <QDir>
#include <algorithm>
#include <iterator>

namespace assi {

using namespace Qt::StringLiterals;

namespace {

const SettingsKey Keys[] = {
    {PolegadasEcra, u"PolegadasEcra"},
    {DistanciaLeitura, u"DistanciaLeitura"},
    {Escala, u"Escala"},
    {DiasAbertura, u"DiasAbertura"},
    {HoraFecho, u"HoraFecho"},
    {HoraAbertura, u"HoraAbertura"},
    {SegundosPorPagina, u"SegundosPorPagina"},
    {QuantosDiasDepois, u"QuantosDiasDepois"},
    {QuantosMinutos, u"QuantosMinutos"},
    {QuantosDiasAntes, u"QuantosDiasAntes"},
    {Titulo, u"Titulo"},
    {Fonte, u"Fonte"},
    {FonteSize, u"FonteSize"},
    {AlturaLinhas, u"AlturaLinhas"},
    {Cabecalho_BackColor, u"Cabecalho_BackColor"},
    {Cabecalho_ForeColor, u"Cabecalho_ForeColor"},
    {Cabecalho_Fonte, u"Cabecalho_Fonte"},
    {Cabecalho_FonteSize, u"Cabecalho_FonteSize"},
    {Cabecalho_Altura, u"Cabecalho_Altura"},
    {Group_Font, u"Group_Font"},
    {Group_FontSize, u"Group_FontSize"},
    {Group_BackColor, u"Group_BackColor"},
    {Group_ForeColor, u"Group_ForeColor"},
    {Seleccao_backColor, u"Seleccao_backColor"},
    {Seleccao_Forecolor, u"Seleccao_Forecolor"},
    {Seleccao_Font, u"Seleccao_Font"},
    {Seleccao_FontSize, u"Seleccao_FontSize"},
    {SeleccaoInactiva_backColor, u"SeleccaoInactiva_backColor"},
    {SeleccaoInactiva_Forecolor, u"SeleccaoInactiva_Forecolor"},
    {SeleccaoInactiva_Font, u"SeleccaoInactiva_Font"},
    {SeleccaoInactiva_FontSize, u"SeleccaoInactiva_FontSize"},
    {GroupBox_backColor, u"GroupBox_backColor"},
    {GroupBox_Font, u"GroupBox_Font"},
    {GroupBox_FontSize, u"GroupBox_FontSize"},
    {Grid_Font, u"Grid_Font"},
    {Grid_FontSize, u"Grid_FontSize"},
    {Grid_Coluna1, u"Grid_Coluna1"},
    {Grid_Coluna2, u"Grid_Coluna2"},
    {Grid_Coluna3, u"Grid_Coluna3"},
    {Grid_Coluna4, u"Grid_Coluna4"},
    {Grid_Coluna5, u"Grid_Coluna5"},
    {Grid_Coluna6, u"Grid_Coluna6"},
    {Grid_Coluna7, u"Grid_Coluna7"},
    {DiasAviso, u"DiasAviso"},
    {DiasAtraso, u"DiasAtraso"},
    {MinutosNovo, u"MinutosNovo"},
    {Aviso_BackColor, u"Aviso_BackColor"},
    {Aviso_ForeColor, u"Aviso_ForeColor"},
    {Atraso_BackColor, u"Atraso_BackColor"},
    {Atraso_ForeColor, u"Atraso_ForeColor"},
    {Novo_BackColor, u"Novo_BackColor"},
    {Novo_ForeColor, u"Novo_ForeColor"},
    {SemTecnico, u"SemTecnico"},
    {SemTecnico_ForeColor, u"SemTecnico_ForeColor"},
};

QString sectionOf(int gridNumber) {
    if (gridNumber == RequestGridsSection)
        return u"GrelhaPedidos"_s;
    if (gridNumber == WeekBoardSection)
        return u"GrelhaAssistencias"_s;
    return u"Geral"_s;
}

} // namespace

std::span<const SettingsKey> settingsKeys() {
    return Keys;
}

QString settingsKeyOf(int fieldNumber) {
    const auto found =
        std::find_if(std::begin(Keys), std::end(Keys),
                     [&](const SettingsKey& entry) { return entry.field == fieldNumber; });
    return found == std::end(Keys) ? QString() : QString::fromUtf16(found->key);
}

QString settingsPlace(SettingsSection section, SettingsField field) {
    return u"[%1] %2"_s.arg(sectionOf(section), settingsKeyOf(field));
}

SettingsLookup::SettingsLookup(const QString& settingsFilePath) {
    m_reader.read(settingsFilePath);
}

QString SettingsLookup::Ler_INI(int iGrelha, int iCampo) const {
    return m_reader.readValue(sectionOf(iGrelha), settingsKeyOf(iCampo));
}

std::optional<QString> SettingsLookup::lookUpValue(SettingsSection section,
                                                   SettingsField field) const {
    return m_reader.lookUpValue(sectionOf(section), settingsKeyOf(field));
}

std::int32_t SettingsLookup::readLeadingWholeNumber(SettingsSection section,
                                                    SettingsField field) const {
    return readConverted(section, field,
                         [](QStringView text) { return parseLeadingWholeNumber(text); });
}

std::int32_t SettingsLookup::readStrictWholeNumber(SettingsSection section,
                                                   SettingsField field) const {
    return readConverted(section, field,
                         [](QStringView text) { return parseStrictWholeNumber(text); });
}

std::int16_t SettingsLookup::readWholeNumber16(SettingsSection section, SettingsField field) const {
    return readConverted(section, field, [](QStringView text) { return parseWholeNumber16(text); });
}

double SettingsLookup::readFontPointSize(SettingsSection section, SettingsField field) const {
    return readConverted(section, field, [](QStringView text) { return parseFontPointSize(text); });
}

BoardError SettingsLookup::invalidSetting(SettingsSection section, SettingsField field,
                                          const std::optional<QString>& stored,
                                          const ConversionError& error) const {
    // An empty text that does not convert would read «"" não é um número»,
    // which sends a person looking for a value that is not in the file at all.
    const QString why =
        stored ? error.describe(*stored) : u"falta a chave %1"_s.arg(settingsKeyOf(field));
    const QString complaint =
        u"Definição inválida em %1: %2"_s.arg(settingsPlace(section, field), why);
    const QString file = QDir::toNativeSeparators(filePath());
    if (!problem().isEmpty())
        return BoardError(u"%1 %2"_s.arg(problem(), complaint));
    if (!m_reader.fileExists())
        return BoardError(u"O ficheiro de definições %1 não existe ou não pode ser lido. %2"_s.arg(
            file, complaint));
    return BoardError(u"%1 (%2)"_s.arg(complaint, file));
}

} // namespace assi
