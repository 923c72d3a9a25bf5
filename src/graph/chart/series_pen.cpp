#include "series_pen.h"

SeriesPen SeriesPenOf(int lineTypeCode)
{
    switch (lineTypeCode) {
    case 9:
        return {2, Qt::SolidLine};
    case 5:
        return {3, Qt::SolidLine};
    case 10:
        return {4, Qt::SolidLine};
    case 6:
        return {5, Qt::SolidLine};
    case 11:
        return {6, Qt::SolidLine};
    case 1:
        return {1, Qt::DashLine};
    case 2:
        return {1, Qt::DotLine};
    case 3:
        return {1, Qt::DashDotLine};
    case 4:
        return {1, Qt::DashDotDotLine};
    default:
        return {1, Qt::SolidLine};
    }
}

bool IsHorizontalMethod(int plottingMethodCode)
{
    return plottingMethodCode == 17 || plottingMethodCode == 18;
}
