// The link strip: Connect/DisConnect, port choice, and whole settings read from and written
// to a unit.
#include <set>

#include "HandlerFixture.h"

namespace sonavel {
namespace {

using LinkStripTest = HandlerTest;

TEST_F(LinkStripTest, ConnectShowsAndSwitchesTheLinkOnTheChosenPort) {
    ButtonValue& connect = Controls().connect;
    // A port chosen while off is tested (open, close, open) and left closed until Connect.
    Controls().ports.SetPosition(2);
    EXPECT_FALSE(port.PortOpen());
    EXPECT_TRUE(Controls().portLamp.lit());
    connect.Click();
    EXPECT_EQ(port.CommPort(), 3);

    Controls().ports.SetPosition(4);  // COM5 does not exist: the window stays usable
    EXPECT_FALSE(Controls().portLamp.lit());
    connect.Click();  // off
    connect.Click();  // on again, with COM5
    EXPECT_EQ(view.messages.size(), 1u);
    EXPECT_FALSE(connect.lit());
}

// A unit at address 1 that answers the presence query and the settings request.
class UnitTransfersTest : public EditingTest {
protected:
    UnitTransfersTest() {
        InitDSPPremeter(unit);
        unit.EqGain(1, 3) = 40;
        unit.GainLevel(2) = 0;
        unit.GainLevel(3) = 100;
        unit.GainLevel(4) = 0;
        port.SetResponder([this](const Bytes& written) -> Bytes {
            if (written[written.size() - 3] != 1) return {};
            if (written[5] == kCmdPresenceQuery) return BuildMessage(kCmdGainDelay, {}, 1);
            if (written[5] != kCmdSettingsRequest) return {};
            Bytes dump = BuildMessage(kCmdLimiter, std::vector<int>(kSettingsDumpLength - kEnvelopeBytes, 0), 1);
            WriteSettingsBlock(unit, dump);
            return dump;
        });
    }

    ParameterStore unit;
};

// The settings are shown only after the read, without sending or pacing anything, and
// editing works again.
TEST_F(UnitTransfersTest, UpdateShowsTheUnitsSettingsAfterwardsAndStartsNoSecondRead) {
    std::set<std::string> gainsInWaits;
    bool updateUsable = false;
    onWait = [&] {
        gainsInWaits.insert(Channel(1).gainBoxes[2].text());
        updateUsable |= Controls().update.enabled();
        Controls().update.Click();
        Controls().addresses.SetPosition(0);  // the address list reads the unit too
    };
    Controls().update.Click();
    EXPECT_EQ(gainsInWaits, std::set<std::string>{" 0dB"});
    EXPECT_FALSE(updateUsable);
    EXPECT_TRUE(Controls().update.enabled());
    EXPECT_TRUE(time.pauses.empty());
    EXPECT_EQ(Sent().size(), 2u);  // the ping and the request
    EXPECT_EQ(Channel(1).gainBoxes[2].text(), "-8dB");
    EXPECT_EQ(Channel(2).inputGainBox.text(), "Mute");
    EXPECT_FALSE(Channel(1).mute.checked());  // each mute box follows its own channel
    EXPECT_TRUE(Channel(2).mute.checked());
    EXPECT_EQ(Store().OutputLevel(1), 100);
    ClickUp(Channel(1).gainArrows[0]);
    EXPECT_EQ(Sent().size(), 3u);

    unit.GainLevel(3) = 0;
    unit.GainLevel(4) = 110;  // unmuted at its own level, not at 0 dB
    Controls().update.Click();
    EXPECT_EQ(Store().OutputLevel(2), 110);
}

using SilentUnitTest = EditingTest;

TEST_F(SilentUnitTest, RecallFromSlotAlwaysLeavesBothChannelsUnmuted) {
    Channel(1).mute.SetChecked(true);
    Channel(2).mute.SetChecked(true);
    port.ClearWritten();
    Controls().recallSlots.SetPosition(2);
    Controls().recall.Click();
    EXPECT_TRUE(Controls().recall.enabled());
    ASSERT_EQ(Sent().size(), 6u);  // ping, three requests, then each channel's gains
    EXPECT_FALSE(Channel(1).mute.checked() || Channel(2).mute.checked());
    EXPECT_EQ(Store().GainLevel(4), 121);
}

TEST_F(UnitTransfersTest, LoadToSlotSendsTheChosenSlot) {
    Controls().loadSlots.SetPosition(15);
    Controls().loadToDsp.Click();
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].at(117), 0x10);  // the slot chosen in the list
}

}  // namespace
}  // namespace sonavel
