// The board from its start to the database's first answer: after a power cut
// the PC often boots faster than the server, and the board must not show the
// window's design-time leftovers for as long as the database stays down.
#include "BoardFixture.h"
#include "app/Assi.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;
using namespace assi::test;

namespace {

const QString Connecting = u"A ligar à base de dados…"_s;

// What a person sees of each grid: its title and its columns' headings.
QStringList gridsAsSeen(const Assi& window) {
    QStringList seen;
    for (const Grid* grid : {window.Grelha_1(), window.Grelha_11(), window.Grelha_2()}) {
        QStringList headings;
        for (int i = 0; i < grid->columnCount(); ++i) {
            if (!grid->columnAt(i).isHidden())
                headings << grid->columnAt(i).caption();
        }
        seen << u"%1: %2 [%3]"_s.arg(grid->objectName(), grid->caption(), headings.join(u", "_s));
    }
    return seen;
}

// Whether the group-by band of `grid` shows nothing but its background.
bool bandIsBlank(const Grid* grid) {
    const QImage band = grid->findChild<QWidget*>(u"groupByBox"_s)->grab().toImage();
    const QColor background = band.pixelColor(1, 1);
    for (int y = 0; y < band.height() - 1; ++y) {
        for (int x = 0; x < band.width(); ++x) {
            if (band.pixelColor(x, y) != background)
                return false;
        }
    }
    return true;
}

// How many pixels of `area` of the window show the colour of `label`'s text.
int textPixels(const QImage& window, const QRect& area, const QLabel& label) {
    const QColor text = label.palette().color(QPalette::WindowText);
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += window.pixelColor(x, y) == text ? 1 : 0;
    }
    return count;
}

QImage snapshot(QWidget& window, const QString& name) {
    QCoreApplication::processEvents();
    const QImage image = window.grab().toImage();
    const QString folder = qEnvironmentVariable("ASSI_APP_SNAPSHOT_DIR");
    if (!folder.isEmpty())
        image.save(QDir(folder).filePath(name + u".png"_s));
    return image;
}

} // namespace

TEST(FormLoad, UntilTheDatabaseAnswersTheBoardShowsItsTitlesAndSaysItIsConnecting) {
    Board b;
    b.window.resize(1920, 1080);
    b.window.show();
    b.window.Form_Load();
    const QImage waiting = snapshot(b.window, u"connecting"_s);

    const QStringList titlesOnly = {
        u"Grelha_1: Pedidos de assistência pendentes []"_s,
        u"Grelha_11: Pedidos de assistência pendentes []"_s,
        u"Grelha_2: Ordens de serviço da semana []"_s,
    };
    EXPECT_EQ(gridsAsSeen(b.window), titlesOnly);
    for (const Grid* grid : {b.window.Grelha_1(), b.window.Grelha_11(), b.window.Grelha_2()})
        EXPECT_TRUE(bandIsBlank(grid)) << grid->objectName().toStdString();
    EXPECT_FALSE(b.window.Frame1()->isVisible()) << "no empty detail panel";
    const auto* notice = b.window.findChild<QLabel*>(u"ConnectingNotice"_s);
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), Connecting);
    // Large enough to read across the room, centred over the weekly board.
    EXPECT_GE(notice->font().pixelSize(), 40);
    EXPECT_EQ(notice->geometry().center(), b.window.Grelha_2()->geometry().center());
    EXPECT_GT(textPixels(waiting, notice->geometry(), *notice), 500) << "the words are drawn";
    EXPECT_FALSE(footerLooksRed(b.window));

    // The database's first answer is a failure: the footer says what is wrong.
    BoardData down;
    down.requestsError = u"Não foi possível ligar à base de dados (servidor db1): recusada"_s;
    b.feed.deliver(down);
    const QImage failed = snapshot(b.window, u"connection-failed"_s);
    EXPECT_EQ(gridsAsSeen(b.window), titlesOnly);
    EXPECT_FALSE(notice->isVisible());
    EXPECT_EQ(textPixels(failed, notice->geometry(), *notice), 0);
    EXPECT_TRUE(footerLooksRed(b.window));
    EXPECT_TRUE(footerStatus(b.window).startsWith(u"Sem ligação à base de dados desde as 09:00"_s))
        << footerStatus(b.window).toStdString();

    // Every later answer shows its data; the notice never comes back.
    b.window.Relogio_Timer();
    b.feed.deliver(goodData(u"x"_s));
    EXPECT_EQ(firstValue(b.window.Grelha_1(), u"Cliente"_s), u"x-a"_s);
    EXPECT_EQ(captionOf(b.window.Grelha_2(), u"Dia_1"_s), u"SEGUNDA"_s);
    EXPECT_FALSE(notice->isVisible());
    EXPECT_FALSE(footerLooksRed(b.window));
}

TEST(FormLoad, AFirstAnswerWithDataHidesTheConnectingNotice) {
    Board b;
    b.window.show();
    b.window.Form_Load();
    const auto* notice = b.window.findChild<QLabel*>(u"ConnectingNotice"_s);
    ASSERT_TRUE(notice->isVisible());
    b.feed.deliver(goodData(u"x"_s));
    EXPECT_FALSE(notice->isVisible());
    EXPECT_EQ(firstValue(b.window.Grelha_2(), u"Dia_1"_s), u"x"_s);
}

// Titles are read at start with the rest of the looks, from whichever section
// each grid reads.
TEST(FormLoad, TheTitlesComeFromTheSettingsAtStart) {
    QByteArray settings =
        withSetting(validSettings, u"GrelhaPedidos"_s, u"Titulo"_s, u"Pedidos em espera"_s);
    settings = withSetting(settings, u"GrelhaAssistencias"_s, u"Titulo"_s, u"Semana"_s);
    Board b(settings);
    b.window.Form_Load();
    EXPECT_EQ(b.window.Grelha_1()->caption(), u"Pedidos em espera"_s);
    EXPECT_EQ(b.window.Grelha_11()->caption(), u"Pedidos em espera"_s);
    EXPECT_EQ(b.window.Grelha_2()->caption(), u"Semana"_s);
    EXPECT_EQ(b.window.Grelha_2()->style(u"Heading"_s).backColor(), 3240448)
        << "the rest of the look too";
}
