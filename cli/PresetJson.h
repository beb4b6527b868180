#pragma once
// A preset record as JSON: "PresetName" (trailing blanks removed) and every store field the
// record carries under its store name. Band fields are [[channel 1 bands 1..7],
// [channel 2 bands 1..7]], channel fields [channel 1, channel 2], GainLevel its four entries.
#include <string>

#include "presets/PresetRecord.h"

namespace sonavel::cli {

// With units, each element of a field that has one is {"raw": position, UNIT: value}
// (see FieldUnits.h); without, every element is its raw position.
std::string PresetToJson(const PresetRecord& record, bool withUnits = true);

// The reverse: fields left out take the store defaults, the name defaults to empty. Each
// element is a raw position or an object with "raw", its unit's value or both. Text that is
// not JSON (see JsonReader.h), an unknown or repeated field, a raw value that is no whole
// number or lies outside the field's range, a value between the unit's steps, an array of
// the wrong shape, or a name the record cannot hold is a CliError. Plain C++, no Qt.
PresetRecord PresetFromJson(const std::string& json);

}  // namespace sonavel::cli
