#include "eqlist/FilterResponse.h"

#include <cmath>

#include "model/ParameterStore.h"

namespace sonavel {

namespace {

constexpr int kSecondOrderSlope = 12;

// The first-order bilinear low- or high-pass, as a section whose last coefficients are zero.
SectionCoefficients FirstOrder(bool lowPass, double frequency) {
    const double k = std::tan(PiValue * frequency / SampleRate);
    SectionCoefficients section;
    section.num = lowPass ? std::array<double, 3>{k, k, 0} : std::array<double, 3>{1, -1, 0};
    section.den = {k + 1, k - 1, 0};
    return section;
}

Stages Designed(SectionFormula formula, double frequency, double gain, double q, int count = 1) {
    SectionCoefficients section;
    if (DesignSection(formula, frequency, gain, q, section) != SectionStatus::Ok) return {};
    return Stages(count, section);
}

}  // namespace

const std::vector<double>& DeviationGrid() {
    static const std::vector<double> grid = [] {
        std::vector<double> hz(kDeviationPoints);
        const double ratio = std::log(kDeviationHighHz / kDeviationLowHz);
        for (int i = 0; i < kDeviationPoints; ++i)
            hz[i] = kDeviationLowHz * std::exp(ratio * i / (kDeviationPoints - 1));
        hz.back() = kDeviationHighHz;
        return hz;
    }();
    return grid;
}

Stages RequestedStages(const RequestedFilter& filter) {
    const double f = filter.frequency;
    switch (filter.kind) {
    case FilterKind::Peak: return Designed(SectionFormula::Peak, f, *filter.gain, *filter.q);
    case FilterKind::LowShelf:
        return Designed(SectionFormula::ShelfBelow, f, *filter.gain, filter.q.value_or(kShelfQ));
    case FilterKind::HighShelf:
        return Designed(SectionFormula::ShelfAbove, f, *filter.gain, filter.q.value_or(kShelfQ));
    case FilterKind::LowPass:
    case FilterKind::HighPass: break;
    }
    const bool lowPass = filter.kind == FilterKind::LowPass;
    Stages stages = Designed(lowPass ? SectionFormula::LowPass : SectionFormula::HighPass, f, 0,
                             filter.q.value_or(std::sqrt(0.5)), filter.slope / kSecondOrderSlope);
    if (stages.empty() && filter.slope >= kSecondOrderSlope) return {};
    if (filter.slope % kSecondOrderSlope != 0) {
        if (!(f > 0 && f < SampleRate / 2.0)) return {};
        stages.push_back(FirstOrder(lowPass, f));
    }
    return stages;
}

Stages EqBandStages(int eqType, double frequency, double gainDb, double q) {
    if (eqType == 4) return Designed(SectionFormula::ShelfAbove, frequency, gainDb, kShelfQ);
    if (eqType == 5) return Designed(SectionFormula::ShelfBelow, frequency, gainDb, kShelfQ);
    return Designed(SectionFormula::Peak, frequency, gainDb, q);
}

Stages CrossoverStages(int band, int listPosition, double frequency) {
    SectionFormula ignored;
    double q = 0;
    if (!CrossoverSectionDesign(CrossoverEqType(band, listPosition, 0), ignored, q)) return {};
    return Designed(band == kLowPassBand ? SectionFormula::LowPass : SectionFormula::HighPass,
                    frequency, 0, q, listPosition >= kFirstSteepPosition ? 2 : 1);
}

std::vector<double> ResponseDb(const std::vector<Stages>& filters, double flatDb) {
    const std::vector<double>& grid = DeviationGrid();
    std::vector<double> db(grid.size(), flatDb);
    for (const Stages& stages : filters)
        for (const SectionCoefficients& section : stages)
            for (size_t i = 0; i < grid.size(); ++i) db[i] += SectionGainDb(section, grid[i]);
    return db;
}

Deviation LargestDifference(const std::vector<double>& a, const std::vector<double>& b) {
    const std::vector<double>& grid = DeviationGrid();
    Deviation largest;
    for (size_t i = 0; i < grid.size() && i < a.size() && i < b.size(); ++i) {
        const double difference = std::fabs(a[i] - b[i]);
        // A response with a zero or an overflow differs without bound.
        if (!std::isfinite(difference)) return {HUGE_VAL, grid[i]};
        if (difference > largest.largestDb) largest = {difference, grid[i]};
    }
    return largest;
}

}  // namespace sonavel
