// Gain, output gain, delay, compressor, mute, invert and function switches.
#include "EditorFixture.h"

namespace sonavel {
namespace {

class LevelControlsTest : public EditorTest {
protected:
    void SetUp() override {
        RunFirstRefresh();
        ConnectLink();
        port.ClearWritten();
    }
    const Bytes& Last() const { return port.Written().back(); }
};

TEST_F(LevelControlsTest, GainRunsFromPlusTwelveToMinusSixtyAndMute) {
    Arrows("VScroll4_0")->setValue(0);
    EXPECT_EQ(Text("Text6_0"), " 12dB");
    EXPECT_EQ(window->store().GainLevel(1), 145);
    Arrows("VScroll4_0")->setValue(144);
    EXPECT_EQ(Text("Text6_0"), "-60dB");
    EXPECT_EQ(window->store().GainLevel(1), 1);
    EXPECT_EQ(Last(), (Bytes{0x01, 0x20, 0x03, 0x40, 0x0F, 0x01, 0x01, 0x79, 0x79, 0x79, 0x01, 0x01, 0x01, 0x05, 0x60}));
    Arrows("VScroll4_0")->setValue(145);
    EXPECT_EQ(Text("Text6_0"), "Mute");
    EXPECT_EQ(window->store().GainLevel(1), 0);
    Arrows("VScroll4_0")->setValue(24);
    EXPECT_EQ(Text("Text6_0"), " 0dB");
    EXPECT_EQ(window->store().GainLevel(1), 121);
    EXPECT_EQ(port.Written().size(), 4u);
}

TEST_F(LevelControlsTest, DelayIsShownToTheNearestMicrosecond) {
    Arrows("VScroll5_1")->setValue(149);
    EXPECT_EQ(window->store().DelaySamples(2), 2);
    EXPECT_EQ(Text("Text9_1"), " .021mS");
    Arrows("VScroll5_1")->setValue(0);
    EXPECT_EQ(window->store().DelaySamples(2), 151);
    EXPECT_EQ(Text("Text9_1"), " 3.125mS");
    EXPECT_EQ(Last()[11], 151);
    Arrows("VScroll5_1")->setValue(147);  // 3 samples: 62.5 us rounds to the even 62
    EXPECT_EQ(Text("Text9_1"), " .062mS");
    EXPECT_EQ(window->state().CurrentChannel, 2);
}

TEST_F(LevelControlsTest, CompressorControlsWriteTheirTextsAndSendTheChannel) {
    Arrows("VScroll12_0")->setValue(100);
    EXPECT_EQ(Text("Text12_0"), "-50dB");
    EXPECT_EQ(window->store().CompThreshold(2), 0);
    Arrows("VScroll12_1")->setValue(0);
    EXPECT_EQ(Text("Text12_1"), " 200mS");
    EXPECT_EQ(window->store().CompAttack(2), 200);
    Arrows("VScroll12_2")->setValue(0);
    EXPECT_EQ(Text("Text12_2"), " 1000dB/S");
    EXPECT_EQ(window->store().CompRelease(2), 1000);
    EXPECT_EQ(Last(), (Bytes{0x01, 0x20, 0x03, 0x40, 0x0F, 0x02, 0x02, 0xC8, 0x0A, 0x00, 0x00, 0x01, 0x01, 0x05, 0x60}));
    Arrows("VScroll12_2")->setValue(999);
    EXPECT_EQ(window->store().CompRelease(2), 1);
    EXPECT_EQ(window->state().CurrentChannel, 2);
}

TEST_F(LevelControlsTest, TheTopRatioStepIsTheLimiter) {
    Arrows("VScroll6_3")->setValue(2);
    EXPECT_EQ(Text("Text7_3"), "1: 20");
    EXPECT_EQ(window->store().CompRatio(1), 20);
    Arrows("VScroll6_3")->setValue(1);
    EXPECT_EQ(Text("Text7_3"), "Limiter");
    EXPECT_EQ(window->store().CompRatio(1), 100);
    EXPECT_EQ(Last()[11], 100);
    Arrows("VScroll6_3")->setValue(0);
    EXPECT_EQ(Text("Text7_3"), "Limiter");
    Arrows("VScroll6_3")->setValue(21);
    EXPECT_EQ(Text("Text7_3"), "1: 1");
}

TEST_F(LevelControlsTest, MuteSilencesTheOutputAndUnmuteRestoresZeroDecibels) {
    Arrows("VScroll9_1")->setValue(145 - 100);  // the hidden output gain of channel 2
    EXPECT_EQ(window->store().OutputLevel(2), 100);
    Box("Check7_1")->setChecked(true);
    EXPECT_EQ(window->store().MuteState(2), 1);
    EXPECT_EQ(window->store().OutputLevel(2), 0);
    EXPECT_EQ(window->store().GainLevel(4), 0);
    EXPECT_EQ(Last()[9], 0);
    // The output gain moving while muted keeps the output silent.
    Arrows("VScroll9_1")->setValue(145 - 90);
    EXPECT_EQ(window->store().OutputLevel(2), 0);
    Box("Check7_1")->setChecked(false);
    EXPECT_EQ(window->store().MuteState(2), 0);
    EXPECT_EQ(window->store().OutputLevel(2), 121);
    EXPECT_EQ(window->store().GainLevel(4), 121);
    EXPECT_EQ(window->store().OutputLevel(1), 121);  // the other channel is untouched
    EXPECT_EQ(port.Written().size(), 4u);
}

TEST_F(LevelControlsTest, InvertAndFunctionSwitchesSendTheirMessages) {
    Box("Check5")->setChecked(true);
    EXPECT_EQ(window->store().InvertStatus(2), 1);
    EXPECT_EQ(Last(), (Bytes{0x01, 0x20, 0x03, 0x40, 0x0C, 0x09, 0x00, 0x00, 0x01, 0x01, 0x05, 0x60}));

    window->link().DeviceAddress = 3;
    Box("Check1_1")->setChecked(true);  // "BYPass" of channel 2: function 6
    EXPECT_EQ(window->store().FuncByPass6(2), 1);
    EXPECT_EQ(Last(), (Bytes{0x01, 0x20, 0x03, 0x40, 0x0B, 0x06, 0x02, 0x01, 0x03, 0x05, 0x60}));
    Box("Check1_2")->setChecked(false);  // compressor "OFF" of channel 1: function 3
    EXPECT_EQ(window->store().FuncByPass3(1), 0);
    EXPECT_EQ(Last(), (Bytes{0x01, 0x20, 0x03, 0x40, 0x0B, 0x03, 0x01, 0x00, 0x03, 0x05, 0x60}));
    EXPECT_EQ(window->state().CurrentChannel, 1);
}

}  // namespace
}  // namespace sonavel
