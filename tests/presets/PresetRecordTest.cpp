#include <gtest/gtest.h>

#include "presets/PresetRecord.h"

namespace sonavel {
namespace {

ParameterStore Defaults() {
    ParameterStore store;
    InitDSPPremeter(store);
    return store;
}

int16_t At(const PresetRecord& r, int offset) {
    return static_cast<int16_t>(r.bytes[offset] | (r.bytes[offset + 1] << 8));
}

TEST(PresetRecord, DefaultsLandAtTheirOffsetsAndComeBackUnchanged) {
    const ParameterStore defaults = Defaults();
    PresetRecord record;
    StoreToRecord(defaults, record);

    // Gains 121 at 102..109, delays 1, threshold 100, attack 0, release 1, ratio 1.
    for (int i = 0; i < 4; ++i) EXPECT_EQ(At(record, 102 + 2 * i), 121);
    EXPECT_EQ(record.bytes[102], 0x79);
    EXPECT_EQ(record.bytes[103], 0x00);
    EXPECT_EQ(At(record, 118), 1);
    EXPECT_EQ(At(record, 122), 100);
    EXPECT_EQ(At(record, 126), 0);
    EXPECT_EQ(At(record, 130), 1);
    EXPECT_EQ(At(record, 134), 1);
    // Band fields channel-fastest: element (ch, b) at offset + 2 * ((ch - 1) + 2 * (b - 1)).
    EXPECT_EQ(At(record, 150 + 2 * 10), 2);    // EqType ch1 band 6
    EXPECT_EQ(At(record, 150 + 2 * 13), 3);    // EqType ch2 band 7
    EXPECT_EQ(At(record, 178 + 2 * 0), 103);   // EqFrequency ch1 band 1
    EXPECT_EQ(At(record, 178 + 2 * 1), 103);   // ch2 band 1
    EXPECT_EQ(At(record, 178 + 2 * 8), 5040);  // ch1 band 5
    EXPECT_EQ(record.bytes[178 + 16], 0xB0);
    EXPECT_EQ(record.bytes[178 + 17], 0x13);
    EXPECT_EQ(At(record, 234), 24);
    EXPECT_EQ(At(record, 262), 35);
    EXPECT_EQ(At(record, 290), 0);
    EXPECT_EQ(At(record, 654), 0);  // HpType ch1
    EXPECT_EQ(At(record, 656), 5);  // HpType ch2
    EXPECT_EQ(At(record, 658), 5);  // LpType ch1
    EXPECT_EQ(At(record, 660), 0);  // LpType ch2
    EXPECT_EQ(At(record, 686), 1);  // FuncByPass3 ch1
    EXPECT_EQ(At(record, 688), 1);
    // Nothing else is written: the reserved areas and the name stay zero.
    for (int offset : {0, 1, 2, 101, 110, 117, 138, 149, 206, 233, 318, 653, 662, 673, 682, 685})
        EXPECT_EQ(record.bytes[offset], 0) << "offset " << offset;

    ParameterStore loaded = Defaults();
    loaded.EqGain(1, 1) = 0;  // must come back from the record
    ASSERT_TRUE(RecordToStore(record, loaded).ok());
    EXPECT_EQ(loaded, defaults);

    PresetRecord again;
    StoreToRecord(loaded, again);
    EXPECT_EQ(again, record);
}

TEST(PresetRecord, LoadChecksTheInputGainsAndLimitsTheCompressor) {
    const ParameterStore defaults = Defaults();
    PresetRecord record;
    StoreToRecord(defaults, record);

    PresetRecord bad = record;
    bad.SetValue(102, 146);
    ParameterStore store = defaults;
    store.EqGain(2, 3) = 7;
    const ParameterStore before = store;
    EXPECT_FALSE(RecordToStore(bad, store).ok());
    EXPECT_EQ(store, before);
    bad = record;
    bad.SetValue(104, -1);
    EXPECT_FALSE(RecordToStore(bad, store).ok());
    EXPECT_EQ(store, before);

    PresetRecord edge = record;
    edge.SetValue(102, 145);
    edge.SetValue(104, 0);
    edge.SetValue(134, 500);  // CompRatio ch1
    edge.SetValue(124, 101);  // CompThreshold ch2
    ASSERT_TRUE(RecordToStore(edge, store).ok());
    EXPECT_EQ(store.GainLevel(1), 145);
    EXPECT_EQ(store.GainLevel(2), 0);
    EXPECT_EQ(store.CompThreshold(2), 100);
    EXPECT_EQ(store.CompThreshold(1), 100);
    EXPECT_EQ(store.CompRatio(1), 101);
}

TEST(PresetRecord, ReservedBytesAreIgnoredOnLoadAndKeptOnStore) {
    const ParameterStore defaults = Defaults();
    PresetRecord record;
    StoreToRecord(defaults, record);
    for (int offset = 206; offset < 234; ++offset) record.bytes[offset] = 0xA5;
    record.bytes[0] = 0x12;
    record.bytes[500] = 0x34;

    ParameterStore store = defaults;
    ASSERT_TRUE(RecordToStore(record, store).ok());
    EXPECT_EQ(store, defaults);

    store.EqGain(1, 2) = 30;
    StoreToRecord(store, record);
    EXPECT_EQ(record.bytes[0], 0x12);
    EXPECT_EQ(record.bytes[500], 0x34);
    EXPECT_EQ(record.bytes[233], 0xA5);
    EXPECT_EQ(At(record, 234 + 2 * 2), 30);
}

TEST(PresetRecord, LoadClampsValuesTheTablesCannotHold) {
    PresetRecord record;
    StoreToRecord(Defaults(), record);
    record.SetValue(178, 30000);  // EqFrequency ch1 band 1
    record.SetValue(180, 5);      // EqFrequency ch2 band 1
    record.SetValue(236, -4);     // EqGain ch2 band 1
    record.SetValue(262, 200);    // EqQFactor ch1 band 1
    record.SetValue(118, 999);    // DelaySamples ch1
    ParameterStore store = Defaults();
    ASSERT_TRUE(RecordToStore(record, store).ok());
    EXPECT_EQ(store.EqFrequency(1, 1), 20160);
    EXPECT_EQ(store.EqFrequency(2, 1), 20);
    EXPECT_EQ(store.EqGain(2, 1), 0);
    EXPECT_EQ(store.EqQFactor(1, 1), 100);
    EXPECT_EQ(store.DelaySamples(1), 151);
}

TEST(PresetRecord, NameIsCutPaddedAndWrittenInTheWindowsCodePage) {
    PresetRecord record;
    const std::string longName = std::string(100, 'a') + std::string(20, 'b');
    record.SetPresetName(longName);
    EXPECT_EQ(record.PresetName(), std::string(100, 'a'));
    EXPECT_EQ(record.bytes[1], 0);
    EXPECT_EQ(record.bytes[102], 0);

    record.SetPresetName("abc");
    EXPECT_EQ(record.PresetName(), "abc" + std::string(97, ' '));

    // e acute, euro sign, a character the code page lacks, and a broken UTF-8 byte.
    record.SetPresetName("\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD\xFFz");
    EXPECT_EQ(record.bytes[2], 0xE9);
    EXPECT_EQ(record.bytes[3], 0x80);
    EXPECT_EQ(record.bytes[4], '?');
    EXPECT_EQ(record.bytes[5], '?');
    EXPECT_EQ(record.bytes[6], 'z');
    EXPECT_EQ(record.bytes[7], ' ');
    EXPECT_EQ(record.PresetName().substr(0, 8), "\xC3\xA9\xE2\x82\xAC??z");

    // Multi-byte characters count as one character each when cutting.
    std::string accented;
    for (int i = 0; i < 101; ++i) accented += "\xC3\xA9";
    record.SetPresetName(accented);
    EXPECT_EQ(record.bytes[101], 0xE9);
    EXPECT_EQ(record.bytes[102], 0);
}

}  // namespace
}  // namespace sonavel
