// Gain, output gain, delay, compressor, mute, invert and function switches.
#include "EditorFixture.h"

namespace sonavel {
namespace {

using LevelControlsTest = EditingTest;

TEST_F(LevelControlsTest, GainAndDelayTextsStoreAndMessage) {
    const std::tuple<int, const char*, int> gains[] = {{0, " 12dB", 145}, {145, "Mute", 0}, {24, " 0dB", 121},
                                                       {144, "-60dB", 1}};
    for (auto [value, text, level] : gains) {
        Arrows("VScroll4_0")->setValue(value);
        EXPECT_EQ(Text("Text6_0"), text);
        EXPECT_EQ(window->store().GainLevel(1), level);
    }
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 0F 01 01 79 79 79 01 01 01 05 60"));
    const std::tuple<int, const char*, int> delays[] = {{149, " .021mS", 2}, {0, " 3.125mS", 151},
                                                        {147, " .062mS", 4}};  // 62.5 us to the even 62
    for (auto [value, text, samples] : delays) {
        Arrows("VScroll5_1")->setValue(value);
        EXPECT_EQ(Text("Text9_1"), text);
        EXPECT_EQ(window->store().DelaySamples(2), samples);
    }
    EXPECT_EQ(Sent().back()[11], 4);
    EXPECT_EQ(Sent().size(), 7u);
}

TEST_F(LevelControlsTest, CompressorControlsAndTheLimiter) {
    Arrows("VScroll12_0")->setValue(100);
    EXPECT_EQ(Text("Text12_0"), "-50dB");
    Arrows("VScroll12_1")->setValue(0);
    EXPECT_EQ(Text("Text12_1"), " 200mS");
    Arrows("VScroll12_2")->setValue(0);
    EXPECT_EQ(Text("Text12_2"), " 1000dB/S");
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 0F 02 02 C8 0A 00 00 01 01 05 60"));
    const std::tuple<int, const char*, int> ratios[] = {{2, "1: 20", 20}, {1, "Limiter", 100}, {0, "Limiter", 100}};
    for (auto [value, text, ratio] : ratios) {
        Arrows("VScroll6_3")->setValue(value);
        EXPECT_EQ(Text("Text7_3"), text);
        EXPECT_EQ(window->store().CompRatio(1), ratio);
    }
    EXPECT_EQ(Sent().back()[11], 100);
}

TEST_F(LevelControlsTest, MuteSilencesTheOutputAndUnmuteRestoresZeroDecibels) {
    Arrows("VScroll9_1")->setValue(145 - 100);  // the hidden output gain of channel 2
    EXPECT_EQ(window->store().OutputLevel(2), 100);
    Box("Check7_1")->setChecked(true);
    EXPECT_EQ(window->store().OutputLevel(2), 0);
    EXPECT_EQ(window->store().GainLevel(4), 0);
    Arrows("VScroll9_1")->setValue(145 - 90);  // moving it while muted keeps the output silent
    EXPECT_EQ(window->store().OutputLevel(2), 0);
    Box("Check7_1")->setChecked(false);
    EXPECT_EQ(window->store().OutputLevel(2), 121);
    EXPECT_EQ(window->store().GainLevel(4), 121);
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 0F 01 79 79 79 79 01 01 01 05 60"));
}

TEST_F(LevelControlsTest, InvertAndFunctionSwitches) {
    Box("Check5")->setChecked(true);
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 0C 09 00 00 01 01 05 60"));
    window->session().ChooseAddress(3);
    Box("Check1_1")->setChecked(true);  // "BYPass" of channel 2: function 6
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 0B 06 02 01 03 05 60"));
    Box("Check1_2")->setChecked(false);  // compressor "OFF" of channel 1: function 3
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 0B 03 01 00 03 05 60"));
}

}  // namespace
}  // namespace sonavel
