#pragma once
// Numbers in filter lists and reports: a point as decimal separator, no trailing zeros,
// the shortest text that reads back as the same number.
#include <string>

namespace sonavel {

std::string Decimal(double value);
std::string HzText(double hz);  // "105 Hz"
std::string DbText(double db);  // "-6.2 dB"

}  // namespace sonavel
