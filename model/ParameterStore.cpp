#include "model/ParameterStore.h"

namespace sonavel {

namespace {
constexpr int16_t kDefaultFreqPosition[kBandCount] = {72, 101, 170, 199, 240, 300, 170};
constexpr int16_t kDefaultFrequency[kBandCount] = {103, 203, 1000, 1960, 5040, 1000, 1000};
}  // namespace

void InitDSPPremeter(ParameterStore& s) {
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        s.GainLevel(ch) = 121;
        s.GainLevel(ch + 2) = 121;
        s.DelaySamples(ch) = 1;
        s.InvertStatus(ch) = 0;
        s.CompThreshold(ch) = 100;
        s.CompAttack(ch) = 0;
        s.CompRelease(ch) = 1;
        s.CompRatio(ch) = 1;
        s.LoudnessParam1(ch) = 100;
        s.LoudnessParam2(ch) = 41;
        s.LoudnessParam3(ch) = 0;
        for (int band = 1; band <= kBandCount; ++band) {
            s.EqFreqPosition(ch, band) = kDefaultFreqPosition[band - 1];
            s.EqFrequency(ch, band) = kDefaultFrequency[band - 1];
            s.EqGain(ch, band) = 24;
            s.EqQFactor(ch, band) = 35;
            s.EqType(ch, band) = 1;
        }
        s.EqType(ch, kLowPassBand) = 2;
        s.EqType(ch, kHighPassBand) = 3;
        s.FuncByPass6(ch) = 0;
        s.FuncByPass3(ch) = 1;
    }
    // Channel 1 is a low-pass channel, channel 2 a high-pass channel.
    s.LpType(1) = 5;
    s.HpType(1) = 0;
    s.LpType(2) = 0;
    s.HpType(2) = 5;
}

int16_t CrossoverEqType(int band, int listPosition, int16_t currentType) {
    if (listPosition < 1 || listPosition > 8) return currentType;
    // Families in list order: Butterworth, Bessel, Linkwitz-Riley, Chebychev.
    static constexpr int16_t kLowPassCodes[4] = {3, 9, 7, 11};
    static constexpr int16_t kHighPassCodes[4] = {2, 8, 6, 10};
    const int family = (listPosition - 1) % 4;
    if (band == kLowPassBand) return kLowPassCodes[family];
    if (band == kHighPassBand) return kHighPassCodes[family];
    return currentType;
}

void SetCrossoverListPosition(ParameterStore& s, int channel, int band, int listPosition) {
    (band == kLowPassBand ? s.LpType : s.HpType)(channel) = static_cast<int16_t>(listPosition);
    s.EqType(channel, band) = CrossoverEqType(band, listPosition, s.EqType(channel, band));
}

void ApplyCrossoverListPositions(ParameterStore& s) {
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        SetCrossoverListPosition(s, ch, kLowPassBand, s.LpType(ch));
        SetCrossoverListPosition(s, ch, kHighPassBand, s.HpType(ch));
    }
}

int16_t EqTypeForListPosition(int listPosition) {
    static constexpr int16_t kCodes[3] = {1, 4, 5};
    return (listPosition >= 0 && listPosition < 3) ? kCodes[listPosition] : -1;
}

int16_t OutputLevelRule(const ParameterStore& s, int channel) {
    return s.MuteState(channel) == 1 ? 0 : s.GainLevel(channel + 2);
}

}  // namespace sonavel
