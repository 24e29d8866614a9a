#include "GridsTestSupport.h"

using namespace Qt::StringLiterals;

namespace assi::test {

namespace {

QList<QPair<QString, QString>> gridSection(bool withColumns) {
    QList<QPair<QString, QString>> keys = {
        {u"Titulo"_s, u"Pedidos pendentes"_s},
        {u"Fonte"_s, u"Arial"_s},
        {u"FonteSize"_s, u"12"_s},
        {u"AlturaLinhas"_s, u"330"_s},
        {u"Cabecalho_BackColor"_s, u"&H7A3D0F"_s},
        {u"Cabecalho_ForeColor"_s, u"16777215"_s},
        {u"Cabecalho_Fonte"_s, u"Tahoma"_s},
        {u"Cabecalho_FonteSize"_s, u"14"_s},
        {u"Cabecalho_Altura"_s, u"420"_s},
        {u"Group_Font"_s, u"Verdana"_s},
        {u"Group_FontSize"_s, u"11"_s},
        {u"Group_BackColor"_s, u"15128749"_s},
        {u"Group_ForeColor"_s, u"6697728"_s},
        {u"Seleccao_backColor"_s, u"10079487"_s},
        {u"Seleccao_Forecolor"_s, u"1"_s},
        {u"Seleccao_Font"_s, u"Courier New"_s},
        {u"Seleccao_FontSize"_s, u"13"_s},
        {u"SeleccaoInactiva_backColor"_s, u"14745599"_s},
        {u"SeleccaoInactiva_Forecolor"_s, u"2"_s},
        {u"SeleccaoInactiva_Font"_s, u"Georgia"_s},
        {u"SeleccaoInactiva_FontSize"_s, u"10"_s},
        {u"GroupBox_backColor"_s, u"15790320"_s},
        {u"GroupBox_Font"_s, u"Times New Roman"_s},
        {u"GroupBox_FontSize"_s, u"9"_s},
    };
    if (withColumns) {
        keys += {{u"Grid_Font"_s, u"Verdana"_s}, {u"Grid_FontSize"_s, u"12"_s},
                 {u"Grid_Coluna1"_s, u"1500"_s}, {u"Grid_Coluna2"_s, u"4000"_s},
                 {u"Grid_Coluna3"_s, u"1200"_s}, {u"Grid_Coluna4"_s, u"1300"_s}};
    }
    return keys;
}

QString flag(bool on) {
    return on ? u"sim"_s : u"não"_s;
}

QString fontText(const GridFont& font) {
    return u"%1 %2%3"_s.arg(font.name, QString::number(font.size),
                            font.bold ? u" bold"_s : QString());
}

} // namespace

SettingsFile::SettingsFile() {
    m_sections[u"Geral"_s] = {{u"QuantosMinutos"_s, u"5"_s}};
    m_sections[u"GrelhaPedidos"_s] = gridSection(true);
    QList<QPair<QString, QString>> board = gridSection(false);
    board[0].second = u"Ordens da semana"_s;
    m_sections[u"GrelhaAssistencias"_s] = board;
}

SettingsFile& SettingsFile::set(const QString& section, const QString& key, const QString& value) {
    auto& keys = m_sections[section];
    for (auto& entry : keys) {
        if (entry.first == key) {
            entry.second = value;
            return *this;
        }
    }
    keys.append({key, value});
    return *this;
}

SettingsFile& SettingsFile::remove(const QString& section, const QString& key) {
    auto& keys = m_sections[section];
    keys.removeIf([&](const auto& entry) { return entry.first == key; });
    return *this;
}

QString SettingsFile::write() {
    QString text;
    for (auto section = m_sections.cbegin(); section != m_sections.cend(); ++section) {
        text += u"[%1]\n"_s.arg(section.key());
        for (const auto& entry : section.value())
            text += u"%1=%2\n"_s.arg(entry.first, entry.second);
        text += u"\n"_s;
    }
    return m_dir.write(u"OTK.zlv"_s, text.toUtf8());
}

Recordset sampleRequests() {
    return boundRequests({
        {u"Assistência"_s, u"Padaria Estrela"_s, u"2026/15"_s, u"06/12/2026"_s,
         u"Impressora não liga"_s},
        {u"Assistência"_s, u"Hotel Mar Azul"_s, u"2026/16"_s, u"amanhã"_s, QVariant()},
        {u"Informática"_s, u"Escola Básica n.º 2"_s, u"2026/21"_s, u"08/12/2026"_s, u""_s},
        {u"Informática"_s, u"Câmara Municipal"_s, u"2026/22"_s, u"09/12/2026"_s,
         u"<b>Urgente</b> <img src=\"x.png\">"_s},
    });
}

Recordset sampleBoard() {
    return boardRecordset({
        {u"1"_s, {u"Padaria Estrela"_s, {}, u"Hotel Mar Azul"_s, {}, {}}, u"0"_s},
        {u"11"_s, {u"Ana Silva"_s, {}, u"Rui Costa"_s, {}, {}}, u"1"_s},
        {u"2"_s, {u"Escola Básica n.º 2"_s, {}, {}, {}, {}}, u"0"_s},
        {u"21"_s, {u"Rui Costa"_s, {}, {}, {}, {}}, u"1"_s},
    });
}

QStringList columnsSummary(const Grid& grid) {
    QStringList columns;
    for (int i = 0; i < grid.columnCount(); ++i) {
        const GridColumn& c = grid.columnAt(i);
        columns << u"%1|%2|%3|%4|%5|%6|%7|%8"_s.arg(
            c.key(), c.caption(), QString::number(c.width()),
            c.isHidden() ? u"oculta"_s : u"visível"_s, fontText(c.style().font()),
            flag(c.style().wordWrap()), QString::number(qToUnderlying(c.style().textAlignment())),
            c.style().format());
    }
    return columns;
}

QStringList lookSummary(const Grid& grid) {
    QStringList lines = {
        u"título %1"_s.arg(grid.caption()),           u"fundo %1"_s.arg(grid.backColor()),
        u"letra %1"_s.arg(fontText(grid.gridFont())), u"linhas %1"_s.arg(grid.rowHeight()),
        u"cabeçalhos %1"_s.arg(grid.headingHeight()),
    };
    for (const QString& name : {u"Caption"_s, u"Heading"_s, u"GroupHeader"_s, u"Selection"_s,
                                u"InactiveSelection"_s, u"GroupByBox"_s}) {
        const GridStyle& s = grid.style(name);
        lines << u"%1: fundo %2, texto %3, %4, alinhamento %5"_s.arg(
            name, QString::number(s.backColor()), QString::number(s.foreColor()),
            fontText(s.font()), QString::number(qToUnderlying(s.textAlignment())));
    }
    return lines;
}

} // namespace assi::test
