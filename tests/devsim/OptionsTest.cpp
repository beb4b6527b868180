#include "devsim/Options.h"

#include <gtest/gtest.h>

using namespace sonavel::devsim;

// The fault modes are read where they take effect: the fault plan and simulator tests.
TEST(SimulatorOptions, UnitsDefaultToOneAtAddressOne) {
    EXPECT_EQ(ParseOptions({}).units, std::vector<int>{1});
    EXPECT_EQ(ParseOptions({"--units", "32,5,7"}).units, (std::vector<int>{32, 5, 7}));
    EXPECT_TRUE(ParseOptions({"--help"}).help);
}

TEST(SimulatorOptions, RejectsBadInputWithAMessageNamingTheOption) {
    const std::vector<std::vector<std::string>> bad = {
        {"--units", "0"},      {"--units", "33"},       {"--units", "1,1"},  {"--units", "1,"},
        {"--units", "a"},      {"--units", "-4"},       {"--units"},         {"--garble", "1.5"},
        {"--garble", "x"},     {"--garble", "nan"},     {"--drop-every", "0"}, {"--seed", "-1"},
        {"--hangup-after", "2x"}, {"--link", ""},       {"--frobnicate"},    {"--log"},
        {"--tcp", "0"},        {"--tcp", "4000", "--link", "/tmp/x"},  // a TCP line has no device to link
    };
    const auto error = [](const std::vector<std::string>& args) -> std::string {
        try {
            ParseOptions(args);
        } catch (const OptionError& e) {
            return e.what();
        }
        return "accepted";
    };
    for (const auto& args : bad) EXPECT_NE(error(args).find(args[0]), std::string::npos) << error(args);
    EXPECT_EQ(error({"--units", "40"}), "--units: 40 is outside 1..32");
}
