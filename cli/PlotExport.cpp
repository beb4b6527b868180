#include "cli/PlotExport.h"

#include <charconv>

namespace sonavel::cli {

namespace {

// The shortest text that reads back as exactly the same number.
std::string ExactNumber(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

}  // namespace

std::string CurvesCsv(const ResponsePlot& plot) {
    std::string csv = "point,channel1,channel2\n";
    for (int point = 2; point <= kPlotPoints; ++point)
        csv += std::to_string(point) + "," + ExactNumber(At(plot.SumCurve(1), point)) + "," +
               ExactNumber(At(plot.SumCurve(2), point)) + "\n";
    return csv;
}

std::string SegmentsCsv(const ResponsePlot& plot) {
    std::string csv = "channel,x1,y1,x2,y2\n";
    for (const PlotSegment& s : plot.segments())
        csv += std::to_string(s.channel) + "," + ExactNumber(s.x1) + "," + ExactNumber(s.y1) + "," +
               ExactNumber(s.x2) + "," + ExactNumber(s.y2) + "\n";
    return csv;
}

}  // namespace sonavel::cli
