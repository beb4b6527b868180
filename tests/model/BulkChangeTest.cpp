#include <gtest/gtest.h>

#include "model/BulkChange.h"
#include "model/ScaleTables.h"

using namespace sonavel;

TEST(BulkChange, ValuesAreClampedThenPositionsAndCrossoverCodesDerived) {
    ParameterStore store;
    InitDSPPremeter(store);
    store.EqGain(2, 4) = 0;
    store.EqQFactor(1, 2) = 300;
    store.HpType(1) = 8;   // Chebychev high-pass on channel 1
    store.LpType(2) = 12;  // beyond the list: its last position, Chebychev low-pass
    store.CompRatio(1) = 101, store.CompRatio(2) = 20;  // a loaded 101 shows as the limiter
    store.GainLevel(4) = 0;  // channel 2's output gain is mute
    store.MuteState(1) = 1;  // channel 1's is not
    BringStoreInLine(store);

    // Positions of 103, 203, 1000, 1960, 5040, 1000, 1000 Hz: the last table entry below.
    const int16_t positions[] = {72, 112, 169, 205, 239, 169, 169};
    for (int band = 1; band <= 7; ++band) EXPECT_EQ(store.EqFreqPosition(2, band), positions[band - 1]);
    EXPECT_DOUBLE_EQ(store.EqGainDb(2, 4), 12.0);
    EXPECT_DOUBLE_EQ(store.EqQValue(1, 2), QfactorData[100]);
    EXPECT_DOUBLE_EQ(store.EqGainDb(1, 6), 24.0);
    EXPECT_DOUBLE_EQ(store.EqQValue(2, 7), 0.8);
    const std::array<int16_t, 4> types = {store.EqType(1, 6), store.EqType(1, 7), store.EqType(2, 6), store.EqType(2, 7)};
    EXPECT_EQ(types, (std::array<int16_t, 4>{3, 10, 11, 2}));
    EXPECT_EQ((std::array<int16_t, 2>{store.CompRatio(1), store.CompRatio(2)}), (std::array<int16_t, 2>{100, 20}));
    EXPECT_EQ((std::array<int16_t, 4>{store.MuteState(1), store.OutputLevel(1), store.MuteState(2), store.OutputLevel(2)}),
              (std::array<int16_t, 4>{0, 121, 1, 0}));

    const ParameterStore once = store;
    BringStoreInLine(store);
    EXPECT_EQ(store, once) << "a store in line stays as it is";
}

// One list position at a time, as the crossover lists and the unit set them.
TEST(BulkChange, ACrossoverListPositionSetsItsCodeAndByPassKeepsThePreviousOne) {
    ParameterStore store;
    InitDSPPremeter(store);
    SetCrossoverListPosition(store, 1, kLowPassBand, 3);
    EXPECT_EQ(store.EqType(1, kLowPassBand), 7);
    SetCrossoverListPosition(store, 1, kLowPassBand, 0);
    EXPECT_EQ((std::array<int16_t, 2>{store.LpType(1), store.EqType(1, kLowPassBand)}), (std::array<int16_t, 2>{0, 7}));
}
