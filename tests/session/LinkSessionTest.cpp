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

// One unit on a line on virtual time: each pump of events is one 20 ms tick of both timers,
// after which whatever the unit answered so far arrives. Every report of the line is noted
// with the virtual time it came at.
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
        if (timer1InWaits_) session_.Tick();
        port_.DeliverPending();
    }
    // Starts afresh at time 0 with nothing written and nothing shown.
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
    bool timer1InWaits_ = false;
    std::function<void()> duringWait_;  // what the user does in the first wait
    std::deque<Bytes> scriptedDumps_;   // answers to the next settings requests (empty: silence)
    LinkSession session_{store_, port_, time_, time_, [this] { Pump(); }, {}};
};

// The unit's progress and bytes; what the dump puts into the store is the damaged-dump test's.
TEST_F(LinkSessionTest, UpdateFillsTheStoreFromTheUnitAndShowsItsProgress) {
    unitAddress_ = dumpAddress_ = 7;
    session_.ChooseAddress(7);
    ASSERT_TRUE(session_.Update());
    // The ping is answered on the first tick, the dump on the next; then two waits of 31 ticks.
    const std::vector<std::string> expected = {"open @0", "Recall UnitID: 7... @0", "Recall UnitID: 7...Flish @40",
                                               "Update... @660", "apply @1280", "close @1280"};
    EXPECT_EQ(events_, expected);
    EXPECT_EQ(session_.State().Sending, 0);
    EXPECT_EQ(session_.State().SendCount, 0);  // the accepted dump resets the count
    EXPECT_EQ(port_.Written(), (std::vector<Bytes>{PresenceQuery(7), CurrentSettingsRequest(7)}));

    // Without a status panel a read ends with the dump.
    LinkSession line(store_, port_, time_, time_, [this] { Pump(); }, {.statusPanelWaits = false});
    line.SetView(this);
    ASSERT_TRUE(line.SwitchOn().ok);
    line.ChooseAddress(7);
    Restart();
    ASSERT_TRUE(line.Update());
    EXPECT_EQ(events_.back(), "close @40");
}

// No settings: after the answered ping (one tick) three request waits of 51 ticks each run
// out; with no unit at all the ping wait is 11 ticks. A dump from another address is silence.
TEST_F(LinkSessionTest, ReadsWithoutSettingsEndInTheErrorTextAfterTheWaits) {
    const ParameterStore before = store_;
    dumpAddress_ = 2;
    EXPECT_FALSE(session_.Update());
    EXPECT_EQ(events_.back(), "Recall UnitID: 1...Error @3080");
    const Bytes request = CurrentSettingsRequest(1);
    EXPECT_EQ(port_.Written(), (std::vector<Bytes>{PresenceQuery(1), request, request, request}));
    EXPECT_EQ(store_, before);

    dumpAddress_ = 1;
    Restart();
    ASSERT_TRUE(session_.RecallFromDsp(3));
    EXPECT_EQ(port_.Written(), (std::vector<Bytes>{PresenceQuery(1), SlotSettingsRequest(3, 1)}));
    EXPECT_EQ(events_[1], "Recall Preset:User 3... @0");
    EXPECT_EQ(events_.back(), "unmute @1280");

    unitAddress_ = 0;
    Restart();
    EXPECT_FALSE(session_.RecallFromDsp(16));
    EXPECT_EQ(events_[events_.size() - 2], "Recall Preset:User 16...Error @3280");
    EXPECT_EQ(events_.back(), "unmute @3280");
    EXPECT_THROW(session_.RecallFromDsp(17), std::out_of_range);

    // With the gate closed only the ping wait runs, and nothing is written.
    unitAddress_ = 1;
    Restart();
    session_.SwitchOff();
    EXPECT_FALSE(session_.Update());
    EXPECT_EQ(events_.back(), "Recall UnitID: 1...Error @220");
    EXPECT_TRUE(port_.Written().empty());
}

// A dump is damaged when a value lies outside its field's range (the two bytes of a split
// value make hundreds and a remainder below 100). It is asked for again; only a damaged dump
// from every attempt is taken, clamped. Dumps in range are taken as they come, edges included.
TEST_F(LinkSessionTest, DamagedDumpsAreAskedForAgainAndTakenOnlyWhenNothingElseComes) {
    ParameterStore edges = unit_;
    edges.EqFrequency(2, 7) = 20160, edges.CompRelease(1) = 1000, edges.CompRatio(2) = 101, edges.LpType(2) = 8;
    edges.EqQFactor(1, 1) = 0, edges.EqGain(2, 5) = 48, edges.DelaySamples(1) = 151, edges.GainLevel(2) = 145;
    ParameterStore applied = edges;
    BringStoreInLine(applied);
    const Bytes good = Dump(edges);
    Bytes ratios = good, release = good, remainder = good, qFactor = good;
    ratios[17] = 154, ratios[22] = 235;  // CompRatio of both channels
    release[14] = 133, release[15] = 1;  // CompRelease(1) 13301
    remainder[33] = 235;                 // EqFrequency(1,1) 1 * 100 + 235
    qFactor[35] = 101;                   // EqQFactor(1,1)
    ParameterStore clamped = edges;
    ReadSettingsBlock(qFactor.data(), clamped);
    BringStoreInLine(clamped);
    ASSERT_EQ(clamped.EqQFactor(1, 1), 100);

    const struct {
        const char* name;
        std::vector<Bytes> answers;
        bool received;
        const ParameterStore* result;  // nullptr: the store is unchanged
    } cases[] = {
        {"in range at every edge", {good}, true, &applied},
        {"ratios, then good", {ratios, good}, true, &applied},
        {"release, remainder, then good", {release, remainder, good}, true, &applied},
        {"damaged three times", {ratios, remainder, qFactor}, true, &clamped},
        {"damaged, then silence", {release, {}, {}}, false, nullptr},
        {"silence, then damaged twice", {{}, ratios, qFactor}, false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InitDSPPremeter(store_);
        BringStoreInLine(store_);
        const ParameterStore before = store_;
        scriptedDumps_.assign(c.answers.begin(), c.answers.end());
        port_.ClearWritten();
        EXPECT_EQ(session_.Update(), c.received);
        EXPECT_EQ(store_, c.result ? *c.result : before);
        EXPECT_EQ(port_.Written().size(), 1 + c.answers.size()) << "the ping and one request per answer";
    }
}

// Inside a read's first wait: a second read does not start and the address chosen meanwhile is
// asked; an edit is sent, paced, and lets the presence check run.
TEST_F(LinkSessionTest, WhatTheUserDoesInsideAReadsWait) {
    unitAddress_ = dumpAddress_ = 5;
    bool nestedStarted = true;
    duringWait_ = [this, &nestedStarted] {
        session_.ChooseAddress(5);
        nestedStarted = session_.Update() || session_.RecallFromDsp(1);
        EXPECT_TRUE(session_.ReadRunning());
        EXPECT_EQ(session_.State().Sending, 1) << "the running read keeps its bookkeeping";
    };
    ASSERT_TRUE(session_.Update());
    EXPECT_FALSE(nestedStarted);
    EXPECT_EQ(port_.Written(), (std::vector<Bytes>{PresenceQuery(1), CurrentSettingsRequest(5)}));

    unitAddress_ = 0;  // the read runs through all its waits
    timer1InWaits_ = true;
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
}

// Closing the program in a read's first wait: the read ends there, shows nothing more (no
// error text, no unmuting), and neither the presence schedule nor an edit sends anything.
TEST_F(LinkSessionTest, ShutdownEndsARunningReadAtOnceAndNothingIsSentAfterIt) {
    unitAddress_ = 0;  // the read would run through all its waits
    for (const bool slotRecall : {false, true}) {
        SCOPED_TRACE(slotRecall ? "recall" : "update");
        LinkSession line(store_, port_, time_, time_, [this] { Pump(); }, {});
        line.SetView(this);
        ASSERT_TRUE(line.SwitchOn().ok);
        Restart();
        duringWait_ = [&line] { line.Shutdown(); };
        EXPECT_FALSE(slotRecall ? line.RecallFromDsp(1) : line.Update());
        EXPECT_EQ(time_.nowMs, 20);
        EXPECT_EQ(events_.back(), (slotRecall ? RecallStatusText(1) : UpdateStatusText(1)) + " @0");
        for (int tick = 0; tick < 100; ++tick) line.Tick();
        line.Sender().LoadGainDelayPrameter();
        EXPECT_EQ(port_.Written(), std::vector<Bytes>{PresenceQuery(1)}) << "the wake-up ping only";
        EXPECT_FALSE(port_.PortOpen());
    }
}

TEST_F(LinkSessionTest, LoadToDspSendsTheStoreIntoTheSlotAndPausesEvenAtAClosedGate) {
    session_.ChooseAddress(4);
    session_.LoadToDsp(16);
    EXPECT_EQ(port_.Written(), std::vector<Bytes>{StoreToSlotMessage(store_, 16, 4)});
    EXPECT_EQ(session_.State().SendCount, 1);
    session_.SwitchOff();
    session_.LoadToDsp(1);
    EXPECT_EQ(port_.Written().size(), 1u);
    EXPECT_EQ(time_.pauses, (std::vector<int>{500, 500}));
    EXPECT_EQ(session_.State().Sending, 0);
}

// A presence query is not counted; it waits up to its time-out and a closed gate stops it.
TEST_F(LinkSessionTest, PresenceQueriesGoThroughTheGateAndWaitUpToTheirTimeOut) {
    const struct {
        int unitAddress;
        bool connected, answered;
        long long waitedMs;
        size_t written;
    } cases[] = {{1, true, true, 20, 1}, {0, true, false, 220, 1}, {1, false, false, 0, 0}};
    for (const auto& c : cases) {
        unitAddress_ = c.unitAddress;
        if (c.connected) session_.SwitchOn();
        else session_.SwitchOff();
        Restart();
        EXPECT_EQ(session_.QueryPresence(220), c.answered);
        EXPECT_EQ(time_.nowMs, c.waitedMs);
        EXPECT_EQ(port_.Written().size(), c.written);
        EXPECT_EQ(session_.State().SendCount, 0);
    }
}

}  // namespace
}  // namespace sonavel
