#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
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
    struct Case {
        const char* line;
        int frequency, gainStep, qPosition;  // the fitted band; all -1: a problem when strict
        int clampedFrequency, clampedGainStep, clampedQPosition;  // with KeepWhatFits
    };
    const Case cases[] = {
        {"PK Fc 105.4 Hz Gain 6.2 dB Q 2.0", 105, 12, 28, 105, 12, 28},  // 6.2 dB -> 6 dB
        {"PK Fc 105.5 Hz Gain 6.3 dB Q 2.2", 106, 11, 29, 106, 11, 29},  // Q 2.2: the first 2.1
        {"PK Fc 19.5 Hz Gain 12 dB Q 2.1", 20, 0, 29, 20, 0, 29},
        {"PK Fc 20160.4 Hz Gain -12 dB Q 2.25", 20160, 48, 31, 20160, 48, 31},  // nearer 2.4 on a log scale
        {"PK Fc 1000 Hz Gain 0 dB Q 0.3", 1000, 24, 0, 1000, 24, 0},    // below the table: 0.4
        {"PK Fc 1000 Hz Gain 0 dB Q 200", 1000, 24, 100, 1000, 24, 100},  // above: 128
        {"PK Fc 1000 Hz Gain 12.25 dB Q 1", -1, -1, -1, 1000, 0, 16},
        {"PK Fc 1000 Hz Gain -12.25 dB Q 1", -1, -1, -1, 1000, 48, 16},
        {"PK Fc 19.4 Hz Gain 0 dB Q 1", -1, -1, -1, 20, 24, 16},
        {"LSC Fc 20160.5 Hz Gain 0 dB", -1, -1, -1, 20160, 24, -1},
    };
    for (const Case& c : cases) {
        const std::string text = std::string("Filter: ON ") + c.line;
        const FittedList strict = Fit(text);
        if (c.frequency < 0) {
            EXPECT_EQ(Lines(strict.problems), std::vector<int>{1}) << c.line;
        } else {
            ASSERT_TRUE(strict.problems.empty()) << c.line << ": " << strict.problems[0].text;
            const FittedFilter& f = strict.filters[0];
            EXPECT_EQ(std::tuple(f.frequency, f.gainStep, f.qPosition), std::tuple(c.frequency, c.gainStep, c.qPosition))
                << c.line;
        }
        const FittedList kept = Fit(text, FitMode::KeepWhatFits);
        ASSERT_EQ(kept.filters.size(), 1u) << c.line;
        const FittedFilter& k = kept.filters[0];
        EXPECT_EQ(std::tuple(k.frequency, k.gainStep, k.qPosition),
                  std::tuple(c.clampedFrequency, c.clampedGainStep, c.clampedQPosition)) << c.line;
        EXPECT_EQ(kept.filters[0].notes.empty(), c.frequency >= 0 && c.qPosition % 100 != 0) << c.line;
    }
}

TEST(FilterFit, CrossoversTakeTheNearestFamilyAndSlope) {
    const std::pair<const char*, std::pair<int, int>> cases[] = {  // line -> band, list position
        {"LP Fc 80 Hz", {6, 1}},                           // Butterworth -12
        {"LPQ Fc 80 Hz Q 0.55 Slope 24 dB", {6, 7}},       // Linkwitz-Riley -24
        {"LPQ Fc 80 Hz Q 0.6 Slope 12 dB", {6, 2}},        // Bessel -12
        {"HPQ Fc 2000 Hz Q 0.65 Slope 24 dB", {7, 6}},     // Bessel -24
        {"HPQ Fc 2000 Hz Q 1.0 Slope 48 dB", {7, 8}},      // Chebychev -24
        {"HP Fc 2000 Hz Slope 6 dB", {7, 1}},              // Butterworth -12
    };
    for (const auto& [line, expected] : cases) {
        const FittedList fitted = Fit(std::string("Filter: ON ") + line);
        ASSERT_EQ(fitted.filters.size(), 1u) << line;
        EXPECT_EQ(fitted.filters[0].band, expected.first) << line;
        EXPECT_EQ(fitted.filters[0].listPosition, expected.second) << line;
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
    EXPECT_EQ(kept.filters[4].gainStep, 0);  // 20 dB clamped to 12

    EXPECT_EQ(Lines(Fit("# nothing\nFilter 1: OFF PK Fc 1 Hz\n", FitMode::KeepWhatFits).problems), std::vector<int>{0});
    // -60.25 dB would round to the input gain's mute step: refused, or kept at -60 dB.
    EXPECT_EQ(Lines(Fit("Preamp: -60.25 dB\n").problems), std::vector<int>{1});
    EXPECT_EQ(Fit("Preamp: -60.25 dB\n", FitMode::KeepWhatFits).inputGain, 1);
}

// The largest difference on a log grid of its own, with the textbook peak section.
double IndependentPeakDifference(double f, double askedDb, double fittedDb, double q) {
    auto gainDb = [&](double hz, double db) {
        const double w0 = 2 * std::numbers::pi * f / 48000, alpha = std::sin(w0) / (2 * q);
        const double A = std::pow(10, db / 40);
        const std::complex<double> z = std::polar(1.0, -2 * std::numbers::pi * hz / 48000);
        const auto h = (1 + alpha * A - 2 * std::cos(w0) * z + (1 - alpha * A) * z * z) /
                       (1 + alpha / A - 2 * std::cos(w0) * z + (1 - alpha / A) * z * z);
        return 20 * std::log10(std::abs(h));
    };
    double largest = 0;
    for (int i = 0; i < 512; ++i) {
        const double hz = 20 * std::pow(1000.0, i / 511.0);
        largest = std::max(largest, std::fabs(gainDb(hz, askedDb) - gainDb(hz, fittedDb)));
    }
    return largest;
}

TEST(FilterFit, DeviationIsZeroOnTheGridAndMatchesAnIndependentComputationOffIt) {
    const FittedList onGrid = Fit("Preamp: -6.5 dB\nFilter: ON PK Fc 1000 Hz Gain 6.5 dB Q 0.71\n"
                                  "Filter: ON LSC Fc 80 Hz Gain -3 dB\nFilter: ON HSC Fc 8000 Hz Gain 2.5 dB Q 0.75\n"
                                  "Filter: ON LPQ Fc 5000 Hz Q 0.55 Slope 24 dB\nFilter: ON HPQ Fc 50 Hz Q 1 Slope 12 dB\n");
    ASSERT_TRUE(onGrid.problems.empty());
    EXPECT_EQ(LargestDifference(RequestedResponseDb(onGrid), FittedResponseDb(onGrid)).largestDb, 0);

    const FittedList offGrid = Fit("Filter: ON PK Fc 1000 Hz Gain 6.3 dB Q 1\n");
    const Deviation deviation = LargestDifference(RequestedResponseDb(offGrid), FittedResponseDb(offGrid));
    EXPECT_NEAR(deviation.largestDb, IndependentPeakDifference(1000, 6.3, 6.5, 1), 1e-9);
    EXPECT_NEAR(deviation.largestDb, 0.2, 1e-3);  // near the centre, where the gains themselves differ
    EXPECT_NEAR(deviation.atHz, 1000, 15);
}

// What a filter list carries of channel 2: per band its switch, then for a band that is on its
// type, frequency, gain and a peak's Q; then the lists and both input gains (the other
// channel's stays as it was).
std::vector<std::vector<int>> ChannelTwo(const ParameterStore& s) {
    std::vector<std::vector<int>> carried;
    for (int band = 1; band <= kBandCount; ++band) {
        std::vector<int> b = {s.EqByPass(2, band)};
        if (!b[0]) b.insert(b.end(), {s.EqType(2, band), s.EqFrequency(2, band)});
        if (!b[0] && band <= kEqBandCount) b.push_back(s.EqGain(2, band));
        if (!b[0] && band <= kEqBandCount && s.EqType(2, band) == 1) b.push_back(s.EqQFactor(2, band));
        carried.push_back(b);
    }
    carried.push_back({s.LpType(2), s.HpType(2), s.GainLevel(2), s.GainLevel(1)});
    return carried;
}

TEST(FilterFit, ExportThenImportGivesTheSameChannelBack) {
    auto defaults = [] {
        ParameterStore store;
        InitDSPPremeter(store);
        return store;
    };
    ParameterStore shelves = defaults();  // both crossovers on, the last EQ band off
    shelves.EqType(2, 1) = 5, shelves.EqGain(2, 1) = 0, shelves.EqFrequency(2, 1) = 20;
    shelves.EqType(2, 2) = 4, shelves.EqGain(2, 2) = 48, shelves.EqFrequency(2, 2) = 20160;
    shelves.EqQFactor(2, 3) = 0, shelves.EqQFactor(2, 4) = 100, shelves.EqByPass(2, 5) = 1;
    SetCrossoverListPosition(shelves, 2, 6, 7);
    SetCrossoverListPosition(shelves, 2, 7, 4);
    shelves.GainLevel(2) = 1;
    ParameterStore bessel = defaults();
    SetCrossoverListPosition(bessel, 2, 6, 6);
    SetCrossoverListPosition(bessel, 2, 7, 2);
    bessel.EqFrequency(2, 6) = 15000, bessel.EqFrequency(2, 7) = 45, bessel.GainLevel(2) = 145;

    for (const ParameterStore& original : {shelves, bessel}) {
        const std::string text = ExportFilterList(original, 2, "test");
        const FittedList fitted = Fit(text);
        ASSERT_TRUE(fitted.problems.empty()) << text;
        EXPECT_EQ(LargestDifference(RequestedResponseDb(fitted), FittedResponseDb(fitted)).largestDb, 0) << text;
        ParameterStore back = defaults();
        ApplyFittedList(fitted, 2, back);
        EXPECT_EQ(ChannelTwo(back), ChannelTwo(original)) << text;
    }
}

}  // namespace
}  // namespace sonavel
