#pragma once

#include <Qt>

/// How a series line type code draws: codes 0, 9, 5, 10, 6, 11 are solid lines 1 to 6 pixels wide;
/// 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, one pixel wide. Other codes draw a thin solid line.
struct SeriesPen {
    int width = 1;
    Qt::PenStyle style = Qt::SolidLine;
};

SeriesPen SeriesPenOf(int lineTypeCode);

/// The plotting method codes whose values run left to right (horizontal bars).
bool IsHorizontalMethod(int plottingMethodCode);
