#include "eqlist/ValueText.h"

#include <charconv>

namespace sonavel {

std::string Decimal(double value) {
    if (value == 0) value = 0;  // no "-0"
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string HzText(double hz) { return Decimal(hz) + " Hz"; }

std::string DbText(double db) { return Decimal(db) + " dB"; }

}  // namespace sonavel
