#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>

#include "model/ScaleTables.h"
#include "model/ValueScales.h"

using namespace sonavel;

TEST(ValueScales, TablesHoldTheirShape) {
    EXPECT_EQ(FregData[0], 19.7);
    EXPECT_EQ(FregData[300], 20160);
    EXPECT_EQ(FregDataB[0], 23015);
    EXPECT_EQ(FregDataB[300], 703.2);
    for (int i = 1; i < kFrequencyPositions; ++i) {
        EXPECT_LT(FregData[i - 1], FregData[i]) << i;
        EXPECT_GT(FregDataB[i - 1], FregDataB[i]) << i;
        // Plot frequencies sit within 3 Hz of the 48000/1024 Hz bins.
        EXPECT_LE(std::abs(FregDataB[i] - std::round(FregDataB[i] / 46.875) * 46.875), 3.0) << i;
    }
    EXPECT_EQ(QfactorData[0], 0.4);
    EXPECT_EQ(QfactorData[16], 1);
    EXPECT_TRUE(QfactorData[29] == 2.1 && QfactorData[30] == 2.1);
    EXPECT_EQ(QfactorData[100], 128);
    for (int i = 1; i < kQPositions; ++i) EXPECT_LE(QfactorData[i - 1], QfactorData[i]);
}

TEST(ValueScales, FrequencyPositionCountsEntriesStrictlyBelow) {
    for (int hz : {-100, 0, 1, 20}) EXPECT_EQ(GetFregPosition(hz), 1) << hz;
    EXPECT_EQ(GetFregPosition(21), 2);
    const std::pair<int, int> cases[] = {{1000, 169}, {1001, 170}, {1030, 170}, {7820, 258},
                                         {7821, 259}, {20160, 299}, {20161, 300}, {32767, 300}};
    for (auto [hz, position] : cases) EXPECT_EQ(GetFregPosition(hz), position) << hz;
}

TEST(ValueScales, NumberTexts) {
    const std::pair<double, const char*> numbers[] = {
        {0, " 0"}, {-0.25, "-.25"}, {-12.5, "-12.5"},
        {0.1 + 0.2, " .3"}, {1.0 / 3, " .333333333333333"}, {2.0 / 3 * 100, " 66.6666666666667"}};  // 15 digits
    for (auto [value, text] : numbers) EXPECT_EQ(NumberText(value), text) << value;
    for (auto [hz, text] : {std::pair{500.0, " 500Hz"}, {19.7, " 19.7Hz"}, {-3.0, "-3Hz"}, {0.5, " .5Hz"}})
        EXPECT_EQ(ReturnHz(hz), text) << hz;
}

namespace {
struct CommaSeparator : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};
}  // namespace

TEST(ValueScales, NumberTextsIgnoreACommaLocale) {
    const std::locale previousGlobal = std::locale::global(std::locale(std::locale::classic(), new CommaSeparator));
    const std::string previousC = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "nl_NL.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name)) break;
    // The test set-up installs a comma locale; without it this test would prove nothing.
    const bool commaLocale = std::localeconv()->decimal_point[0] == ',';

    const std::vector<std::string> texts = {NumberText(2.5), ReturnHz(19.7), NumberText(-0.75)};
    std::setlocale(LC_NUMERIC, previousC.c_str());
    std::locale::global(previousGlobal);

    ASSERT_TRUE(commaLocale) << "no process locale with a decimal comma is installed";
    EXPECT_EQ(texts, (std::vector<std::string>{" 2.5", " 19.7Hz", "-.75"}));
}
