#pragma once

namespace assi {

// The grid numbers Ler_INI takes as iGrelha. Each picks the section the
// settings are read from; both request grids, Grelha_1 and Grelha_11, read
// the same one.
enum SettingsSection : int {
    RequestGridsSection = 1, // [GrelhaPedidos]
    WeekBoardSection = 2,    // [GrelhaAssistencias], for Grelha_2
    GeneralSection = 3,      // [Geral], which every other number reads too
};

// The field numbers Ler_INI takes as iCampo, each named after the key it
// reads. The general settings come before zero, the grids' after it.
enum SettingsField : int {
    PolegadasEcra = -10,
    DistanciaLeitura = -9,
    Escala = -8,
    DiasAbertura = -7,
    HoraFecho = -6,
    HoraAbertura = -5,
    SegundosPorPagina = -4,
    QuantosDiasDepois = -3,
    QuantosMinutos = -2,
    QuantosDiasAntes = -1,
    Titulo = 1,
    Fonte,
    FonteSize,
    AlturaLinhas,
    Cabecalho_BackColor,
    Cabecalho_ForeColor,
    Cabecalho_Fonte,
    Cabecalho_FonteSize,
    Cabecalho_Altura,
    Group_Font,
    Group_FontSize,
    Group_BackColor,
    Group_ForeColor,
    Seleccao_backColor,
    Seleccao_Forecolor,
    Seleccao_Font,
    Seleccao_FontSize,
    SeleccaoInactiva_backColor,
    SeleccaoInactiva_Forecolor,
    SeleccaoInactiva_Font,
    SeleccaoInactiva_FontSize,
    GroupBox_backColor,
    GroupBox_Font,
    GroupBox_FontSize,
    Grid_Font,
    Grid_FontSize,
    Grid_Coluna1,
    Grid_Coluna2,
    Grid_Coluna3,
    Grid_Coluna4,
    Grid_Coluna5,
    Grid_Coluna6,
    Grid_Coluna7,
    // What needs attention: requests by age and by arrival, orders without a technician.
    DiasAviso,
    DiasAtraso,
    MinutosNovo,
    Aviso_BackColor,
    Aviso_ForeColor,
    Atraso_BackColor,
    Atraso_ForeColor,
    Novo_BackColor,
    Novo_ForeColor,
    SemTecnico,
    SemTecnico_ForeColor,
};

// The ends of SettingsField, kept with it: every number between them but zero
// is a field with a key.
constexpr int firstSettingsField = PolegadasEcra;
constexpr int lastSettingsField = SemTecnico_ForeColor;

} // namespace assi
