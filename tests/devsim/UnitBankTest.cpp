#include "devsim/UnitBank.h"

#include <gtest/gtest.h>

#include "link/Messages.h"

using namespace sonavel;
using namespace sonavel::devsim;

namespace {

Bytes Frame(std::initializer_list<int> middle) {
    Bytes frame = {0x01, 0x20, 0x03, 0x40, static_cast<uint8_t>(middle.size() + 7)};
    for (int b : middle) frame.push_back(static_cast<uint8_t>(b));
    frame.insert(frame.end(), {0x05, 0x60});
    return frame;
}

Bytes PresenceReply(uint8_t address) { return {0x01, 0x20, 0x03, 0x40, 0x09, 0x01, address, 0x05, 0x60}; }
std::vector<Bytes> Texts(std::initializer_list<std::string> texts) {
    std::vector<Bytes> all;
    for (const std::string& t : texts) all.emplace_back(t.begin(), t.end());
    return all;
}

// A fresh unit's dump written out by hand: gains 121, delays 1, compressors (attack 0, release
// 0 1, threshold 100, ratio 1), invert 0 0, function 6 0 0, function 3 1 1, then per channel the
// crossover list positions and seven bands of type, frequency split, gain 24, Q 35, on. The
// crossover bands' types follow the lists: channel 1's low-pass and channel 2's high-pass
// (list position 5) are Butterworth, the bypassed slots keep their start-up codes.
Bytes FreshDump(uint8_t address) {
    Bytes dump = {0x01, 0x20, 0x03, 0x40, 0x79, 0x02, 0x00, 0x79, 0x79, 0x79, 0x79, 0x01, 0x01,
                  0x00, 0x00, 0x01, 0x64, 0x01, 0x00, 0x00, 0x01, 0x64, 0x01, 0x00, 0x00, 0x00,
                  0x00, 0x01, 0x01};
    const Bytes bands = {0x01, 0x01, 0x03, 0x18, 0x23, 0x00, 0x01, 0x02, 0x03, 0x18, 0x23, 0x00,
                         0x01, 0x0A, 0x00, 0x18, 0x23, 0x00, 0x01, 0x13, 0x3C, 0x18, 0x23, 0x00,
                         0x01, 0x32, 0x28, 0x18, 0x23, 0x00};
    for (uint8_t lowPass : {0x05, 0x00}) {
        const uint8_t highPass = 5 - lowPass;
        dump.insert(dump.end(), {lowPass, highPass});
        dump.insert(dump.end(), bands.begin(), bands.end());
        dump.insert(dump.end(), {uint8_t(lowPass ? 0x03 : 0x02), 0x0A, 0x00, 0x18, 0x23, 0x00});
        dump.insert(dump.end(), {uint8_t(highPass ? 0x02 : 0x03), 0x0A, 0x00, 0x18, 0x23, 0x00});
    }
    for (uint8_t b : {uint8_t{0x00}, address, uint8_t{0x05}, uint8_t{0x60}}) dump.push_back(b);
    return dump;
}

}  // namespace

TEST(UnitBank, AnswersPresenceAndSettingsRequestsOfItsOwnUnitsOnly) {
    UnitBank bank({1, 5});
    EXPECT_EQ(bank.Handle(Frame({0x0B, 0x05})).replies, std::vector<Bytes>{PresenceReply(5)});
    EXPECT_TRUE(bank.Handle(Frame({0x0B, 0x07})).replies.empty());
    EXPECT_EQ(bank.Handle(Frame({0x0C, 0x01})).replies, std::vector<Bytes>{FreshDump(1)});
    EXPECT_EQ(bank.Handle(Frame({0x0C, 0x05})).replies, std::vector<Bytes>{FreshDump(5)});

    // Slot requests: 1..16 answered; the slot number stands at offset 117.
    const auto slot = bank.Handle(Frame({0x0C, 0x10, 0x05})).replies;
    ASSERT_EQ(slot.size(), 1u);
    EXPECT_EQ(slot[0][117], 16);
    EXPECT_TRUE(bank.Handle(Frame({0x0C, 0x00, 0x05})).replies.empty());
    EXPECT_TRUE(bank.Handle(Frame({0x0C, 0x11, 0x05})).replies.empty());
    EXPECT_EQ(bank.Handle(Frame({0x0D, 0x01})).outcome, "refused: unknown message");
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
    EXPECT_EQ((std::vector<int>{s.OutputLevel(1), s.LoudnessParam2(2), s.FuncByPass8(1)}), (std::vector{0, 30, 1}));
    const Bytes dump = bank.Handle(Frame({0x0C, 0x01})).replies.at(0);
    EXPECT_EQ(Bytes(dump.begin() + 7, dump.begin() + 13), (Bytes{100, 110, 0, 145, 2, 151}));
    EXPECT_EQ(Bytes(dump.begin() + 18, dump.begin() + 28), (Bytes{200, 0x0A, 0x00, 0, 100, 0, 1, 0, 1, 0}));
    EXPECT_EQ(dump[30], 3);  // HpType(1)
    EXPECT_EQ(Bytes(dump.begin() + 67, dump.begin() + 73), (Bytes{6, 0x14, 0x00, 0x18, 0x23, 0x00}));
    EXPECT_EQ(Bytes(dump.begin() + 87, dump.begin() + 93), (Bytes{4, 0xC9, 0x3C, 0x00, 0x64, 0x01}));
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
    for (const Bytes& frame : bad)
        EXPECT_TRUE(bank.Handle(frame).outcome.starts_with("refused: ")) << testing::PrintToString(frame);
    EXPECT_TRUE(bank.Units()[0].Working() == before);
}

TEST(UnitBank, AddressToolReadsEveryUnitAndProgramsOnlyALoneOne) {
    UnitBank pair({1, 5});
    EXPECT_EQ(pair.Handle(Frame({0x10, 0x05, 0xFF})).replies, Texts({" Addr=01", " Addr=05"}));
    EXPECT_TRUE(pair.Handle(Frame({0x0F, 0x07, 0xFF})).replies.empty());
    EXPECT_EQ(pair.Units()[0].Address(), 1);

    UnitBank lone({1});
    EXPECT_TRUE(lone.Handle(Frame({0x10, 0x05, 0x01})).replies.empty());  // not sent to 255
    EXPECT_TRUE(lone.Handle(Frame({0x0F, 0x00, 0xFF})).replies.empty());  // address 0
    EXPECT_TRUE(lone.Handle(Frame({0x0F, 0x21, 0xFF})).replies.empty());  // address 33
    EXPECT_EQ(lone.Units()[0].Address(), 1);
    EXPECT_EQ(lone.Handle(Frame({0x0F, 0x20, 0xFF})).replies, Texts({" Addr=32"}));
    EXPECT_TRUE(lone.Handle(Frame({0x0B, 0x01})).replies.empty());
    EXPECT_EQ(lone.Handle(Frame({0x0B, 0x20})).replies, std::vector<Bytes>{PresenceReply(0x20)});
}
