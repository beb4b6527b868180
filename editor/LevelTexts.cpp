#include "editor/LevelTexts.h"

#include "model/ValueScales.h"

namespace sonavel {

std::string GainText(int value, int max) {
    if (value == max) return "Mute";
    return NumberText(12 - value * 0.5) + "dB";
}

std::string DelayText(int samples) { return NumberText(DelayMilliseconds(samples)) + "mS"; }

}  // namespace sonavel
