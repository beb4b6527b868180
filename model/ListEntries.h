#pragma once
// The entries of the equalizer type lists and the crossover lists, in list order. The
// command-line tool names the same settings with the same words.

namespace sonavel {

// Type list positions 0..2; EqTypeForListPosition gives their type codes.
inline constexpr const char* kEqTypeListEntries[] = {"Peak", "High Shelf", "Low Shelf"};

// Crossover list positions 0..8, as LpType and HpType hold them.
inline constexpr const char* kCrossoverListEntries[] = {
    "ByPass",
    "Butterworth -12dB/oct", "Bessel -12dB/oct", "Linkwitz-Riley -12dB/oct", "Chebychev -12dB/oct",
    "Butterworth -24dB/oct", "Bessel -24dB/oct", "Linkwitz-Riley -24dB/oct", "Chebychev -24dB/oct"};

}  // namespace sonavel
