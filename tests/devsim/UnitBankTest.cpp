// The simulated units behind one line: what they answer, take and refuse, and how the log and
// the state file report it.
#include "devsim/UnitBank.h"

#include <gtest/gtest.h>

#include "devsim/JsonReport.h"

#include "tests/support/Hex.h"

using namespace sonavel;
using namespace sonavel::devsim;

namespace {

Bytes Frame(std::initializer_list<int> middle) {
    Bytes frame = {0x01, 0x20, 0x03, 0x40, static_cast<uint8_t>(middle.size() + 7)};
    for (int b : middle) frame.push_back(static_cast<uint8_t>(b));
    frame.insert(frame.end(), {0x05, 0x60});
    return frame;
}

Bytes Text(const std::string& text) { return {text.begin(), text.end()}; }


}  // namespace

TEST(UnitBank, AnswersItsOwnUnitsOnlyAndTheAddressToolProgramsOnlyALoneOne) {
    UnitBank pair({1, 5});
    EXPECT_EQ(pair.Handle(Frame({0x0B, 0x05})).replies, std::vector<Bytes>{Hex("01 20 03 40 09 01 05 05 60")});
    // A fresh unit's dump: gains 121, delays 1, compressors, invert, functions 6 and 3, then per
    // channel the crossover list positions and seven bands; crossover band types follow the lists.
    EXPECT_EQ(pair.Handle(Frame({0x0C, 0x05})).replies,
              std::vector<Bytes>{Hex("01 20 03 40 79 02 00 79 79 79 79 01 01 00 00 01 64 01 00 00 01 64 01 00 00 00"
                                     " 00 01 01 05 00 01 01 03 18 23 00 01 02 03 18 23 00 01 0A 00 18 23 00"
                                     " 01 13 3C 18 23 00 01 32 28 18 23 00 03 0A 00 18 23 00 03 0A 00 18 23 00"
                                     " 00 05 01 01 03 18 23 00 01 02 03 18 23 00 01 0A 00 18 23 00"
                                     " 01 13 3C 18 23 00 01 32 28 18 23 00 02 0A 00 18 23 00 02 0A 00 18 23 00"
                                     " 00 05 05 60")});
    // Slot requests: 1..16 answered; the slot number stands at offset 117.
    EXPECT_EQ(pair.Handle(Frame({0x0C, 0x10, 0x05})).replies.at(0)[117], 16);
    EXPECT_TRUE(pair.Handle(Frame({0x0C, 0x00, 0x05})).replies.empty());
    EXPECT_TRUE(pair.Handle(Frame({0x0C, 0x11, 0x05})).replies.empty());
    EXPECT_EQ(pair.Handle(Frame({0x0D, 0x01})).outcome, "refused: unknown message");
    EXPECT_EQ(pair.Handle(Frame({0x10, 0x05, 0xFF})).replies, (std::vector{Text(" Addr=01"), Text(" Addr=05")}));
    EXPECT_TRUE(pair.Handle(Frame({0x0F, 0x07, 0xFF})).replies.empty());
    EXPECT_EQ(pair.Units()[0].Address(), 1);

    UnitBank lone({1});
    EXPECT_TRUE(lone.Handle(Frame({0x0F, 0x00, 0xFF})).replies.empty());  // address 0
    EXPECT_TRUE(lone.Handle(Frame({0x0F, 0x21, 0xFF})).replies.empty());  // address 33
    EXPECT_EQ(lone.Handle(Frame({0x0F, 0x20, 0xFF})).replies, std::vector<Bytes>{Text(" Addr=32")});
    EXPECT_EQ(lone.Handle(Frame({0x0B, 0x20})).replies, std::vector<Bytes>{Hex("01 20 03 40 09 01 20 05 60")});
}

TEST(UnitBank, ParameterMessagesChangeTheWorkingSetAndValuesOutOfRangeChangeNothing) {
    UnitBank bank({1});
    const ParameterStore fresh = bank.Units()[0].Working();
    for (const Bytes& bad : {
             Frame({0x04, 0x03, 0x03, 0x01, 0x0A, 0x00, 0x18, 0x23, 0x00, 0x01}),  // channel 3
             Frame({0x04, 0x01, 0x08, 0x01, 0x0A, 0x00, 0x18, 0x23, 0x00, 0x01}),  // band 8
             Frame({0x01, 121, 121, 121, 121, 0, 1, 0x01})})                       // delay 0
        EXPECT_TRUE(bank.Handle(bad).outcome.starts_with("refused: ")) << testing::PrintToString(bad);
    EXPECT_TRUE(bank.Units()[0].Working() == fresh);

    // Band 3 of channel 2: high shelf at 20160 Hz, +12 dB, Q position 100, off.
    const Bytes band = Frame({0x04, 0x02, 0x03, 0x04, 0xC9, 0x3C, 0x00, 0x64, 0x01, 0x01});
    EXPECT_EQ(FrameLogLine({}, band, bank.Handle(band)),
              R"x({"time":"1970-01-01T00:00:00.000Z","bytes":"01 20 03 40 11 04 02 03 04 C9 3C 00 64 01 01 05 60",)x"
              R"x("command":4,"address":1,"kind":"eq-band","fields":{"EqType(2,3)":4,"EqFrequency(2,3)":20160,)x"
              R"x("EqGain(2,3)":0,"EqQFactor(2,3)":100,"EqByPass(2,3)":1},"outcome":"applied"})x");
    bank.Handle(Frame({0x05, 0x01, 0x07, 0x03, 0x14, 0x00, 0x01}));   // channel 1 high-pass: list position 3, 2000 Hz
    bank.Handle(Frame({0x01, 100, 110, 0, 145, 2, 151, 0x01}));       // input gains, output levels, delays
    bank.Handle(Frame({0x02, 0x02, 200, 0x0A, 0x00, 0, 100, 0x01}));  // channel 2 compressor: release 1000, limiter
    bank.Handle(Frame({0x03, 0x01, 0x00, 0x01}));                     // function 3 of channel 1 off
    bank.Handle(Frame({0x06, 0x02, 0x01, 0x01}));                     // function 6 of channel 2 on
    bank.Handle(Frame({0x09, 0x00, 0x00, 0x01, 0x01}));               // channel 2 inverted

    const Bytes dump = bank.Handle(Frame({0x0C, 0x01})).replies.at(0);
    EXPECT_EQ(Bytes(dump.begin() + 7, dump.begin() + 13), (Bytes{100, 110, 0, 145, 2, 151}));
    EXPECT_EQ(Bytes(dump.begin() + 18, dump.begin() + 28), (Bytes{200, 0x0A, 0x00, 0, 100, 0, 1, 0, 1, 0}));
    EXPECT_EQ(dump[30], 3);  // HpType(1)
    EXPECT_EQ(Bytes(dump.begin() + 67, dump.begin() + 73), (Bytes{6, 0x14, 0x00, 0x18, 0x23, 0x00}));
    EXPECT_EQ(Bytes(dump.begin() + 87, dump.begin() + 93), (Bytes{4, 0xC9, 0x3C, 0x00, 0x64, 0x01}));

    EXPECT_NE(StateJson(bank.Units()).find(R"("EqGain":[[24,24,24,24,24,24,24],[24,24,0,)"), std::string::npos);
}
