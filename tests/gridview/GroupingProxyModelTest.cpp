#include "gridview/GroupingProxyModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

using Row = std::pair<QVariant, QString>; // group value (null when invalid), name

QList<QStandardItem*> itemsFor(const Row& row) {
    auto* group = new QStandardItem;
    if (row.first.isValid())
        group->setData(row.first, Qt::DisplayRole);
    return {group, new QStandardItem(row.second)};
}

// The proxy's rows as a reader sees them: "[group]" for a header row, then
// "a|b" for each record, in display order.
void collectRows(const QAbstractItemModel& model, const QModelIndex& parent, QStringList& out) {
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex index = model.index(r, 0, parent);
        if (model.hasChildren(index)) {
            out << u"[%1]"_s.arg(index.data().toString());
            collectRows(model, index, out);
            continue;
        }
        QStringList cells;
        for (int c = 0; c < model.columnCount(parent); ++c)
            cells << index.siblingAtColumn(c).data().toString();
        out << cells.join(u'|');
    }
}

struct GroupingProxyModelTest : ::testing::Test {
    QStandardItemModel source;
    GroupingProxyModel proxy;
    QAbstractItemModelTester sourceTester{&source,
                                          QAbstractItemModelTester::FailureReportingMode::Fatal};
    QAbstractItemModelTester tester{&proxy, QAbstractItemModelTester::FailureReportingMode::Fatal};

    GroupingProxyModelTest() {
        source.setColumnCount(2);
        source.setHorizontalHeaderLabels({u"G"_s, u"Nome"_s});
        proxy.setSourceModel(&source);
    }

    void fill(const QList<Row>& rows) {
        source.removeRows(0, source.rowCount());
        for (const Row& row : rows)
            source.appendRow(itemsFor(row));
    }

    QString rowsText() const {
        QStringList rows;
        collectRows(proxy, QModelIndex(), rows);
        return rows.join(u' ');
    }
};

} // namespace

TEST_F(GroupingProxyModelTest, GroupsFollowTheFirstAppearanceOfEachValue) {
    struct Case {
        const char* name;
        QList<Row> rows;
        QString expected;
    };
    const Case cases[] = {
        {"sorted, null first",
         {{QVariant(), u"a"_s}, {u"X"_s, u"b"_s}, {u"X"_s, u"c"_s}, {u"Y"_s, u"d"_s}},
         u"[] |a [X] X|b X|c [Y] Y|d"_s},
        {"unsorted: a value is never split",
         {{u"Y"_s, u"a"_s}, {u"X"_s, u"b"_s}, {u"Y"_s, u"c"_s}},
         u"[Y] Y|a Y|c [X] X|b"_s},
        {"null and empty text are different values",
         {{u""_s, u"a"_s}, {QVariant(), u"b"_s}},
         u"[] |a [] |b"_s},
        {"no rows, no groups", {}, u""_s},
    };
    proxy.setGroupColumns({0});
    for (const Case& c : cases) {
        fill(c.rows);
        EXPECT_EQ(rowsText(), c.expected) << c.name;
    }
}

TEST_F(GroupingProxyModelTest, GroupsNestByEachGroupColumnInTurnAndMapBack) {
    fill({{u"X"_s, u"a"_s}, {u"Y"_s, u"b"_s}, {u"X"_s, u"a"_s}, {u"X"_s, u"c"_s}});
    proxy.setGroupColumns({0, 1});
    EXPECT_EQ(rowsText(), u"[X] [a] X|a X|a [c] X|c [Y] [b] Y|b"_s);
    const QModelIndex c = proxy.index(0, 1, proxy.index(1, 0, proxy.index(0, 0)));
    EXPECT_EQ(proxy.mapToSource(c), source.index(3, 1));
    EXPECT_EQ(proxy.mapFromSource(source.index(3, 1)), c);
    EXPECT_FALSE(proxy.mapToSource(proxy.index(0, 0)).isValid()) << "a header has no source";
    EXPECT_EQ(proxy.index(0, 0).data(GroupingProxyModel::GroupColumnRole).toInt(), 0);
    EXPECT_EQ(proxy.index(0, 0, proxy.index(0, 0)).data(GroupingProxyModel::GroupColumnRole), 1);
    EXPECT_FALSE(c.data(GroupingProxyModel::GroupColumnRole).isValid());
    EXPECT_EQ(proxy.headerData(1, Qt::Horizontal).toString(), u"Nome"_s);

    proxy.setGroupColumns({});
    EXPECT_EQ(rowsText(), u"X|a Y|b X|a X|c"_s) << "ungrouped, the source as it is";
}

TEST_F(GroupingProxyModelTest, SourceChangesRegroupWithOneReset) {
    fill({{u"X"_s, u"a"_s}, {u"Y"_s, u"b"_s}});
    proxy.setGroupColumns({0});
    QSignalSpy resets(&proxy, &QAbstractItemModel::modelReset);
    source.appendRow(itemsFor({u"X"_s, u"c"_s}));
    EXPECT_EQ(rowsText(), u"[X] X|a X|c [Y] Y|b"_s);
    source.item(1, 0)->setText(u"X"_s);
    EXPECT_EQ(rowsText(), u"[X] X|a X|b X|c"_s);
    source.removeRow(0);
    EXPECT_EQ(rowsText(), u"[X] X|b X|c"_s);
    EXPECT_EQ(resets.size(), 3);

    QSignalSpy changes(&proxy, &QAbstractItemModel::dataChanged);
    source.item(1, 1)->setText(u"d"_s);
    EXPECT_EQ(resets.size(), 3) << "a change outside the group columns keeps the groups";
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes.front().front().value<QModelIndex>().data().toString(), u"d"_s);
}
