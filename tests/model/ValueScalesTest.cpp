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
        EXPECT_LT(FregData[i - 1], FregData[i]) << "position " << i;
        EXPECT_GT(FregDataB[i - 1], FregDataB[i]) << "position " << i;
    }
    // Plot frequencies sit within 3 Hz of the 48000/1024 Hz bins.
    for (double f : FregDataB) {
        const double bin = 48000.0 / 1024;
        EXPECT_LE(std::abs(f - std::round(f / bin) * bin), 3.0) << f;
    }
    EXPECT_EQ(QfactorData[0], 0.4);
    EXPECT_EQ(QfactorData[16], 1);
    EXPECT_EQ(QfactorData[29], 2.1);
    EXPECT_EQ(QfactorData[30], 2.1);
    EXPECT_EQ(QfactorData[100], 128);
    for (int i = 1; i < kQPositions; ++i) EXPECT_LE(QfactorData[i - 1], QfactorData[i]);
}

TEST(ValueScales, FrequencyPositionCountsEntriesStrictlyBelow) {
    for (int hz : {-100, 0, 1, 20}) EXPECT_EQ(GetFregPosition(hz), 1) << hz;
    EXPECT_EQ(GetFregPosition(21), 2);
    EXPECT_EQ(GetFregPosition(1000), 169);
    EXPECT_EQ(GetFregPosition(1001), 170);
    EXPECT_EQ(GetFregPosition(1030), 170);
    EXPECT_EQ(GetFregPosition(7820), 258);
    EXPECT_EQ(GetFregPosition(7821), 259);
    EXPECT_EQ(GetFregPosition(20160), 299);
    EXPECT_EQ(GetFregPosition(20161), 300);
    EXPECT_EQ(GetFregPosition(32767), 300);
}

TEST(ValueScales, ArrowPairsRaiseTheParameterUpwards) {
    EXPECT_EQ(GainDbFromPosition(0), 12.0);
    EXPECT_EQ(GainDbFromPosition(24), 0.0);
    EXPECT_EQ(GainDbFromPosition(48), -12.0);
    EXPECT_EQ(FrequencyFromArrow(kFrequencyArrowMax, kFrequencyArrowMax), 20);
    EXPECT_EQ(FrequencyFromArrow(kFrequencyArrowMax, 20), 20160);
    EXPECT_EQ(ArrowFromFrequency(kFrequencyArrowMax, 1000), 19180);
    EXPECT_EQ(QPositionFromArrow(kQArrowMax, 0), 100);
    EXPECT_EQ(ArrowFromQPosition(kQArrowMax, 35), 65);
}

TEST(ValueScales, NumberTexts) {
    EXPECT_EQ(ReturnHz(500), " 500Hz");
    EXPECT_EQ(ReturnHz(1000), " 1000Hz");
    EXPECT_EQ(ReturnHz(19.7), " 19.7Hz");
    EXPECT_EQ(ReturnHz(-3), "-3Hz");
    EXPECT_EQ(ReturnHz(0.5), " .5Hz");
    EXPECT_EQ(NumberText(0), " 0");
    EXPECT_EQ(NumberText(-0.25), "-.25");
    EXPECT_EQ(NumberText(-12.5), "-12.5");
    EXPECT_EQ(NumberText(0.1 + 0.2), " .3");                     // 15 significant digits
    EXPECT_EQ(NumberText(1.0 / 3), " .333333333333333");
    EXPECT_EQ(NumberText(2.0 / 3 * 100), " 66.6666666666667");
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

    const std::string half = NumberText(2.5), hz = ReturnHz(19.7), negative = NumberText(-0.75);
    std::setlocale(LC_NUMERIC, previousC.c_str());
    std::locale::global(previousGlobal);

    EXPECT_EQ(half, " 2.5");
    EXPECT_EQ(hz, " 19.7Hz");
    EXPECT_EQ(negative, "-.75");
}
