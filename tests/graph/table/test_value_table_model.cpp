#include "table_fixture.h"

#include <rgb_color.h>

#include <QAbstractItemModelTester>
#include <QColor>
#include <QIcon>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class ValueTableModelTest : public ::testing::Test, public TableFixture {};

constexpr const char* AllColumns = "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23";

TEST_F(ValueTableModelTest, EveryColumnShowsItsFieldOfTheTargetUnderTheModelTester)
{
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    TargetOID* target = AddTarget(0);
    target->setLabel("Uplink");
    target->SetLastError("No Response");
    Layout(QLatin1String(AllColumns));
    QStringList texts;
    for (int column = 0; column < model.columnCount(); ++column)
        texts.append(model.data(model.index(0, column)).toString());
    const OIDInfo info = mib.Find("ifSpeed");
    EXPECT_EQ(texts,
              QStringLiteral("router1|127.0.0.1|public|%1|%2|%3|%4|||||1||||eth1|Uplink|bps|%5|%6|%7|%8|"
                             "No Response|")
                  .arg(info.moduleName, info.dottedOID, info.objectName, info.fullName, info.description,
                       info.qualifiedName, info.status, info.syntaxName)
                  .split(QLatin1Char('|')));

    // Entries that are no identifier: cells follow the leading number (0 for "abc"); the header
    // and width need the exact identifier text.
    Layout("abc,7, 5,99,12.6");
    EXPECT_EQ(model.ColumnIds(), QList<int>({0, 7, 5, 99, 13}));
    for (int column = 0; column < model.columnCount(); ++column) {
        EXPECT_EQ(model.headerData(column, Qt::Horizontal).toString().isEmpty(), column != 1) << column;
        EXPECT_EQ(model.ColumnWidthInX(column) > 0, column == 1) << column;
    }
    EXPECT_EQ(QStringList({model.index(0, 0).data().toString(), model.index(0, 2).data().toString(),
                           model.index(0, 3).data().toString(),
                           model.index(0, 3).data(Qt::ToolTipRole).toString()}),
              QStringList({"router1", "ifSpeed", "", ""}));

    // Rows and colours change under the tester; a removed target's row stays until the control
    // lays the table out again.
    AddTarget(1)->RecordResponse(10);
    AddTarget(2);
    model.RefreshTableRows();
    model.setColors(RGBColor(1, 2, 3), RGBColor(4, 5, 6), RGBColor(7, 8, 9));
    targets.Remove("O:2");
    model.RefreshTableRows();
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.TargetAt(1), nullptr);
}

TEST_F(ValueTableModelTest, ValuesAreRoundedToCentsThenScaledWithTheUnits)
{
    EXPECT_EQ(ValueTableModel::FormatValue(1500000, "bps"), "1.50 Mbps");
    EXPECT_EQ(ValueTableModel::FormatValue(-20000, "bps"), QString());
    // 9600.004 would already be in the K band; rounded to cents it is not.
    EXPECT_EQ(ValueTableModel::FormatValue(9600.004, "bps"), "9600 bps");
    EXPECT_EQ(ValueTableModel::FormatValue(9600.006, "bps"), "9.6 Kbps");

    TargetOID* target = AddTarget(0);
    target->RecordResponse(1000000);
    target->RecordResponse(3000000);
    Layout("7,8,9,10,15");
    EXPECT_EQ(QStringList({Cell(0, 7), Cell(0, 8), Cell(0, 9), Cell(0, 10)}),
              QStringList({"3.00 Mbps", "1.00 Mbps", "3.00 Mbps", "2.00 Mbps"}));
}

TEST_F(ValueTableModelTest, BaselineGreyUntilEveryTargetHasAValueAndRedForAnError)
{
    TargetOID* first = AddTarget(0);
    TargetOID* second = AddTarget(1);
    first->RecordResponse(500);
    model.setBaselineShowing(true);
    EXPECT_TRUE(Layout("7,10,23")) << "the second target has no value yet";
    EXPECT_EQ(Cell(1, ValueTableModel::ColCurrentValue) + Cell(1, ValueTableModel::ColAverageValue),
              QString());
    EXPECT_EQ(Cell(0, ValueTableModel::ColCurrentValue), "500 bps");
    EXPECT_TRUE(Light(0) == ValueTableModel::PictureGray && Light(1) == ValueTableModel::PictureGray);

    second->RecordResponse(700);
    EXPECT_FALSE(model.RefreshTableRows());
    // The control hides the baseline message after this refresh; rows written until then keep
    // the light they were written with.
    model.setBaselineShowing(false);
    EXPECT_EQ(Light(1), ValueTableModel::PictureGray);
    model.RefreshTableRows();
    EXPECT_EQ(Light(0), ValueTableModel::PictureGreen);
    EXPECT_EQ(Cell(1, ValueTableModel::ColCurrentValue), "700 bps");

    // An error is red, even during the baseline, and shows its text.
    model.setBaselineShowing(true);
    first->SetLastError("No Response");
    Layout("22,23");
    EXPECT_TRUE(Light(0) == ValueTableModel::PictureRed && Light(1) == ValueTableModel::PictureGray);
    EXPECT_EQ(Cell(0, ValueTableModel::ColLastError), "No Response");
    first->SetLastError(QString());
    model.setBaselineShowing(false);
    model.RefreshTableRows();
    EXPECT_EQ(Light(0), ValueTableModel::PictureGreen);
    EXPECT_EQ(Cell(0, ValueTableModel::ColLastError), QString());
}

TEST_F(ValueTableModelTest, PicturesAndColours)
{
    AddTarget(0, RGBColor(10, 20, 30));
    AddTarget(1, -1);
    Layout("13,14,23,12,4");
    model.setColors(RGBColor(1, 1, 1), RGBColor(200, 0, 0), RGBColor(0, 0, 200));

    for (int column : {0, 1, 2}) {
        const QVariant picture = model.data(model.index(0, column), Qt::DecorationRole);
        ASSERT_TRUE(picture.canConvert<QIcon>()) << column;
        EXPECT_FALSE(picture.value<QIcon>().pixmap(16, 16).isNull()) << "icon " << column << " drew nothing";
    }
    EXPECT_FALSE(model.data(model.index(0, 4), Qt::DecorationRole).isValid());

    const auto background = [this](int row, int column) {
        return model.data(model.index(row, column), Qt::BackgroundRole).value<QColor>();
    };
    EXPECT_EQ(background(0, 3), QColor(10, 20, 30)) << "the colour cell shows the series colour";
    EXPECT_EQ(background(1, 3), QColor(0, 0, 200)) << "no series colour yet";
    EXPECT_EQ(background(0, 4), QColor(0, 0, 200));
    EXPECT_EQ(model.data(model.index(0, 4), Qt::ForegroundRole).value<QColor>(), QColor(200, 0, 0));
}

TEST_F(ValueTableModelTest, RowsFollowTheSeriesNumbersAndRefreshWithoutReset)
{
    // Collection order 3, 1: rows appear in that order and are found by series number.
    TargetOID* third = AddTarget(3);
    TargetOID* first = AddTarget(1);
    Layout("0");
    EXPECT_EQ(QList<int>({model.RowSubset(0), model.RowSubset(1)}), QList<int>({3, 1}));
    EXPECT_EQ(QList<const TargetOID*>({model.TargetAt(0), model.TargetAt(1), model.TargetAt(2)}),
              QList<const TargetOID*>({third, first, nullptr}));

    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    first->setHostname("renamed");
    AddTarget(0);
    model.RefreshTableRows();
    EXPECT_EQ(resets.count(), 0);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(1).toModelIndex(), model.index(1, 0));
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted.at(0).at(1).toInt(), 2);
    EXPECT_EQ(model.data(model.index(1, 0)).toString(), "renamed");
    EXPECT_EQ(model.RowSubset(2), 0);

    // A paused graph keeps what it showed: rows change only on refresh.
    first->setHostname("later");
    EXPECT_EQ(model.data(model.index(1, 0)).toString(), "renamed");

    // Two targets with one series number share its row; the later one writes last.
    AddTarget(3)->setHostname("twin");
    model.RefreshTableRows();
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "twin");
    EXPECT_EQ(model.TargetAt(0), third);
}

} // namespace
