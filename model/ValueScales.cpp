#include "model/ValueScales.h"

#include <charconv>
#include <cmath>

#include "model/ScaleTables.h"

namespace sonavel {

int GetFregPosition(int hz) {
    int position = 1;
    for (int i = 1; i < kFrequencyPositions; ++i)
        if (FregData[i] < static_cast<double>(hz)) position = i;
    return position;
}

std::string NumberText(double value) {
    if (value == 0.0) value = 0.0;  // a negative zero reads as zero
    char digits[40];
    // to_chars ignores the process locale, so the separator is always a point.
    auto end = std::to_chars(digits, digits + sizeof digits, value < 0 ? -value : value,
                             std::chars_format::general, 15).ptr;
    std::string text(digits, end);
    if (text.size() > 1 && text[0] == '0' && text[1] == '.') text.erase(0, 1);
    if (auto e = text.find('e'); e != std::string::npos) text[e] = 'E';
    return (value < 0 ? "-" : " ") + text;
}

std::string ReturnHz(double frequency) { return NumberText(frequency) + "Hz"; }

double DelayMilliseconds(int samples) {
    return std::nearbyint(samples / 48000.0 * 1000000.0) / 1000;  // nearbyint rounds halves to even
}

}  // namespace sonavel
