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

// One unit on a line with a virtual clock: each pump of events is one 20 ms tick of
// Timer2, after which whatever the unit answered so far arrives.
class TransfersTest : public ::testing::Test {
protected:
    TransfersTest() : receiver_(link_) {
        InitDSPPremeter(store_);
        InitDSPPremeter(unit_);
        link_.Connected = 1;
        port_.OnComm = [this] { receiver_.OnComm(port_.Input()); };
        port_.SetResponder([this](const Bytes& written) { return Answer(written); });
        port_.SetPortOpen(true);
    }

    Bytes Answer(const Bytes& written) {
        const uint8_t address = written[written.size() - 3];
        if (!unitPresent_ || address != unitAddress_) return {};
        if (written[5] == kCmdPresenceQuery) return {1, 0x20, 3, 0x40, 9, 1, address, 5, 0x60};
        if (written[5] != kCmdSettingsRequest) return {};
        requestedSlots_.push_back(written[4] == 10 ? written[6] : 0);
        Bytes dump = {1, 0x20, 3, 0x40, 121, 2};
        dump.resize(kSettingsDumpLength);
        WriteSettingsBlock(unit_, dump);
        dump[118] = static_cast<uint8_t>(dumpAddress_);
        dump[119] = 5;
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
            EXPECT_EQ(store_.EqGain(2, 3), unit_.EqGain(2, 3));
        };
        callbacks.ClosePanel = [this] { events_.push_back("close"); };
        callbacks.UncheckMuteBoxes = [this] { events_.push_back("unmute"); };
        return Transfers(store_, link_, port_, sleeper_, receiver_, callbacks);
    }

    ParameterStore store_, unit_;
    LinkState link_;
    MemoryPort port_;
    Receiver receiver_;
    CountingSleeper sleeper_;
    int unitAddress_ = 1, dumpAddress_ = 1, elapsedMs_ = 0;
    bool unitPresent_ = true;
    std::vector<std::string> events_;
    std::vector<int> requestedSlots_;
};

TEST_F(TransfersTest, UpdateFillsTheStoreFromTheUnitAndShowsItsProgress) {
    unitAddress_ = dumpAddress_ = link_.DeviceAddress = 7;
    unit_.EqGain(2, 3) = 40;
    unit_.EqFrequency(1, 2) = 20160;
    unit_.CompRelease(2) = 1000;
    unit_.LpType(1) = 3;  // Linkwitz-Riley low-pass: band 6 gets code 7 whatever it carried
    unit_.EqType(1, 6) = 11;
    unit_.EqQFactor(1, 1) = 200;  // out of range from the unit: clamped to 100
    store_.MuteState(1) = 1;      // not carried by the dump: kept
    link_.SendCount = 2;

    ASSERT_TRUE(MakeTransfers().Update());
    // The ping is answered on the first tick, the dump on the next; then two pauses of 31 ticks.
    const std::vector<std::string> expected = {"open", "Recall UnitID: 7... @0",
                                               "Recall UnitID: 7...Flish @40", "Update... @660",
                                               "apply @1280", "close"};
    EXPECT_EQ(events_, expected);
    EXPECT_EQ(store_.EqFrequency(1, 2), 20160);
    EXPECT_EQ(store_.CompRelease(2), 1000);
    EXPECT_EQ(store_.EqType(1, 6), 7);
    EXPECT_EQ(store_.EqQFactor(1, 1), 100);
    EXPECT_EQ(store_.MuteState(1), 1);
    EXPECT_EQ(link_.Sending, 0);
    EXPECT_EQ(link_.SendCount, 0);  // the accepted dump resets the count
    EXPECT_EQ(port_.Written(), (std::vector<Bytes>{PresenceQuery(7), CurrentSettingsRequest(7)}));
}

TEST_F(TransfersTest, NoSettingsEndInTheErrorTextAfterTheWaits) {
    const ParameterStore before = store_;
    Transfers transfers = MakeTransfers();

    // A dump from another address is ignored like silence: after the answered ping (one
    // tick) three request waits of 51 ticks each run out.
    dumpAddress_ = 2;
    unit_.EqGain(1, 1) = 0;
    EXPECT_FALSE(transfers.Update());
    EXPECT_EQ(events_.back(), "Recall UnitID: 1...Error @3080");
    EXPECT_EQ(requestedSlots_.size(), 3u);
    EXPECT_EQ(store_, before);
    EXPECT_EQ(link_.Sending, 0);

    // With the gate closed only the ping wait runs, and nothing is written.
    port_.ClearWritten();
    elapsedMs_ = 0;
    link_.Connected = 0;
    EXPECT_FALSE(transfers.Update());
    EXPECT_EQ(events_.back(), "Recall UnitID: 1...Error @220");
    EXPECT_TRUE(port_.Written().empty());
}

TEST_F(TransfersTest, RecallAsksForTheSlotAndAlwaysUnmutes) {
    unit_.DelaySamples(2) = 151;
    Transfers transfers = MakeTransfers();
    ASSERT_TRUE(transfers.RecallFromDsp(3));
    EXPECT_EQ(requestedSlots_, std::vector<int>{3});
    EXPECT_EQ(store_.DelaySamples(2), 151);
    EXPECT_EQ(events_[1], "Recall Preset:User 3... @0");
    EXPECT_EQ(events_.back(), "unmute");

    // No unit at all: a ping wait of 11 ticks and three request waits of 51 ticks.
    unitPresent_ = false;
    elapsedMs_ = 0;
    EXPECT_FALSE(transfers.RecallFromDsp(16));
    EXPECT_EQ(events_[events_.size() - 2], "Recall Preset:User 16...Error @3280");
    EXPECT_EQ(events_.back(), "unmute");
    EXPECT_THROW(transfers.RecallFromDsp(17), std::out_of_range);
}

TEST_F(TransfersTest, LoadToDspSendsTheStoreIntoTheSlotAndPauses) {
    store_.EqGain(1, 1) = 10;
    link_.DeviceAddress = 4;
    Transfers transfers = MakeTransfers();
    transfers.LoadToDsp(16);
    ASSERT_EQ(port_.Written().size(), 1u);
    const Bytes& message = port_.Written()[0];
    ASSERT_EQ(message.size(), 121u);
    EXPECT_EQ(message[5], 0x0E);
    EXPECT_EQ(message[34], 10);  // EqGain of channel 1 band 1: offset 31 + 3
    EXPECT_EQ(message[117], 0x10);
    EXPECT_EQ(message[118], 4);
    EXPECT_EQ(sleeper_.slept, 500);
    EXPECT_EQ(link_.SendCount, 1);

    link_.Connected = 0;  // dropped at the gate, but paced all the same
    transfers.LoadToDsp(1);
    EXPECT_EQ(port_.Written().size(), 1u);
    EXPECT_EQ(sleeper_.slept, 1000);
    EXPECT_EQ(link_.Sending, 0);
}

}  // namespace
}  // namespace sonavel
