#pragma once
// Reads the number at the start of a typed text the classic way: blanks, tabs and line feeds
// are ignored wherever they stand; then an optional sign, digits with at most one decimal
// point and an optional exponent (E or D), or a hexadecimal number after "&H" or an octal one
// after "&O". Reading stops at the first character that cannot continue the number; a text
// without a leading number reads as 0.
#include <cstdint>
#include <optional>
#include <string_view>

namespace sonavel {

// The value of the number the text starts with. Hexadecimal and octal numbers of up to 16
// bits read as signed 16-bit values and those of up to 32 bits as signed 32-bit values
// (&HFFFF is -1), as the classic reader does. A decimal number too large for a double
// reads as an infinity.
double ReadLeadingNumber(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour; empty when the result
// does not fit a signed 16-bit integer.
std::optional<int16_t> RoundToInt16(double value);

}  // namespace sonavel
