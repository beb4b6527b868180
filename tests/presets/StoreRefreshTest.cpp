#include <gtest/gtest.h>

#include "model/ScaleTables.h"
#include "presets/StoreRefresh.h"

namespace sonavel {
namespace {

TEST(StoreRefresh, DefaultsGetTheirPositionsAndTheCrossoverCodes) {
    ParameterStore store;
    InitDSPPremeter(store);
    store.EqGain(2, 4) = 0;
    ApplyRefreshToStore(store);

    // Positions of 103, 203, 1000, 1960, 5040, 1000, 1000 Hz: the last table entry below.
    const int16_t positions[] = {72, 112, 169, 205, 239, 169, 169};
    for (int ch = 1; ch <= 2; ++ch)
        for (int band = 1; band <= 7; ++band)
            EXPECT_EQ(store.EqFreqPosition(ch, band), positions[band - 1]) << ch << "," << band;
    EXPECT_DOUBLE_EQ(store.EqGainDb(1, 1), 0.0);
    EXPECT_DOUBLE_EQ(store.EqGainDb(2, 4), 12.0);
    EXPECT_DOUBLE_EQ(store.EqQValue(1, 5), QfactorData[35]);
    for (int ch = 1; ch <= 2; ++ch)
        for (int band : {6, 7}) {
            EXPECT_DOUBLE_EQ(store.EqGainDb(ch, band), 24.0);
            EXPECT_DOUBLE_EQ(store.EqQValue(ch, band), 0.8);
        }
    // Channel 1: low-pass Butterworth (code 3), high-pass bypassed keeps its start-up code 3;
    // channel 2: low-pass bypassed keeps 2, high-pass Butterworth gives 2.
    EXPECT_EQ(store.EqType(1, 6), 3);
    EXPECT_EQ(store.EqType(1, 7), 3);
    EXPECT_EQ(store.EqType(2, 6), 2);
    EXPECT_EQ(store.EqType(2, 7), 2);
    EXPECT_EQ(store.OutputLevel(1), 121);

    store.HpType(1) = 8;  // Chebychev high-pass
    store.LpType(2) = 6;  // Bessel low-pass
    ApplyRefreshToStore(store);
    EXPECT_EQ(store.EqType(1, 7), 10);
    EXPECT_EQ(store.EqType(2, 6), 9);
}

}  // namespace
}  // namespace sonavel
