#include "devsim/UnitBank.h"

#include <gtest/gtest.h>

#include "link/Messages.h"

using namespace sonavel;
using namespace sonavel::devsim;

namespace {

Bytes Frame(std::initializer_list<int> middle) {
    Bytes frame = {0x01, 0x20, 0x03, 0x40};
    frame.push_back(static_cast<uint8_t>(middle.size() + 7));
    for (int b : middle) frame.push_back(static_cast<uint8_t>(b));
    frame.push_back(0x05);
    frame.push_back(0x60);
    return frame;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// The settings dump of a unit fresh from the store defaults, written out by hand from the
// block layout: gains 121, delays 1, compressors (attack 0, release 0 1, threshold 100,
// ratio 1), invert 0 0, function 6 0 0, function 3 1 1, then per channel the two crossover
// list positions and seven bands of type, frequency split, gain 24, Q 35, on.
Bytes FreshDump(uint8_t address) {
    Bytes dump = {0x01, 0x20, 0x03, 0x40, 0x79, 0x02, 0x00, 0x79, 0x79, 0x79, 0x79, 0x01, 0x01,
                  0x00, 0x00, 0x01, 0x64, 0x01, 0x00, 0x00, 0x01, 0x64, 0x01, 0x00, 0x00, 0x00,
                  0x00, 0x01, 0x01};
    const Bytes bands = {0x01, 0x01, 0x03, 0x18, 0x23, 0x00, 0x01, 0x02, 0x03, 0x18, 0x23, 0x00,
                         0x01, 0x0A, 0x00, 0x18, 0x23, 0x00, 0x01, 0x13, 0x3C, 0x18, 0x23, 0x00,
                         0x01, 0x32, 0x28, 0x18, 0x23, 0x00, 0x02, 0x0A, 0x00, 0x18, 0x23, 0x00,
                         0x03, 0x0A, 0x00, 0x18, 0x23, 0x00};
    for (const Bytes& lists : {Bytes{0x05, 0x00}, Bytes{0x00, 0x05}}) {
        dump.insert(dump.end(), lists.begin(), lists.end());
        dump.insert(dump.end(), bands.begin(), bands.end());
    }
    for (uint8_t b : {uint8_t{0x00}, address, uint8_t{0x05}, uint8_t{0x60}}) dump.push_back(b);
    return dump;
}

}  // namespace

TEST(UnitBank, AnswersPresenceAndSettingsRequestsOfItsOwnUnitsOnly) {
    UnitBank bank({1, 5});
    auto out = bank.Handle(Frame({0x0B, 0x05}));
    ASSERT_EQ(out.replies.size(), 1u);
    EXPECT_EQ(out.replies[0], (Bytes{0x01, 0x20, 0x03, 0x40, 0x09, 0x01, 0x05, 0x05, 0x60}));
    EXPECT_TRUE(bank.Handle(Frame({0x0B, 0x07})).replies.empty());

    out = bank.Handle(Frame({0x0C, 0x01}));
    ASSERT_EQ(out.replies.size(), 1u);
    EXPECT_EQ(out.replies[0], FreshDump(1));
    EXPECT_EQ(bank.Handle(Frame({0x0C, 0x05})).replies.at(0), FreshDump(5));

    // Slot requests: 1..16 answered; the slot number stands at offset 117.
    out = bank.Handle(Frame({0x0C, 0x10, 0x05}));
    ASSERT_EQ(out.replies.size(), 1u);
    EXPECT_EQ(out.replies[0][117], 16);
    EXPECT_TRUE(bank.Handle(Frame({0x0C, 0x00, 0x05})).replies.empty());
    EXPECT_TRUE(bank.Handle(Frame({0x0C, 0x11, 0x05})).replies.empty());
    // A message the unit does not know is ignored.
    EXPECT_EQ(bank.Handle(Frame({0x0D, 0x01})).note, "ignored: unknown message");
}

TEST(UnitBank, ParameterMessagesChangeTheWorkingSetAndShowInTheDump) {
    UnitBank bank({1});
    // Band 3 of channel 2: high shelf at 20160 Hz, +12 dB, Q position 100, off.
    bank.Handle(Frame({0x04, 0x02, 0x03, 0x04, 0xC9, 0x3C, 0x00, 0x64, 0x01, 0x01}));
    // Channel 1 high-pass slot: Linkwitz-Riley -12dB/oct (list position 3) at 2000 Hz.
    bank.Handle(Frame({0x05, 0x01, 0x07, 0x03, 0x14, 0x00, 0x01}));
    // Input gains 100, 110; output levels 0 (muted) and 145; delays 2 and 151.
    bank.Handle(Frame({0x01, 100, 110, 0, 145, 2, 151, 0x01}));
    // Channel 2 compressor: attack 200, release 1000, threshold 0, limiter.
    bank.Handle(Frame({0x02, 0x02, 200, 0x0A, 0x00, 0, 100, 0x01}));
    bank.Handle(Frame({0x03, 0x01, 0x00, 0x01}));        // function 3 of channel 1 off
    bank.Handle(Frame({0x06, 0x02, 0x01, 0x01}));        // function 6 of channel 2 on
    bank.Handle(Frame({0x08, 0x01, 0x01, 0x01}));        // function 8 of channel 1 on
    bank.Handle(Frame({0x07, 0x02, 90, 30, 7, 0x01}));    // loudness of channel 2
    bank.Handle(Frame({0x09, 0x00, 0x00, 0x01, 0x01}));  // channel 2 inverted

    const ParameterStore& s = bank.Units()[0].Working();
    EXPECT_EQ(s.EqType(2, 3), 4);
    EXPECT_EQ(s.EqFrequency(2, 3), 20160);
    EXPECT_EQ(s.EqByPass(2, 3), 1);
    EXPECT_EQ(s.HpType(1), 3);
    EXPECT_EQ(s.EqType(1, 7), 6);  // the Linkwitz-Riley high-pass shape
    EXPECT_EQ(s.EqFrequency(1, 7), 2000);
    EXPECT_EQ(s.OutputLevel(1), 0);
    EXPECT_EQ(s.GainLevel(4), 145);
    EXPECT_EQ(s.CompRelease(2), 1000);
    EXPECT_EQ(s.CompRatio(2), 100);
    EXPECT_EQ(s.FuncByPass3(1), 0);
    EXPECT_EQ(s.FuncByPass6(2), 1);
    EXPECT_EQ(s.FuncByPass8(1), 1);
    EXPECT_EQ(s.LoudnessParam2(2), 30);
    EXPECT_EQ(s.InvertStatus(2), 1);
    EXPECT_EQ(s.InvertStatus(1), 0);

    const Bytes dump = bank.Handle(Frame({0x0C, 0x01})).replies.at(0);
    EXPECT_EQ(Bytes(dump.begin() + 7, dump.begin() + 13), (Bytes{100, 110, 0, 145, 2, 151}));
    EXPECT_EQ(Bytes(dump.begin() + 18, dump.begin() + 28), (Bytes{200, 0x0A, 0x00, 0, 100, 0, 1, 0, 1, 0}));
    EXPECT_EQ(dump[30], 3);  // HpType(1)
    EXPECT_EQ(Bytes(dump.begin() + 67, dump.begin() + 73), (Bytes{6, 0x14, 0x00, 0x18, 0x23, 0x00}));
    EXPECT_EQ(Bytes(dump.begin() + 87, dump.begin() + 93), (Bytes{4, 0xC9, 0x3C, 0x00, 0x64, 0x01}));
}

TEST(UnitBank, WholeSettingsGoToTheWorkingSetAndStoredSettingsToTheirSlot) {
    UnitBank bank({3});
    ParameterStore store{};
    InitDSPPremeter(store);
    store.EqGain(1, 2) = 0;
    store.DelaySamples(2) = 48;
    store.GainLevel(3) = 0;
    bank.Handle(WholeSettingsMessage(store, 3));
    const ParameterStore& working = bank.Units()[0].Working();
    EXPECT_EQ(working.EqGain(1, 2), 0);
    EXPECT_EQ(working.DelaySamples(2), 48);
    EXPECT_EQ(working.OutputLevel(1), 0);  // output gain 1 is muted
    EXPECT_EQ(working.OutputLevel(2), 121);

    store.EqQFactor(2, 5) = 99;
    const auto stored = bank.Handle(StoreToSlotMessage(store, 16, 3));
    EXPECT_EQ(stored.note, "stored in slot 16");
    EXPECT_TRUE(stored.replies.empty());  // nothing is acknowledged
    EXPECT_EQ(bank.Units()[0].Slot(16).EqQFactor(2, 5), 99);
    EXPECT_EQ(bank.Units()[0].Slot(15).EqQFactor(2, 5), 35);
    EXPECT_EQ(working.EqQFactor(2, 5), 35);
    const Bytes slotDump = bank.Handle(SlotSettingsRequest(16, 3)).replies.at(0);
    EXPECT_EQ(slotDump[31 + 44 + 6 * 4 + 4], 99);  // EqQFactor(2, 5)
}

TEST(UnitBank, RejectsValuesOutsideTheirRangeAndKeepsTheSettings) {
    UnitBank bank({1});
    const ParameterStore before = bank.Units()[0].Working();
    const std::vector<Bytes> bad = {
        Frame({0x04, 0x01, 0x03, 0x01, 0x0A, 0x00, 60, 0x23, 0x00, 0x01}),    // gain step 60
        Frame({0x04, 0x03, 0x03, 0x01, 0x0A, 0x00, 0x18, 0x23, 0x00, 0x01}),  // channel 3
        Frame({0x04, 0x01, 0x08, 0x01, 0x0A, 0x00, 0x18, 0x23, 0x00, 0x01}),  // band 8
        Frame({0x04, 0x01, 0x01, 0x01, 0x00, 0x05, 0x18, 0x23, 0x00, 0x01}),  // 5 Hz
        Frame({0x05, 0x01, 0x03, 0x01, 0x0A, 0x00, 0x01}),                    // crossover band 3
        Frame({0x01, 121, 121, 121, 121, 0, 1, 0x01}),                        // delay 0
    };
    for (const Bytes& frame : bad) {
        const auto out = bank.Handle(frame);
        EXPECT_EQ(out.note.rfind("rejected: ", 0), 0u) << out.note;
    }
    EXPECT_TRUE(bank.Units()[0].Working() == before);
}

TEST(UnitBank, AddressToolReadsEveryUnitAndProgramsOnlyALoneOne) {
    UnitBank pair({1, 5});
    auto out = pair.Handle(Frame({0x10, 0x05, 0xFF}));
    ASSERT_EQ(out.replies.size(), 2u);
    EXPECT_EQ(out.replies[0], Text(" Addr=01"));
    EXPECT_EQ(out.replies[1], Text(" Addr=05"));
    out = pair.Handle(Frame({0x0F, 0x07, 0xFF}));
    EXPECT_TRUE(out.replies.empty());
    EXPECT_EQ(pair.Units()[0].Address(), 1);

    UnitBank lone({1});
    EXPECT_TRUE(lone.Handle(Frame({0x10, 0x05, 0x01})).replies.empty());  // not sent to 255
    EXPECT_TRUE(lone.Handle(Frame({0x0F, 0x00, 0xFF})).replies.empty());  // address 0
    EXPECT_TRUE(lone.Handle(Frame({0x0F, 0x21, 0xFF})).replies.empty());  // address 33
    EXPECT_EQ(lone.Units()[0].Address(), 1);
    out = lone.Handle(Frame({0x0F, 0x20, 0xFF}));
    EXPECT_EQ(out.replies.at(0), Text(" Addr=32"));
    EXPECT_TRUE(lone.Handle(Frame({0x0B, 0x01})).replies.empty());
    EXPECT_EQ(lone.Handle(Frame({0x0B, 0x20})).replies.at(0),
              (Bytes{0x01, 0x20, 0x03, 0x40, 0x09, 0x01, 0x20, 0x05, 0x60}));
}
