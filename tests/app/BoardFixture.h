#pragma once

// A board window on a feed the test controls, a clock the test sets and a
// settings file in a folder of its own.
#include "app/Assi.h"
#include "app/FooterBand.h"
#include "common/BoardTables.h"
#include "common/TempDir.h"
#include "data/DemoSite.h"
#include "feed/BoardFeed.h"
#include "gridview/Grid.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace assi::test {

using namespace Qt::StringLiterals;

// Hands the window whatever data the test decides, when the test decides.
class FakeFeed : public BoardFeed {
public:
    void load(const QDate& today) override {
        ++loads;
        lastToday = today;
        busy = true;
    }
    bool isBusy() const override { return busy; }

    void deliver(const BoardData& data) {
        busy = false;
        Q_EMIT loaded(data);
    }

    int loads = 0;
    QDate lastToday;
    bool busy = false;
};

inline Recordset requests(const QStringList& clients) {
    QList<RequestRow> rows;
    for (const QString& c : clients)
        rows.append({u"Redes"_s, c, {}, {}, {}});
    return boundRequests(rows);
}

inline Recordset boardOf(const QString& client) {
    return boardRecordset({{u"1"_s, {client, {}, {}, {}, {}}, {}}});
}

inline BoardData goodData(const QString& tag) {
    BoardData d;
    d.first = requests({tag + u"-a"_s, tag + u"-c"_s});
    d.second = requests({tag + u"-b"_s});
    d.DiasSemana = {u"SEGUNDA"_s, u"TERÇA"_s, u"QUARTA"_s, u"QUINTA"_s, u"SEXTA"_s, {}, {}};
    d.board = boardOf(tag);
    d.ok = true;
    return d;
}

inline QString firstValue(Grid* grid, const QString& field) {
    const Recordset& rs = grid->dataSource();
    if (rs.recordCount() <= 0)
        return {};
    return rs.valueAt(0, rs.fieldIndex(field)).toString();
}

// What the footer shows, read as a person reads it: off the band itself.
inline QString footerStatus(const Assi& window) {
    return window.findChild<QLabel*>(u"FooterStatus"_s)->text();
}
inline QString footerClock(const Assi& window) {
    return window.findChild<QLabel*>(u"FooterClock"_s)->text();
}
inline bool footerLooksRed(const Assi& window) {
    const QColor band = window.footer()->grab().toImage().pixelColor(1, 1);
    return band.red() > 150 && band.green() < 80 && band.blue() < 80;
}

inline QString captionOf(const Grid* grid, const QString& key) {
    for (int i = 0; i < grid->columnCount(); ++i)
        if (grid->columnAt(i).key() == key)
            return grid->columnAt(i).caption();
    return {};
}

// The demo's settings (every key the board reads) with the refresh period the test wants.
inline QByteArray settingsWith(const QByteArray& quantosMinutosLine) {
    TempDir scratch;
    const QString path = scratch.filePath(u"OTK.zlv"_s);
    writeDemoSettings(path, u"demo.sqlite"_s);
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    QByteArray text = f.readAll();
    text.replace("QuantosMinutos=1\n", quantosMinutosLine);
    return text;
}

inline const QByteArray validSettings = settingsWith("QuantosMinutos=5\r\n");

// `settings` with `key` of `section` set to `value`, or taken out when `value` is null.
inline QByteArray withSetting(const QByteArray& settings, const QString& section,
                              const QString& key, const QString& value) {
    QStringList lines = QString::fromUtf8(settings).split(u'\n');
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(u'['))
            inSection = line == u'[' + section + u']';
        else if (inSection && line.startsWith(key + u'=')) {
            if (value.isNull())
                lines.removeAt(i);
            else
                lines[i] = key + u'=' + value;
            return lines.join(u'\n').toUtf8();
        }
    }
    ADD_FAILURE() << "no " << key.toStdString() << " in [" << section.toStdString() << "]";
    return settings;
}

struct Board {
    explicit Board(const QByteArray& settings = validSettings,
                   QDate fixedToday = QDate(2026, 12, 7))
        : path(dir.write(u"zelvio/OTK.zlv"_s, settings)), window(&feed, path, fixedToday) {
        window.resize(1330, 829);
        window.setClock([this] { return now; });
    }
    TempDir dir;
    QString path;
    FakeFeed feed;
    Assi window;
    QDateTime now{QDate(2026, 12, 7), QTime(9, 0)};
};

} // namespace assi::test
