#pragma once
// The drawing step: a channel's sum of band curves turned into the line segments that show it.
#include <vector>

#include "response/PlotGeometry.h"

namespace sonavel {

// One straight line of a curve, in twips of the plot control.
struct PlotSegment {
    int channel = 0;  // 1 or 2
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const PlotSegment&) const = default;
};

struct SegmentEnds {
    double x1, y1, x2, y2;
};

// Moves each end that lies beyond an edge onto it, one coordinate at a time: left, right,
// top, then bottom edge. The other coordinate of that end is not interpolated.
SegmentEnds ClipSegment(SegmentEnds ends);

bool InsideDrawWindow(double x, double y);

// Appends the segments of one channel's summed curve (points 2..509) to `segments`; ends
// that are not numbers are never drawn.
void AppendChannelSegments(int channel, const Curve& sum, const std::array<double, kGridSize>& plotX,
                           std::vector<PlotSegment>& segments);

}  // namespace sonavel
