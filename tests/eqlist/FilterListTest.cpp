#include <gtest/gtest.h>

#include <tuple>

#include "eqlist/FilterList.h"

namespace sonavel {
namespace {

using enum FilterKind;

struct ShapeCase {
    const char* name;
    std::string text;
    std::vector<RequestedFilter> expected;  // line, kind, Fc, gain, Q, slope
    std::optional<double> preamp;
};

TEST(FilterListParse, EveryShapeReadsToTheSameFilters) {
    const std::string body = "Filter 1: ON PK Fc 105 Hz Gain 6.5 dB Q 0.70\n"
                             "Filter 2: ON LSC Fc 105 Hz Gain 6.5 dB Q 0.70\n"
                             "Filter 3: ON HSC Fc 10000 Hz Gain -3.0 dB\n"
                             "Filter 4: OFF PK Fc 2500 Hz Gain -2.0 dB Q 4.00\n";
    const std::vector<RequestedFilter> three = {{1, Peak, 105, 6.5, 0.7}, {2, LowShelf, 105, 6.5, 0.7},
                                                {3, HighShelf, 10000, -3.0, {}}};
    const ShapeCase cases[] = {
        {"numbered", body, three, {}},
        {"unnumbered, lower case, tabs and repeated blanks",
         "filter: on pk fc 105 hz gain +6.5 db q 0.70\nFilter  2:\tON\tLS  Fc\t105   Gain 6.5 Q .7  \n"
         "\t\tFilter:ON HS Fc 10000 Gain -3\n",
         three, {}},
        {"byte-order mark, header, preamp, comments and CRLF",
         "\xEF\xBB\xBF" "Filter Settings file\r\n\r\nEqualiser: Generic\r\nNotes: room 2\r\nPreamp: -6.2 dB\r\n"
         "# measured\r\nFilter 1: ON PK Fc 105 Hz Gain 6.5 dB Q 0.70\r\n"
         "Filter 2: ON LSC Fc 105 Hz Gain 6.5 dB Q 0.70\r\nFilter 3: ON HSC Fc 10000 Hz Gain -3.0 dB",
         {{7, Peak, 105, 6.5, 0.7}, {8, LowShelf, 105, 6.5, 0.7}, {9, HighShelf, 10000, -3.0, {}}}, -6.2},
        {"pass filters", "Filter 1: ON LP Fc 80 Hz\nFilter 2: ON HPQ Fc 2000 Hz Q 0.55 Slope 24 dB/oct\n",
         {{1, LowPass, 80, {}, {}, 12}, {2, HighPass, 2000, {}, 0.55, 24}}, {}},
    };
    for (const ShapeCase& c : cases) {
        const ParsedFilterList parsed = ParseFilterList(c.text);
        EXPECT_TRUE(parsed.problems.empty()) << c.name << ": " << parsed.problems.front().text;
        EXPECT_EQ(parsed.list.preamp, c.preamp) << c.name;
        ASSERT_EQ(parsed.list.filters.size(), c.expected.size()) << c.name;
        for (size_t i = 0; i < c.expected.size(); ++i) {
            const RequestedFilter &got = parsed.list.filters[i], &want = c.expected[i];
            EXPECT_EQ(std::tie(got.line, got.kind, got.frequency, got.gain, got.q, got.slope),
                      std::tie(want.line, want.kind, want.frequency, want.gain, want.q, want.slope))
                << c.name << " " << i;
        }
    }
}

TEST(FilterListParse, EachMalformedLineIsNamedWithItsNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"Filter 1: ON XY Fc 100 Hz", "unknown filter type \"XY\""},
        {"Filter 1: ON PK Gain 1 dB Q 1", "no frequency (Fc)"},
        {"Filter 1: ON PK Fc 1,5 Hz Gain 1 dB Q 1", "Fc \"1,5\" is not a number"},
        {"Filter 1: ON PK Fc 100 Hz Gain 1 dB", "a peak needs a Q"},
        {"Filter 1: ON LSC Fc 100 Hz", "no gain"},
        {"Filter 1: ON LP Fc 100 Hz Gain 3 dB", "a low- or high-pass has no gain"},
        {"Filter 1: ON LP Fc 100 Hz Slope 20 dB", "slope must be 6, 12, 18 ... 48 dB/oct"},
        {"Filter 1: ON PK Fc 100 Hz Gain 1 dB Q 1 Slope 12", "only a low- or high-pass has a slope"},
        {"Filter 1: ON PK Fc 100 Hz Fc 200 Hz Gain 1 dB Q 1", "\"Fc\" given twice"},
        {"Filter 1: ON PK Fc 100 Hz Gain 1 dB Q 0", "Q must be above 0"},
        {"Filter 1: ON PK Fc 100 Hz Gain 1 dB Q", "\"Q\" without a value"},
        {"Filter 1: ON PK Fc 100 Hz BW 1", "unknown field \"BW\""},
        {"Filter 1: MAYBE PK Fc 100 Hz", "ON or OFF expected after \"Filter 1\":"},
        {"Filter x: ON PK Fc 100 Hz", "not a filter number: \"x\""},
        {"Preamp: loud", "Preamp \"loud\" is not a number"},
        {"Room tuned by ear", "not a filter line"},
    };
    for (const auto& [line, problem] : cases) {
        const ParsedFilterList parsed = ParseFilterList("# first\n" + std::string(line) + "\n");
        ASSERT_EQ(parsed.problems.size(), 1u) << line;
        EXPECT_EQ(parsed.problems[0].line, 2) << line;
        EXPECT_EQ(parsed.problems[0].text, problem) << line;
    }
    const ParsedFilterList twice = ParseFilterList("Preamp: -1 dB\nPreamp: -2 dB\n");
    ASSERT_EQ(twice.problems.size(), 1u);
    EXPECT_EQ(twice.problems[0].text, "a second Preamp (the first is on line 1)");
    EXPECT_EQ(twice.list.preamp, -1);
}

}  // namespace
}  // namespace sonavel
