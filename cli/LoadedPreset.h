#pragma once
// A preset file's first record as the editor holds it right after its "Load".
#include <string>

#include "model/ParameterStore.h"

namespace sonavel::cli {

// The store defaults, then record 1 of the file with the load check, limits and clamping,
// then the refresh's derived fields and crossover codes. Throws CliError naming the file
// when it cannot be read or its record fails the load check.
ParameterStore LoadedPresetFile(const std::string& path);

}  // namespace sonavel::cli
