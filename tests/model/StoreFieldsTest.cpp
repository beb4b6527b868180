#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "model/StoreFields.h"

using namespace sonavel;

// Every element of every field has a place of its own: filling them all with different
// values and reading them back finds no two that share storage.
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
    const StoreField& gains = *FindStoreField("GainLevel");
    WriteStoreField(s, gains, ElementIndex(gains, 4), 99);
    EXPECT_EQ(s.GainLevel(4), 99);
    EXPECT_EQ(FindStoreField("EqQFactor")->unit, "Q");
    EXPECT_EQ(FindStoreField("eqgain"), nullptr);

    EXPECT_THROW(ElementIndex(frequency, 1, 8), std::out_of_range);
    EXPECT_THROW(ElementIndex(gains, 5), std::out_of_range);
    EXPECT_THROW(ReadStoreField(s, frequency, 14), std::out_of_range);
    EXPECT_THAT([&] { WriteStoreField(s, frequency, index, 20161); },
                ::testing::ThrowsMessage<std::out_of_range>("EqFrequency(2,3) = 20161 is outside 20..20160"));
    EXPECT_EQ(s.EqFrequency(2, 3), 20160);
}

TEST(StoreFields, ClampBringsForeignSettingsIntoRange) {
    ParameterStore s;
    InitDSPPremeter(s);
    EXPECT_EQ(ClampIntoRange(s), 0) << "the defaults lie inside every range";

    s.EqType(1, 2) = 0;
    s.EqFrequency(2, 6) = 25755;  // the largest a two-byte split can carry
    s.EqFrequency(1, 1) = 5;
    s.EqQFactor(1, 4) = 255;
    s.CompRatio(1) = 500;
    s.CompRatio(2) = 100;  // the limiter stays
    s.DelaySamples(2) = 0;
    s.CompRelease(1) = 0;
    s.GainLevel(3) = -4;
    s.LpType(2) = 9;
    EXPECT_EQ(ClampIntoRange(s), 9);
    EXPECT_EQ((std::vector<int>{s.EqType(1, 2), s.EqFrequency(2, 6), s.EqFrequency(1, 1), s.EqQFactor(1, 4),
                                s.CompRatio(1), s.CompRatio(2), s.DelaySamples(2), s.CompRelease(1), s.GainLevel(3),
                                s.LpType(2)}),
              (std::vector{1, 20160, 20, 100, 101, 100, 1, 1, 0, 8}));
}
