#pragma once
// The response plot as text: the summed curves and the drawn segments.
#include <string>

#include "response/ResponsePlot.h"

namespace sonavel::cli {

// "frequency_hz,channel1_db,channel2_db", then one row for each of the 301 frequencies the
// equalizer offers (19.7 Hz .. 20160 Hz), with the level the plot shows there for each channel.
std::string LevelsCsv(const ResponsePlot& plot);

// "point,channel1,channel2", then one row for each plot point 2..510 with the two channels'
// summed curves in plot units (52 per dB, positive = attenuation).
std::string CurvesCsv(const ResponsePlot& plot);

// "channel,x1,y1,x2,y2", then every drawn segment in drawing order, in twips.
std::string SegmentsCsv(const ResponsePlot& plot);

}  // namespace sonavel::cli
