#pragma once
// Responses of requested and fitted filters in dB over 20 Hz to 20 kHz, computed at 48 kHz
// with the unit's section formulas on the real frequency axis (a low shelf is the formula
// that acts below its design frequency, a band-6 low-pass the low-pass formula with the Q
// of the band's crossover code).
#include <vector>

#include "eqlist/FilterList.h"
#include "response/FilterSection.h"

namespace sonavel {

// Sections in series.
using Stages = std::vector<SectionCoefficients>;

constexpr int kFirstSteepPosition = 5;  // the -24 dB/oct entries of a crossover list

constexpr int kDeviationPoints = 512;
constexpr double kDeviationLowHz = 20;
constexpr double kDeviationHighHz = 20000;

// kDeviationPoints frequencies, evenly spaced on a log scale from 20 Hz to 20 kHz.
const std::vector<double>& DeviationGrid();

// What the line asks for: empty when it cannot be designed at 48 kHz (a frequency at or
// above 24 kHz). A pass filter without Q is a Butterworth section; its slope is made of
// second-order sections and, for an odd multiple of 6 dB/oct, one first-order section.
Stages RequestedStages(const RequestedFilter& filter);

// An EQ band of type code 1 (peak), 4 (high shelf) or 5 (low shelf).
Stages EqBandStages(int eqType, double frequency, double gainDb, double q);

// The crossover of band 6 (low-pass) or 7 (high-pass) at a list position 1..8: one
// section for -12 dB/oct, two for -24 dB/oct.
Stages CrossoverStages(int band, int listPosition, double frequency);

// The gain in dB at every grid frequency of all the stages in series plus a flat gain.
std::vector<double> ResponseDb(const std::vector<Stages>& filters, double flatDb);

struct Deviation {
    double largestDb = 0;  // the largest absolute difference
    double atHz = kDeviationLowHz;
};

Deviation LargestDifference(const std::vector<double>& a, const std::vector<double>& b);

}  // namespace sonavel
