#include "eqlist/FilterList.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

namespace sonavel {

const char* FilterKindCode(FilterKind kind) {
    switch (kind) {
    case FilterKind::Peak: return "PK";
    case FilterKind::LowShelf: return "LSC";
    case FilterKind::HighShelf: return "HSC";
    case FilterKind::LowPass: return "LPQ";
    case FilterKind::HighPass: return "HPQ";
    }
    return "";
}

namespace {

constexpr int kSlopeStep = 6;
constexpr int kSteepestSlope = 48;

// Header lines measurement programs put above the filters.
constexpr std::string_view kHeaderPrefixes[] = {"filter settings file", "equaliser:", "equalizer:",
                                                "notes:", "dated:", "measurement:", "speaker:"};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
    return lower;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    for (size_t i = 0; i < text.size();) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        const size_t start = i;
        while (i < text.size() && !IsBlank(text[i])) ++i;
        if (i > start) words.push_back(text.substr(start, i - start));
    }
    return words;
}

// A failure to read one line; the parser turns it into a LineProblem.
struct Malformed {
    std::string text;
};

std::string Quoted(std::string_view word) { return "\"" + std::string(word) + "\""; }

// A number with a decimal point or none, and an optional sign.
double Number(std::string_view word, std::string_view what) {
    std::string_view digits = word;
    if (digits.starts_with('+')) digits.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                              std::chars_format::fixed);
    if (digits.empty() || (digits.front() == '-' && word.front() == '+') || error != std::errc() ||
        end != digits.data() + digits.size() || !std::isfinite(value))
        throw Malformed{std::string(what) + " " + Quoted(word) + " is not a number"};
    return value;
}

// Reads the words after "ON"/"OFF" and the type: "Fc 105 Hz", "Gain 6.5 dB", "Q 0.7",
// "Slope 24 dB/oct", in any order, each at most once, units optional.
void ReadValues(const std::vector<std::string_view>& words, size_t first, RequestedFilter& filter) {
    std::map<std::string, double> values;
    for (size_t i = first; i < words.size();) {
        const std::string key = Lower(words[i]);
        if (key != "fc" && key != "gain" && key != "q" && key != "slope")
            throw Malformed{"unknown field " + Quoted(words[i])};
        const std::string_view name = words[i];
        if (values.contains(key)) throw Malformed{Quoted(name) + " given twice"};
        if (++i >= words.size()) throw Malformed{Quoted(name) + " without a value"};
        values[key] = Number(words[i++], name);
        if (i < words.size()) {
            const std::string unit = Lower(words[i]);
            if ((key == "fc" && unit == "hz") || ((key == "gain" || key == "slope") && unit == "db") ||
                (key == "slope" && unit == "db/oct"))
                ++i;
        }
    }
    if (!values.contains("fc")) throw Malformed{"no frequency (Fc)"};
    filter.frequency = values["fc"];
    if (values.contains("q")) {
        if (!(values["q"] > 0)) throw Malformed{"Q must be above 0"};
        filter.q = values["q"];
    }
    if (filter.IsPass()) {
        if (values.contains("gain") && values["gain"] != 0)
            throw Malformed{"a low- or high-pass has no gain"};
        if (values.contains("slope")) {
            const double slope = values["slope"];
            if (slope < kSlopeStep || slope > kSteepestSlope || std::fmod(slope, kSlopeStep) != 0)
                throw Malformed{"slope must be 6, 12, 18 ... 48 dB/oct"};
            filter.slope = static_cast<int>(slope);
        }
        return;
    }
    if (values.contains("slope")) throw Malformed{"only a low- or high-pass has a slope"};
    if (!values.contains("gain")) throw Malformed{"no gain"};
    filter.gain = values["gain"];
    if (filter.kind == FilterKind::Peak && !filter.q) throw Malformed{"a peak needs a Q"};
}

FilterKind Kind(std::string_view word) {
    static const std::map<std::string, FilterKind> kinds = {
        {"pk", FilterKind::Peak},        {"peq", FilterKind::Peak},     {"ls", FilterKind::LowShelf},
        {"lsc", FilterKind::LowShelf},   {"hs", FilterKind::HighShelf}, {"hsc", FilterKind::HighShelf},
        {"lp", FilterKind::LowPass},     {"lpq", FilterKind::LowPass},  {"hp", FilterKind::HighPass},
        {"hpq", FilterKind::HighPass}};
    const auto found = kinds.find(Lower(word));
    if (found == kinds.end()) throw Malformed{"unknown filter type " + Quoted(word)};
    return found->second;
}

// "Filter 3: ON PK ..." or "Filter: ON PK ..."; nothing for a filter switched off.
std::optional<RequestedFilter> FilterLine(std::string_view label, std::string_view rest, int line) {
    const std::string_view number = Trim(label.substr(6));
    if (!number.empty() && !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
        throw Malformed{"not a filter number: " + Quoted(number)};
    const std::vector<std::string_view> words = Words(rest);
    const std::string state = words.empty() ? "" : Lower(words[0]);
    if (state == "off") return std::nullopt;
    if (state != "on") throw Malformed{"ON or OFF expected after " + Quoted(Trim(label)) + ":"};
    if (words.size() < 2) throw Malformed{"no filter type"};
    RequestedFilter filter;
    filter.line = line;
    filter.kind = Kind(words[1]);
    ReadValues(words, 2, filter);
    return filter;
}

void ReadLine(std::string_view text, int line, FilterList& list) {
    const std::string lower = Lower(text);
    for (std::string_view prefix : kHeaderPrefixes)
        if (lower.starts_with(prefix)) return;
    const size_t colon = text.find(':');
    const std::string label = colon == std::string_view::npos ? "" : Lower(Trim(text.substr(0, colon)));
    const std::string_view rest = colon == std::string_view::npos ? "" : text.substr(colon + 1);
    if (label == "preamp") {
        const std::vector<std::string_view> words = Words(rest);
        if (words.empty() || words.size() > 2 || (words.size() == 2 && Lower(words[1]) != "db"))
            throw Malformed{"Preamp takes one value in dB"};
        if (list.preamp) throw Malformed{"a second Preamp (the first is on line " + std::to_string(list.preampLine) + ")"};
        list.preamp = Number(words[0], "Preamp");
        list.preampLine = line;
        return;
    }
    if (label.starts_with("filter")) {
        if (auto filter = FilterLine(text.substr(0, colon), rest, line)) list.filters.push_back(*filter);
        return;
    }
    throw Malformed{"not a filter line"};
}

}  // namespace

ParsedFilterList ParseFilterList(std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    ParsedFilterList parsed;
    int line = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view content = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++line;
        if (content.ends_with('\r')) content.remove_suffix(1);
        content = Trim(content);
        if (content.empty() || content.front() == '#') continue;
        try {
            ReadLine(content, line, parsed.list);
        } catch (const Malformed& e) {
            parsed.problems.push_back({line, e.text});
        }
    }
    return parsed;
}

}  // namespace sonavel
