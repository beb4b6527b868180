// Whole settings read from and written to a unit that answers like the real one.
#include <QLabel>

#include "EditorFixture.h"
#include "link/Messages.h"

namespace sonavel {
namespace {

class UnitTransfersTest : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        port.SetResponder([this](const Bytes& written) -> Bytes {
            if (!unitPresent || written[written.size() - 3] != 1) return {};
            if (written[5] == kCmdPresenceQuery) return Hex("01 20 03 40 09 01 01 05 60");
            return written[5] == kCmdSettingsRequest ? DefaultsWithAFewChanges() : Bytes{};
        });
        // Each wait notes the status text and band 3's gain text of channel 1 when the status changes.
        window->SetEventPump([this] {
            if (duringWait) std::exchange(duringWait, nullptr)();
            waitedMs += 20;
            window->Timer2_Timer();
            port.DeliverPending();
            if (progress.isEmpty() || progress.back()[0] != Status()) progress.append({Status(), Text("Text4_2")});
            recallButtonUsable |= window->control("Command2")->isEnabled();
            updateButtonUsable |= window->control("Command8")->isEnabled();
        });
    }

    static Bytes DefaultsWithAFewChanges() {
        Bytes frame = Hex("01 20 03 40 79 02");
        frame.resize(kSettingsDumpLength);
        ParameterStore unit;
        InitDSPPremeter(unit);
        WriteSettingsBlock(unit, frame);
        frame[7] = 100;                                  // input gain of channel 1
        frame[44] = 20, frame[45] = 0, frame[46] = 40;   // channel 1 band 3: 2000 Hz, gain position 40
        frame[52] = 99, frame[53] = 200;                 // band 4: gain and Q positions beyond their scales
        frame[73] = 3, frame[105] = 9;                   // channel 2 low-pass list position 3, band 6 code 9
        frame[118] = 1, frame[119] = 0x05, frame[120] = 0x60;
        return frame;
    }
    QString Status() const { return window->control<QLabel>("Label20")->text(); }
    bool PanelShown() const { return !window->control("Frame9")->isHidden(); }

    bool unitPresent = true;
    QList<QStringList> progress;  // {status, gain text}
    bool recallButtonUsable = false;
    bool updateButtonUsable = false;
    std::function<void()> duringWait;  // what the user does in the first wait of a read
};

TEST_F(UnitTransfersTest, UpdateShowsItsProgressThenTheUnitsSettings) {
    window->Command8_Click();
    const QList<QStringList> expected = {
        {"Recall UnitID: 1...", " 0dB"}, {"Recall UnitID: 1...Flish", " 0dB"}, {"Update...", " 0dB"}};
    EXPECT_EQ(progress, expected);  // the controls change only after both texts were shown
    EXPECT_EQ(sleeper.sleptMs, 0);  // showing the settings holds nothing up
    EXPECT_EQ(Sent().size(), 2u);   // the ping and the request
    EXPECT_FALSE(PanelShown());
    EXPECT_EQ(Arrows("VScroll4_0")->value(), 145 - 100);
    EXPECT_EQ(Text("Text1_2"), " 2000Hz");
    EXPECT_EQ(Text("Text4_2"), "-8dB");
    EXPECT_EQ(Text("Text4_3"), "-12dB");  // out-of-scale values end at the scale's limits
    EXPECT_EQ(window->store().EqQFactor(1, 4), 100);
    EXPECT_EQ(window->store().EqType(2, 6), 7);  // the crossover list decides the type code

    unitPresent = false;  // a failed read changes nothing and keeps its text until "Exit"
    const ParameterStore before = window->store();
    waitedMs = 0;
    window->Command8_Click();
    EXPECT_EQ(Status(), "Recall UnitID: 1...Error");
    EXPECT_NEAR(waitedMs, 3300, 100);  // the ping wait and three request waits
    EXPECT_EQ(window->store(), before);
    EXPECT_TRUE(PanelShown());
    window->Command10_Click();
    EXPECT_FALSE(PanelShown());
}

TEST_F(UnitTransfersTest, NoSecondReadStartsInsideARunningOne) {
    duringWait = [this] {
        window->Command8_Click();
        Choose(List("Combo7"), 0);  // the address list reads the unit too
    };
    window->Command8_Click();
    EXPECT_FALSE(updateButtonUsable);
    EXPECT_TRUE(window->control("Command8")->isEnabled());
    EXPECT_EQ(Sent().size(), 2u);
    EXPECT_EQ(progress.size(), 3);
}

TEST_F(UnitTransfersTest, RecallFromSlotAlwaysLeavesBothChannelsUnmuted) {
    Box("Check7_0")->setChecked(true);
    Box("Check7_1")->setChecked(true);
    port.ClearWritten();
    unitPresent = false;
    List("Combo9")->setCurrentIndex(2);
    window->Command2_Click();
    EXPECT_EQ(Status(), "Recall Preset:User 3...Error");
    EXPECT_FALSE(recallButtonUsable);
    EXPECT_TRUE(window->control("Command2")->isEnabled());
    ASSERT_EQ(Sent().size(), 6u);  // ping, three requests, then each channel's gains
    EXPECT_EQ(Sent()[1], Hex("01 20 03 40 0A 0C 03 01 05 60"));
    EXPECT_FALSE(Box("Check7_0")->isChecked() || Box("Check7_1")->isChecked());
    EXPECT_EQ(window->store().GainLevel(4), 121);

    unitPresent = true;
    Box("Check7_0")->setChecked(true);
    window->Command2_Click();
    EXPECT_EQ(window->store().EqGain(1, 3), 40);
    EXPECT_FALSE(Box("Check7_0")->isChecked());
}

TEST_F(UnitTransfersTest, LoadToSlotSendsTheStoreWithTheSlotNumber) {
    window->control<TextBox>("Text5")->setText("Stage left");
    ClickUp(Arrows("VScroll2_2"));
    port.ClearWritten();
    List("Combo8")->setCurrentIndex(15);
    window->Command1_Click();
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0], StoreToSlotMessage(window->store(), 16, 1));
    EXPECT_EQ(Sent()[0].at(117), 0x10);
    EXPECT_EQ(window->presetRecord().DisplayName(), "Stage left");
    EXPECT_EQ(window->presetRecord().Value(234 + 2 * 4), 23);  // channel 1 band 3 gain position

    window->Command12_Click();  // link off: nothing leaves
    port.ClearWritten();
    window->Command1_Click();
    EXPECT_TRUE(Sent().empty());
}

}  // namespace
}  // namespace sonavel
