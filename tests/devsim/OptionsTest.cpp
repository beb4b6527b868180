#include "devsim/Options.h"

#include <gtest/gtest.h>

using namespace sonavel::devsim;

TEST(SimulatorOptions, ReadsEveryOptionAndDefaultsToOneUnitAtAddressOne) {
    const SimulatorOptions plain = ParseOptions({});
    EXPECT_EQ(plain.units, std::vector<int>{1});
    EXPECT_FALSE(plain.silent || plain.split || plain.noise);
    EXPECT_EQ(plain.dropEvery + plain.hangupAfter, 0);

    const SimulatorOptions all = ParseOptions({"--units", "32,5,7", "--link", "/tmp/x", "--log", "l.json",
                                               "--state", "s.json", "--silent", "--drop-every", "3",
                                               "--garble", "0.25", "--seed", "42", "--split", "--noise",
                                               "--hangup-after", "9"});
    EXPECT_EQ(all.units, (std::vector<int>{32, 5, 7}));
    EXPECT_EQ(all.linkPath, "/tmp/x");
    EXPECT_EQ(all.logPath, "l.json");
    EXPECT_EQ(all.statePath, "s.json");
    EXPECT_TRUE(all.silent && all.split && all.noise);
    EXPECT_EQ(all.dropEvery, 3);
    EXPECT_DOUBLE_EQ(all.garbleRate, 0.25);
    EXPECT_EQ(all.seed, 42u);
    EXPECT_EQ(all.hangupAfter, 9);
    EXPECT_TRUE(ParseOptions({"--help"}).help);
}

TEST(SimulatorOptions, RejectsBadInputWithAMessageNamingTheOption) {
    const std::vector<std::vector<std::string>> bad = {
        {"--units", "0"},      {"--units", "33"},       {"--units", "1,1"},  {"--units", "1,"},
        {"--units", "a"},      {"--units", "-4"},       {"--units"},         {"--garble", "1.5"},
        {"--garble", "x"},     {"--garble", "nan"},     {"--drop-every", "0"}, {"--seed", "-1"},
        {"--hangup-after", "2x"}, {"--link", ""},       {"--frobnicate"},    {"--log"},
    };
    for (const auto& args : bad) {
        try {
            ParseOptions(args);
            ADD_FAILURE() << "accepted " << args[0];
        } catch (const OptionError& e) {
            EXPECT_NE(std::string(e.what()).find(args[0]), std::string::npos) << e.what();
        }
    }
}
