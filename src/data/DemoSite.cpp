#include "data/DemoSite.h"

#include "core/BoardError.h"
#include "data/DemoData.h"
#include "data/DemoDatabase.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// Colours are 0x00BBGGRR; the heading colours show both accepted spellings.
QString gridSection(const QString& name, const QString& title, const QString& headingBackColor,
                    const QString& rowHeight, bool withColumns) {
    QString text = u"[%1]\n"_s.arg(name);
    text += u"Titulo=%1\n"_s.arg(title);
    text += u"Fonte=Arial\n"
            "FonteSize=13\n"_s;
    // The weekly board's clients are drawn in 20-point bold: its rows are taller.
    text += u"AlturaLinhas=%1\n"_s.arg(rowHeight);
    text += u"Cabecalho_BackColor=%1\n"_s.arg(headingBackColor);
    text += u"Cabecalho_ForeColor=16777215\n"
            "Cabecalho_Fonte=Tahoma\n"
            "Cabecalho_FonteSize=14\n"
            "Cabecalho_Altura=420\n"
            "Group_Font=Arial\n"
            "Group_FontSize=13\n"
            "Group_BackColor=15128749\n"
            "Group_ForeColor=6697728\n"
            "Seleccao_backColor=10079487\n"
            "Seleccao_Forecolor=0\n"
            "Seleccao_Font=Arial\n"
            "Seleccao_FontSize=13\n"
            "SeleccaoInactiva_backColor=14745599\n"
            "SeleccaoInactiva_Forecolor=0\n"
            "SeleccaoInactiva_Font=Arial\n"
            "SeleccaoInactiva_FontSize=13\n"
            "GroupBox_backColor=15790320\n"
            "GroupBox_Font=Tahoma\n"
            "GroupBox_FontSize=11\n"_s;
    if (withColumns) {
        text += u"Grid_Font=Arial\n"
                "Grid_FontSize=13\n"
                "Grid_Coluna1=1500\n"
                "Grid_Coluna2=5500\n"
                "Grid_Coluna3=1500\n"
                "Grid_Coluna4=2250\n"_s;
    }
    return text;
}

// Moves `from` over `to` in one step: whoever opens `to` finds the old file
// or the new one, never neither.
void replaceFile(const QString& from, const QString& to) {
    std::error_code error;
    std::filesystem::rename(QFile(from).filesystemFileName(), QFile(to).filesystemFileName(),
                            error);
    if (error) {
        throw BoardError(u"Não foi possível pôr a base de dados de demonstração em %1: %2"_s.arg(
            QDir::toNativeSeparators(to), QString::fromLocal8Bit(error.message())));
    }
}

// Built beside its place and moved there only once whole: a disk that fills
// up halfway leaves the earlier demo database as it was, never an empty or
// cut one.
void writeDemoDatabase(const QString& databaseFile, const QDate& today) {
    const QString partial = databaseFile + u".partial"_s;
    try {
        {
            DemoDatabase database(partial, databaseFile);
            fillDemoDatabase(database, today);
        }
        // A journal left by an old crash would be played back onto the new file.
        const QString oldJournal = databaseFile + u"-journal"_s;
        if (QFile::exists(oldJournal) && !QFile::remove(oldJournal)) {
            throw BoardError(
                u"Não foi possível apagar o ficheiro %1, que impede a base de dados "
                u"de demonstração de ser substituída."_s.arg(QDir::toNativeSeparators(oldJournal)));
        }
        replaceFile(partial, databaseFile);
    } catch (...) {
        QFile::remove(partial);
        QFile::remove(partial + u"-journal"_s);
        throw;
    }
}

} // namespace

void writeDemoSettings(const QString& settingsFile, const QString& databaseFileName) {
    QString text = u"; Quadro da assistência técnica: definições da demonstração.\n"
                   "[Geral]\n"
                   "QuantosMinutos=1\n"
                   "SegundosPorPagina=10\n"
                   "\n"
                   "[BaseDados]\n"
                   "Motor=sqlite\n"
                   "Servidor=local\n"
                   "Utilizador=demo\n"
                   "Senha=\n"_s;
    text += u"BaseDados=%1\n\n"_s.arg(databaseFileName);
    text += gridSection(u"GrelhaPedidos"_s, u"Pedidos de assistência pendentes"_s, u"&H7A3D0F"_s,
                        u"360"_s, true);
    // What needs attention: amber from ten days, red from fifteen, green for
    // half an hour after a request comes in.
    text += u"DiasAviso=10\n"
            "DiasAtraso=15\n"
            "MinutosNovo=30\n"
            "Aviso_BackColor=508415\n"
            "Aviso_ForeColor=0\n"
            "Atraso_BackColor=3092435\n"
            "Atraso_ForeColor=16777215\n"
            "Novo_BackColor=10999461\n"
            "Novo_ForeColor=0\n"_s;
    text += u"\n"_s;
    text += gridSection(u"GrelhaAssistencias"_s, u"Ordens de serviço da semana"_s, u"3240448"_s,
                        u"510"_s, false);
    text += u"SemTecnico=sem técnico\n"
            "SemTecnico_ForeColor=800447\n"_s;

    QSaveFile file(settingsFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        throw BoardError(u"Não foi possível escrever o ficheiro de definições %1: %2"_s.arg(
            QDir::toNativeSeparators(settingsFile), file.errorString()));
    }
}

DemoFiles writeDemo(const QString& demoBaseFolder, const QDate& today) {
    DemoFiles files;
    files.folder = QDir(demoBaseFolder).filePath(u"zelvio"_s);
    if (!QDir().mkpath(files.folder)) {
        throw BoardError(u"Não foi possível criar a pasta da demonstração %1."_s.arg(
            QDir::toNativeSeparators(files.folder)));
    }
    const QDir folder(files.folder);
    files.settingsFile = folder.filePath(u"OTK.zlv"_s);
    files.databaseFile = folder.filePath(QString::fromUtf16(demoDatabaseFileName));

    writeDemoDatabase(files.databaseFile, today);
    writeDemoSettings(files.settingsFile, QString::fromUtf16(demoDatabaseFileName));
    return files;
}

} // namespace assi
