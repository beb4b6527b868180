#pragma once
// A preset record as JSON: "PresetName" (trailing blanks removed) and every store field the
// record carries under its store name. Band fields are [[channel 1 bands 1..7],
// [channel 2 bands 1..7]], channel fields [channel 1, channel 2], GainLevel its four entries.
#include <string>

#include "presets/PresetRecord.h"

namespace sonavel::cli {

std::string PresetToJson(const PresetRecord& record);

// The reverse: fields left out take the store defaults, the name defaults to empty. An
// unknown field, a value that is no whole number or lies outside the field's range, an
// array of the wrong shape, or a name the record cannot hold is a CliError.
PresetRecord PresetFromJson(const std::string& json);

}  // namespace sonavel::cli
