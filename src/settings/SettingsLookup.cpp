#include "SettingsLookup.h"

#include "SettingsReader.h"

#include <QDir>
#include <array>

namespace assi {

using namespace Qt::StringLiterals;

SettingsLookup::SettingsLookup(QString settingsFilePath)
    : m_settingsFilePath(std::move(settingsFilePath)) {}

QString SettingsLookup::Ler_INI(int iGrelha, int iCampo) const {
    SettingsReader reader;
    reader.setFilePath(m_settingsFilePath);
    return reader.readValue(sectionFor(iGrelha), keyFor(iCampo));
}

QString SettingsLookup::sectionFor(int iGrelha) {
    if (iGrelha == 1)
        return u"GrelhaPedidos"_s;
    if (iGrelha == 2)
        return u"GrelhaAssistencias"_s;
    return u"Geral"_s;
}

QString SettingsLookup::keyFor(int iCampo) {
    static const std::array<const char16_t*, 3> beforeZero = {
        u"QuantosDiasDepois", // -3
        u"QuantosMinutos",    // -2
        u"QuantosDiasAntes",  // -1
    };
    static const std::array<const char16_t*, 33> fromOne = {
        u"Titulo",
        u"Fonte",
        u"FonteSize",
        u"AlturaLinhas",
        u"Cabecalho_BackColor",
        u"Cabecalho_ForeColor",
        u"Cabecalho_Fonte",
        u"Cabecalho_FonteSize",
        u"Cabecalho_Altura",
        u"Group_Font",
        u"Group_FontSize",
        u"Group_BackColor",
        u"Group_ForeColor",
        u"Seleccao_backColor",
        u"Seleccao_Forecolor",
        u"Seleccao_Font",
        u"Seleccao_FontSize",
        u"SeleccaoInactiva_backColor",
        u"SeleccaoInactiva_Forecolor",
        u"SeleccaoInactiva_Font",
        u"SeleccaoInactiva_FontSize",
        u"GroupBox_backColor",
        u"GroupBox_Font",
        u"GroupBox_FontSize",
        u"Grid_Font",
        u"Grid_FontSize",
        u"Grid_Coluna1",
        u"Grid_Coluna2",
        u"Grid_Coluna3",
        u"Grid_Coluna4",
        u"Grid_Coluna5",
        u"Grid_Coluna6",
        u"Grid_Coluna7",
    };
    if (iCampo >= -3 && iCampo <= -1)
        return QString::fromUtf16(beforeZero[std::size_t(iCampo + 3)]);
    if (iCampo >= 1 && iCampo <= int(fromOne.size()))
        return QString::fromUtf16(fromOne[std::size_t(iCampo - 1)]);
    return {};
}

std::int32_t SettingsLookup::readLeadingWholeNumber(int iGrelha, int iCampo) const {
    return readConverted(iGrelha, iCampo,
                         [](QStringView text) { return leadingWholeNumber(text); });
}

std::int32_t SettingsLookup::readStrictWholeNumber(int iGrelha, int iCampo) const {
    return readConverted(iGrelha, iCampo, [](QStringView text) { return strictWholeNumber(text); });
}

std::int16_t SettingsLookup::readWholeNumber16(int iGrelha, int iCampo) const {
    return readConverted(iGrelha, iCampo, [](QStringView text) { return wholeNumber16(text); });
}

float SettingsLookup::readStrictDecimal(int iGrelha, int iCampo) const {
    return readConverted(iGrelha, iCampo, [](QStringView text) { return strictDecimal(text); });
}

double SettingsLookup::readFontPointSize(int iGrelha, int iCampo) const {
    return readConverted(iGrelha, iCampo, [](QStringView text) { return fontPointSize(text); });
}

BoardError SettingsLookup::invalidSetting(int iGrelha, int iCampo, const QString& text,
                                          const ConversionError& error) const {
    const QString key = keyFor(iCampo);
    const QString where = u"[%1] %2"_s.arg(
        sectionFor(iGrelha), key.isEmpty() ? u"(campo %1 sem chave)"_s.arg(iCampo) : key);
    const QString problem = u"Definição inválida em %1: %2"_s.arg(where, error.describe(text));
    const QString file = QDir::toNativeSeparators(m_settingsFilePath);

    SettingsReader reader;
    reader.setFilePath(m_settingsFilePath);
    if (!reader.fileExists())
        return BoardError(u"O ficheiro de definições %1 não existe ou não pode ser lido. %2"_s.arg(
            file, problem));
    return BoardError(u"%1 (%2)"_s.arg(problem, file));
}

} // namespace assi
