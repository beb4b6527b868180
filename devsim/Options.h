#pragma once
// Command-line options of the device simulator.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace sonavel::devsim {

struct SimulatorOptions {
    std::vector<int> units{1};  // addresses of the simulated units, 1..32, distinct
    std::string linkPath;       // symlink to the line's device, removed on exit
    int tcpPort = 0;            // serve the line on this TCP port of 127.0.0.1 instead (0 = no)
    std::string logPath;        // one JSON line per frame received
    std::string statePath;      // every unit's settings as JSON, on exit and on SIGUSR1

    // Fault modes for reliability tests.
    bool silent = false;        // applies messages but never answers
    int dropEvery = 0;          // every Nth frame is lost on the line (0 = none)
    double garbleRate = 0.0;    // chance of each reply byte having one bit flipped
    uint32_t seed = 1;          // seed of every random choice
    bool split = false;         // replies go out in small chunks with gaps between them
    bool noise = false;         // junk bytes go out before every reply
    int hangupAfter = 0;        // the line is closed after this many frames (0 = never)
    int replugAfterSeconds = 0; // with hangupAfter: the line comes back at linkPath after this

    bool help = false;
    bool version = false;
};

// A bad command line; the message is one line for the user.
struct OptionError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Parses the arguments after the program name; throws OptionError.
SimulatorOptions ParseOptions(const std::vector<std::string>& args);

std::string UsageText();

}  // namespace sonavel::devsim
