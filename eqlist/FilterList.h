#pragma once
// A parametric filter list in the text form measurement programs write, one filter a line:
//     Preamp: -6.2 dB
//     Filter 1: ON PK Fc 105 Hz Gain 6.5 dB Q 0.70
//     Filter: ON LPQ Fc 80 Hz Q 0.55 Slope 24 dB
// Types PK/PEQ, LS/LSC, HS/HSC, LP/LPQ, HP/HPQ; blank lines, "#" comments and the usual
// header lines are skipped, as are filters switched OFF.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sonavel {

enum class FilterKind { Peak, LowShelf, HighShelf, LowPass, HighPass };

// "PK", "LSC", "HSC", "LPQ", "HPQ": the names an export writes.
const char* FilterKindCode(FilterKind kind);

constexpr int kDefaultSlope = 12;  // dB/oct of a low- or high-pass given without one

struct RequestedFilter {
    int line = 0;
    FilterKind kind = FilterKind::Peak;
    double frequency = 0;         // Hz
    std::optional<double> gain;   // dB; peaks and shelves
    std::optional<double> q;
    int slope = kDefaultSlope;    // dB/oct, 6..48 in steps of 6; low- and high-pass

    bool IsPass() const { return kind == FilterKind::LowPass || kind == FilterKind::HighPass; }
};

struct FilterList {
    std::optional<double> preamp;  // dB
    int preampLine = 0;
    std::vector<RequestedFilter> filters;  // those switched on, in file order
};

// Something wrong with the list: on a line (counted from 1), or with the file as a whole (0).
struct LineProblem {
    int line;
    std::string text;
};

struct ParsedFilterList {
    FilterList list;
    std::vector<LineProblem> problems;  // every malformed line, in file order
};

// Reads the whole text (a UTF-8 byte-order mark, LF or CRLF line ends, blanks and tabs).
ParsedFilterList ParseFilterList(std::string_view text);

}  // namespace sonavel
