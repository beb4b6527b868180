#pragma once
// A preset as the editor holds it right after its "Load".
#include "presets/PresetRecord.h"

namespace sonavel::cli {

// The store defaults, then the record with the load check, limits and clamping, then the
// refresh's derived fields and crossover codes. Throws CliError when the record fails the
// load check.
ParameterStore StoreOfLoadedPreset(const PresetRecord& record);

}  // namespace sonavel::cli
