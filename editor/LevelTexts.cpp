#include "editor/LevelTexts.h"

#include <cmath>

#include "model/ValueScales.h"

namespace sonavel {

std::string GainText(int value, int max) {
    if (value == max) return "Mute";
    return NumberText(12 - value * 0.5) + "dB";
}

std::string DelayText(int samples) {
    const double microseconds = std::nearbyint(samples / 48000.0 * 1000000.0);  // halves to even
    return NumberText(microseconds / 1000) + "mS";
}

}  // namespace sonavel
