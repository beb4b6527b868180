#include "eqlist/FilterFit.h"

#include <algorithm>
#include <cmath>

#include "eqlist/ValueText.h"
#include "model/ScaleTables.h"
#include "model/ValueScales.h"

namespace sonavel {

namespace {

constexpr double kMaxEqGainDb = 12;
constexpr int kZeroGainStep = 24;      // EqGain of 0 dB; one step is -0.5 dB
constexpr int kLowestGainLevel = 1;    // -60 dB; 0 is mute
constexpr int kHighestGainLevel = 145; // +12 dB
constexpr int kFamilies = 4;           // Butterworth, Bessel, Linkwitz-Riley, Chebychev
constexpr int kSteepFromSlope = 18;    // dB/oct, halfway between -12 and -24 dB/oct

// The Q the unit gives a crossover entry: its type code's fixed Q.
double CrossoverQ(int band, int listPosition) {
    SectionFormula formula;
    double q = 0;
    CrossoverSectionDesign(CrossoverEqType(band, listPosition, 0), formula, q);
    return q;
}

// Fitting state shared by the rules: strict problems or, when keeping what fits, changes.
struct Fitter {
    FitMode mode;
    FittedList& out;

    // A value outside the unit's range: a problem, or clamped with a note.
    // With notes (a filter's), the change is noted there, else in the list's changes.
    void OutOfRange(int line, const std::string& problem, const std::string& clamped,
                    std::vector<std::string>* notes) {
        if (mode == FitMode::Strict) {
            out.problems.push_back({line, problem});
            return;
        }
        if (notes)
            notes->push_back(problem + ": " + clamped);
        else
            out.changes.push_back({line, problem + ": " + clamped});
    }

    // A filter or line the unit has no room for.
    void LeftOut(int line, const std::string& why) {
        if (mode == FitMode::Strict)
            out.problems.push_back({line, why});
        else
            out.changes.push_back({line, "left out: " + why});
    }
};

int16_t FitFrequency(Fitter& fitter, FittedFilter& fitted) {
    const double asked = fitted.requested.frequency;
    const double rounded = std::round(asked);
    if (rounded >= kFrequencyArrowMin && rounded <= kFrequencyArrowMax)
        return static_cast<int16_t>(rounded);
    const int clamped = rounded < kFrequencyArrowMin ? kFrequencyArrowMin : kFrequencyArrowMax;
    fitter.OutOfRange(fitted.requested.line,
                      "frequency " + HzText(asked) + " outside 20..20160 Hz", "set to " + HzText(clamped),
                      &fitted.notes);
    return static_cast<int16_t>(clamped);
}

int16_t FitGain(Fitter& fitter, FittedFilter& fitted) {
    double gain = *fitted.requested.gain;
    if (std::fabs(gain) > kMaxEqGainDb) {
        const double clamped = std::copysign(kMaxEqGainDb, gain);
        fitter.OutOfRange(fitted.requested.line, "gain " + DbText(gain) + " beyond +-12 dB",
                          "set to " + DbText(clamped), &fitted.notes);
        gain = clamped;
    }
    return static_cast<int16_t>(kZeroGainStep - std::lround(gain * 2));
}

// The Q table entry nearest on a log scale; the first of equal ones (2.1 is there twice).
int16_t NearestQPosition(double q) {
    int16_t best = 0;
    for (int16_t i = 1; i < kQPositions; ++i)
        if (std::fabs(std::log(q / QfactorData[i])) < std::fabs(std::log(q / QfactorData[best]))) best = i;
    return best;
}

void FitEqBand(Fitter& fitter, FittedFilter& fitted) {
    const RequestedFilter& r = fitted.requested;
    fitted.frequency = FitFrequency(fitter, fitted);
    fitted.gainStep = FitGain(fitter, fitted);
    if (r.kind == FilterKind::Peak) {
        fitted.eqType = EqTypeForListPosition(0);
        fitted.qPosition = NearestQPosition(*r.q);
        if (*r.q < QfactorData.front() || *r.q > QfactorData.back())
            fitted.notes.push_back("Q " + Decimal(*r.q) + " outside 0.4..128: set to " +
                                   Decimal(QfactorData[fitted.qPosition]));
        return;
    }
    fitted.eqType = EqTypeForListPosition(r.kind == FilterKind::HighShelf ? 1 : 2);
    if (r.q && *r.q != kShelfQ)
        fitted.notes.push_back("the unit's shelves have a fixed slope (Q 0.75)");
}

// The crossover list entry nearest to what was asked: -12 or -24 dB/oct by the slope (18
// goes to the steeper), then the family whose Q lies nearest on a log scale (a Butterworth
// Q of 0.707 when none was asked).
void FitCrossover(Fitter& fitter, FittedFilter& fitted) {
    const RequestedFilter& r = fitted.requested;
    fitted.band = r.kind == FilterKind::LowPass ? kLowPassBand : kHighPassBand;
    fitted.frequency = FitFrequency(fitter, fitted);
    const int16_t first = r.slope < kSteepFromSlope ? 1 : kFirstSteepPosition;
    const double asked = r.q.value_or(std::sqrt(0.5));
    auto distance = [&](int position) { return std::fabs(std::log(asked / CrossoverQ(fitted.band, position))); };
    fitted.listPosition = first;
    for (int16_t position = first + 1; position < first + kFamilies; ++position)
        if (distance(position) < distance(fitted.listPosition)) fitted.listPosition = position;
}

// How much a filter changes the response: its largest gain or attenuation on the grid.
double Effect(const RequestedFilter& filter) {
    double largest = 0;
    for (double db : ResponseDb({RequestedStages(filter)}, 0)) largest = std::max(largest, std::fabs(db));
    return largest;
}

// Keeps at most five EQ filters: strictly the first five, else the five with the largest
// effect, in file order.
void LimitEqFilters(Fitter& fitter, std::vector<FittedFilter>& eq) {
    if (static_cast<int>(eq.size()) <= kEqBandCount) return;
    if (fitter.mode == FitMode::Strict) {
        for (size_t i = kEqBandCount; i < eq.size(); ++i)
            fitter.out.problems.push_back({eq[i].requested.line, "more than five EQ filters; the unit has five bands"});
        return;
    }
    std::vector<double> effect;
    for (const FittedFilter& f : eq) effect.push_back(Effect(f.requested));
    std::vector<size_t> order(eq.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return effect[a] > effect[b]; });
    std::vector<bool> kept(eq.size(), false);
    for (int i = 0; i < kEqBandCount; ++i) kept[order[i]] = true;
    std::vector<FittedFilter> five;
    for (size_t i = 0; i < eq.size(); ++i) {
        if (kept[i])
            five.push_back(eq[i]);
        else
            fitter.LeftOut(eq[i].requested.line, "a sixth EQ filter with less effect than the five kept");
    }
    eq = five;
}

}  // namespace

double FittedFilter::GainDb() const { return GainDbFromPosition(gainStep); }

double FittedFilter::Q() const {
    if (band == kLowPassBand || band == kHighPassBand) return CrossoverQ(band, listPosition);
    return qPosition >= 0 ? QfactorData[qPosition] : kShelfQ;
}

Stages FittedFilter::Response() const {
    if (band == kLowPassBand || band == kHighPassBand) return CrossoverStages(band, listPosition, frequency);
    return EqBandStages(eqType, frequency, GainDb(), Q());
}

FittedList FitFilterList(const ParsedFilterList& parsed, FitMode mode) {
    FittedList out;
    Fitter fitter{mode, out};
    for (const LineProblem& problem : parsed.problems) fitter.LeftOut(problem.line, problem.text);
    out.requested = parsed.list.filters;

    std::vector<FittedFilter> eq;
    std::optional<FittedFilter> crossovers[2];
    for (const RequestedFilter& requested : parsed.list.filters) {
        FittedFilter fitted;
        fitted.requested = requested;
        if (!requested.IsPass()) {
            FitEqBand(fitter, fitted);
            eq.push_back(fitted);
            continue;
        }
        FitCrossover(fitter, fitted);
        std::optional<FittedFilter>& slot = crossovers[fitted.band - kLowPassBand];
        const char* name = fitted.band == kLowPassBand ? "low-pass" : "high-pass";
        if (slot)
            fitter.LeftOut(requested.line, std::string("a second ") + name + " (the first is on line " +
                                               std::to_string(slot->requested.line) + ")");
        else
            slot = fitted;
    }
    LimitEqFilters(fitter, eq);
    for (size_t i = 0; i < eq.size() && i < kEqBandCount; ++i) eq[i].band = static_cast<int>(i) + 1;
    eq.resize(std::min<size_t>(eq.size(), kEqBandCount));
    for (const FittedFilter& filter : eq) out.filters.push_back(filter);
    for (const auto& crossover : crossovers)
        if (crossover) out.filters.push_back(*crossover);
    std::stable_sort(out.filters.begin(), out.filters.end(),
                     [](const FittedFilter& a, const FittedFilter& b) { return a.requested.line < b.requested.line; });

    if (parsed.list.preamp) {
        out.preamp = parsed.list.preamp;
        out.preampLine = parsed.list.preampLine;
        const double asked = *out.preamp;
        const double lowest = InputGainDb(kLowestGainLevel);
        const double highest = InputGainDb(kHighestGainLevel);
        const long level = kUnityGainLevel + std::lround(std::clamp(asked, lowest, highest) * 2);
        if (asked < lowest || asked > highest) {
            fitter.OutOfRange(out.preampLine, "Preamp " + DbText(asked) + " outside the input gain's -60..12 dB",
                              "set to " + DbText(InputGainDb(level)), nullptr);
        }
        out.inputGain = static_cast<int16_t>(level);
    }
    if (out.filters.empty() && !out.inputGain) out.problems.push_back({0, "nothing to import: no filter switched on and no Preamp"});
    const auto byLine = [](const LineProblem& a, const LineProblem& b) { return a.line < b.line; };
    std::stable_sort(out.problems.begin(), out.problems.end(), byLine);
    std::stable_sort(out.changes.begin(), out.changes.end(), byLine);
    return out;
}

void ApplyFittedList(const FittedList& fitted, int channel, ParameterStore& store) {
    for (int band = 1; band <= kEqBandCount; ++band) store.EqByPass(channel, band) = 1;
    for (const FittedFilter& filter : fitted.filters) {
        store.EqFrequency(channel, filter.band) = filter.frequency;
        if (filter.band == kLowPassBand || filter.band == kHighPassBand) {
            SetCrossoverListPosition(store, channel, filter.band, filter.listPosition);
            continue;
        }
        store.EqType(channel, filter.band) = filter.eqType;
        store.EqGain(channel, filter.band) = filter.gainStep;
        if (filter.qPosition >= 0) store.EqQFactor(channel, filter.band) = filter.qPosition;
        store.EqByPass(channel, filter.band) = 0;
    }
    if (fitted.inputGain) store.GainLevel(channel) = *fitted.inputGain;
}

std::vector<double> RequestedResponseDb(const FittedList& fitted) {
    std::vector<Stages> filters;
    for (const RequestedFilter& filter : fitted.requested) filters.push_back(RequestedStages(filter));
    return ResponseDb(filters, fitted.preamp.value_or(0));
}

std::vector<double> FittedResponseDb(const FittedList& fitted) {
    std::vector<Stages> filters;
    for (const FittedFilter& filter : fitted.filters) filters.push_back(filter.Response());
    const double flat = fitted.inputGain ? InputGainDb(*fitted.inputGain) : 0;
    return ResponseDb(filters, flat);
}

}  // namespace sonavel
