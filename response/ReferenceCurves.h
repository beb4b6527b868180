#pragma once
// The reference curves every band curve is made from: the response of one filter at a fixed
// design frequency and +12 dB, kept over grid positions 0..509. Built on first use; they
// depend only on the fixed tables, so once built they never go out of date.
#include <array>
#include <memory>

#include "model/ScaleTables.h"
#include "response/FilterSection.h"
#include "response/PlotGeometry.h"

namespace sonavel {

constexpr int kCrossoverColumns = 4;  // Butterworth, Linkwitz-Riley, Bessel, Chebychev
// The crossover type code whose reference curve each column holds.
constexpr int kCrossoverCodes[kCrossoverColumns] = {3, 7, 9, 11};

// Design frequencies, as frequency positions on FregDataB.
constexpr int kPeakReferencePosition = 173;
constexpr int kShelfReferencePosition = 261;
constexpr int kCrossoverShortPosition = 255;
constexpr int kCrossoverLongPosition = 265;
constexpr double kReferenceGainDb = 12.0;

// Whether the four crossover curves are kept once built or rebuilt for every crossover band,
// as the plot originally did. Both give the same curves.
enum class CrossoverCaching { Cached, RebuildEachUse };

class ReferenceCurves {
public:
    explicit ReferenceCurves(CrossoverCaching caching = CrossoverCaching::Cached);

    const ResponseArray& ShelfTemplate();                  // code 5
    const ResponseArray& PeakTemplate(int qPosition);      // code 1, Q = 1.5 x QfactorData(q)
    // Builds the four crossover curves (codes 3, 7, 9, 11): once when cached, else every time.
    void BuildCrossoverTemplates();
    // Column 0..3 as last built; zero before the first build.
    const ResponseArray& CrossoverTemplate(int column);

    // True until the curves are first asked for.
    bool ShelfTemplateStale() const { return ShelfTemplateStale_; }
    bool PeakTemplatesStale() const { return PeakTemplatesStale_; }

private:
    void evaluateInto(int code, int frequencyPosition, double qFactor, ResponseArray& target);

    struct Storage {
        ResponseArray shelf{};
        std::array<ResponseArray, kQPositions> peaks{};
        std::array<ResponseArray, kCrossoverColumns> crossovers{};
    };
    CrossoverCaching caching_;
    std::unique_ptr<Storage> storage_;
    FilterSection section_;
    bool ShelfTemplateStale_ = true;
    bool PeakTemplatesStale_ = true;
    bool CrossoverTemplatesStale_ = true;
};

}  // namespace sonavel
