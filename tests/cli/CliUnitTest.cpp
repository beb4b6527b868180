// The tool and simulated units on a line: scan, write, read, store and recall, on good and bad lines.
#include <gtest/gtest.h>

#include <algorithm>

#include <QElapsedTimer>
#include <QJsonObject>

#include "CliRunner.h"
#include "tests/support/Ser2net.h"
#include "tests/support/SimulatorProcess.h"

namespace sonavel::cli::test {
namespace {

using sonavel::test::SimulatorProcess;

// The settings of a record, without its name.
QJsonObject Settings(const Folder& folder, const std::string& file, int record = 1) {
    QJsonObject object = ShowPreset(folder, file, record);
    object.remove("PresetName");
    return object;
}

// Band 6 and 7 codes already follow their crossover lists, so a unit holds exactly what the file says.
constexpr const char* kSettings = R"({"PresetName": "sent",
    "GainLevel": [100, 110, 0, 145], "DelaySamples": [1, 151], "CompThreshold": [0, 100],
    "CompAttack": [200, 3], "CompRelease": [1000, 57], "CompRatio": [100, 7],
    "EqType": [[1, 4, 5, 1, 1, 7, 2], [5, 4, 1, 1, 1, 3, 6]],
    "EqFrequency": [[20, 20160, 1000, 999, 101, 480, 12000], [55, 66, 77, 88, 99, 3000, 80]],
    "EqGain": [[0, 10, 20, 30, 40, 48, 24], [1, 2, 3, 4, 5, 6, 7]],
    "EqQFactor": [[0, 100, 50, 35, 1, 2, 3], [9, 8, 7, 6, 5, 4, 3]],
    "EqByPass": [[1, 0, 1, 0, 1, 0, 0], [0, 1, 0, 1, 0, 0, 1]],
    "HpType": [0, 7], "LpType": [3, 0], "InvertStatus": [1, 0], "FuncByPass6": [0, 1],
    "FuncByPass3": [1, 0]})";

// The line's scans are in the bad-line test.
TEST(CliUnits, WriteReadStoreAndRecallSeveralUnitsDirectlyAndOverTcp) {
    const SimulatorProcess line({"--units", "1,5,7"});
    const std::string port = line.DevicePath();
    Folder folder;
    MakePreset(folder, kSettings, "sent.bin");  // and a second record that only mutes the outputs
    folder.write("muted.json", R"({"GainLevel": [0, 0, 0, 0]})");
    ASSERT_EQ(RunCli({"preset", "make", folder.file("muted.json"), folder.file("sent.bin"), "--append"}).exitCode, 0);
    const QJsonObject sent = Settings(folder, "sent.bin"), muted = Settings(folder, "sent.bin", 2);

    // --per-unit: record k to the k-th address; --record 2 for every unit.
    ASSERT_TRUE(Ended(RunCli({"write", "--port", port, "--address", "7", "--address", "5", "--per-unit",
                              folder.file("sent.bin")}),
                      0, "unit 5 (2 of 2)"));  // progress for several units
    ASSERT_EQ(RunCli({"write", "--port", port, "--address", "1", "--record", "2", folder.file("sent.bin")}).exitCode, 0);

    // Unit 6 is silent: the others are read in the order asked, and the status says so.
    EXPECT_TRUE(Ended(RunCli({"read", "--port", port, "--address", "5", "--address", "6", "--address", "7",
                              "--address", "1", "--verify", folder.file("rack.bin")}),
                      3, "unit 6 did not answer"));
    ASSERT_EQ(folder.read("rack.bin").size(), 3u * 690);
    EXPECT_EQ(ShowPreset(folder, "rack.bin", 2)["PresetName"].toString(), "Unit 7");
    EXPECT_EQ((std::vector{Settings(folder, "rack.bin", 1), Settings(folder, "rack.bin", 2), Settings(folder, "rack.bin", 3)}),
              (std::vector{muted, sent, muted}));

    // A write stops at the first unit that fails unless told to go on.
    std::vector<std::string> write61 = {"write", "--port", port, "--address", "6", "--address", "1", "--verify",
                                        folder.file("sent.bin")};
    EXPECT_TRUE(Ended(RunCli(write61), 1, "unit 1 was not tried"));
    write61.push_back("--keep-going");
    EXPECT_EQ(RunCli(write61).exitCode, 3);
    ASSERT_EQ(RunCli({"read", "--port", port, "--address", "1", folder.file("one.bin")}).exitCode, 0);
    EXPECT_EQ(Settings(folder, "one.bin"), sent);

    ASSERT_EQ(RunCli({"store", "--port", port, "--address", "5", "--slot", "16", folder.file("sent.bin")}).exitCode, 0);
    for (const char* slot : {"16", "15"})
        ASSERT_EQ(RunCli({"recall", "--port", port, "--address", "5", "--slot", slot, "--append",
                          folder.file("slots.bin")}).exitCode, 0);
    EXPECT_EQ(ShowPreset(folder, "slots.bin")["PresetName"].toString(), "Unit 5 User16");
    EXPECT_EQ(Settings(folder, "slots.bin", 1), sent);
    EXPECT_NE(Settings(folder, "slots.bin", 2), sent);

    EXPECT_TRUE(Ended(RunCli({"store", "--port", port, "--slot", "1", "--address", "1", "--address", "5",
                              "--address", "7", "--per-unit", folder.file("sent.bin")}),
                      1, "holds 2 record(s); --per-unit needs 3"));

    // Bad arguments and files fail with a message and leave no file behind.
    folder.write("short.bin", std::string(100, '\x01'));
    const int before = folder.count();
    const std::string ok = folder.file("sent.bin"), r = folder.file("r.bin");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"write", "--address", "1", folder.file("short.bin")}, {"write", "--address", "33", ok}, {"write", ok},
             {"store", "--address", "1", "--slot", "17", ok}, {"recall", "--address", "1", "--slot", "0", r},
             {"read", "--address", "1", ok}, {"read", "--address", "2", r}}) {
        std::vector<std::string> withPort = {args[0], "--port", port};
        withPort.insert(withPort.end(), args.begin() + 1, args.end());
        EXPECT_TRUE(RunCli(withPort).failedWithMessage()) << args[0] << " " << args.back();
    }
    EXPECT_TRUE(RunCli({"read", "--port", folder.file("no-such-device"), "--address", "1", r}).failedWithMessage());
    EXPECT_TRUE(RunCli({"scan", "--port", "COM13"}).failedWithMessage());
    EXPECT_EQ(folder.count(), before);

    // The same line behind ser2net, the network serial server, reached as tcp://127.0.0.1:PORT.
    if (const std::string why = sonavel::test::Ser2net::Missing(); !why.empty()) GTEST_SKIP() << why;
    const sonavel::test::Ser2net server(port);
    ASSERT_EQ(RunCli({"write", "--port", server.RawPort(), "--address", "7", "--record", "2", ok}).exitCode, 0);
    ASSERT_EQ(RunCli({"read", "--port", server.RawPort(), "--address", "7", folder.file("tcp.bin")}).exitCode, 0);
    EXPECT_EQ(Settings(folder, "tcp.bin"), muted);
}

// A verified read never keeps settings corrupted on the line; a scan asks again after a garbled
// reply, and fails when the line is lost or nothing answers.
TEST(CliUnits, OnABadLineReadsAreVerifiedScansAskAgainAndLossIsReported) {
    Folder folder;  // a fresh unit holds the settings of an empty preset
    MakePreset(folder, "{}", "fresh.bin");
    const QJsonObject held = Settings(folder, "fresh.bin");
    const SimulatorProcess line({"--units", "1,5,7", "--garble", "0.01", "--seed", "3"});
    auto read = [&](const std::string& file, bool verify) {
        std::vector<std::string> args = {"read", "--port", line.DevicePath(), "--address", "1", "--address", "5",
                                         "--address", "7", folder.file(file)};
        if (verify) args.push_back("--verify");
        const CliRun run = RunCli(args);
        std::vector<QJsonObject> settings;
        for (size_t k = 1; k <= folder.read(file).size() / 690; ++k) settings.push_back(Settings(folder, file, int(k)));
        return std::pair{run.exitCode, settings};
    };
    const std::vector<QJsonObject> corrupted = read("plain.bin", false).second;
    EXPECT_NE(std::count(corrupted.begin(), corrupted.end(), held), long(corrupted.size()));  // the fault is real
    const auto [exit, kept] = read("verified.bin", true);
    EXPECT_TRUE(exit == 0 || exit == 3) << exit;
    EXPECT_FALSE(kept.empty());
    for (const QJsonObject& record : kept) EXPECT_EQ(record, held);

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
    EXPECT_TRUE(empty.failedWithMessage());
    EXPECT_EQ(empty.out, "");
}

}  // namespace
}  // namespace sonavel::cli::test
