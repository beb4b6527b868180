#pragma once
// The three fixed tables behind the equalizer arrow pairs and the response plot.
#include <array>

namespace sonavel {

constexpr int kFrequencyPositions = 301;  // positions 0..300
constexpr int kQPositions = 101;          // positions 0..100

extern const std::array<double, kFrequencyPositions> FregData;
extern const std::array<double, kFrequencyPositions> FregDataB;
extern const std::array<double, kQPositions> QfactorData;

}  // namespace sonavel
