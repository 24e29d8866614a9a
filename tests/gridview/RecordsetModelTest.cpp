#include "gridview/RecordsetModel.h"

#include "GridTestData.h"
#include "common/ScopedLocale.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

TEST(RecordsetModel, GivesTheRecordsetsValuesAndTexts) {
    RecordsetModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    Recordset rs = test::sampleRequests();
    model.setRecordset(rs);
    ASSERT_EQ(model.rowCount(), 6);
    ASSERT_EQ(model.columnCount(), 5);
    EXPECT_EQ(model.index(1, 1).data().toString(), u"Conceição & Filhos, Lda"_s);
    EXPECT_EQ(model.index(0, 0).data().toString(), QString()) << "a null shows empty";
    EXPECT_FALSE(model.index(0, 0).data(RecordsetModel::ValueRole).isValid());
    EXPECT_FALSE(model.index(0, 0).data(Qt::BackgroundRole).isValid()) << "no looks";
    EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(), u"DataPedido"_s);
}

TEST(RecordsetModel, ShowsDatesAsRegionalShortDates) {
    const test::ScopedLocale portuguese("pt_PT.UTF-8");
    if (!portuguese.ok())
        GTEST_SKIP() << "pt_PT.UTF-8 is not installed";
    Recordset rs;
    rs.appendField(u"Quando"_s, FieldType::DateTime);
    rs.addNew();
    rs.setValue(0, QDateTime(QDate(2026, 12, 6), QTime(0, 0)));
    RecordsetModel model;
    model.setRecordset(rs);
    EXPECT_EQ(model.index(0, 0).data().toString(), u"06/12/2026"_s);
    EXPECT_EQ(model.index(0, 0).data(RecordsetModel::ValueRole).toDate(), QDate(2026, 12, 6))
        << "the value stays as it came";
}

TEST(RecordsetModel, CaptionsReplaceTheFieldNamesUntilTheNextBinding) {
    RecordsetModel model;
    model.setRecordset(test::sampleRequests());
    QSignalSpy changed(&model, &QAbstractItemModel::headerDataChanged);
    EXPECT_TRUE(model.setHeaderData(3, Qt::Horizontal, u"Data Pedido"_s));
    EXPECT_TRUE(model.setHeaderData(3, Qt::Horizontal, u"Data Pedido"_s));
    EXPECT_EQ(changed.size(), 1) << "the same caption again is no change";
    EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(), u"Data Pedido"_s);
    EXPECT_FALSE(model.setHeaderData(9, Qt::Horizontal, u"x"_s));
    model.setRecordset(test::sampleRequests());
    EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(), u"DataPedido"_s);
}
