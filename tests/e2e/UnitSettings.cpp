#include "UnitSettings.h"

#include <QCheckBox>
#include <gtest/gtest.h>

#include "editor/Controls.h"
#include "editor/WindowLayout.h"

namespace e2e {

using namespace sonavel;

ParameterStore UnitSettings(int variant) {
    ParameterStore s{};
    InitDSPPremeter(s);
    const int16_t equalizerTypes[] = {1, 4, 5};
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const int k = variant + 3 * ch;  // differs between channels and variants
        for (int b = 1; b <= kBandCount; ++b) {
            s.EqFrequency(ch, b) = static_cast<int16_t>(40 + 2400 * (b - 1) + 97 * k + 7 * variant);
            s.EqGain(ch, b) = static_cast<int16_t>((5 * b + 11 * k) % 49);
            s.EqQFactor(ch, b) = static_cast<int16_t>((13 * b + 7 * k) % 101);
            s.EqByPass(ch, b) = static_cast<int16_t>((b + variant) % 2);
            if (b <= kEqBandCount) s.EqType(ch, b) = equalizerTypes[(b + variant) % 3];
        }
        SetCrossoverListPosition(s, ch, kLowPassBand, 1 + (k % 8));
        SetCrossoverListPosition(s, ch, kHighPassBand, 1 + ((k + 3) % 8));
        s.DelaySamples(ch) = static_cast<int16_t>(10 * k + 1);
        s.CompThreshold(ch) = static_cast<int16_t>(90 - 7 * k);
        s.CompAttack(ch) = static_cast<int16_t>(15 * k);
        s.CompRelease(ch) = static_cast<int16_t>(101 * k);
        s.CompRatio(ch) = static_cast<int16_t>(1 + k);
        s.InvertStatus(ch) = static_cast<int16_t>((variant + ch) % 2);
        s.FuncByPass6(ch) = static_cast<int16_t>((variant + ch + 1) % 2);
        s.FuncByPass3(ch) = static_cast<int16_t>((variant + ch) % 2);
    }
    for (int i = 1; i <= 4; ++i) s.GainLevel(i) = static_cast<int16_t>(20 * variant + 5 * i);
    return s;
}

void ExpectControlsShow(const MainWindow& window, const ParameterStore& s) {
    const int typePosition[] = {-1, 0, -1, -1, 1, 2};  // EqType 1, 4, 5 -> list position
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const ChannelWidgets& w = window.widgets().channels.at(ch - 1);
        for (int i = 0; i < kEqBandCount; ++i) {
            const int band = i + 1;
            SCOPED_TRACE(testing::Message() << "channel " << ch << " band " << band);
            EXPECT_EQ(w.frequencyArrows[i]->value(), 20180 - s.EqFrequency(ch, band));
            EXPECT_EQ(w.gainArrows[i]->value(), s.EqGain(ch, band));
            EXPECT_EQ(w.qArrows[i]->value(), 100 - s.EqQFactor(ch, band));
            EXPECT_EQ(w.typeLists[i]->currentIndex(), typePosition[s.EqType(ch, band)]);
            EXPECT_EQ(w.offBoxes[i]->isChecked(), s.EqByPass(ch, band) == 1);
        }
        EXPECT_EQ(w.crossoverLists[0]->currentIndex(), s.LpType(ch));
        EXPECT_EQ(w.crossoverLists[1]->currentIndex(), s.HpType(ch));
        EXPECT_EQ(w.frequencyArrows[5]->value(), 20180 - s.EqFrequency(ch, kLowPassBand));
        EXPECT_EQ(w.frequencyArrows[6]->value(), 20180 - s.EqFrequency(ch, kHighPassBand));
        EXPECT_EQ(w.invert->isChecked(), s.InvertStatus(ch) == 1);
        EXPECT_EQ(w.inputGain->value(), 145 - s.GainLevel(ch));
    }
}

}  // namespace e2e
