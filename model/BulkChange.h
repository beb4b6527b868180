#pragma once
// The one rule that brings the store in line after a bulk change (settings read from a unit,
// a preset loaded or made, a simulated unit's start): what the controls can show, the
// crossover bands' filter codes and the derived fields all follow from the stored values.
// The window's refresh afterwards only shows the store.
#include "model/ParameterStore.h"

namespace sonavel {

constexpr double kCrossoverGainDb = 24.0;
constexpr double kCrossoverQValue = 0.8;

// Every field clamped into its range; EqType of bands 6 and 7 from LpType and HpType (list
// position 0 keeps the code); every band's derived fields; a CompRatio above 1:20 stored as
// the limiter (100); OutputLevel from the output gain and MuteState set when that gain is
// mute (0), so that each mute box shows its own channel.
void BringStoreInLine(ParameterStore& store);

// One band's derived fields: EqFreqPosition, EqGainDb and EqQValue (24 dB and Q 0.8 for the
// crossover bands 6 and 7).
void RefreshBandFields(ParameterStore& store, int channel, int band);

}  // namespace sonavel
