#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "model/StoreFields.h"

using namespace sonavel;

// Every element has a place of its own: filled with different values, no two share storage.
TEST(StoreFields, ElementsMapOntoTheStore) {
    ParameterStore filled;
    std::vector<std::pair<std::string, int>> written, read;  // element name and value
    for (const StoreField& f : StoreFields())
        for (int i = 0; i < f.Count(); ++i) {
            written.emplace_back(ElementName(f, i), f.min + int(written.size() * 5) % (f.max - f.min + 1));
            WriteStoreField(filled, f, i, written.back().second);
        }
    for (const StoreField& f : StoreFields())
        for (int i = 0; i < f.Count(); ++i) read.emplace_back(ElementName(f, i), ReadStoreField(filled, f, i));
    EXPECT_EQ(read, written);
    ParameterStore s;
    const StoreField& frequency = *FindStoreField("EqFrequency");
    const int index = ElementIndex(frequency, 2, 3);
    WriteStoreField(s, frequency, index, 20160);
    EXPECT_EQ(s.EqFrequency(2, 3), 20160);
    EXPECT_THROW(ElementIndex(frequency, 1, 8), std::out_of_range);
    EXPECT_THAT([&] { WriteStoreField(s, frequency, index, 20161); },
                ::testing::ThrowsMessage<std::out_of_range>("EqFrequency(2,3) = 20161 is outside 20..20160"));
    EXPECT_EQ(s.EqFrequency(2, 3), 20160);
}

// Preset loads show the clamp at each kind of range end; a dump is taken only if nothing was clamped.
TEST(StoreFields, ClampBringsForeignSettingsIntoRangeAndCountsWhatItChanged) {
    ParameterStore s;
    InitDSPPremeter(s);
    EXPECT_EQ(ClampIntoRange(s), 0) << "the defaults lie inside every range";
    s.EqType(1, 2) = 0;
    s.EqFrequency(2, 6) = 25755;  // the largest a two-byte split can carry
    s.CompRatio(2) = 100;         // the limiter stays
    EXPECT_EQ(ClampIntoRange(s), 2);
    EXPECT_EQ((std::vector<int>{s.EqType(1, 2), s.EqFrequency(2, 6), s.CompRatio(2)}), (std::vector{1, 20160, 100}));
}
