#pragma once
// Settings and curve helpers for the plot tests.
#include <algorithm>
#include <utility>

#include "model/ParameterStore.h"
#include "response/ResponsePlot.h"

namespace sonavel::testing {

// Start-up values with every equalizer band at 0 dB and frequency position 170 (1000 Hz),
// both crossover lists on "ByPass"; bands 6 and 7 carry the gain the control refresh gives them.
inline ParameterStore FlatStore() {
    ParameterStore store;
    InitDSPPremeter(store);
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        for (int band = 1; band <= kBandCount; ++band) {
            store.EqGainDb(channel, band) = band <= kEqBandCount ? 0.0 : 24.0;
            store.EqFreqPosition(channel, band) = 170;
        }
        store.LpType(channel) = store.HpType(channel) = 0;
    }
    return store;
}

// Lowest point of a curve among points first..last, and its value.
inline std::pair<int, double> Lowest(const Curve& curve, int first, int last) {
    const auto it = std::min_element(curve.begin() + first - 1, curve.begin() + last);
    return {static_cast<int>(it - curve.begin()) + 1, *it};
}

}  // namespace sonavel::testing
