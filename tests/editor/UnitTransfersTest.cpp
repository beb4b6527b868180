// Whole settings read from and written to a unit that answers like the real one.
#include <QLabel>

#include "EditorFixture.h"
#include "link/Messages.h"

namespace sonavel {
namespace {

struct Moment {
    long ms;
    QString status;     // the panel's title line
    QString bandGain;   // channel 1, band 3
};

class UnitTransfersTest : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        port.SetResponder([this](const Bytes& written) { return Answer(written); });
        window->SetEventPump([this] {
            waitedMs += 20;
            window->Timer2_Timer();
            port.DeliverPending();
            const QString status = window->control<QLabel>("Label20")->text();
            if (progress.empty() || progress.back().status != status)
                progress.push_back({waitedMs, status, Text("Text4_2")});
            if (window->control("Command2")->isEnabled()) recallButtonUsable = true;
        });
        before = window->store();
        dump = DumpFrom(unitAddress);
    }

    // The unit's settings dump: the default settings with a few bytes set by hand.
    static Bytes DumpFrom(int address) {
        Bytes frame = Hex("01 20 03 40 79 02");
        frame.resize(kSettingsDumpLength);
        ParameterStore unit;
        InitDSPPremeter(unit);
        WriteSettingsBlock(unit, frame);
        frame[7] = 100;                    // input gain of channel 1
        frame[43] = 1;                     // channel 1 band 3: peak,
        frame[44] = 20, frame[45] = 0;     // 2000 Hz,
        frame[46] = 40, frame[47] = 50;    // gain position 40 (-8 dB), Q position 50
        frame[52] = 99, frame[53] = 200;   // channel 1 band 4: gain and Q beyond their scales
        frame[73] = 3;                     // channel 2 low-pass list position 3
        frame[105] = 9;                    // channel 2 band 6 type code, replaced by the list's
        frame[118] = static_cast<uint8_t>(address);
        frame[119] = 0x05, frame[120] = 0x60;
        return frame;
    }

    Bytes Answer(const Bytes& written) {
        if (!unitPresent || written[written.size() - 3] != unitAddress) return {};
        if (written[5] == kCmdPresenceQuery) return {0x01, 0x20, 0x03, 0x40, 0x09, 0x01, uint8_t(unitAddress), 0x05, 0x60};
        if (written[5] == kCmdSettingsRequest) return dump;
        return {};
    }

    QString Status() const { return window->control<QLabel>("Label20")->text(); }
    bool PanelShown() const { return !window->control("Frame9")->isHidden(); }

    ParameterStore before;
    Bytes dump;
    int unitAddress = 1;
    bool unitPresent = true;
    std::vector<Moment> progress;
    bool recallButtonUsable = false;
};

TEST_F(UnitTransfersTest, UpdateShowsItsProgressThenTheUnitsSettings) {
    window->Command8_Click();

    EXPECT_EQ(Sent(), (std::vector<Bytes>{Hex("01 20 03 40 09 0B 01 05 60"), Hex("01 20 03 40 09 0C 01 05 60")}));
    ASSERT_EQ(progress.size(), 3u);
    EXPECT_EQ(progress[0].status, "Recall UnitID: 1...");
    EXPECT_EQ(progress[1].status, "Recall UnitID: 1...Flish");
    EXPECT_EQ(progress[2].status, "Update...");
    // Each text stays about 620 ms, and the controls change only after both were shown.
    EXPECT_NEAR(progress[2].ms - progress[1].ms, 620, 30);
    EXPECT_NEAR(waitedMs - progress[2].ms, 620, 30);
    EXPECT_EQ(progress[2].bandGain, " 0dB");
    EXPECT_FALSE(PanelShown());
    EXPECT_EQ(Status(), "");

    const ParameterStore& store = window->store();
    EXPECT_EQ(store.GainLevel(1), 100);
    EXPECT_EQ(Arrows("VScroll4_0")->value(), 45);
    EXPECT_EQ(store.EqFrequency(1, 3), 2000);
    EXPECT_EQ(Text("Text1_2"), " 2000Hz");
    EXPECT_EQ(store.EqGain(1, 3), 40);
    EXPECT_EQ(Text("Text4_2"), "-8dB");
    EXPECT_EQ(store.EqQFactor(1, 3), 50);
    // Values outside the scales end at their limits.
    EXPECT_EQ(store.EqGain(1, 4), 48);
    EXPECT_EQ(Text("Text4_3"), "-12dB");
    EXPECT_EQ(store.EqQFactor(1, 4), 100);
    // The crossover list decides the band's type code.
    EXPECT_EQ(store.LpType(2), 3);
    EXPECT_EQ(store.EqType(2, 6), 7);
    EXPECT_EQ(List("Combo6_0")->listIndex(), 3);
    EXPECT_EQ(window->link().Sending, 0);
}

TEST_F(UnitTransfersTest, ReadsThatGetNoSettingsEndInTheErrorTextAndChangeNothing) {
    unitPresent = false;
    window->Command8_Click();
    EXPECT_EQ(Status(), "Recall UnitID: 1...Error");
    EXPECT_GE(waitedMs, 3200);  // the ping wait and three request waits: about 3.3 s
    EXPECT_LE(waitedMs, 3400);
    EXPECT_EQ(Sent().size(), 4u);  // the ping and three requests
    EXPECT_EQ(window->store(), before);
    EXPECT_TRUE(PanelShown());  // until the user presses "Exit"
    EXPECT_EQ(window->control<FrameBox>("Frame9")->caption(), "Recall");
    EXPECT_TRUE(window->control("Text5")->isHidden());
    window->Command10_Click();
    EXPECT_FALSE(PanelShown());
    EXPECT_EQ(Status(), "");

    // A dump carrying another unit's address is not this unit's.
    unitPresent = true;
    dump = DumpFrom(2);
    port.ClearWritten();
    window->Command8_Click();
    EXPECT_EQ(Status(), "Recall UnitID: 1...Error");
    EXPECT_EQ(Sent().size(), 4u);
    EXPECT_EQ(window->store(), before);

    // With the link off only the ping wait runs: about 220 ms, and nothing is sent.
    window->Command12_Click();
    port.ClearWritten();
    waitedMs = 0;
    Choose(List("Combo7"), 6);
    EXPECT_EQ(Status(), "Recall UnitID: 7...Error");
    EXPECT_GE(waitedMs, 200);
    EXPECT_LE(waitedMs, 240);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(UnitTransfersTest, ChoosingAnAddressReadsThatUnit) {
    unitAddress = 7;
    dump = DumpFrom(7);
    Choose(List("Combo7"), 6);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{Hex("01 20 03 40 09 0B 07 05 60"), Hex("01 20 03 40 09 0C 07 05 60")}));
    EXPECT_EQ(window->link().DeviceAddress, 7);
    EXPECT_EQ(window->store().EqGain(1, 3), 40);
    EXPECT_EQ(window->link().Online, 0);
}

TEST_F(UnitTransfersTest, RecallFromSlotAlwaysLeavesBothChannelsUnmuted) {
    Box("Check7_0")->setChecked(true);
    Box("Check7_1")->setChecked(true);
    ASSERT_EQ(window->store().GainLevel(4), 0);
    port.ClearWritten();
    unitPresent = false;
    List("Combo9")->setCurrentIndex(2);
    window->Command2_Click();

    EXPECT_EQ(Status(), "Recall Preset:User 3...Error");
    EXPECT_FALSE(recallButtonUsable);  // the button is off while the recall runs
    EXPECT_TRUE(window->control("Command2")->isEnabled());
    ASSERT_EQ(Sent().size(), 6u);  // ping, three requests, then the gains of each channel
    EXPECT_EQ(Sent()[1], Hex("01 20 03 40 0A 0C 03 01 05 60"));
    EXPECT_EQ(Sent()[5][5], kCmdGainDelay);
    EXPECT_FALSE(Box("Check7_0")->isChecked());
    EXPECT_FALSE(Box("Check7_1")->isChecked());
    EXPECT_EQ(window->store().GainLevel(3), 121);
    EXPECT_EQ(window->store().GainLevel(4), 121);

    unitPresent = true;
    Box("Check7_0")->setChecked(true);
    window->Command2_Click();
    EXPECT_EQ(window->store().EqGain(1, 3), 40);
    EXPECT_FALSE(Box("Check7_0")->isChecked());
    const bool flishShown = std::any_of(progress.begin(), progress.end(),
                                        [](const Moment& m) { return m.status == "Recall Preset:User 3...Flish"; });
    EXPECT_TRUE(flishShown);
}

TEST_F(UnitTransfersTest, LoadToSlotSendsTheStoreWithTheSlotNumber) {
    window->control<TextBox>("Text5")->setText("Stage left");
    ClickUp(Arrows("VScroll2_2"));
    port.ClearWritten();
    sleeper.sleptMs = 0;
    List("Combo8")->setCurrentIndex(15);
    window->Command1_Click();

    ASSERT_EQ(Sent().size(), 1u);
    const Bytes& message = Sent()[0];
    ASSERT_EQ(message.size(), 121u);
    EXPECT_EQ(Bytes(message.begin(), message.begin() + 7), Hex("01 20 03 40 79 0E 00"));
    EXPECT_EQ(message[117], 0x10);
    EXPECT_EQ(Bytes(message.begin() + 118, message.end()), Hex("01 05 60"));
    const Bytes whole = WholeSettingsMessage(window->store(), 1);
    EXPECT_EQ(Bytes(message.begin() + 7, message.begin() + 117), Bytes(whole.begin() + 7, whole.begin() + 117));
    EXPECT_EQ(sleeper.sleptMs, 500);
    EXPECT_TRUE(window->control("Command1_0")->isEnabled());
    // The preset record now holds the name box's text and the store.
    EXPECT_EQ(window->presetRecord().DisplayName(), "Stage left");
    EXPECT_EQ(window->presetRecord().Value(234 + 2 * 4), 23);  // channel 1 band 3 gain position

    window->Command12_Click();  // link off: nothing leaves
    port.ClearWritten();
    window->Command1_Click();
    EXPECT_TRUE(Sent().empty());
}

}  // namespace
}  // namespace sonavel
