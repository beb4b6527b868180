#pragma once
// A failure the tool reports to the user as one line on stderr, ending with a non-zero exit.
#include <stdexcept>

namespace sonavel::cli {

// The exit statuses of sonavel-cli, as its help lists them. "preset diff" follows diff:
// 0 equal, 1 different, 2 trouble.
enum ExitStatus : int {
    kExitSuccess = 0,
    kExitFailure = 1,         // a file, the line or a unit failed; nothing was written
    kExitDifferent = 1,       // preset diff: the presets differ
    kExitDiffTrouble = 2,     // preset diff: a file could not be compared
    kExitUsage = 2,           // the command line is wrong
    kExitSomeUnitsFailed = 3, // the units that answered are done, the others are named
};

struct CliError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A command line the tool cannot use: unknown option, missing or bad value.
struct UsageError : CliError {
    using CliError::CliError;
};

}  // namespace sonavel::cli
