#pragma once
#include <string>

namespace sonavel::cli {

// The shortest text that reads back as exactly the same number ("-3", "0.021", "1.41").
std::string ExactNumber(double value);

}  // namespace sonavel::cli
