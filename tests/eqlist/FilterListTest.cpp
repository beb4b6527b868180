#include <gtest/gtest.h>

#include <tuple>

#include "eqlist/FilterList.h"

namespace sonavel {
namespace {

using enum FilterKind;

TEST(FilterListParse, EveryShapeReadsToTheSameFilters) {
    const std::vector<RequestedFilter> three = {{1, Peak, 105, 6.5, 0.7}, {2, LowShelf, 105, 6.5, 0.7},
                                                {3, HighShelf, 10000, -3.0, {}}};
    const std::tuple<const char*, int, std::optional<double>> cases[] = {  // text, first line, preamp
        {"filter: on pk fc 105 hz gain +6.5 db q 0.70\nFilter  2:\tON\tLS  Fc\t105   Gain 6.5 Q .7  \n"
         "\t\tFilter:ON HS Fc 10000 Gain -3\n", 1, {}},
        {"\xEF\xBB\xBF" "Filter Settings file\r\n\r\nEqualiser: Generic\r\nNotes: room 2\r\nPreamp: -6.2 dB\r\n"
         "# measured\r\nFilter 1: ON PK Fc 105 Hz Gain 6.5 dB Q 0.70\r\nFilter 2: ON LSC Fc 105 Hz Gain 6.5 dB Q 0.70\r\n"
         "Filter 3: ON HSC Fc 10000 Hz Gain -3.0 dB\r\nFilter 4: OFF PK Fc 2500 Hz Gain -2.0 dB Q 4.00", 7, -6.2},
    };
    for (const auto& [text, firstLine, preamp] : cases) {
        SCOPED_TRACE(text);
        const ParsedFilterList parsed = ParseFilterList(text);
        EXPECT_TRUE(parsed.problems.empty());
        EXPECT_EQ(parsed.list.preamp, preamp);
        ASSERT_EQ(parsed.list.filters.size(), three.size());
        for (size_t i = 0; i < three.size(); ++i) {
            const RequestedFilter &got = parsed.list.filters[i], &want = three[i];
            EXPECT_EQ(std::tie(got.line, got.kind, got.frequency, got.gain, got.q),
                      std::tuple(want.line + firstLine - 1, want.kind, want.frequency, want.gain, want.q));
        }
    }
}

TEST(FilterListParse, EachMalformedLineIsNamedWithItsNumber) {
    const std::pair<const char*, const char*> cases[] = {
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
        {"Preamp: -2 dB", "a second Preamp (the first is on line 1)"},
        {"Room tuned by ear", "not a filter line"},
    };
    for (const auto& [line, problem] : cases) {
        const ParsedFilterList parsed = ParseFilterList("Preamp: -1 dB\n" + std::string(line) + "\n");
        ASSERT_EQ(parsed.problems.size(), 1u) << line;
        EXPECT_EQ(parsed.problems[0].line, 2) << line;
        EXPECT_EQ(parsed.problems[0].text, problem) << line;
    }
}

}  // namespace
}  // namespace sonavel
