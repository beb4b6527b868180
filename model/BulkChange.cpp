#include "model/BulkChange.h"

#include "model/ScaleTables.h"
#include "model/StoreFields.h"
#include "model/ValueScales.h"

namespace sonavel {

void RefreshBandFields(ParameterStore& store, int channel, int band) {
    store.EqFreqPosition(channel, band) = static_cast<int16_t>(GetFregPosition(store.EqFrequency(channel, band)));
    const bool crossover = band == kLowPassBand || band == kHighPassBand;
    store.EqGainDb(channel, band) = crossover ? kCrossoverGainDb : GainDbFromPosition(store.EqGain(channel, band));
    store.EqQValue(channel, band) = crossover ? kCrossoverQValue : QfactorData.at(store.EqQFactor(channel, band));
}

void BringStoreInLine(ParameterStore& store) {
    ClampIntoRange(store);
    ApplyCrossoverListPositions(store);
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        for (int band = 1; band <= kBandCount; ++band) RefreshBandFields(store, ch, band);
        // The ratio control has one step above 1:20, the limiter; it stores every higher value so.
        if (store.CompRatio(ch) > kHighestRatio) store.CompRatio(ch) = kLimiterRatio;
        const int16_t outputGain = store.GainLevel(ch + 2);
        store.OutputLevel(ch) = outputGain;
        store.MuteState(ch) = outputGain == 0 ? 1 : 0;
    }
}

}  // namespace sonavel
