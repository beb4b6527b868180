#include "presets/StoreRefresh.h"

#include "model/ScaleTables.h"
#include "model/ValueScales.h"

namespace sonavel {

void ApplyRefreshToStore(ParameterStore& store) {
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        for (int band = 1; band <= kBandCount; ++band) {
            store.EqFreqPosition(ch, band) =
                static_cast<int16_t>(GetFregPosition(store.EqFrequency(ch, band)));
            const bool crossover = band == kLowPassBand || band == kHighPassBand;
            store.EqGainDb(ch, band) =
                crossover ? kCrossoverGainDb : GainDbFromPosition(store.EqGain(ch, band));
            store.EqQValue(ch, band) =
                crossover ? kCrossoverQValue : QfactorData.at(store.EqQFactor(ch, band));
        }
        SetCrossoverListPosition(store, ch, kHighPassBand, store.HpType(ch));
        SetCrossoverListPosition(store, ch, kLowPassBand, store.LpType(ch));
        store.OutputLevel(ch) = store.GainLevel(ch + 2);
        // The ratio control has one step above 1:20, the limiter; it stores every higher value so.
        if (store.CompRatio(ch) > kHighestRatio) store.CompRatio(ch) = kLimiterRatio;
    }
}

}  // namespace sonavel
