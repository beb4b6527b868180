#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "link/Messages.h"
#include "link/Transfers.h"
#include "tests/support/MemoryPort.h"

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
    TransfersTest() {
        InitDSPPremeter(store_);
        InitDSPPremeter(unit_);
        link_.Connected = 1;
        port_.OnComm = [this] { receiver_.OnComm(port_.Input()); };
        port_.SetResponder([this](const Bytes& written) { return Answer(written); });
        port_.SetPortOpen(true);
    }

    Bytes Answer(const Bytes& written) {
        const uint8_t address = written[written.size() - 3];
        if (address != unitAddress_) return {};
        if (written[5] == kCmdPresenceQuery) return {1, 0x20, 3, 0x40, 9, 1, address, 5, 0x60};
        if (written[5] != kCmdSettingsRequest) return {};
        Bytes dump = {1, 0x20, 3, 0x40, 121, 2};
        dump.resize(kSettingsDumpLength);
        WriteSettingsBlock(unit_, dump);
        dump[118] = static_cast<uint8_t>(dumpAddress_);
        dump[119] = 5;
        dump[120] = 0x60;
        return dump;
    }
    void Note(const std::string& event) { events_.push_back(event + " @" + std::to_string(elapsedMs_)); }

    ParameterStore store_, unit_;
    LinkState link_;
    MemoryPort port_;
    Receiver receiver_{link_};
    CountingSleeper sleeper_;
    int unitAddress_ = 1, dumpAddress_ = 1, elapsedMs_ = 0;  // unit address 0: no unit
    std::vector<std::string> events_;
    std::function<void()> duringFirstWait_;  // what the user does while the transfer waits
    Transfers transfers_{store_, link_, port_, sleeper_, receiver_, {
        .PumpEventsOnce = [this] {
            if (duringFirstWait_) std::exchange(duringFirstWait_, nullptr)();
            elapsedMs_ += 20;
            Timer2Tick(link_);
            port_.DeliverPending();
        },
        .OpenStatusPanel = [this] { Note("open"); },
        .ShowStatus = [this](const std::string& text) { Note(text); },
        .ApplyToControls = [this] { Note("apply"); EXPECT_EQ(store_.EqGain(2, 3), unit_.EqGain(2, 3)); },
        .ClosePanel = [this] { Note("close"); },
        .UncheckMuteBoxes = [this] { Note("unmute"); }}};
};

TEST_F(TransfersTest, UpdateFillsTheStoreFromTheUnitAndShowsItsProgress) {
    unitAddress_ = dumpAddress_ = link_.DeviceAddress = 7;
    unit_.EqGain(2, 3) = 40;
    unit_.LpType(1) = 3;  // Linkwitz-Riley low-pass: band 6 gets code 7 whatever it carried
    unit_.EqType(1, 6) = 11;
    unit_.EqQFactor(1, 1) = 200;  // out of range from the unit: clamped to 100
    store_.MuteState(1) = 1;      // not carried by the dump: kept
    link_.SendCount = 2;

    ASSERT_TRUE(transfers_.Update());
    // The ping is answered on the first tick, the dump on the next; then two pauses of 31 ticks.
    const std::vector<std::string> expected = {"open @0", "Recall UnitID: 7... @0", "Recall UnitID: 7...Flish @40",
                                               "Update... @660", "apply @1280", "close @1280"};
    EXPECT_EQ(events_, expected);
    ParameterStore unitSettings = unit_;  // with the codes the crossover lists give
    unitSettings.EqType(1, 6) = 7;
    unitSettings.EqType(2, 7) = 2;  // Butterworth -24dB/oct high-pass, the start-up list position
    unitSettings.EqQFactor(1, 1) = 100;
    unitSettings.MuteState(1) = 1;
    EXPECT_EQ(store_, unitSettings);
    EXPECT_EQ(link_.Sending, 0);
    EXPECT_EQ(link_.SendCount, 0);  // the accepted dump resets the count
    EXPECT_EQ(port_.Written(), (std::vector<Bytes>{PresenceQuery(7), CurrentSettingsRequest(7)}));
}

TEST_F(TransfersTest, NoSettingsEndInTheErrorTextAfterTheWaits) {
    const ParameterStore before = store_;
    // A dump from another address is ignored like silence: after the answered ping (one
    // tick) three request waits of 51 ticks each run out.
    dumpAddress_ = 2;
    unit_.EqGain(1, 1) = 0;
    EXPECT_FALSE(transfers_.Update());
    EXPECT_EQ(events_.back(), "Recall UnitID: 1...Error @3080");
    const Bytes request = CurrentSettingsRequest(1);
    EXPECT_EQ(port_.Written(), (std::vector<Bytes>{PresenceQuery(1), request, request, request}));
    EXPECT_EQ(store_, before);
    EXPECT_EQ(link_.Sending, 0);

    // With the gate closed only the ping wait runs, and nothing is written.
    port_.ClearWritten();
    elapsedMs_ = 0;
    link_.Connected = 0;
    EXPECT_FALSE(transfers_.Update());
    EXPECT_EQ(events_.back(), "Recall UnitID: 1...Error @220");
    EXPECT_TRUE(port_.Written().empty());
}

TEST_F(TransfersTest, TheRequestCarriesTheAddressChosenDuringThePing) {
    unitAddress_ = dumpAddress_ = 5;
    duringFirstWait_ = [this] { link_.DeviceAddress = 5; };
    ASSERT_TRUE(transfers_.Update());
    EXPECT_EQ(port_.Written(), (std::vector<Bytes>{PresenceQuery(1), CurrentSettingsRequest(5)}));
}

TEST_F(TransfersTest, RecallAsksForTheSlotAndAlwaysUnmutes) {
    unit_.DelaySamples(2) = 151;
    ASSERT_TRUE(transfers_.RecallFromDsp(3));
    EXPECT_EQ(port_.Written(), (std::vector<Bytes>{PresenceQuery(1), SlotSettingsRequest(3, 1)}));
    EXPECT_EQ(store_.DelaySamples(2), 151);
    EXPECT_EQ(events_[1], "Recall Preset:User 3... @0");
    EXPECT_EQ(events_.back(), "unmute @1280");

    // No unit at all: a ping wait of 11 ticks and three request waits of 51 ticks.
    unitAddress_ = 0;
    elapsedMs_ = 0;
    EXPECT_FALSE(transfers_.RecallFromDsp(16));
    EXPECT_EQ(events_[events_.size() - 2], "Recall Preset:User 16...Error @3280");
    EXPECT_EQ(events_.back(), "unmute @3280");
    EXPECT_THROW(transfers_.RecallFromDsp(17), std::out_of_range);
}

TEST_F(TransfersTest, LoadToDspSendsTheStoreIntoTheSlotAndPauses) {
    store_.EqGain(1, 1) = 10;
    link_.DeviceAddress = 4;
    transfers_.LoadToDsp(16);
    EXPECT_EQ(port_.Written(), std::vector<Bytes>{StoreToSlotMessage(store_, 16, 4)});
    EXPECT_EQ(port_.Written().at(0).at(117), 0x10);
    EXPECT_EQ(sleeper_.slept, 500);
    EXPECT_EQ(link_.SendCount, 1);

    link_.Connected = 0;  // dropped at the gate, but paced all the same
    transfers_.LoadToDsp(1);
    EXPECT_EQ(port_.Written().size(), 1u);
    EXPECT_EQ(sleeper_.slept, 1000);
    EXPECT_EQ(link_.Sending, 0);
}

}  // namespace
}  // namespace sonavel
