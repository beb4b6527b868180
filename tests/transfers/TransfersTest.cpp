#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/MemoryPort.h"
#include "link/Messages.h"
#include "link/Transfers.h"

namespace sonavel {
namespace {

class CountingSleeper : public Sleeper {
public:
    void Sleep(int milliseconds) override { slept += milliseconds; }
    int slept = 0;
};

// A line with one unit on it, on a virtual clock: each pump of events is one 20 ms tick
// of Timer2, and whatever the unit answered to the messages written so far arrives.
class TransfersTest : public ::testing::Test {
protected:
    TransfersTest() : receiver_(link_) {
        InitDSPPremeter(store_);
        InitDSPPremeter(unitSettings_);
        link_.Connected = 1;
        port_.OnComm = [this] { receiver_.OnComm(port_.Input()); };
        port_.SetResponder([this](const Bytes& written) { return Answer(written); });
        port_.SetPortOpen(true);
    }

    // Plays the unit at unitAddress_: answers the presence query and the settings requests
    // addressed to it, from dumpAddress_ (normally its own address).
    Bytes Answer(const Bytes& written) {
        if (!unitPresent_ || written[written.size() - 3] != unitAddress_) return {};
        if (written[5] == kCmdPresenceQuery)
            return {0x01, 0x20, 0x03, 0x40, 0x09, 0x01, static_cast<uint8_t>(unitAddress_), 0x05, 0x60};
        if (written[5] != kCmdSettingsRequest) return {};
        requestedSlots_.push_back(written[4] == 10 ? written[6] : 0);
        Bytes dump(kSettingsDumpLength, 0);
        const uint8_t head[] = {0x01, 0x20, 0x03, 0x40, 121, 2};
        std::copy(std::begin(head), std::end(head), dump.begin());
        WriteSettingsBlock(unitSettings_, dump);
        dump[118] = static_cast<uint8_t>(dumpAddress_);
        dump[119] = 0x05;
        dump[120] = 0x60;
        return dump;
    }

    Transfers MakeTransfers() {
        TransferCallbacks callbacks;
        callbacks.PumpEventsOnce = [this] {
            elapsedMs_ += 20;
            Timer2Tick(link_);
            port_.DeliverPending();
        };
        callbacks.OpenStatusPanel = [this] { events_.push_back("open"); };
        callbacks.ShowStatus = [this](const std::string& text) {
            events_.push_back(text + " @" + std::to_string(elapsedMs_));
        };
        callbacks.ApplyToControls = [this] {
            events_.push_back("apply @" + std::to_string(elapsedMs_));
            storeAtApply_ = store_;
        };
        callbacks.ClosePanel = [this] { events_.push_back("close"); };
        callbacks.UncheckMuteBoxes = [this] { events_.push_back("unmute"); };
        return Transfers(store_, link_, port_, sleeper_, receiver_, callbacks);
    }

    ParameterStore store_;
    ParameterStore unitSettings_;
    ParameterStore storeAtApply_;
    LinkState link_;
    MemoryPort port_;
    Receiver receiver_;
    CountingSleeper sleeper_;
    int unitAddress_ = 1;
    int dumpAddress_ = 1;
    bool unitPresent_ = true;
    int elapsedMs_ = 0;
    std::vector<std::string> events_;
    std::vector<int> requestedSlots_;
};

TEST_F(TransfersTest, UpdateFillsTheStoreFromTheUnitAndShowsItsProgress) {
    unitAddress_ = dumpAddress_ = link_.DeviceAddress = 7;
    unitSettings_.EqGain(2, 3) = 40;
    unitSettings_.EqFrequency(1, 2) = 20160;
    unitSettings_.CompRelease(2) = 1000;
    unitSettings_.LpType(1) = 3;       // band 6 of channel 1 becomes Linkwitz-Riley: code 7
    unitSettings_.EqType(1, 6) = 11;
    unitSettings_.EqQFactor(1, 1) = 200;  // out of range from the unit: clamped to 100
    store_.MuteState(1) = 1;              // not carried by the dump: kept
    link_.SendCount = 2;

    Transfers transfers = MakeTransfers();
    ASSERT_TRUE(transfers.Update());

    // The ping is answered on the first tick, the dump on the next; then the two pauses of
    // 31 ticks each.
    const std::vector<std::string> expected = {
        "open", "Recall UnitID: 7... @0", "Recall UnitID: 7...Flish @40",
        "Update... @660", "apply @1280", "close"};
    EXPECT_EQ(events_, expected);
    EXPECT_EQ(storeAtApply_, store_);
    EXPECT_EQ(store_.EqGain(2, 3), 40);
    EXPECT_EQ(store_.EqFrequency(1, 2), 20160);
    EXPECT_EQ(store_.CompRelease(2), 1000);
    EXPECT_EQ(store_.EqType(1, 6), 7);
    EXPECT_EQ(store_.EqQFactor(1, 1), 100);
    EXPECT_EQ(store_.MuteState(1), 1);
    EXPECT_EQ(link_.Sending, 0);
    EXPECT_EQ(link_.SendCount, 0);  // the accepted dump resets the count
    ASSERT_EQ(port_.Written().size(), 2u);
    EXPECT_EQ(port_.Written()[0], PresenceQuery(7));
    EXPECT_EQ(port_.Written()[1], CurrentSettingsRequest(7));
}

TEST_F(TransfersTest, ASilentUnitEndsInTheErrorTextAndLeavesTheStore) {
    unitPresent_ = false;
    const ParameterStore before = store_;
    Transfers transfers = MakeTransfers();
    EXPECT_FALSE(transfers.Update());
    // Ping wait of 11 ticks, then three request waits of 51 ticks each.
    const std::vector<std::string> expected = {"open", "Recall UnitID: 1... @0",
                                               "Recall UnitID: 1...Error @3280"};
    EXPECT_EQ(events_, expected);
    EXPECT_EQ(store_, before);
    EXPECT_EQ(port_.Written().size(), 4u);  // ping and three requests
    EXPECT_EQ(link_.Sending, 0);
    EXPECT_EQ(link_.SendCount, 1);
}

TEST_F(TransfersTest, WithTheGateClosedOnlyThePingWaitRuns) {
    link_.Connected = 0;
    Transfers transfers = MakeTransfers();
    EXPECT_FALSE(transfers.Update());
    EXPECT_EQ(events_.back(), "Recall UnitID: 1...Error @220");
    EXPECT_TRUE(port_.Written().empty());

    events_.clear();
    elapsedMs_ = 0;
    link_.Connected = 1;
    port_.SetPortOpen(false);
    EXPECT_FALSE(transfers.Update());
    EXPECT_EQ(events_.back(), "Recall UnitID: 1...Error @220");
}

TEST_F(TransfersTest, ADumpFromAnotherAddressIsIgnored) {
    dumpAddress_ = 2;
    unitSettings_.EqGain(1, 1) = 0;
    Transfers transfers = MakeTransfers();
    EXPECT_FALSE(transfers.Update());
    EXPECT_EQ(store_.EqGain(1, 1), 24);
    EXPECT_EQ(requestedSlots_.size(), 3u);  // every attempt was made
}

TEST_F(TransfersTest, RecallAsksForTheSlotAndAlwaysUnmutes) {
    unitSettings_.DelaySamples(2) = 151;
    Transfers transfers = MakeTransfers();
    ASSERT_TRUE(transfers.RecallFromDsp(3));
    EXPECT_EQ(requestedSlots_, std::vector<int>{3});
    EXPECT_EQ(store_.DelaySamples(2), 151);
    EXPECT_EQ(events_[1], "Recall Preset:User 3... @0");
    EXPECT_EQ(events_[2], "Recall Preset:User 3...Flish @40");
    EXPECT_EQ(events_.back(), "unmute");

    events_.clear();
    unitPresent_ = false;
    EXPECT_FALSE(transfers.RecallFromDsp(16));
    EXPECT_EQ(events_[events_.size() - 2].substr(0, 27), "Recall Preset:User 16...Err");
    EXPECT_EQ(events_.back(), "unmute");
    EXPECT_THROW(transfers.RecallFromDsp(17), std::out_of_range);
    EXPECT_EQ(link_.Sending, 0);
}

TEST_F(TransfersTest, LoadToDspSendsTheStoreIntoTheSlotAndPauses) {
    store_.EqGain(1, 1) = 10;
    link_.DeviceAddress = 4;
    Transfers transfers = MakeTransfers();
    transfers.LoadToDsp(16);
    ASSERT_EQ(port_.Written().size(), 1u);
    const Bytes& message = port_.Written()[0];
    ASSERT_EQ(message.size(), 121u);
    EXPECT_EQ(message[4], 0x79);
    EXPECT_EQ(message[5], 0x0E);
    EXPECT_EQ(message[6], 0);
    EXPECT_EQ(message[34], 10);  // EqGain of channel 1 band 1: offset 31 + 3
    EXPECT_EQ(message[117], 0x10);
    EXPECT_EQ(message[118], 4);
    EXPECT_EQ(message[120], 0x60);
    EXPECT_EQ(sleeper_.slept, 500);
    EXPECT_EQ(link_.SendCount, 1);
    EXPECT_EQ(link_.Sending, 0);

    link_.Connected = 0;
    transfers.LoadToDsp(1);
    EXPECT_EQ(port_.Written().size(), 1u);
    EXPECT_EQ(sleeper_.slept, 1000);
    EXPECT_THROW(transfers.LoadToDsp(0), std::out_of_range);
}

TEST(Timer2, CountsUpToAHundredAndHolds) {
    LinkState link;
    link.DelayTicks = 98;
    for (int i = 0; i < 150; ++i) Timer2Tick(link);
    EXPECT_EQ(link.WaitTicks, 100);
    EXPECT_EQ(link.DelayTicks, 100);
}

}  // namespace
}  // namespace sonavel
