#pragma once
// A failure the tool reports to the user as one line on stderr, ending with a non-zero exit.
#include <stdexcept>

namespace sonavel::cli {

struct CliError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace sonavel::cli
