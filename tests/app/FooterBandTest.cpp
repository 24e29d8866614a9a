#include "app/FooterBand.h"

#include "app/BoardLayout.h"

#include <QLabel>
#include <functional>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {
StatusLine::View failedView() {
    StatusLine::View v;
    v.state = StatusLine::State::Failed;
    v.clockForms = {u"segunda-feira, 7 de dezembro de 2026 · 10:42"_s,
                    u"segunda-feira, 7 de dezembro · 10:42"_s, u"segunda-feira · 10:42"_s,
                    u"10:42"_s};
    v.status = u"Sem ligação à base de dados desde sexta-feira, 4 de dezembro, às 09:58 · "
               u"nova tentativa às 10:43"_s;
    v.detail = u"Não foi possível ligar à base de dados (servidor db1): recusada"_s;
    return v;
}
} // namespace

// A narrower band gives up the clock's date before a word of what is wrong,
// and the two parts never run into each other.
TEST(FooterBand, ANarrowBandShortensTheClockBeforeTheStatus) {
    FooterBand band;
    band.setTextPixels(20);
    band.setView(failedView());
    band.show();
    const QLabel* clock = band.findChild<QLabel*>(u"FooterClock"_s);
    const QLabel* status = band.findChild<QLabel*>(u"FooterStatus"_s);
    const StatusLine::View v = failedView();
    int previousForm = 0;
    for (int width = 2400; width >= 200; width -= 50) {
        band.resize(width, 30);
        SCOPED_TRACE(width);
        const int form = int(v.clockForms.indexOf(clock->text()));
        ASSERT_GE(form, 0) << clock->text().toStdString();
        EXPECT_GE(form, previousForm);
        previousForm = form;
        if (form < v.clockForms.size() - 1) {
            EXPECT_EQ(status->text(), v.status);
        } else if (status->text() != v.status) {
            EXPECT_TRUE(status->text().endsWith(u"…"_s));
        }
        const QFontMetrics metrics(band.font());
        EXPECT_LT(metrics.horizontalAdvance(clock->text()) +
                      metrics.horizontalAdvance(status->text()),
                  width);
        EXPECT_EQ(band.toolTip().toStdString(), v.wholeStatus().toStdString());
    }
    EXPECT_EQ(clock->text(), u"10:42"_s);
    EXPECT_TRUE(status->text().endsWith(u"…"_s));
    band.resize(2400, 30);
    EXPECT_EQ(band.shownText().toStdString(),
              (v.clockForms.first() + u" — "_s + v.status).toStdString());
}

namespace {

StatusLine::SettingsProblem problemAt(const QString& place) {
    return {place,
            u"Definição inválida em %1: \"x\" não é um número (/etc/assi/OTK.zlv)"_s.arg(place)};
}

} // namespace

// On a 1330-pixel window, with the footer's type as sized for it, every red
// text the board can show fits whole: the band drops the clock's date, then
// writes the moments shorter, before it would cut a word. The whole message
// stays in the tooltip.
TEST(FooterBand, EveryRedTextFitsWholeAt1330Pixels) {
    const QDate monday(2026, 12, 7);
    const QDateTime now(monday, QTime(23, 59));
    const QDateTime friday(QDate(2026, 12, 4), QTime(9, 58));
    const QDateTime lastYear(QDate(2025, 12, 31), QTime(23, 58));
    const QDateTime soon(monday, QTime(23, 59, 30));
    const QDateTime tomorrow(QDate(2026, 12, 8), QTime(0, 4));
    const QList<StatusLine::SettingsProblem> manyProblems = {
        problemAt(u"[GrelhaAssistencias] SeleccaoInactiva_backColor"_s),
        problemAt(u"[GrelhaAssistencias] SeleccaoInactiva_Forecolor"_s),
        problemAt(u"[GrelhaAssistencias] SeleccaoInactiva_FontSize"_s),
        problemAt(u"[GrelhaPedidos] SeleccaoInactiva_backColor"_s),
        problemAt(u"[GrelhaPedidos] SeleccaoInactiva_Forecolor"_s),
        problemAt(u"[GrelhaPedidos] SeleccaoInactiva_FontSize"_s),
        problemAt(u"[GrelhaPedidos] Cabecalho_FonteSize"_s),
        problemAt(u"[GrelhaPedidos] Grid_Coluna1"_s),
        problemAt(u"[GrelhaPedidos] Grid_Coluna2"_s),
        problemAt(u"[GrelhaPedidos] Grid_Coluna3"_s),
        problemAt(u"[GrelhaPedidos] Grid_Coluna4"_s),
        problemAt(u"[Geral] SegundosPorPagina"_s),
    };
    struct Case {
        const char* name;
        std::function<void(StatusLine&)> events;
        QDateTime next;
        QString shown; // empty: any form that fits
    };
    const Case cases[] = {
        {"a look key wrong",
         [](StatusLine& s) {
             s.setSettingsProblems({problemAt(u"[GrelhaPedidos] Cabecalho_FonteSize"_s)});
         },
         QDateTime(monday, QTime(17, 25)),
         u"Definições com erro: [GrelhaPedidos] Cabecalho_FonteSize · nova tentativa às 17:25"_s},
        {"the longest key",
         [](StatusLine& s) {
             s.setSettingsProblems(
                 {problemAt(u"[GrelhaAssistencias] SeleccaoInactiva_backColor"_s)});
         },
         tomorrow,
         {}},
        {"a dozen keys", [&](StatusLine& s) { s.setSettingsProblems(manyProblems); }, tomorrow, {}},
        {"no connection since Friday, next attempt tomorrow",
         [&](StatusLine& s) {
             s.refreshFailed(friday, u"Não foi possível ligar à base de dados (servidor x)"_s);
         },
         tomorrow,
         {}},
        {"the settings file gone since last year",
         [&](StatusLine& s) {
             s.refreshFailed(lastYear, u"O ficheiro de definições /etc/assi/OTK.zlv não existe."_s);
         },
         tomorrow,
         {}},
        {"a connection setting wrong since last year",
         [&](StatusLine& s) {
             s.refreshFailed(lastYear, u"Definição inválida em [BaseDados] Motor: \"oracle\" não é "
                                       u"\"sqlserver\" nem \"sqlite\" (/etc/assi/OTK.zlv)"_s);
             s.setSettingsProblems(manyProblems);
         },
         tomorrow,
         {}},
        {"an unknown failure since last year",
         [&](StatusLine& s) { s.refreshFailed(lastYear, u"bad_alloc"_s); },
         tomorrow,
         {}},
        {"stale since last year",
         [&](StatusLine& s) { s.refreshSucceeded(lastYear); },
         tomorrow,
         {}},
        {"stale while a refresh runs",
         [&](StatusLine& s) {
             s.refreshSucceeded(lastYear);
             s.refreshStarted(now.addSecs(-30));
         },
         tomorrow,
         {}},
        {"a first refresh hanging since Friday",
         [&](StatusLine& s) { s.refreshStarted(friday); },
         soon,
         {}},
    };
    const FooterSize size = computeFooterSize(748);
    FooterBand band;
    band.resize(1330, size.height);
    band.setTextPixels(size.textPixels);
    band.show();
    const QLabel* clock = band.findChild<QLabel*>(u"FooterClock"_s);
    const QLabel* status = band.findChild<QLabel*>(u"FooterStatus"_s);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StatusLine line;
        c.events(line);
        const StatusLine::View v = line.view(now, 5, c.next);
        ASSERT_TRUE(v.alarm());
        band.setView(v);
        // A form whole, not one cut to fit.
        EXPECT_TRUE(v.statusForms.contains(status->text())) << status->text().toStdString();
        EXPECT_TRUE(v.clockForms.contains(clock->text())) << clock->text().toStdString();
        const QFontMetrics metrics(band.font());
        EXPECT_LE(metrics.horizontalAdvance(clock->text()) + size.textPixels +
                      metrics.horizontalAdvance(status->text()),
                  1330 - size.textPixels / 2 * 2);
        if (!c.shown.isEmpty()) {
            EXPECT_EQ(status->text().toStdString(), c.shown.toStdString());
        }
        EXPECT_EQ(band.toolTip(), v.wholeStatus());
        EXPECT_TRUE(band.toolTip().startsWith(v.statusForms.first()));
    }
}
