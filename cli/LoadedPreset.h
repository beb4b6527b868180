#pragma once
// A preset file's record as the editor holds it right after its "Load".
#include <string>

#include "model/ParameterStore.h"

namespace sonavel::cli {

// The store defaults, then the record of the file with the load check, limits and clamping,
// then the refresh's derived fields and crossover codes. Throws CliError naming the file
// when it cannot be read or its record fails the load check.
ParameterStore LoadedPresetFile(const std::string& path, int recordNumber = 1);

}  // namespace sonavel::cli
