#pragma once
// The differences between two preset records, one line per differing value.
#include <string>
#include <vector>

#include "presets/PresetRecord.h"

namespace sonavel::cli {

// Lines like "EqGain(1,3): 0 dB (24) -> -3 dB (30)" in record field order, preceded by the
// name when it differs; empty when the records carry the same settings and name.
std::vector<std::string> DiffPresets(const PresetRecord& a, const PresetRecord& b);

}  // namespace sonavel::cli
