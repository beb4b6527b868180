#include <gtest/gtest.h>

#include "presets/PresetRecord.h"

using namespace sonavel;

static ParameterStore Defaults() {
    ParameterStore store;
    InitDSPPremeter(store);
    return store;
}

TEST(PresetRecord, DefaultsLandAtTheirOffsetsComeBackAndLoadsAreCheckedAndClamped) {
    PresetRecord record;
    record.bytes[0] = 0x12;  // unused bytes are written as the record holds them
    record.bytes[500] = 0x34;
    StoreToRecord(Defaults(), record);

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
    // The name and the other unused areas are not written.
    for (int offset : {1, 2, 101, 110, 117, 138, 149, 206, 233, 318, 653, 662, 673, 682, 685})
        EXPECT_EQ(record.bytes[offset], 0) << offset;
    EXPECT_TRUE(record.bytes[0] == 0x12 && record.bytes[500] == 0x34);

    ParameterStore loaded = Defaults();
    loaded.EqGain(1, 1) = 0;  // must come back from the record
    ASSERT_TRUE(RecordToStore(record, loaded).ok());
    EXPECT_EQ(loaded, Defaults());

    // An input gain outside its check refuses the record and leaves the store as it was.
    ParameterStore store = Defaults();
    store.EqGain(2, 3) = 7;
    const ParameterStore before = store;
    for (auto [offset, gain] : {std::pair{102, 146}, {104, -1}}) {
        PresetRecord bad = record;
        bad.SetValue(offset, static_cast<int16_t>(gain));
        EXPECT_FALSE(RecordToStore(bad, store).ok());
        EXPECT_EQ(store, before);
    }

    // Offset, value in the record, value loaded: input gains at the ends of their check, CompRatio ch1
    // and CompThreshold ch2 at their limits, EqFrequency, EqGain, EqQFactor, DelaySamples clamped.
    const struct { int offset, written, loaded; } fields[] = {
        {102, 145, 145},     {104, 0, 0},  {134, 500, 101}, {124, 101, 100}, {178, 30000, 20160},
        {180, 5, 20}, {236, -4, 0}, {262, 200, 100}, {118, 999, 151}};
    for (auto f : fields) record.SetValue(f.offset, static_cast<int16_t>(f.written));
    ASSERT_TRUE(RecordToStore(record, store).ok());
    StoreToRecord(store, record);
    for (auto f : fields) EXPECT_EQ(record.Value(f.offset), f.loaded) << f.offset;
}

TEST(PresetRecord, NameIsCutPaddedAndWrittenInTheWindowsCodePage) {
    PresetRecord record;
    record.SetPresetName(std::string(100, 'a') + std::string(20, 'b'));
    EXPECT_EQ(record.PresetName(), std::string(100, 'a'));
    EXPECT_EQ(record.bytes[102], 0);
    record.SetPresetName("abc");
    EXPECT_EQ(record.PresetName(), "abc" + std::string(97, ' '));

    // e acute, euro sign, a character the code page lacks, a broken UTF-8 byte.
    record.SetPresetName("\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD\xFFz");
    EXPECT_EQ(std::string(record.bytes.begin() + 2, record.bytes.begin() + 8), "\xE9\x80??z ");
    EXPECT_EQ(record.DisplayName(), "\xC3\xA9\xE2\x82\xAC??z");
    std::string accented;  // a character of two UTF-8 bytes counts once when cutting
    for (int i = 0; i < 101; ++i) accented += "\xC3\xA9";
    record.SetPresetName(accented);
    EXPECT_EQ(record.bytes[101], 0xE9);
}
