#include "cli/ExactNumber.h"

#include <charconv>

namespace sonavel::cli {

std::string ExactNumber(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value + 0.0).ptr;  // no "-0"
    return std::string(text, end);
}

}  // namespace sonavel::cli
