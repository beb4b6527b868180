#pragma once
// Where each frequency position is drawn: the plot point of its +12 dB, Q 3 peak.
#include <array>

#include "model/ScaleTables.h"
#include "response/FilterSection.h"
#include "response/PlotGeometry.h"

namespace sonavel {

struct PlotPositions {
    // Plot point of each frequency position 0..300 (whole numbers, 19 up to 495).
    std::array<double, kFrequencyPositions> PlotPos{};
    // x in twips of plot point i = 2..512, stored at position i - 1.
    std::array<double, kGridSize> PlotX{};

    int pointOf(int frequencyPosition) const;  // PlotPos as a whole number
};

// Computes both tables from FregDataB with the given section (which it overwrites).
void GetPresetFreqPosition(FilterSection& section, PlotPositions& positions);

}  // namespace sonavel
