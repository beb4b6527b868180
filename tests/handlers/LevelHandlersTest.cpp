// Gain, output gain, delay, compressor, mute, invert and function switches.
#include "HandlerFixture.h"

namespace sonavel {
namespace {

using LevelHandlersTest = EditingTest;

TEST_F(LevelHandlersTest, GainDelayAndCompressorTextsStoreAndMessage) {
    const std::tuple<int, const char*, int> gains[] = {{0, " 12dB", 145}, {145, "Mute", 0}, {144, "-60dB", 1}};
    for (auto [value, text, level] : gains) {
        Channel(1).inputGain.SetValue(value);
        EXPECT_EQ(Channel(1).inputGainBox.text(), text);
        EXPECT_EQ(Store().GainLevel(1), level);
    }
    const std::tuple<int, const char*, int> delays[] = {{149, " .021mS", 2}, {0, " 3.125mS", 151},
                                                        {147, " .062mS", 4}};  // 62.5 us to the even 62
    for (auto [value, text, samples] : delays) {
        Channel(2).delay.SetValue(value);
        EXPECT_EQ(Channel(2).delayBox.text(), text);
        EXPECT_EQ(Store().DelaySamples(2), samples);
    }
    EXPECT_EQ(Sent().size(), 6u);

    auto& arrows = Channel(2).compressorArrows;
    const std::tuple<int, int, const char*> settings[] = {{0, 100, "-50dB"}, {1, 0, " 200mS"}, {2, 0, " 1000dB/S"}};
    for (auto [control, value, text] : settings) {
        arrows[control].SetValue(value);
        EXPECT_EQ(Channel(2).compressorBoxes[control].text(), text);
    }
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 0F 02 02 C8 0A 00 00 01 01 05 60"));
    const std::tuple<int, const char*, int> ratios[] = {{2, "1: 20", 20}, {1, "Limiter", 100}};
    for (auto [value, text, ratio] : ratios) {
        Channel(1).compressorArrows[3].SetValue(value);
        EXPECT_EQ(Channel(1).compressorBoxes[3].text(), text);
        EXPECT_EQ(Store().CompRatio(1), ratio);
    }
    EXPECT_EQ(Sent().back()[11], 100);
}

TEST_F(LevelHandlersTest, MuteInvertAndFunctionSwitches) {
    Channel(2).outputGain.SetValue(145 - 100);  // the hidden output gain of channel 2
    Channel(2).mute.SetChecked(true);
    EXPECT_EQ(Store().OutputLevel(2), 0);
    Channel(2).outputGain.SetValue(145 - 90);  // moving it while muted keeps the output silent
    EXPECT_EQ(Store().OutputLevel(2), 0);
    Channel(2).mute.SetChecked(false);  // unmuted at 0 dB
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 0F 01 79 79 79 79 01 01 01 05 60"));

    Channel(2).invert.SetChecked(true);
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 0C 09 00 00 01 01 05 60"));
    Controls().functionSwitches[1].SetChecked(true);  // "BYPass" of channel 2: function 6
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 0B 06 02 01 01 05 60"));
}

}  // namespace
}  // namespace sonavel
