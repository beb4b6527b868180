#include "cli/PlotExport.h"

#include "cli/ExactNumber.h"
#include "model/ScaleTables.h"

namespace sonavel::cli {

namespace {

constexpr double kPlotUnitsPerDb = 52.0;  // positive plot units are attenuation

}  // namespace

std::string LevelsCsv(const ResponsePlot& plot) {
    std::string csv = "frequency_hz,channel1_db,channel2_db\n";
    for (int position = 0; position < kFrequencyPositions; ++position) {
        const int point = plot.positions().pointOf(position);
        csv += ExactNumber(FregData[position]);
        for (int channel = 1; channel <= 2; ++channel)
            csv += "," + ExactNumber(-At(plot.SumCurve(channel), point) / kPlotUnitsPerDb);
        csv += "\n";
    }
    return csv;
}

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
