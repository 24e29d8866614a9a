#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// Past any display a board could hang on, and within what a window can be.
constexpr int LargestWindowSide = 16384;
// A day of the board's life is as long as a report waits.
constexpr int LongestRunBeforeReport = 24 * 60 * 60;

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{u"h"_s, u"help"_s}, u"Mostra esta ajuda."_s};
    QCommandLineOption version{{u"v"_s, u"version"_s}, u"Mostra a versão do programa."_s};
    QCommandLineOption baseDir{u"base-dir"_s,
                               u"Pasta base que pode conter a pasta do local \"zelvio\" (por "
                               u"omissão ASSI_BASE_DIR, senão a "
                               u"pasta de configuração do utilizador)."_s,
                               u"pasta"_s};
    QCommandLineOption appDir{u"app-dir"_s,
                              u"Pasta do programa, com o OTK.zlv de recurso e Catalogos/bd.sql "
                              u"(por omissão ASSI_APP_DIR, senão /etc/assi para o programa "
                              u"instalado, senão a pasta do executável)."_s,
                              u"pasta"_s};
    QCommandLineOption today{u"today"_s, u"Data que o quadro toma como hoje (AAAA-MM-DD)."_s,
                             u"data"_s};
    QCommandLineOption demo{
        u"demo"_s,
        u"Escreve a base de dados e as definições de demonstração e abre o quadro sobre elas."_s};
    QCommandLineOption check{
        u"check"_s, u"Verifica as definições, a ligação e as consultas, e diz o resultado."_s};
    QCommandLineOption dump{
        u"dump"_s, u"Escreve o estado do quadro em JSON depois da primeira atualização."_s};
    QCommandLineOption snapshot{
        u"snapshot"_s,
        u"Desenha o quadro num ficheiro PNG depois da primeira atualização e termina."_s,
        u"ficheiro.png"_s};
    QCommandLineOption size{
        u"size"_s, u"Tamanho da área cliente da janela, em pixels (ex.: 1320x800)."_s, u"LxA"_s};
    QCommandLineOption fullscreen{u"fullscreen"_s, u"Ocupa o ecrã inteiro (quadro de parede)."_s};
    QCommandLineOption select{
        u"select"_s,
        u"Torna atual uma linha mostrada de uma grelha antes de reportar (ex.: Grelha_1:3)."_s,
        u"grelha:linha"_s};
    QCommandLineOption after{
        u"after"_s,
        u"Com --dump ou --snapshot: deixa o quadro correr estes segundos (atualizações, "
        u"páginas e relógio) antes de reportar."_s,
        u"segundos"_s};

    QCommandLineOption state{
        u"estado"_s,
        u"Diz o que mostra o quadro deste utilizador que está a correr (rodapé, páginas, última "
        u"atualização, processo e imagem do quadro) e termina: 0 se há um quadro a correr, 3 se "
        u"não há nenhum, 4 se ainda não guardou o seu estado. Não precisa de ecrã."_s};

    Parser() {
        parser.setApplicationDescription(u"Quadro da assistência técnica: pedidos pendentes por "
                                         u"departamento e ordens de serviço da semana."_s);
        parser.addOptions({help, version, baseDir, appDir, today, demo, check, dump, snapshot, size,
                           fullscreen, select, after, state});
    }
};

QString translatedHelp(const QString& text) {
    QString t = text;
    // Qt names the running executable, or "<executable_name>" before the
    // application object exists; the program is called assi either way.
    static const QRegularExpression usage(u"^Usage: \\S+"_s);
    t.replace(usage, u"Utilização: assi"_s);
    t.replace(u"Options:"_s, u"Opções:"_s);
    t.replace(u"[options]"_s, u"[opções]"_s);
    return t;
}

// "1320x800"; an invalid size when the text is not one a window can have.
QSize parseWindowSize(const QString& text) {
    static const QRegularExpression sizePattern(u"^(\\d{1,5})[xX](\\d{1,5})$"_s);
    const auto m = sizePattern.match(text);
    const int w = m.hasMatch() ? m.captured(1).toInt() : 0;
    const int h = m.hasMatch() ? m.captured(2).toInt() : 0;
    if (w < 1 || h < 1 || w > LargestWindowSide || h > LargestWindowSide)
        return {};
    return QSize(w, h);
}

// Whole seconds, digits only; -1 otherwise.
int parseSeconds(const QString& text) {
    static const QRegularExpression secondsPattern(u"^\\d{1,9}$"_s);
    return secondsPattern.match(text).hasMatch() ? text.toInt() : -1;
}

} // namespace

QString commandLineHelp() {
    Parser p;
    return translatedHelp(p.parser.helpText());
}

CommandLineResult parseCommandLine(const QStringList& arguments) {
    CommandLineResult result;
    CommandLineOptions& o = result.options;
    Parser p;
    if (!p.parser.parse(arguments)) {
        result.error = u"Linha de comandos inválida: %1"_s.arg(p.parser.errorText());
        return result;
    }
    if (!p.parser.positionalArguments().isEmpty()) {
        result.error = u"Argumento inesperado: %1"_s.arg(p.parser.positionalArguments().join(u' '));
        return result;
    }
    o.help = p.parser.isSet(p.help);
    o.version = p.parser.isSet(p.version);
    o.state = p.parser.isSet(p.state);
    o.baseDir = p.parser.isSet(p.baseDir) ? p.parser.value(p.baseDir)
                                          : qEnvironmentVariable("ASSI_BASE_DIR");
    o.appDir =
        p.parser.isSet(p.appDir) ? p.parser.value(p.appDir) : qEnvironmentVariable("ASSI_APP_DIR");
    o.demo = p.parser.isSet(p.demo);
    o.check = p.parser.isSet(p.check);
    o.dump = p.parser.isSet(p.dump);
    o.snapshotPath = p.parser.value(p.snapshot);
    o.fullscreen = p.parser.isSet(p.fullscreen);
    o.select = p.parser.value(p.select);

    if (p.parser.isSet(p.today)) {
        o.today = QDate::fromString(p.parser.value(p.today), u"yyyy-MM-dd"_s);
        if (!o.today.isValid()) {
            result.error =
                u"--today espera uma data AAAA-MM-DD, não \"%1\"."_s.arg(p.parser.value(p.today));
            return result;
        }
    }
    if (p.parser.isSet(p.size)) {
        o.size = parseWindowSize(p.parser.value(p.size));
        if (!o.size.isValid()) {
            result.error =
                u"--size espera LARGURAxALTURA em pixels (ex.: 1320x800), não \"%1\"."_s.arg(
                    p.parser.value(p.size));
            return result;
        }
    }
    if (!o.select.isEmpty()) {
        static const QRegularExpression selectPattern(u"^(Grelha_1|Grelha_11|Grelha_2):(\\d+)$"_s);
        if (!selectPattern.match(o.select).hasMatch()) {
            result.error =
                u"--select espera GRELHA:LINHA (Grelha_1, Grelha_11 ou Grelha_2), não \"%1\"."_s
                    .arg(o.select);
            return result;
        }
    }
    if (p.parser.isSet(p.after)) {
        const QString text = p.parser.value(p.after);
        const int seconds = parseSeconds(text);
        if (seconds < 0 || seconds > LongestRunBeforeReport) {
            result.error = u"--after espera um número inteiro de segundos, de 0 a %1, não \"%2\"."_s
                               .arg(LongestRunBeforeReport)
                               .arg(text);
            return result;
        }
        if (!o.dump && o.snapshotPath.isEmpty()) {
            result.error = u"--after só serve com --dump ou --snapshot."_s;
            return result;
        }
        o.afterSeconds = seconds;
    }
    return result;
}

} // namespace assi
