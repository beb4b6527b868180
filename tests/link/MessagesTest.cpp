#include <gtest/gtest.h>

#include "link/Messages.h"
#include "tests/support/Hex.h"

using namespace sonavel;

TEST(Envelope, BytesAreRangeTested) {
    EXPECT_EQ(ToByte(255), 255);
    for (int outside : {-1, 256}) EXPECT_THROW(ToByte(outside), ByteOverflow) << outside;
    EXPECT_THROW(BuildMessage(11, {}, 256), ByteOverflow);
    EXPECT_THROW(BuildMessage(10, std::vector<int>(247, 0), 1), ByteOverflow);  // LEN 256
}

TEST(Messages, ParameterQueryAndRequestByteMaps) {
    ParameterStore s;
    InitDSPPremeter(s);
    EXPECT_EQ(EqBandMessage(s, 2, 3, 1), Hex("01 20 03 40 11 04 02 03 01 0A 00 18 23 00 01 05 60"));

    s.EqFrequency(1, 6) = 20160;
    EXPECT_EQ(CrossoverMessage(s, 1, 6, 2), Hex("01 20 03 40 0E 05 01 06 05 C9 3C 02 05 60"));
    EXPECT_THROW(CrossoverMessage(s, 1, 3, 2), std::out_of_range);

    s.GainLevel(1) = 0x11, s.GainLevel(2) = 0x12, s.OutputLevel(1) = 0x13, s.OutputLevel(2) = 0x14;
    s.DelaySamples(1) = 0x15, s.DelaySamples(2) = 0x16;
    EXPECT_EQ(GainDelayMessage(s, 4), Hex("01 20 03 40 0F 01 11 12 13 14 15 16 04 05 60"));

    s.CompAttack(2) = 200, s.CompRelease(2) = 1000, s.CompThreshold(2) = 64, s.CompRatio(2) = 100;
    EXPECT_EQ(LimiterMessage(s, 2, 1), Hex("01 20 03 40 0F 02 02 C8 0A 00 40 64 01 05 60"));
    EXPECT_EQ(LoudnessMessage(s, 1, 32), Hex("01 20 03 40 0D 07 01 64 29 00 20 05 60"));

    s.FuncByPass6(2) = 1, s.FuncByPass8(2) = 1;
    EXPECT_EQ(FunctionSwitchMessage(s, 6, 2, 3), Hex("01 20 03 40 0B 06 02 01 03 05 60"));
    EXPECT_EQ(FunctionSwitchMessage(s, 8, 2, 3), Hex("01 20 03 40 0B 08 02 01 03 05 60"));
    EXPECT_EQ(FunctionSwitchMessage(s, 5, 2, 3), Hex("01 20 03 40 0B 05 02 00 03 05 60"));

    s.InvertStatus(2) = 1;
    EXPECT_EQ(InvertMessage(s, 1), Hex("01 20 03 40 0C 09 00 00 01 01 05 60"));

    s.EqGain(1, 1) = 300;  // no store range allows this; it must not be cut to a byte silently
    EXPECT_THROW(EqBandMessage(s, 1, 1, 1), ByteOverflow);

    EXPECT_EQ(PresenceQuery(7), Hex("01 20 03 40 09 0B 07 05 60"));
    EXPECT_EQ(CurrentSettingsRequest(3), Hex("01 20 03 40 09 0C 03 05 60"));
    EXPECT_EQ(SlotSettingsRequest(16, 2), Hex("01 20 03 40 0A 0C 10 02 05 60"));
    for (int slot : {0, 17}) EXPECT_THROW(SlotSettingsRequest(slot, 1), std::out_of_range) << slot;
}

TEST(Messages, WholeSettingsOutAndADumpIn) {
    ParameterStore s;
    InitDSPPremeter(s);
    const Bytes whole = WholeSettingsMessage(s, 1);
    ASSERT_EQ(whole.size(), 120u);
    // The block's bytes for fresh settings are pinned by the unit's fresh dump in the simulator tests.
    EXPECT_EQ(Bytes(whole.begin(), whole.begin() + 7), Hex("01 20 03 40 78 0A 00"));
    EXPECT_EQ(Bytes(whole.end() - 3, whole.end()), Hex("01 05 60"));

    // Into a slot: the same block with the slot before the address.
    Bytes slot(whole.begin(), whole.end() - 3);
    slot[4] = 0x79, slot[5] = 0x0E;
    slot.insert(slot.end(), {0x10, 0x09, 0x05, 0x60});
    EXPECT_EQ(StoreToSlotMessage(s, 16, 9), slot);
    EXPECT_THROW(StoreToSlotMessage(s, 0, 1), std::out_of_range);

    Bytes tooShort(116);
    EXPECT_THROW(WriteSettingsBlock(s, tooShort), std::length_error);

    // A dump written byte by byte at the offsets the unit uses, read into the store and sent back.
    Bytes dump(121, 0);
    dump[9] = 80, dump[12] = 151;                 // GainLevel(3), DelaySamples(2)
    dump[14] = 10, dump[15] = 0, dump[22] = 100;  // CompRelease(1) = 1000, CompRatio(2)
    dump[24] = 1, dump[27] = 1;                   // InvertStatus(2), FuncByPass3(1)
    dump[31 + 6 * 5] = 9, dump[75 + 6 * 5] = 2;   // EqType(1,6), EqType(2,6)
    dump[75 + 6 * 6 + 1] = 201, dump[75 + 6 * 6 + 2] = 60;  // EqFrequency(2,7) = 20160
    dump[75 + 6 * 2 + 3] = 48;                    // EqGain(2,3)
    dump[75 + 6 * 4 + 5] = 1, dump[116] = 1;      // EqByPass(2,5), EqByPass(2,7)
    s.OutputLevel(1) = 77, s.MuteState(2) = 1, s.FuncByPass8(1) = 1;
    ReadSettingsBlock(dump.data(), s);

    EXPECT_EQ((std::vector<int>{s.GainLevel(1), s.GainLevel(3), s.DelaySamples(2), s.CompRelease(1), s.CompRatio(2),
                                s.InvertStatus(2), s.FuncByPass3(1), s.EqType(1, 6), s.EqType(2, 6),
                                s.EqFrequency(2, 7), s.EqGain(2, 3), s.EqByPass(2, 5), s.EqByPass(2, 7)}),
              (std::vector<int>{0, 80, 151, 1000, 100, 1, 1, 9, 2, 20160, 48, 1, 1}));
    EXPECT_TRUE(s.OutputLevel(1) == 77 && s.MuteState(2) == 1 && s.FuncByPass8(1) == 1) << "not in the dump";

    // Sent back, the block is the dump byte for byte.
    Bytes again(121, 0);
    WriteSettingsBlock(s, again);
    EXPECT_TRUE(std::equal(dump.begin() + 7, dump.begin() + 117, again.begin() + 7));
}
