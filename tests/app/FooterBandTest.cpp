#include "app/FooterBand.h"

#include <QLabel>
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
