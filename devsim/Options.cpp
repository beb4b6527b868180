#include "devsim/Options.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "link/LinkState.h"

namespace sonavel::devsim {

namespace {

long long ParseInteger(const std::string& option, const std::string& text, long long low,
                       long long high) {
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        throw OptionError(option + ": not a whole number: '" + text + "'");
    if (value < low || value > high)
        throw OptionError(option + ": " + text + " is outside " + std::to_string(low) + ".." +
                          std::to_string(high));
    return value;
}

double ParseRate(const std::string& option, const std::string& text) {
    size_t used = 0;
    double value = 0;
    try {
        value = std::stod(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (text.empty() || used != text.size() || !std::isfinite(value))
        throw OptionError(option + ": not a number: '" + text + "'");
    if (value < 0.0 || value > 1.0) throw OptionError(option + ": " + text + " is outside 0..1");
    return value;
}

std::vector<int> ParseUnits(const std::string& text) {
    std::vector<int> units;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        const std::string item = text.substr(start, comma - start);
        const int address = static_cast<int>(ParseInteger("--units", item, 1, kMaxAddress));
        if (std::find(units.begin(), units.end(), address) != units.end())
            throw OptionError("--units: address " + item + " given twice");
        units.push_back(address);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return units;
}

}  // namespace

SimulatorOptions ParseOptions(const std::vector<std::string>& args) {
    SimulatorOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw OptionError(name + ": value missing");
            return args[++i];
        };
        auto path = [&]() -> const std::string& {
            const std::string& text = value();
            if (text.empty()) throw OptionError(name + ": empty path");
            return text;
        };
        if (name == "--help" || name == "-h") options.help = true;
        else if (name == "--version") options.version = true;
        else if (name == "--units") options.units = ParseUnits(value());
        else if (name == "--link") options.linkPath = path();
        else if (name == "--tcp") options.tcpPort = static_cast<int>(ParseInteger(name, value(), 1, 65535));
        else if (name == "--log") options.logPath = path();
        else if (name == "--state") options.statePath = path();
        else if (name == "--silent") options.silent = true;
        else if (name == "--drop-every") options.dropEvery = static_cast<int>(ParseInteger(name, value(), 1, 1000000));
        else if (name == "--garble") options.garbleRate = ParseRate(name, value());
        else if (name == "--seed") options.seed = static_cast<uint32_t>(ParseInteger(name, value(), 0, UINT32_MAX));
        else if (name == "--split") options.split = true;
        else if (name == "--noise") options.noise = true;
        else if (name == "--hangup-after") options.hangupAfter = static_cast<int>(ParseInteger(name, value(), 1, 1000000));
        else if (name == "--replug-after") options.replugAfterSeconds = static_cast<int>(ParseInteger(name, value(), 1, 3600));
        else throw OptionError("unknown option '" + name + "' (try --help)");
    }
    if (options.tcpPort > 0 && (!options.linkPath.empty() || options.replugAfterSeconds > 0))
        throw OptionError("--tcp: a TCP line has no device for --link or --replug-after");
    // The line comes back where the programs look for it: at the --link path.
    if (options.replugAfterSeconds > 0 && (options.hangupAfter == 0 || options.linkPath.empty()))
        throw OptionError("--replug-after: needs --hangup-after and --link");
    return options;
}

std::string UsageText() {
    return "usage: sonavel-devsim [options]\n"
           "Simulates loudspeaker processor units on a pseudo-terminal and prints its device path.\n"
           "  --units A,B,...      unit addresses 1..32 (default 1)\n"
           "  --link PATH          make a symlink to the device at PATH while running\n"
           "  --tcp PORT           serve the line on 127.0.0.1:PORT instead, one client at a time,\n"
           "                       and print its port name tcp://127.0.0.1:PORT\n"
           "  --log FILE           one JSON line per frame received\n"
           "  --state FILE         every unit's settings as JSON, on exit and on SIGUSR1\n"
           "  --silent             apply messages but never answer\n"
           "  --drop-every N       lose every Nth frame received\n"
           "  --garble RATE        flip one bit of a reply byte with this chance (0..1)\n"
           "  --seed S             seed of the random fault choices (default 1)\n"
           "  --split              send replies in small chunks with gaps\n"
           "  --noise              send junk bytes before every reply\n"
           "  --hangup-after N     close the line after N frames, as an unplugged cable\n"
           "  --replug-after S     with --hangup-after and --link: the line comes back at the\n"
           "                       --link path S seconds later (1..3600), once\n"
           "  --help               show this text\n"
           "  --version            show the program's version\n"
           "Exit status: 0 after a stop signal (HUP, INT, TERM) or a hang-up, 1 when the line\n"
           "fails, 2 for a bad option or a --link, --log or --state path that cannot be written.\n";
}

}  // namespace sonavel::devsim
