#pragma once
// What showing a bulk change of the store (a loaded preset, settings read from a unit) does
// to the store itself, without any window: the derived band fields are recomputed and the
// crossover lists rewrite the type codes of bands 6 and 7. The response plot and the
// whole-settings message of a loaded preset are built from the store in this state.
#include "model/ParameterStore.h"

namespace sonavel {

constexpr double kCrossoverGainDb = 24.0;
constexpr double kCrossoverQValue = 0.8;

// For every channel and band: EqFreqPosition from EqFrequency, EqGainDb from EqGain and
// EqQValue from EqQFactor, with bands 6 and 7 at 24 dB and Q 0.8; then EqType of bands 6
// and 7 from LpType and HpType (list position 0 keeps the code), OutputLevel from the
// output gains, and a CompRatio above 1:20 as the limiter (100). Expects the store within its ranges (as a load or a read leaves it).
void ApplyRefreshToStore(ParameterStore& store);

// One band's derived fields: EqFreqPosition, EqGainDb and EqQValue (24 dB and Q 0.8 for the
// crossover bands 6 and 7).
void RefreshBandFields(ParameterStore& store, int channel, int band);

}  // namespace sonavel
