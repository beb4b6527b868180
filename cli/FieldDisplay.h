#pragma once
// A raw store value as a person reads it: dB, Hz, ms, Q, list names.
#include <string>

#include "model/StoreFields.h"

namespace sonavel::cli {

// "-3 dB", "1000 Hz", "0.021 ms", "Q 1.41", "1:4", "Limiter", "Butterworth -24dB/oct";
// empty for plain numbers and flags and for values outside the field's range.
std::string DisplayValue(const StoreField& field, int raw);

}  // namespace sonavel::cli
