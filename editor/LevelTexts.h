#pragma once
// The texts of the level displays, shared by their handlers and the control refresh.
#include <string>

namespace sonavel {

// Gain and output gain: "Mute" at the arrow pair's maximum, else the gain in dB.
std::string GainText(int value, int max);

// Delay of a number of samples at 48 kHz, to the nearest microsecond (halves to even), in ms.
std::string DelayText(int samples);

}  // namespace sonavel
