#include <algorithm>
#include <iterator>

#include "cli/Commands.h"

namespace sonavel::cli {

namespace {

struct CommandHelp {
    const char* name;
    const char* synopsis;  // the command line, then one line of what it does
    const char* details;   // the options, for "help COMMAND"
};

const CommandHelp kCommands[] = {
    {"preset show", "preset show FILE.bin [--record N] [--raw]\n  print a record as JSON\n",
     "  --record N   the record to show (from 1; default 1)\n"
     "  --raw        plain store positions only, without the values in their units\n"
     "Each field with a unit is shown as {\"raw\": position, UNIT: value}, for example\n"
     "\"EqGain\": [[{\"raw\": 30, \"dB\": -3}, ...], ...]; units are dB, Hz, Q, ms, dB/s,\n"
     "ratio (\"1:4\" or \"Limiter\") and type (the filter type's name).\n"},
    {"preset make", "preset make JSON OUT.bin [--append]\n  build a record from JSON\n",
     "  --append     add the record to the end of OUT.bin instead of creating it\n"
     "Fields left out take the defaults. Each value may be a raw position, {\"raw\": N},\n"
     "{UNIT: value} (\"dB\", \"Hz\", ...) or both; a value between the unit's steps is\n"
     "refused with the nearest values the unit can take.\n"
     "JSON is a regular file of at most 1 MiB, or \"-\" for standard input.\n"},
    {"preset diff", "preset diff A.bin B.bin [--record N [--record M]]\n  list the settings that differ\n",
     "  --record N   compare record N of both files; given twice, record N of A.bin with\n"
     "               record M of B.bin\n"
     "Exit status 0 when the presets are equal, 1 when they differ, 2 on trouble.\n"},
    {"plot", "plot FILE.bin [--record N] [--csv OUT.csv [--plot-units]] [--segments OUT.csv]\n"
             "     [--png OUT.png]\n  the response the editor shows for the preset\n",
     "  --record N   the record to plot (default 1)\n"
     "  --csv F      frequency in Hz and level in dB of both channels (\"-\": stdout)\n"
     "  --plot-units the --csv file in plot points and plot units instead\n"
     "  --segments F every line segment the editor draws (\"-\": stdout)\n"
     "  --png F      the picture, channel 1 red and channel 2 blue, with a legend\n"},
    {"eq import", "eq import FILTERS.txt OUT.bin [--channel 1|2|both] [--into BASE.bin [--record N]]\n"
                  "          [--fit] [--json] [--png OUT.png]\n"
                  "  fit a filter list to the unit into a new preset file, with what the fit costs\n",
     "  --channel C  the channel(s) the filters go to (default both)\n"
     "  --into F     the preset the filters go into (default: the store defaults)\n"
     "  --record N   the record of --into (default 1)\n"
     "  --fit        keep what fits (the five EQ filters with the largest effect, clamped\n"
     "               values) instead of refusing the list, and list what was changed\n"
     "  --json       the report as JSON\n"
     "  --png F      the requested and the fitted response as a picture\n"
     "One filter a line: \"Preamp: -6.2 dB\", \"Filter 1: ON PK Fc 105 Hz Gain 6.5 dB Q 0.70\";\n"
     "types PK, LSC, HSC, LPQ and HPQ (with \"Slope 24 dB\"). Every line that does not fit\n"
     "is listed as FILE:LINE on stderr.\n"},
    {"eq export", "eq export FILE.bin [--record N] [--channel 1|2]\n"
                  "  print a channel's filters in the same form\n",
     "  --record N   the record to export (default 1)\n"
     "  --channel C  the channel (default 1)\n"},
    {"scan", "scan --port P [--timeout MS] [--json]\n  list the addresses that answer\n",
     "  --timeout MS how long each address gets to answer (25..2000; default 60, a reply\n"
     "               takes about 20 ms at 9600 baud); an address whose answer came corrupted\n"
     "               is asked again\n"
     "  --json       print {\"complete\": ..., \"port\": ..., \"units\": [...]} instead of one\n"
     "               address a line\n"
     "Status 1 when no unit answered or the line was lost (the units found so far are still\n"
     "printed).\n"},
    {"read", "read --port P --address A... [--verify] [--name TEXT] [--append] OUT.bin\n"
             "  read the current settings into a preset file\n",
     "  --address A  a unit (1..32); repeat it for several units, one record each in order\n"
     "  --verify     read each unit until two reads agree (at most 4 reads), since the\n"
     "               line has no checksum; a unit whose reads keep differing is not kept\n"
     "  --name TEXT  the records' name (default \"Unit A\")\n"
     "  --append     add the records to OUT.bin instead of creating it\n"
     "Every unit that answered is written; the others are named and the status is 3.\n"},
    {"write", "write --port P --address A... [--record N | --per-unit] [--verify] [--keep-going]\n"
              "      FILE.bin\n  send a preset file as the editor's Load does\n",
     "  --record N   send record N of the file (default 1) to every unit\n"
     "  --per-unit   send record k of the file to the k-th --address\n"
     "  --verify     read each unit back and compare it with what was sent\n"
     "  --keep-going go on with the next unit after one failed (status 3)\n"},
    {"store", "store --port P --address A... --slot N [--record N | --per-unit] [--verify]\n"
              "      [--keep-going] FILE.bin\n  store a preset file into slot N (1..16)\n",
     "  --record N   store record N of the file (default 1) in every unit\n"
     "  --per-unit   store record k of the file in the k-th --address\n"
     "  --verify     read the slot back and compare it with what was stored\n"
     "  --keep-going go on with the next unit after one failed (status 3)\n"},
    {"recall", "recall --port P --address A... --slot N [--verify] [--name TEXT] [--append]\n"
               "       OUT.bin\n  read slot N into a preset file\n",
     "  --address A  a unit (1..32); repeat it for several units, one record each in order\n"
     "  --verify     read each slot until two reads agree (at most 4 reads)\n"
     "  --name TEXT  the records' name (default \"Unit A UserNN\")\n"
     "  --append     add the records to OUT.bin instead of creating it\n"
     "Every unit that answered is written; the others are named and the status is 3.\n"},
};

constexpr const char* kPortHelp = "P is COM3, 3, a device path, tcp://HOST:PORT or rfc2217://HOST:PORT.\n";

constexpr const char* kExitHelp =
    "Exit status: 0 done; 1 failed (one line on stderr); 2 the command line is wrong;\n"
    "3 some units failed (the others are done; the failed ones are named).\n";

}  // namespace

std::string UsageText() {
    std::string text = "usage: sonavel-cli COMMAND ...    (sonavel-cli help COMMAND for its options)\n\n";
    for (const CommandHelp& command : kCommands) text += command.synopsis;
    return text + "\n" + kPortHelp + kExitHelp;
}

std::string CommandHelpText(const std::string& name) {
    const auto* command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                       [&](const CommandHelp& c) { return name == c.name; });
    if (command == std::end(kCommands)) return {};
    const bool onLine = std::string_view(command->synopsis).find("--port") != std::string_view::npos;
    const bool ownStatus = name == "preset diff";
    return std::string("usage: sonavel-cli ") + command->synopsis + command->details +
           (onLine ? kPortHelp : "") + (ownStatus ? "" : kExitHelp);
}

}  // namespace sonavel::cli
