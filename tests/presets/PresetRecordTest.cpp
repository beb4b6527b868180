#include <gtest/gtest.h>

#include "presets/PresetRecord.h"

namespace sonavel {
namespace {

ParameterStore Defaults() {
    ParameterStore store;
    InitDSPPremeter(store);
    return store;
}

TEST(PresetRecord, DefaultsLandAtTheirOffsetsAndComeBackUnchanged) {
    const ParameterStore defaults = Defaults();
    PresetRecord record;
    StoreToRecord(defaults, record);

    // Little-endian 16-bit values; band fields channel-fastest, (ch, b) at 2 * ((ch-1) + 2 * (b-1)).
    const std::pair<int, int> expected[] = {
        {102, 121}, {108, 121}, {118, 1},   {122, 100}, {126, 0}, {130, 1}, {134, 1},
        {150 + 20, 2}, {150 + 26, 3},  // EqType ch1 band 6, ch2 band 7
        {178, 103}, {180, 103}, {178 + 16, 5040}, {234, 24}, {262, 35}, {290, 0},
        {654, 0}, {656, 5}, {658, 5}, {660, 0}, {686, 1}, {688, 1}};
    for (const auto& [offset, value] : expected) {
        EXPECT_EQ(record.bytes[offset], value & 0xFF) << offset;
        EXPECT_EQ(record.bytes[offset + 1], value >> 8) << offset;
    }
    // The name and the unused areas are not written.
    for (int offset : {0, 1, 2, 101, 110, 117, 138, 149, 206, 233, 318, 653, 662, 673, 682, 685})
        EXPECT_EQ(record.bytes[offset], 0) << offset;

    ParameterStore loaded = Defaults();
    loaded.EqGain(1, 1) = 0;  // must come back from the record
    ASSERT_TRUE(RecordToStore(record, loaded).ok());
    EXPECT_EQ(loaded, defaults);
}

TEST(PresetRecord, LoadChecksTheInputGainsLimitsAndClamps) {
    PresetRecord record;
    StoreToRecord(Defaults(), record);
    ParameterStore store = Defaults();
    store.EqGain(2, 3) = 7;
    const ParameterStore before = store;
    for (auto [offset, gain] : {std::pair{102, 146}, {104, -1}}) {
        PresetRecord bad = record;
        bad.SetValue(offset, static_cast<int16_t>(gain));
        EXPECT_FALSE(RecordToStore(bad, store).ok());
        EXPECT_EQ(store, before);
    }

    record.SetValue(102, 145);
    record.SetValue(104, 0);
    record.SetValue(134, 500);    // CompRatio ch1: limited to 101
    record.SetValue(124, 101);    // CompThreshold ch2: limited to 100
    record.SetValue(178, 30000);  // EqFrequency ch1 band 1
    record.SetValue(180, 5);      // EqFrequency ch2 band 1
    record.SetValue(236, -4);     // EqGain ch2 band 1
    record.SetValue(262, 200);    // EqQFactor ch1 band 1
    record.SetValue(118, 999);    // DelaySamples ch1
    for (int offset = 206; offset < 234; ++offset) record.bytes[offset] = 0xA5;  // ignored
    ASSERT_TRUE(RecordToStore(record, store).ok());
    EXPECT_EQ(store.GainLevel(1), 145);
    EXPECT_EQ(store.GainLevel(2), 0);
    EXPECT_EQ(store.CompRatio(1), 101);
    EXPECT_EQ(store.CompThreshold(2), 100);
    EXPECT_EQ(store.EqFrequency(1, 1), 20160);
    EXPECT_EQ(store.EqFrequency(2, 1), 20);
    EXPECT_EQ(store.EqGain(2, 1), 0);
    EXPECT_EQ(store.EqQFactor(1, 1), 100);
    EXPECT_EQ(store.DelaySamples(1), 151);
    EXPECT_EQ(store.EqGain(1, 2), 24);
}

TEST(PresetRecord, StoringKeepsTheUnusedBytesTheRecordHolds) {
    PresetRecord record;
    record.bytes[0] = 0x12;
    record.bytes[500] = 0x34;
    record.bytes[233] = 0xA5;
    ParameterStore store = Defaults();
    store.EqGain(1, 2) = 30;
    StoreToRecord(store, record);
    EXPECT_EQ(record.bytes[0], 0x12);
    EXPECT_EQ(record.bytes[500], 0x34);
    EXPECT_EQ(record.bytes[233], 0xA5);
    EXPECT_EQ(record.Value(234 + 4), 30);
}

TEST(PresetRecord, NameIsCutPaddedAndWrittenInTheWindowsCodePage) {
    PresetRecord record;
    record.SetPresetName(std::string(100, 'a') + std::string(20, 'b'));
    EXPECT_EQ(record.PresetName(), std::string(100, 'a'));
    EXPECT_EQ(record.bytes[102], 0);

    record.SetPresetName("abc");
    EXPECT_EQ(record.PresetName(), "abc" + std::string(97, ' '));
    EXPECT_EQ(record.DisplayName(), "abc");

    // e acute, euro sign, a character the code page lacks, a broken UTF-8 byte.
    record.SetPresetName("\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD\xFFz");
    const uint8_t bytes[] = {0xE9, 0x80, '?', '?', 'z', ' '};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(record.bytes[2 + i], bytes[i]) << i;
    EXPECT_EQ(record.DisplayName(), "\xC3\xA9\xE2\x82\xAC??z");

    // A character of two UTF-8 bytes counts once when cutting.
    std::string accented;
    for (int i = 0; i < 101; ++i) accented += "\xC3\xA9";
    record.SetPresetName(accented);
    EXPECT_EQ(record.bytes[101], 0xE9);
}

}  // namespace
}  // namespace sonavel
