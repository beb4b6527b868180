#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "model/ScaleTables.h"
#include "model/ValueScales.h"

using namespace sonavel;

TEST(ValueScales, TablesHoldTheirShape) {
    EXPECT_EQ(FregData[0], 19.7);
    EXPECT_EQ(FregDataB[0], 23015);
    EXPECT_EQ(FregDataB[300], 703.2);
    for (int i = 1; i < kFrequencyPositions; ++i) {
        EXPECT_LT(FregData[i - 1], FregData[i]) << i;
        EXPECT_GT(FregDataB[i - 1], FregDataB[i]) << i;
        // Plot frequencies sit within 3 Hz of the 48000/1024 Hz bins.
        EXPECT_LE(std::abs(FregDataB[i] - std::round(FregDataB[i] / 46.875) * 46.875), 3.0) << i;
    }
    EXPECT_EQ(QfactorData[0], 0.4);
    EXPECT_EQ(QfactorData[100], 128);
    for (int i = 1; i < kQPositions; ++i) EXPECT_LE(QfactorData[i - 1], QfactorData[i]);
}

TEST(ValueScales, FrequencyPositionCountsEntriesStrictlyBelow) {
    const std::pair<int, int> cases[] = {{-100, 1}, {20, 1},      {21, 2},      {1000, 169},
                                         {1001, 170}, {20160, 299}, {20161, 300}, {32767, 300}};
    for (auto [hz, position] : cases) EXPECT_EQ(GetFregPosition(hz), position) << hz;
}

// Under a locale whose decimal separator is a comma (scripts/install-deps makes it) the texts keep the point.
TEST(ValueScales, NumberTextsKeepThePointUnderACommaLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_TRUE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) << "no locale with a decimal comma is installed";
    const std::pair<double, const char*> numbers[] = {
        {0, " 0"}, {-0.25, "-.25"}, {-12.5, "-12.5"},
        {0.1 + 0.2, " .3"}, {1.0 / 3, " .333333333333333"}, {2.0 / 3 * 100, " 66.6666666666667"}};  // 15 digits
    for (auto [value, text] : numbers) EXPECT_EQ(NumberText(value), text) << value;
    EXPECT_EQ(ReturnHz(19.7), " 19.7Hz");
    std::setlocale(LC_NUMERIC, previous.c_str());
}
