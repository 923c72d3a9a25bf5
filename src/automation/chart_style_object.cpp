#include "chart_style_object.h"

#include "graph_tree.h"

#include <chart_style.h>
#include <rt_trendwick.h>

#include <stdexcept>

ChartStyleObject::ChartStyleObject(GraphTree& tree) : AutomationObject(tree.Lifetime()), m_tree(tree) {}

template <class F>
auto ChartStyleObject::Forward(F&& member)
{
    return Call([&] { return member(m_tree.Control().ChartStyle()); });
}

// clang-format off
qint16 ChartStyleObject::MaxPoints() { return Forward([](ChartStyle&) { return ChartStyle::MaxPoints; }); }
qint16 ChartStyleObject::PointsToGraph() { return Forward([](ChartStyle& s) { return s.PointsToGraph(); }); }
void ChartStyleObject::setPointsToGraph(qint16 v) { Forward([&](ChartStyle& s) { s.setPointsToGraph(v); }); }
qint16 ChartStyleObject::DecimalPoints() { return Forward([](ChartStyle& s) { return s.DecimalPoints(); }); }
void ChartStyleObject::setDecimalPoints(qint16 v) { Forward([&](ChartStyle& s) { s.setDecimalPoints(v); }); }
QString ChartStyleObject::TitleFont() { return Forward([](ChartStyle& s) { return s.TitleFont(); }); }
void ChartStyleObject::setTitleFont(const QString& v) { Forward([&](ChartStyle& s) { s.setTitleFont(v); }); }
QString ChartStyleObject::TableFont() { return Forward([](ChartStyle& s) { return s.TableFont(); }); }
void ChartStyleObject::setTableFont(const QString& v) { Forward([&](ChartStyle& s) { s.setTableFont(v); }); }
QString ChartStyleObject::LabelFont() { return Forward([](ChartStyle& s) { return s.LabelFont(); }); }
void ChartStyleObject::setLabelFont(const QString& v) { Forward([&](ChartStyle& s) { s.setLabelFont(v); }); }
qint32 ChartStyleObject::DeskColor() { return Forward([](ChartStyle& s) { return s.DeskColor(); }); }
void ChartStyleObject::setDeskColor(qint32 v) { Forward([&](ChartStyle& s) { s.setDeskColor(v); }); }
qint32 ChartStyleObject::ShadowColor() { return Forward([](ChartStyle& s) { return s.ShadowColor(); }); }
void ChartStyleObject::setShadowColor(qint32 v) { Forward([&](ChartStyle& s) { s.setShadowColor(v); }); }
qint32 ChartStyleObject::TextColor() { return Forward([](ChartStyle& s) { return s.TextColor(); }); }
void ChartStyleObject::setTextColor(qint32 v) { Forward([&](ChartStyle& s) { s.setTextColor(v); }); }
qint32 ChartStyleObject::GraphForeColor() { return Forward([](ChartStyle& s) { return s.GraphForeColor(); }); }
void ChartStyleObject::setGraphForeColor(qint32 v) { Forward([&](ChartStyle& s) { s.setGraphForeColor(v); }); }
qint32 ChartStyleObject::GraphBackColor() { return Forward([](ChartStyle& s) { return s.GraphBackColor(); }); }
void ChartStyleObject::setGraphBackColor(qint32 v) { Forward([&](ChartStyle& s) { s.setGraphBackColor(v); }); }
qint32 ChartStyleObject::TableForeColor() { return Forward([](ChartStyle& s) { return s.TableForeColor(); }); }
void ChartStyleObject::setTableForeColor(qint32 v) { Forward([&](ChartStyle& s) { s.setTableForeColor(v); }); }
qint32 ChartStyleObject::TableBackColor() { return Forward([](ChartStyle& s) { return s.TableBackColor(); }); }
void ChartStyleObject::setTableBackColor(qint32 v) { Forward([&](ChartStyle& s) { s.setTableBackColor(v); }); }
qint32 ChartStyleObject::SubsetColor(qint32 i) { return Forward([&](ChartStyle& s) { return s.SubsetColor(i); }); }
qint32 ChartStyleObject::GetNextColor() { return Forward([](ChartStyle& s) { return s.GetNextColor(); }); }
qint32 ChartStyleObject::Colors() { return Forward([](ChartStyle& s) { return s.Colors(); }); }
bool ChartStyleObject::MarkDataPoints() { return Forward([](ChartStyle& s) { return s.MarkDataPoints(); }); }
void ChartStyleObject::setMarkDataPoints(bool v) { Forward([&](ChartStyle& s) { s.setMarkDataPoints(v); }); }
qint32 ChartStyleObject::GridStyle() { return Forward([](ChartStyle& s) { return qint32(s.GridStyle()); }); }
void ChartStyleObject::setGridStyle(qint32 v) { Forward([&](ChartStyle& s) { s.setGridStyle(GridStyles(v)); }); }
QString ChartStyleObject::GridStyleName() { return Forward([](ChartStyle& s) { return s.GridStyleName(); }); }
void ChartStyleObject::setGridStyleName(const QString& v) { Forward([&](ChartStyle& s) { s.setGridStyleName(v); }); }
bool ChartStyleObject::GridInFront() { return Forward([](ChartStyle& s) { return s.GridInFront(); }); }
void ChartStyleObject::setGridInFront(bool v) { Forward([&](ChartStyle& s) { s.setGridInFront(v); }); }
qint32 ChartStyleObject::FontSize() { return Forward([](ChartStyle& s) { return qint32(s.FontSize()); }); }
void ChartStyleObject::setFontSize(qint32 v) { Forward([&](ChartStyle& s) { s.setFontSize(FontSizes(v)); }); }
QString ChartStyleObject::FontSizeName() { return Forward([](ChartStyle& s) { return s.FontSizeName(); }); }
void ChartStyleObject::setFontSizeName(const QString& v) { Forward([&](ChartStyle& s) { s.setFontSizeName(v); }); }
qint32 ChartStyleObject::PointLabelOrientation() { return Forward([](ChartStyle& s) { return qint32(s.PointLabelOrientation()); }); }
void ChartStyleObject::setPointLabelOrientation(qint32 v) { Forward([&](ChartStyle& s) { s.setPointLabelOrientation(PointLabelOrientations(v)); }); }
QString ChartStyleObject::PointLabelOrientationName() { return Forward([](ChartStyle& s) { return s.PointLabelOrientationName(); }); }
void ChartStyleObject::setPointLabelOrientationName(const QString& v) { Forward([&](ChartStyle& s) { s.setPointLabelOrientationName(v); }); }
bool ChartStyleObject::IncludeAMPM() { return Forward([](ChartStyle& s) { return s.IncludeAMPM(); }); }
void ChartStyleObject::setIncludeAMPM(bool v) { Forward([&](ChartStyle& s) { s.setIncludeAMPM(v); }); }
qint32 ChartStyleObject::TableStyle() { return Forward([](ChartStyle& s) { return qint32(s.TableStyle()); }); }
void ChartStyleObject::setTableStyle(qint32 v) { Forward([&](ChartStyle& s) { s.setTableStyle(TableStyles(v)); }); }
bool ChartStyleObject::OverLappingAxes() { return Forward([](ChartStyle& s) { return s.OverLappingAxes(); }); }
void ChartStyleObject::setOverLappingAxes(bool v) { Forward([&](ChartStyle& s) { s.setOverLappingAxes(v); }); }
bool ChartStyleObject::AutoCalcTitles() { return Forward([](ChartStyle& s) { return s.AutoCalcTitles(); }); }
void ChartStyleObject::setAutoCalcTitles(bool v) { Forward([&](ChartStyle& s) { s.setAutoCalcTitles(v); }); }
void ChartStyleObject::Reset() { Forward([](ChartStyle& s) { s.Reset(); }); }
void ChartStyleObject::LoadDefaultPallete() { Forward([](ChartStyle& s) { s.LoadDefaultPallete(); }); }
// clang-format on

void ChartStyleObject::SaveStyle(const QString& fileName)
{
    Forward([&](ChartStyle& s) {
        if (!s.SaveStyle(fileName))
            throw std::runtime_error("the style file cannot be written");
    });
}

void ChartStyleObject::LoadStyle(const QString& fileName)
{
    Forward([&](ChartStyle& s) {
        if (!s.LoadStyle(fileName))
            throw std::runtime_error("the style file cannot be read");
    });
}
