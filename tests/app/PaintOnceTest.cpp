// A refresh or a settings edit paints each grid once: the board's changes
// gather before the window paints, never after it.
#include "BoardFixture.h"
#include "wall/SettingsWatcher.h"

#include <QEvent>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>
#include <map>

using namespace assi;
using namespace assi::test;

namespace {

// Counts the paints each watched widget gets.
class PaintCounter : public QObject {
public:
    void watch(QWidget* widget, const QString& name) {
        widget->installEventFilter(this);
        m_names[widget] = name;
        counts[name] = 0;
    }
    std::map<QString, int> counts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++counts[m_names[static_cast<QWidget*>(watched)]];
        return false;
    }

private:
    std::map<QWidget*, QString> m_names;
};

} // namespace

TEST(PaintOnce, EachGridPaintsOncePerChange) {
    struct Case {
        const char* name;
        std::function<void(Board&)> change;
    };
    const Case cases[] = {
        {"a refresh", [](Board& b) { b.feed.deliver(goodData(u"b"_s)); }},
        {"a new look",
         [](Board& b) {
             b.dir.write(u"zelvio/OTK.zlv"_s, withSetting(validSettings, u"GrelhaPedidos"_s,
                                                          u"Titulo"_s, u"Em espera"_s));
             Q_EMIT b.window.findChild<SettingsWatcher*>()->settled();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Board b;
        b.window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&b.window));
        b.window.Form_Load();
        b.feed.deliver(goodData(u"a"_s));
        QTest::qWait(100);

        PaintCounter paints;
        for (Grid* grid : b.window.findChildren<Grid*>()) {
            auto* rows = grid->findChild<QTreeView*>(u"rows"_s);
            paints.watch(rows->viewport(), grid->objectName() + u" rows"_s);
            paints.watch(rows->header()->viewport(), grid->objectName() + u" headings"_s);
        }
        c.change(b);
        QTest::qWait(100);
        for (const auto& [name, count] : paints.counts)
            EXPECT_EQ(count, 1) << qPrintable(name);
    }
}
