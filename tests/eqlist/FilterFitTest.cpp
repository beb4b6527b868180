#include <gtest/gtest.h>

#include <tuple>

#include "eqlist/FilterExport.h"
#include "eqlist/FilterFit.h"

namespace sonavel {
namespace {

FittedList Fit(const std::string& text, FitMode mode = FitMode::Strict) {
    return FitFilterList(ParseFilterList(text), mode);
}

std::vector<int> Lines(const std::vector<LineProblem>& problems) {
    std::vector<int> lines;
    for (const LineProblem& p : problems) lines.push_back(p.line);
    return lines;
}

TEST(FilterFit, EachRuleAtItsEdges) {
    // The fitted band; a refused line is fitted to these clamped values with KeepWhatFits.
    const struct { const char* line; bool refused; int frequency, gainStep, qPosition; } cases[] = {
        {"PK Fc 105.4 Hz Gain 6.2 dB Q 2.0", false, 105, 12, 28},  // 6.2 dB -> 6 dB
        {"PK Fc 19.5 Hz Gain 12 dB Q 2.1", false, 20, 0, 29},  // the first of two 2.1
        {"PK Fc 20160.4 Hz Gain -12 dB Q 2.25", false, 20160, 48, 31},  // nearer 2.4 on a log scale
        {"PK Fc 1000 Hz Gain 0 dB Q 0.3", false, 1000, 24, 0},    // below the table: 0.4
        {"PK Fc 1000 Hz Gain 0 dB Q 200", false, 1000, 24, 100},  // above: 128
        {"PK Fc 1000 Hz Gain 12.25 dB Q 1", true, 1000, 0, 16},
        {"PK Fc 1000 Hz Gain -12.25 dB Q 1", true, 1000, 48, 16},
        {"PK Fc 19.4 Hz Gain 0 dB Q 1", true, 20, 24, 16},
        {"LSC Fc 20160.5 Hz Gain 0 dB", true, 20160, 24, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::string text = std::string("Filter: ON ") + c.line;
        EXPECT_EQ(Lines(Fit(text).problems), c.refused ? std::vector<int>{1} : std::vector<int>{});
        const FittedList kept = Fit(text, FitMode::KeepWhatFits);  // in range: the same as strict
        const FittedFilter& f = kept.filters.at(0);
        EXPECT_EQ(std::tuple(int(f.frequency), int(f.gainStep), int(f.qPosition)),
                  std::tuple(c.frequency, c.gainStep, c.qPosition));
        EXPECT_EQ(f.notes.empty(), !c.refused && c.qPosition % 100 != 0);
    }
}

TEST(FilterFit, CrossoversTakeTheNearestFamilyAndSlope) {
    const std::tuple<const char*, int, int> cases[] = {  // line, band, list position
        {"LP Fc 80 Hz", 6, 1},                                // Butterworth -12
        {"LPQ Fc 80 Hz Q 0.55 Slope 24 dB/oct", 6, 7},        // Linkwitz-Riley -24
        {"LPQ Fc 80 Hz Q 0.6 Slope 12 dB", 6, 2},             // Bessel -12
        {"HPQ Fc 2000 Hz Q 1.0 Slope 48 dB", 7, 8},           // Chebychev -24
        {"HP Fc 2000 Hz Slope 6 dB", 7, 1},                   // Butterworth -12
    };
    for (const auto& [line, band, listPosition] : cases) {
        const FittedFilter f = Fit(std::string("Filter: ON ") + line).filters.at(0);
        EXPECT_EQ(std::pair(f.band, int(f.listPosition)), std::pair(band, listPosition)) << line;
    }
}

TEST(FilterFit, AFileWithSeveralFaultsListsThemAllAndFitKeepsTheLargestFive) {
    const std::string text =
        "Preamp: 13 dB\n"                          // 1: above the input gain's +12 dB
        "Filter 1: ON PK Fc 100 Hz Gain 1 dB Q 1\n"
        "Filter 2: ON PK Fc 200 Hz Gain -7 dB Q 1\n"
        "Filter 3: ON ZZ Fc 300 Hz\n"              // 4: unknown type
        "Filter 4: ON PK Fc 400 Hz Gain 3 dB Q 1\n"
        "Filter 5: ON PK Fc 500 Hz Gain 4 dB Q 1\n"
        "Filter 6: ON PK Fc 600 Hz Gain 2 dB Q 1\n"
        "Filter 7: ON PK Fc 700 Hz Gain 20 dB Q 1\n"  // 8: beyond 12 dB, and a sixth EQ filter
        "Filter 8: ON LP Fc 5000 Hz\n"
        "Filter 9: ON LP Fc 6000 Hz\n";            // 10: a second low-pass
    EXPECT_EQ(Lines(Fit(text).problems), (std::vector<int>{1, 4, 8, 8, 10}));

    const FittedList kept = Fit(text, FitMode::KeepWhatFits);
    EXPECT_TRUE(kept.problems.empty());
    std::vector<int> lines;
    for (const FittedFilter& f : kept.filters) lines.push_back(f.requested.line);
    EXPECT_EQ(lines, (std::vector<int>{3, 5, 6, 7, 8, 9}));  // the 1 dB peak left out
    EXPECT_EQ(Lines(kept.changes), (std::vector<int>{1, 2, 4, 10}));
    EXPECT_EQ(kept.inputGain, 145);

    EXPECT_EQ(Lines(Fit("# nothing\nFilter 1: OFF PK Fc 1 Hz\n", FitMode::KeepWhatFits).problems), std::vector<int>{0});
    // -60.25 dB would round to the input gain's mute step: refused, or kept at -60 dB.
    EXPECT_EQ(Lines(Fit("Preamp: -60.25 dB\n").problems), std::vector<int>{1});
    EXPECT_EQ(Fit("Preamp: -60.25 dB\n", FitMode::KeepWhatFits).inputGain, 1);
}

TEST(FilterFit, DeviationIsZeroOnTheGridAndTheGainDifferenceAtAPeaksCentre) {
    const FittedList onGrid = Fit("Preamp: -6.5 dB\nFilter: ON PK Fc 1000 Hz Gain 6.5 dB Q 0.71\n"
                                  "Filter: ON LSC Fc 80 Hz Gain -3 dB\nFilter: ON HSC Fc 8000 Hz Gain 2.5 dB Q 0.75\n"
                                  "Filter: ON LPQ Fc 5000 Hz Q 0.55 Slope 24 dB\nFilter: ON HPQ Fc 50 Hz Q 1 Slope 12 dB\n");
    ASSERT_TRUE(onGrid.problems.empty());
    EXPECT_EQ(LargestDifference(RequestedResponseDb(onGrid), FittedResponseDb(onGrid)).largestDb, 0);

    // 6.3 dB is fitted to 6.5 dB: the curves part most at the centre, where the gains themselves differ.
    const FittedList offGrid = Fit("Filter: ON PK Fc 1000 Hz Gain 6.3 dB Q 1\n");
    const Deviation deviation = LargestDifference(RequestedResponseDb(offGrid), FittedResponseDb(offGrid));
    EXPECT_NEAR(deviation.largestDb, 0.2, 1e-3);
    EXPECT_NEAR(deviation.atHz, 1000, 15);
}

// Shelves at the frequency and gain ends, Q table ends, a band off, the steepest crossovers and the
// lowest input gain: exported and imported into start-up values, the channel is the same again.
TEST(FilterFit, ExportThenImportGivesTheSameChannelBack) {
    ParameterStore original, back;
    InitDSPPremeter(original);
    InitDSPPremeter(back);
    original.EqType(2, 1) = 5, original.EqGain(2, 1) = 0, original.EqFrequency(2, 1) = 20;
    original.EqType(2, 2) = 4, original.EqGain(2, 2) = 48, original.EqFrequency(2, 2) = 20160;
    original.EqQFactor(2, 3) = 0, original.EqQFactor(2, 4) = 100, original.EqByPass(2, 5) = 1;
    SetCrossoverListPosition(original, 2, 6, 7);
    SetCrossoverListPosition(original, 2, 7, 4);
    original.GainLevel(2) = 1;

    const std::string text = ExportFilterList(original, 2, "test");
    const FittedList fitted = Fit(text);
    ASSERT_TRUE(fitted.problems.empty()) << text;
    ApplyFittedList(fitted, 2, back);
    EXPECT_EQ(back, original) << text;
}

}  // namespace
}  // namespace sonavel
