#pragma once
// Store values in the units a person sets them in, both ways: the raw position of a field
// as dB, Hz, Q, ms, dB/s, a ratio or a type name, and such a value back to its position.
#include <string>
#include <string_view>
#include <variant>

#include "model/StoreFields.h"

namespace sonavel::cli {

// A number in the field's unit, or a word for positions that have one ("Mute", "1:4",
// "Limiter", "Peak", "Butterworth -24dB/oct").
using UnitValue = std::variant<double, std::string>;

// The field's unit as a JSON key: "dB", "Hz", "Q", "ms", "dB/s", "ratio" or "type"; empty
// for plain numbers and flags.
std::string_view UnitKey(const StoreField& field);

// The value of a position within the field's range (the field has a unit).
UnitValue ValueInUnit(const StoreField& field, int raw);

// The position holding that value. Throws CliError naming the element: for a number
// between two steps of the unit with the nearest values it can take, for a number beyond
// the range with the range, for an unknown word with the words it knows.
int RawFromUnit(const StoreField& field, const UnitValue& value, const std::string& element);

}  // namespace sonavel::cli
