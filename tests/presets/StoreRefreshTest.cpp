#include <gtest/gtest.h>

#include "model/ScaleTables.h"
#include "presets/StoreRefresh.h"

namespace sonavel {
namespace {

TEST(StoreRefresh, DefaultsGetTheirPositionsAndTheCrossoverCodes) {
    ParameterStore store;
    InitDSPPremeter(store);
    store.EqGain(2, 4) = 0;
    store.HpType(1) = 8;  // Chebychev high-pass on channel 1
    store.CompRatio(1) = 101, store.CompRatio(2) = 20;  // a loaded 101 shows as the limiter
    ApplyRefreshToStore(store);

    // Positions of 103, 203, 1000, 1960, 5040, 1000, 1000 Hz: the last table entry below.
    const int16_t positions[] = {72, 112, 169, 205, 239, 169, 169};
    for (int band = 1; band <= 7; ++band) EXPECT_EQ(store.EqFreqPosition(2, band), positions[band - 1]);
    EXPECT_DOUBLE_EQ(store.EqGainDb(2, 4), 12.0);
    EXPECT_DOUBLE_EQ(store.EqQValue(1, 5), QfactorData[35]);
    EXPECT_DOUBLE_EQ(store.EqGainDb(1, 6), 24.0);
    EXPECT_DOUBLE_EQ(store.EqQValue(2, 7), 0.8);
    // Codes from the lists (channel 2's band 6 list is on "ByPass": its start-up code stays).
    const std::array<int16_t, 4> types = {store.EqType(1, 6), store.EqType(1, 7), store.EqType(2, 6), store.EqType(2, 7)};
    EXPECT_EQ(types, (std::array<int16_t, 4>{3, 10, 2, 2}));
    EXPECT_EQ(store.OutputLevel(1), 121);
    EXPECT_EQ(store.CompRatio(1), 100);
    EXPECT_EQ(store.CompRatio(2), 20);
}

}  // namespace
}  // namespace sonavel
