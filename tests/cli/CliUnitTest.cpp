// The tool and simulated units on a line: scan, write, read, store and recall, on good and bad lines.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QJsonObject>

#include "CliRunner.h"
#include "tests/support/Ser2net.h"
#include "tests/support/SimulatorProcess.h"

namespace sonavel::cli::test {
namespace {

using sonavel::test::SimulatorProcess;

TEST(CliUnits, WriteReadStoreAndRecallSeveralUnitsDirectlyAndOverTcp) {
    const SimulatorProcess line({"--units", "1,5,7"});
    const std::string port = line.DevicePath();
    Folder folder;  // some settings, and a second record that only mutes the outputs
    MakePreset(folder, R"({"PresetName": "sent", "GainLevel": [100, 110, 0, 145], "DelaySamples": [1, 151],
        "EqGain": [[0, 10, 20, 30, 40, 48, 24], [1, 2, 3, 4, 5, 6, 7]]})", "sent.bin");
    const std::string ok = folder.file("sent.bin"), r = folder.file("r.bin");
    ASSERT_EQ(RunCli({"preset", "make", "-", ok, "--append"}, R"({"GainLevel": [0, 0, 0, 0]})").exitCode, 0);
    const QJsonObject sent = ShowPreset(folder, "sent.bin", 1, false);
    const QJsonObject muted = ShowPreset(folder, "sent.bin", 2, false);

    // --per-unit: record k to the k-th address; --record 2 for every unit.
    ASSERT_TRUE(Ended(RunCli({"write", "--port", port, "--address", "7", "--address", "5", "--per-unit", ok}), 0,
                      "unit 5 (2 of 2)"));  // progress for several units
    ASSERT_EQ(RunCli({"write", "--port", port, "--address", "1", "--record", "2", ok}).exitCode, 0);

    // Unit 6 is silent: the others are read in the order asked, and the status says so.
    EXPECT_TRUE(Ended(RunCli({"read", "--port", port, "--address", "5", "--address", "6", "--address", "7",
                              "--address", "1", "--verify", folder.file("rack.bin")}),
                      3, "unit 6 did not answer"));
    for (const auto& [k, settings] : {std::pair{1, muted}, {2, sent}, {3, muted}})
        EXPECT_EQ(ShowPreset(folder, "rack.bin", k, false), settings) << k;

    // A write stops at the first unit that fails unless told to go on.
    std::vector<std::string> write61 = {"write", "--port", port, "--address", "6", "--address", "1", "--verify", ok};
    EXPECT_TRUE(Ended(RunCli(write61), 1, "unit 1 was not tried"));
    write61.push_back("--keep-going");
    EXPECT_EQ(RunCli(write61).exitCode, 3);
    ASSERT_EQ(RunCli({"read", "--port", port, "--address", "1", folder.file("one.bin")}).exitCode, 0);
    EXPECT_EQ(ShowPreset(folder, "one.bin", 1, false), sent);

    ASSERT_EQ(RunCli({"store", "--port", port, "--address", "5", "--slot", "16", ok}).exitCode, 0);
    ASSERT_EQ(RunCli({"recall", "--port", port, "--address", "5", "--slot", "16", folder.file("16.bin")}).exitCode, 0);
    EXPECT_EQ(ShowPreset(folder, "16.bin")["PresetName"].toString(), "Unit 5 User16");
    EXPECT_EQ(ShowPreset(folder, "16.bin", 1, false), sent);

    EXPECT_TRUE(Ended(RunCli({"store", "--port", port, "--slot", "1", "--address", "1", "--address", "5",
                              "--address", "7", "--per-unit", ok}),
                      1, "holds 2 record(s); --per-unit needs 3"));

    // Bad arguments and files fail with a message and leave no file behind.
    folder.write("short.bin", std::string(100, '\x01'));
    const int before = folder.count();
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"write", "--port", port, "--address", "1", folder.file("short.bin")},
             {"write", "--port", port, "--address", "33", ok}, {"read", "--port", port, "--address", "1", ok},
             {"store", "--port", port, "--address", "1", "--slot", "17", ok},
             {"read", "--port", port, "--address", "2", r},
             {"read", "--port", folder.file("no-tty"), "--address", "1", r}})
        EXPECT_TRUE(Ended(RunCli(args), kFailed)) << args[0] << " " << args.back();
    EXPECT_EQ(folder.count(), before);

    // The same line behind ser2net, the network serial server, reached as tcp://127.0.0.1:PORT.
    if (const std::string why = sonavel::test::Ser2net::Missing(); !why.empty()) GTEST_SKIP() << why;
    const sonavel::test::Ser2net server(port);
    ASSERT_EQ(RunCli({"read", "--port", server.RawPort(), "--address", "7", folder.file("tcp.bin")}).exitCode, 0);
    EXPECT_EQ(ShowPreset(folder, "tcp.bin", 1, false), sent);
}

// A verified read never keeps settings corrupted on the line; a scan asks again after a garbled
// reply, and fails when the line is lost or nothing answers.
TEST(CliUnits, OnABadLineReadsAreVerifiedScansAskAgainAndLossIsReported) {
    Folder folder;  // a fresh unit holds the settings of an empty preset
    MakePreset(folder, "{}", "fresh.bin");
    const QJsonObject held = ShowPreset(folder, "fresh.bin", 1, false);
    const SimulatorProcess line({"--units", "1,5,7", "--garble", "0.01", "--seed", "3"});
    const CliRun run = RunCli({"read", "--port", line.DevicePath(), "--address", "1", "--address", "5",
                               "--address", "7", "--verify", folder.file("verified.bin")});
    EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 3) << run.exitCode;
    const int records = int(folder.read("verified.bin").size() / 690);
    EXPECT_GT(records, 0);
    for (int k = 1; k <= records; ++k) EXPECT_EQ(ShowPreset(folder, "verified.bin", k, false), held) << k;

    // This seed garbles the replies of every unit, up to four times in a row. A time-out above
    // the default 60 ms, so that a busy machine cannot make a reply come too late.
    const SimulatorProcess garbled({"--units", "1,5,7", "--garble", "0.05", "--seed", "8"});
    const CliRun scan = RunCli({"scan", "--port", garbled.DevicePath(), "--timeout", "200", "--json"});
    EXPECT_TRUE(Ended(scan, 0, ""));
    EXPECT_EQ(scan.out, "{\"complete\":true,\"port\":\"" + garbled.DevicePath() + "\",\"units\":[1,5,7]}\n");
    const SimulatorProcess hangsUp({"--units", "1,5,7", "--hangup-after", "3"});
    const CliRun lost = RunCli({"scan", "--port", hangsUp.DevicePath(), "--timeout", "200"});
    EXPECT_TRUE(Ended(lost, 1, hangsUp.DevicePath() + " was disconnected"));
    EXPECT_EQ(lost.out, "1\n");  // the unit found before the line was lost

    const SimulatorProcess silent({"--units", "1", "--silent"});
    QElapsedTimer clock;
    clock.start();
    const CliRun empty = RunCli({"scan", "--port", silent.DevicePath()});
    EXPECT_LT(clock.elapsed(), 5000);  // 32 addresses at the default time-out take about 2 s
    EXPECT_TRUE(Ended(empty, kFailed));
    EXPECT_EQ(empty.out, "");
}

}  // namespace
}  // namespace sonavel::cli::test
