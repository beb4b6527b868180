#pragma once
// A preset file's record as the editor holds it right after its "Load".
#include <string>

#include "model/ParameterStore.h"
#include "presets/PresetRecord.h"

namespace sonavel::cli {

// The store defaults, then the record with the load check, then the store brought in line
// as after every bulk change (clamped, crossover codes from the lists, derived fields).
// Throws CliError naming the source when the record fails the load check.
ParameterStore LoadedStore(const PresetRecord& record, const std::string& source);

// LoadedStore of that record of the file. Throws CliError naming the file and the record
// when it cannot be read or fails the load check.
ParameterStore LoadedPresetFile(const std::string& path, int recordNumber = 1);

}  // namespace sonavel::cli
