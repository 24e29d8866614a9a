#include "settings/SettingsReader.h"

#include "common/TempDir.h"

#include <QStringEncoder>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

QString readFrom(const QString& path, const QString& section, const QString& key) {
    SettingsReader reader;
    reader.read(path);
    return reader.readValue(section, key);
}

// A settings file as sites write them by hand, with the traps Windows' own
// INI reading forgives or keeps.
const QByteArray HandWritten = "Orfa=antes de qualquer secção\n"
                               "; comentário de abertura\n"
                               "[GrelhaPedidos]\n"
                               "Titulo=Pedidos ; urgentes\n"
                               "  fonte  =   Tahoma   \n"
                               "FonteSize=\"12\"\n"
                               "Cabecalho_Fonte='Arial'\n"
                               "Group_Font=\" espaçado \"\n"
                               "Group_FontSize=\"aberto\n"
                               "Mistas=\"a'\n"
                               "Aspas=\"\"\n"
                               "Aspa=\"\n"
                               "Vazio=\n"
                               "Igual=a=b=c\n"
                               ";Comentado=1\n"
                               "   ; Indentado=1\n"
                               "SemIgual\n"
                               "Nome Composto = x\n"
                               "Titulo=segunda\n"
                               "\n"
                               "[GrelhaAssistencias] ; o quadro semanal\n"
                               "Titulo=Assistências\n"
                               "[ Geral ]\n"
                               "QuantosMinutos = 5\n"
                               "[grelhapedidos]\n"
                               "Extra=nunca lida\n"
                               "Titulo=duplicada\n"
                               "[Cores]antigo]\n"
                               "Fundo=1\n"
                               "[a][b]]\n"
                               "Chave=2\n"
                               "[Aberta   \n"
                               "Chave=3\n";

} // namespace

TEST(SettingsReader, ReadsValuesAsWindowsIniReadingDoes) {
    test::TempDir dir;
    const QString path = dir.write(u"OTK.zlv"_s, HandWritten);
    struct Case {
        QString section;
        QString key;
        QString expected;
    };
    const Case cases[] = {
        {u"GrelhaPedidos"_s, u"Titulo"_s,
         u"Pedidos ; urgentes"_s}, // no inline comments; first wins
        {u"GRELHAPEDIDOS"_s, u"titulo"_s, u"Pedidos ; urgentes"_s}, // names ignore case
        {u"GrelhaPedidos"_s, u"Fonte"_s, u"Tahoma"_s},              // blanks trimmed
        {u"GrelhaPedidos"_s, u"FonteSize"_s, u"12"_s},              // one pair of quotes removed
        {u"GrelhaPedidos"_s, u"Cabecalho_Fonte"_s, u"Arial"_s},     // single quotes too
        {u"GrelhaPedidos"_s, u"Group_Font"_s, u" espaçado "_s},     // blanks inside quotes kept
        {u"GrelhaPedidos"_s, u"Group_FontSize"_s, u"\"aberto"_s},   // unmatched quote kept
        {u"GrelhaPedidos"_s, u"Mistas"_s, u"\"a'"_s},
        {u"GrelhaPedidos"_s, u"Aspas"_s, u""_s},
        {u"GrelhaPedidos"_s, u"Aspa"_s, u"\""_s},
        {u"GrelhaPedidos"_s, u"Vazio"_s, u""_s},
        {u"GrelhaPedidos"_s, u"Igual"_s, u"a=b=c"_s},
        {u"GrelhaPedidos"_s, u"Comentado"_s, u""_s},
        {u"GrelhaPedidos"_s, u";Comentado"_s, u""_s},
        {u"GrelhaPedidos"_s, u"; Indentado"_s, u""_s},
        {u"GrelhaPedidos"_s, u"SemIgual"_s, u""_s},
        {u"GrelhaPedidos"_s, u"Nome Composto"_s, u"x"_s},
        {u"GrelhaPedidos"_s, u"Extra"_s, u""_s}, // a later section of the same name is ignored
        {u"GrelhaPedidos"_s, u"Orfa"_s, u""_s},  // keys before any section belong to none
        {u"GrelhaAssistencias"_s, u"Titulo"_s, u"Assistências"_s}, // text after ']' ignored
        {u"Geral"_s, u"QuantosMinutos"_s, u"5"_s},                 // blanks inside brackets
        {u"Geral"_s, u"Titulo"_s, u""_s},                          // missing key
        {u"Inexistente"_s, u"Titulo"_s, u""_s},                    // missing section
        {u"GrelhaPedidos"_s, u""_s, u""_s},                        // empty key asks for nothing
        {u""_s, u"Orfa"_s, u""_s},
        {u"Cores"_s, u"Fundo"_s, u"1"_s},       // the name ends at the first ']'
        {u"Cores]antigo"_s, u"Fundo"_s, u""_s}, // ...so this section is not there
        {u"a"_s, u"Chave"_s, u"2"_s},
        {u"Aberta"_s, u"Chave"_s, u"3"_s}, // a header without ']' still opens its section
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readFrom(path, c.section, c.key), c.expected)
            << "[" << c.section.toStdString() << "] " << c.key.toStdString();
    }
}

TEST(SettingsReader, DecodesWindowsEncodingsAndLineEnds) {
    const QString body = u"[Geral]\r\nTitulo=Assistências “técnicas” €\r\nFim=sim"_s;
    const auto encoded = [&](QStringConverter::Encoding encoding) {
        QStringEncoder encoder(encoding);
        return QByteArray(encoder.encode(body));
    };
    QStringEncoder ansi("windows-1252");
    ASSERT_TRUE(ansi.isValid());
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"UTF-8 without BOM", encoded(QStringConverter::Utf8)},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + encoded(QStringConverter::Utf8)},
        {"UTF-16LE with BOM", "\xFF\xFE" + encoded(QStringConverter::Utf16LE)},
        {"UTF-16BE with BOM", "\xFE\xFF" + encoded(QStringConverter::Utf16BE)},
        {"Windows-1252", QByteArray(ansi.encode(body))},
        {"Windows-1252, LF only", QByteArray(ansi.encode(QString(body).remove(u'\r')))},
        {"Windows-1252, CR only", QByteArray(ansi.encode(QString(body).remove(u'\n')))},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        const QString path = dir.write(u"OTK.zlv"_s, c.bytes);
        EXPECT_EQ(readFrom(path, u"Geral"_s, u"Titulo"_s), u"Assistências “técnicas” €"_s)
            << c.name;
        EXPECT_EQ(readFrom(path, u"Geral"_s, u"Fim"_s), u"sim"_s)
            << c.name; // last line, no line end
    }
}

TEST(SettingsReader, OldEditorsAnsiTextShowsItsAccents) {
    test::TempDir dir;
    const QString path = dir.write(u"OTK.zlv"_s, "[GrelhaPedidos]\r\nTitulo=Assist\xEAncias\r\n");
    EXPECT_EQ(readFrom(path, u"GrelhaPedidos"_s, u"Titulo"_s), u"Assistências"_s);
}

TEST(SettingsReader, LongValuesComeBackWhole) {
    QString longValue;
    for (int i = 0; longValue.size() < 100000; ++i)
        longValue += u"Coluna %1; "_s.arg(i);
    longValue = longValue.trimmed();
    test::TempDir dir;
    const QString path =
        dir.write(u"OTK.zlv"_s, "[Geral]\r\nTitulo=" + longValue.toUtf8() + "\r\nDepois=1\r\n");
    EXPECT_EQ(readFrom(path, u"Geral"_s, u"Titulo"_s), longValue);
    EXPECT_EQ(readFrom(path, u"Geral"_s, u"Depois"_s), u"1"_s);
}

TEST(SettingsReader, MissingFileGivesEmptyTextWithoutComplaint) {
    test::TempDir dir;
    for (const QString& path : {dir.filePath(u"nao-existe.zlv"_s), QString()}) {
        SettingsReader reader;
        reader.read(path);
        EXPECT_FALSE(reader.fileExists()) << path.toStdString();
        EXPECT_EQ(reader.problem(), QString()) << path.toStdString();
        EXPECT_EQ(reader.readValue(u"Geral"_s, u"QuantosMinutos"_s), QString());
        EXPECT_EQ(reader.lookUpValue(u"Geral"_s, u"QuantosMinutos"_s), std::nullopt);
    }
}

// A key written with no value is there; a key left out, or in a section that
// is not there, is not.
TEST(SettingsReader, TellsAKeyLeftOutFromOneLeftEmpty) {
    test::TempDir dir;
    SettingsReader reader;
    reader.read(dir.write(u"OTK.zlv"_s, "[Geral]\nQuantosMinutos=\nSegundosPorPagina = 10\n"));
    EXPECT_EQ(reader.lookUpValue(u"geral"_s, u"QuantosMinutos"_s), QString());
    EXPECT_EQ(reader.lookUpValue(u"Geral"_s, u"segundosporpagina"_s), u"10"_s);
    EXPECT_EQ(reader.lookUpValue(u"Geral"_s, u"Escala"_s), std::nullopt);
    EXPECT_EQ(reader.lookUpValue(u"GrelhaPedidos"_s, u"QuantosMinutos"_s), std::nullopt);
    EXPECT_EQ(reader.lookUpValue(u"Geral"_s, QString()), std::nullopt);
    EXPECT_EQ(reader.readValue(u"Geral"_s, u"Escala"_s), QString());
}

// Anything but a modest regular file is refused before it is read: a pipe
// would block the board for good, a device or a huge file would swamp it.
TEST(SettingsReader, RefusesWhatIsNotASettingsFile) {
    test::TempDir dir;
    const QString fifo = dir.filePath(u"fifo.zlv"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge = dir.filePath(u"enorme.zlv"_s);
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Geral]\nQuantosMinutos=5\n");
        ASSERT_TRUE(f.resize(50 * 1024 * 1024)); // sparse: nothing is written
    }
    const QString justOver =
        dir.write(u"grande.zlv"_s, "[Geral]\nQuantosMinutos=5\n" +
                                       QByteArray(SettingsReader::LargestFileBytes, ';'));
    const QString zero = dir.filePath(u"zero.zlv"_s);
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, zero));
    const QString folder = dir.mkdir(u"pasta.zlv"_s);

    const struct {
        QString path;
        QString expected;
    } cases[] = {
        {fifo, u"não é um ficheiro comum"_s},
        {zero, u"não é um ficheiro comum"_s},
        {folder, u"é uma pasta"_s},
        {huge, u"tem 52428800 bytes"_s},
        {justOver, u"tem %1 bytes"_s.arg(SettingsReader::LargestFileBytes + 25)},
    };
    for (const auto& c : cases) {
        SettingsReader reader;
        reader.read(c.path);
        EXPECT_FALSE(reader.fileExists()) << c.path.toStdString();
        EXPECT_TRUE(reader.problem().contains(c.path)) << reader.problem().toStdString();
        EXPECT_TRUE(reader.problem().contains(c.expected)) << reader.problem().toStdString();
        EXPECT_EQ(reader.readValue(u"Geral"_s, u"QuantosMinutos"_s), QString());
        EXPECT_EQ(reader.lookUpValue(u"Geral"_s, u"QuantosMinutos"_s), std::nullopt);
    }
}

// One reading answers every lookup, so a refresh never mixes two versions of
// a file being saved; the next reading sees the new one.
TEST(SettingsReader, AnswersFromOneReadingOfTheFile) {
    test::TempDir dir;
    const QString path = dir.write(u"OTK.zlv"_s, "[Geral]\nQuantosMinutos=5\n");
    SettingsReader reader;
    reader.read(path);
    dir.write(u"OTK.zlv"_s, "[Geral]\nQuantosMinutos=7\n");
    EXPECT_EQ(reader.readValue(u"Geral"_s, u"QuantosMinutos"_s), u"5"_s);
    reader.read(path);
    EXPECT_EQ(reader.readValue(u"Geral"_s, u"QuantosMinutos"_s), u"7"_s);
    QFile::remove(path);
    reader.read(path);
    EXPECT_FALSE(reader.fileExists());
    EXPECT_EQ(reader.readValue(u"Geral"_s, u"QuantosMinutos"_s), QString());
}
