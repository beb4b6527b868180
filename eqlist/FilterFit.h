#pragma once
// A filter list fitted to what one channel of the unit can hold: five EQ bands (peak, low
// and high shelf; whole hertz 20..20160, gain in 0.5 dB steps within +-12 dB, Q from the Q
// table), a low-pass and a high-pass crossover, and the input gain.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "eqlist/FilterList.h"
#include "eqlist/FilterResponse.h"
#include "model/ParameterStore.h"

namespace sonavel {

constexpr int kUnityGainLevel = 121;  // GainLevel of 0 dB; one step is 0.5 dB

// The input gain of a GainLevel above 0 (0 is mute).
inline double InputGainDb(int level) { return (level - kUnityGainLevel) * 0.5; }

struct FittedFilter {
    RequestedFilter requested;
    int band = 0;             // 1..5 an EQ band, 6 the low-pass, 7 the high-pass
    int16_t frequency = 0;    // EqFrequency
    int16_t eqType = 0;       // EqType of an EQ band: 1 peak, 4 high shelf, 5 low shelf
    int16_t gainStep = 0;     // EqGain of an EQ band
    int16_t qPosition = -1;   // EqQFactor of a peak; -1 for the shelves' fixed slope
    int16_t listPosition = 0; // LpType or HpType of a crossover
    std::vector<std::string> notes;  // what fitting changed beyond rounding to the grid

    double GainDb() const;
    double Q() const;  // the Q the unit uses: table entry, fixed shelf slope or crossover Q
    Stages Response() const;
};

struct FittedList {
    std::vector<FittedFilter> filters;  // in file order
    std::optional<double> preamp;       // as requested, dB
    int preampLine = 0;
    std::optional<int16_t> inputGain;   // GainLevel for the preamp
    std::vector<RequestedFilter> requested;  // every filter switched on, kept or not
    // What does not fit. Without fitting every problem is an error; with it, only the
    // lack of anything to import is.
    std::vector<LineProblem> problems;
    std::vector<LineProblem> changes;  // with fitting: what was left out or clamped beyond
                                       // the filters' own notes
};

enum class FitMode {
    Strict,       // whatever does not fit is a problem
    KeepWhatFits  // clamp, keep the five EQ filters with the largest effect, list the changes
};

FittedList FitFilterList(const ParsedFilterList& parsed, FitMode mode);

// Writes the fitted filters into a channel: EQ bands 1..n take the n EQ filters in order
// and are switched on, the other EQ bands are switched off; the crossovers and the input
// gain change only when the list has them.
void ApplyFittedList(const FittedList& fitted, int channel, ParameterStore& store);

// The requested and the fitted responses in dB on the deviation grid, preamp included.
std::vector<double> RequestedResponseDb(const FittedList& fitted);
std::vector<double> FittedResponseDb(const FittedList& fitted);

}  // namespace sonavel
