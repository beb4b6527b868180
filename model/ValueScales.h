#pragma once
// Frequency positions, arrow-pair orientation and the number texts of every display.
#include <string>

namespace sonavel {

// Position 1..300 of a frequency in whole hertz: the last position whose FregData entry
// lies strictly below hz (1 when none does).
int GetFregPosition(int hz);

// A number as every display writes it: a blank before a non-negative number, "-" before a
// negative one, a point as decimal separator whatever the locale, no zero before the point
// below magnitude 1, no trailing zeros, at most 15 significant digits.
std::string NumberText(double value);

// NumberText followed by "Hz".
std::string ReturnHz(double frequency);

// Arrow pairs: the upper arrow lowers Value and raises the parameter.
constexpr int kFrequencyArrowMin = 20;
constexpr int kFrequencyArrowMax = 20160;
constexpr int kGainArrowMax = 48;
constexpr int kQArrowMax = 100;

inline int FrequencyFromArrow(int max, int value) { return max - value + 20; }
inline int ArrowFromFrequency(int max, int frequency) { return max - frequency + 20; }
inline int QPositionFromArrow(int max, int value) { return max - value; }
inline int ArrowFromQPosition(int max, int qPosition) { return max - qPosition; }
inline double GainDbFromPosition(int gainPosition) { return (24 - gainPosition) * 0.5; }

// A delay of this many samples at 48 kHz in milliseconds, to the nearest whole microsecond
// (halves to the even neighbour), as the delay text shows it.
double DelayMilliseconds(int samples);

}  // namespace sonavel
