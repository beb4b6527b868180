#include "response/PlotDrawing.h"

#include <cmath>

namespace sonavel {

SegmentEnds ClipSegment(SegmentEnds e) {
    if (e.x1 >= kDrawLeft && e.x2 <= kDrawLeft)
        e.x2 = kDrawLeft;
    else if (e.x1 <= kDrawLeft && e.x2 >= kDrawLeft)
        e.x1 = kDrawLeft;

    if (e.x1 >= kDrawRight && e.x2 <= kDrawRight)
        e.x1 = kDrawRight;
    else if (e.x1 <= kDrawRight && e.x2 >= kDrawRight)
        e.x2 = kDrawRight;

    if (e.y1 >= kDrawTop && e.y2 <= kDrawTop)
        e.y2 = kDrawTop;
    else if (e.y1 <= kDrawTop && e.y2 >= kDrawTop)
        e.y1 = kDrawTop;

    if (e.y1 >= kDrawBottom && e.y2 <= kDrawBottom)
        e.y1 = kDrawBottom;
    else if (e.y1 <= kDrawBottom && e.y2 >= kDrawBottom)
        e.y2 = kDrawBottom;
    return e;
}

bool InsideDrawWindow(double x, double y) {
    return x >= kDrawLeft && x <= kDrawRight && y >= kDrawTop && y <= kDrawBottom;
}

void AppendChannelSegments(int channel, const Curve& sum, const std::array<double, kGridSize>& plotX,
                           std::vector<PlotSegment>& segments) {
    // The walk starts left of point 2; that first stretch always lies outside the window.
    double x1 = kPlotXOrigin;
    double y1 = PlotYOf(At(sum, 2));
    for (int i = 3; i <= kPlotPoints - 1; ++i) {
        const double x2 = plotX[i - 1];
        const double y2 = PlotYOf(At(sum, i));
        const SegmentEnds clipped = ClipSegment({x1, y1, x2, y2});
        // A start that is not a number cannot be clipped; such a stretch is skipped.
        if (InsideDrawWindow(clipped.x2, clipped.y2) && !std::isnan(clipped.y1))
            segments.push_back({channel, clipped.x1, clipped.y1, clipped.x2, clipped.y2});
        x1 = x2;
        y1 = y2;
    }
}

}  // namespace sonavel
