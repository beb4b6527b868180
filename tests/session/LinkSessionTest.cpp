#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "link/LinkSession.h"
#include "link/Messages.h"
#include "model/BulkChange.h"
#include "tests/support/MemoryPort.h"
#include "tests/support/VirtualTime.h"

namespace sonavel {
namespace {

// One unit on a line on virtual time: each pump of events is one 20 ms tick of both timers, after
// which the unit's answers arrive. Every report of the line is noted with its virtual time.
class LinkSessionTest : public ::testing::Test, public LinkView {
protected:
    LinkSessionTest() {
        InitDSPPremeter(store_);
        InitDSPPremeter(unit_);
        port_.SetResponder([this](const Bytes& written) { return Answer(written); });
        session_.SetView(this);
        session_.SwitchOn();
    }
    void Note(const std::string& event) { events_.push_back(event + " @" + std::to_string(time_.nowMs)); }
    void ShowPresenceLamp(bool lit) override { Note(lit ? "lamp on" : "lamp off"); }
    void OpenStatusPanel() override { Note("open"); }
    void ShowStatus(const std::string& text) override { Note(text); }
    void ApplyToControls() override { Note("apply"); }
    void ClosePanel() override { Note("close"); }
    void UncheckMuteBoxes() override { Note("unmute"); }
    Bytes Answer(const Bytes& written) {
        const uint8_t address = written[written.size() - 3];
        if (address != unitAddress_) return {};
        if (written[5] == kCmdPresenceQuery) return BuildMessage(kCmdGainDelay, {}, address);
        if (written[5] != kCmdSettingsRequest) return {};
        if (scriptedDumps_.empty()) return Dump(unit_);
        const Bytes next = scriptedDumps_.front();
        scriptedDumps_.pop_front();
        return next;
    }
    Bytes Dump(const ParameterStore& settings) const {
        Bytes dump = BuildMessage(kCmdLimiter, std::vector<int>(kSettingsDumpLength - kEnvelopeBytes, 0), dumpAddress_);
        WriteSettingsBlock(settings, dump);
        return dump;
    }
    void Pump() {
        if (duringWait_) std::exchange(duringWait_, nullptr)();
        time_.nowMs += 20;
        session_.TickWaits();
        session_.Tick();
        port_.DeliverPending();
    }
    void Restart() {
        port_.ClearWritten();
        events_.clear();
        time_.nowMs = 0;
    }

    ParameterStore store_, unit_;
    MemoryPort port_;
    VirtualTime time_;
    std::vector<std::string> events_;
    int unitAddress_ = 1, dumpAddress_ = 1;  // unit address 0: no unit
    std::function<void()> duringWait_;  // what the user does in the first wait
    std::deque<Bytes> scriptedDumps_;   // answers to the next settings requests (empty: silence)
    LinkSession session_{store_, port_, time_, time_, [this] { Pump(); }, {}};
};

// A read's progress: the ping is answered on the first tick, the dump on the next, then two status
// waits of 31 ticks (the command-line tool reads without them; the benchmarks time it). No settings:
// three request waits of 51 ticks; with the gate closed only the ping wait of 11 ticks runs.
TEST_F(LinkSessionTest, ReadsShowTheirProgressAndEndInTheErrorTextAfterTheWaits) {
    unitAddress_ = dumpAddress_ = 7;
    session_.ChooseAddress(7);
    ASSERT_TRUE(session_.Update());
    EXPECT_EQ(events_, (std::vector<std::string>{"open @0", "Recall UnitID: 7... @0", "Recall UnitID: 7...Flish @40",
                                                 "Update... @660", "apply @1280", "close @1280"}));
    EXPECT_EQ(port_.Written(), (std::vector<Bytes>{PresenceQuery(7), CurrentSettingsRequest(7)}));

    const ParameterStore before = store_;
    dumpAddress_ = 2;  // a dump from another address is silence
    Restart();
    EXPECT_FALSE(session_.Update());
    EXPECT_EQ(events_.back(), "Recall UnitID: 7...Error @3080");
    const Bytes request = CurrentSettingsRequest(7);
    EXPECT_EQ(port_.Written(), (std::vector<Bytes>{PresenceQuery(7), request, request, request}));
    EXPECT_EQ(store_, before);

    dumpAddress_ = 7;
    Restart();
    ASSERT_TRUE(session_.RecallFromDsp(3));
    EXPECT_EQ(port_.Written(), (std::vector<Bytes>{PresenceQuery(7), SlotSettingsRequest(3, 7)}));
    EXPECT_EQ(events_.back(), "unmute @1280");

    Restart();
    session_.SwitchOff();
    EXPECT_FALSE(session_.Update());
    EXPECT_EQ(events_.back(), "Recall UnitID: 7...Error @220");
    EXPECT_TRUE(port_.Written().empty());
}

// A damaged dump (a value outside its field's range, or a split value's remainder of 100 or more) is
// asked for again; only one from every attempt is taken, clamped. Dumps in range are taken, edges included.
TEST_F(LinkSessionTest, DamagedDumpsAreAskedForAgainAndTakenOnlyWhenNothingElseComes) {
    ParameterStore edges = unit_;
    edges.EqFrequency(2, 7) = 20160, edges.CompRelease(1) = 1000, edges.CompRatio(2) = 101, edges.LpType(2) = 8;
    edges.EqQFactor(1, 1) = 0, edges.EqGain(2, 5) = 48, edges.DelaySamples(1) = 151, edges.GainLevel(2) = 145;
    BringStoreInLine(edges);
    const Bytes good = Dump(edges);
    Bytes ratios = good, remainder = good, qFactor = good;
    ratios[17] = 154, ratios[22] = 235;  // CompRatio of both channels
    remainder[33] = 235;                 // EqFrequency(1,1) 1 * 100 + 235
    qFactor[35] = 101;                   // EqQFactor(1,1)
    ParameterStore clamped = edges;
    clamped.EqQFactor(1, 1) = 100;  // the most the field allows
    BringStoreInLine(clamped);
    const ParameterStore before = store_;

    const struct {
        const char* name;
        std::vector<Bytes> answers;
        bool received;
        const ParameterStore& result;
    } cases[] = {
        {"in range at every edge", {good}, true, edges},
        {"damaged twice, then good", {ratios, remainder, good}, true, edges},
        {"damaged three times", {ratios, remainder, qFactor}, true, clamped},
        {"silence, then damaged twice", {{}, ratios, qFactor}, false, before},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        store_ = before;
        scriptedDumps_.assign(c.answers.begin(), c.answers.end());
        port_.ClearWritten();
        EXPECT_EQ(session_.Update(), c.received);
        EXPECT_EQ(store_, c.result);
        EXPECT_EQ(port_.Written().size(), 1 + c.answers.size()) << "the ping and one request per answer";
    }
}

// Inside a read's first wait: a second read does not start and the address chosen meanwhile is
// asked; an edit is sent, paced, and lets the presence check run; closing the program ends the read.
TEST_F(LinkSessionTest, WhatTheUserDoesInsideAReadsWait) {
    unitAddress_ = dumpAddress_ = 5;
    bool nestedStarted = true;
    duringWait_ = [this, &nestedStarted] {
        session_.ChooseAddress(5);
        nestedStarted = session_.Update() || session_.RecallFromDsp(1);
        EXPECT_TRUE(session_.ReadRunning());
    };
    ASSERT_TRUE(session_.Update());
    EXPECT_FALSE(nestedStarted);
    EXPECT_EQ(port_.Written(), (std::vector<Bytes>{PresenceQuery(1), CurrentSettingsRequest(5)}));

    unitAddress_ = 0;  // the read runs through all its waits
    for (int tick = 0; tick < 60; ++tick) Pump();  // quiet for long: a check is due at once
    Restart();
    session_.ForgetPresence();
    duringWait_ = [this] {
        EXPECT_TRUE(events_.size() == 2) << "no presence check while the read holds the line";
        session_.Sender().LoadGainDelayPrameter();
    };
    EXPECT_FALSE(session_.Update());
    EXPECT_EQ(port_.Written().at(1), GainDelayMessage(store_, 5));
    EXPECT_EQ(time_.pauses, std::vector<int>{128});
    // The edit lowered Sending: the check runs 21 quiet ticks after its pause, inside the wait.
    EXPECT_EQ(events_.at(2), "lamp off @" + std::to_string(128 + 21 * 20));
    EXPECT_EQ(port_.Written().at(3), PresenceQuery(5));  // after the first request

    // Closing the program in a slot recall's first wait ends the read there: it shows nothing more
    // (no error text, no unmuting), and neither the presence schedule nor an edit sends anything.
    Restart();
    duringWait_ = [this] { session_.Shutdown(); };
    EXPECT_FALSE(session_.RecallFromDsp(1));
    EXPECT_EQ(time_.nowMs, 20);
    EXPECT_EQ(events_.back(), "Recall Preset:User 1... @0");
    for (int tick = 0; tick < 100; ++tick) session_.Tick();
    session_.Sender().LoadGainDelayPrameter();
    EXPECT_EQ(port_.Written(), std::vector<Bytes>{PresenceQuery(5)}) << "the wake-up ping only";
    EXPECT_FALSE(port_.PortOpen());
}

TEST_F(LinkSessionTest, LoadToDspSendsTheStoreIntoTheSlotAndPausesEvenAtAClosedGate) {
    session_.ChooseAddress(4);
    session_.LoadToDsp(16);
    EXPECT_EQ(port_.Written(), std::vector<Bytes>{StoreToSlotMessage(store_, 16, 4)});
    session_.SwitchOff();
    session_.LoadToDsp(1);
    EXPECT_EQ(port_.Written().size(), 1u);
    EXPECT_EQ(time_.pauses, (std::vector<int>{500, 500}));
}

}  // namespace
}  // namespace sonavel
