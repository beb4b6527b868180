#pragma once
// The response the editor shows right after loading a preset, as text and as a picture.
#include <memory>
#include <string>

#include "presets/PresetRecord.h"
#include "response/ResponsePlot.h"

namespace sonavel::cli {

// Loads the record into a fresh store as the editor's Load does (checks, refresh of the
// derived fields and crossover codes) and draws every band. Throws CliError when the record
// fails the load check.
std::unique_ptr<ResponsePlot> PlotOfPreset(const PresetRecord& record);

// "point,channel1,channel2", then one row for each plot point 2..510 with the two channels'
// summed curves in plot units (52 per dB, positive = attenuation).
std::string CurvesCsv(const ResponsePlot& plot);

// "channel,x1,y1,x2,y2", then every drawn segment in drawing order, in twips.
std::string SegmentsCsv(const ResponsePlot& plot);

// The shortest text that reads back as exactly the same number.
std::string ExactNumber(double value);

}  // namespace sonavel::cli
