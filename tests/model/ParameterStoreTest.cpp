#include <gtest/gtest.h>

#include <vector>

#include "model/ParameterStore.h"

using namespace sonavel;

TEST(ParameterStore, FreshStartDefaults) {
    ParameterStore s;
    InitDSPPremeter(s);
    // Channel 1: low-pass Butterworth -24dB/oct, high-pass bypassed; channel 2 the other way round.
    EXPECT_EQ((std::vector<int>{s.LpType(1), s.HpType(1), s.LpType(2), s.HpType(2)}), (std::vector{5, 0, 0, 5}));
    for (int n = 1; n <= 4; ++n) EXPECT_EQ(s.GainLevel(n), 121);
    for (int ch = 1; ch <= 2; ++ch)
        for (int band = 1; band <= kBandCount; ++band) EXPECT_EQ(s.EqGain(ch, band), 24);
}

TEST(ParameterStore, CrossoverAndOutputRules) {
    ParameterStore s;
    InitDSPPremeter(s);
    SetCrossoverListPosition(s, 1, kLowPassBand, 3);
    EXPECT_EQ(s.EqType(1, kLowPassBand), 7);
    SetCrossoverListPosition(s, 1, kLowPassBand, 0);  // ByPass keeps the previous code
    EXPECT_EQ(s.LpType(1), 0);
    EXPECT_EQ(s.EqType(1, kLowPassBand), 7);
    SetCrossoverListPosition(s, 2, kHighPassBand, 8);
    EXPECT_EQ(s.EqType(2, kHighPassBand), 10);
    EXPECT_EQ(CrossoverEqType(kHighPassBand, 6, 1), 8);
    EXPECT_EQ(CrossoverEqType(kLowPassBand, 9, 4), 4);

    s.GainLevel(4) = 130;
    EXPECT_EQ(OutputLevelRule(s, 2), 130);
    s.MuteState(2) = 1;
    EXPECT_EQ(OutputLevelRule(s, 2), 0);
}
