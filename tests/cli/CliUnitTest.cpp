#include <gtest/gtest.h>

#include <algorithm>

#include <QElapsedTimer>
#include <QJsonObject>

#include "CliRunner.h"
#include "tests/support/Ser2net.h"
#include "tests/support/SimulatorProcess.h"

namespace sonavel::cli::test {
namespace {

// The settings of a record, without its name.
QJsonObject Settings(const Folder& folder, const std::string& file, int record = 1) {
    QJsonObject object = ShowPreset(folder, file, record);
    object.remove("PresetName");
    return object;
}

QString Name(const Folder& folder, const std::string& file, int record) {
    return ShowPreset(folder, file, record)["PresetName"].toString();
}

// Settings whose band 6 and 7 codes already follow their crossover lists, so that a unit
// holds exactly what the file says.
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

TEST(CliUnits, ScanWriteReadStoreAndRecallAgainstSimulatedUnits) {
    const sonavel::test::SimulatorProcess line({"--units", "1,5,7"});
    const CliRun scan = RunCli({"scan", "--port", line.DevicePath()});
    EXPECT_EQ(scan.exitCode, 0) << scan.err;
    EXPECT_EQ(scan.out, "1\n5\n7\n");

    Folder folder;
    MakePreset(folder, kSettings, "sent.bin");
    const QJsonObject sent = Settings(folder, "sent.bin");

    const CliRun write = RunCli({"write", "--port", line.DevicePath(), "--address", "5", "--address", "7",
                                 folder.file("sent.bin")});
    ASSERT_EQ(write.exitCode, 0) << write.err;
    EXPECT_NE(write.err.find("unit 7 (2 of 2)"), std::string::npos);  // progress for several units
    const CliRun read = RunCli({"read", "--port", line.DevicePath(), "--address", "5", "--address", "7",
                                folder.file("back.bin")});
    ASSERT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(folder.read("back.bin").size(), 1380u);
    EXPECT_EQ(Settings(folder, "back.bin", 1), sent);
    EXPECT_EQ(Settings(folder, "back.bin", 2), sent);
    EXPECT_EQ(Name(folder, "back.bin", 2), "Unit 7");

    ASSERT_EQ(RunCli({"store", "--port", line.DevicePath(), "--address", "1", "--slot", "16",
                      folder.file("sent.bin")}).exitCode, 0);
    for (const char* slot : {"16", "15"})
        ASSERT_EQ(RunCli({"recall", "--port", line.DevicePath(), "--address", "1", "--slot", slot, "--append",
                          folder.file("slots.bin")}).exitCode, 0);
    EXPECT_EQ(Name(folder, "slots.bin", 1), "Unit 1 User16");
    EXPECT_EQ(Settings(folder, "slots.bin", 1), sent);
    EXPECT_NE(Settings(folder, "slots.bin", 2), sent);
}

// The same units behind ser2net, the network serial server, reached as tcp://127.0.0.1:PORT.
TEST(CliUnits, ScanWriteAndReadOverTcpThroughANetworkSerialServer) {
    if (const std::string why = sonavel::test::Ser2net::Missing(); !why.empty()) GTEST_SKIP() << why;
    const sonavel::test::SimulatorProcess line({"--units", "1,5,7"});
    const sonavel::test::Ser2net server(line.DevicePath());
    const std::string port = server.RawPort();
    const CliRun scan = RunCli({"scan", "--port", port});
    EXPECT_EQ(scan.exitCode, 0) << scan.err;
    EXPECT_EQ(scan.out, "1\n5\n7\n");

    Folder folder;
    MakePreset(folder, kSettings, "sent.bin");
    const CliRun write = RunCli({"write", "--port", port, "--address", "7", folder.file("sent.bin")});
    ASSERT_EQ(write.exitCode, 0) << write.err;
    const CliRun read = RunCli({"read", "--port", port, "--address", "7", folder.file("back.bin")});
    ASSERT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(Settings(folder, "back.bin"), Settings(folder, "sent.bin"));
}

TEST(CliUnits, SeveralUnitsKeepWhatAnsweredAndTakeOneRecordEach) {
    const sonavel::test::SimulatorProcess line({"--units", "1,5,7"});
    Folder folder;
    MakePreset(folder, kSettings, "two.bin");
    MakePreset(folder, "{}", "defaults.bin");
    ASSERT_EQ(RunCli({"preset", "make", folder.file("defaults.bin.json"), folder.file("two.bin"), "--append"}).exitCode, 0);

    // Record k goes to the k-th address; a second record can be picked for every unit.
    ASSERT_EQ(RunCli({"write", "--port", line.DevicePath(), "--address", "7", "--address", "5", "--per-unit",
                      folder.file("two.bin")}).exitCode, 0);
    ASSERT_EQ(RunCli({"write", "--port", line.DevicePath(), "--address", "1", "--record", "2",
                      folder.file("two.bin")}).exitCode, 0);

    // Unit 6 is silent: the others are read in the order asked, and the status says so.
    const CliRun read = RunCli({"read", "--port", line.DevicePath(), "--address", "5", "--address", "6",
                                "--address", "7", "--address", "1", "--verify", folder.file("rack.bin")});
    EXPECT_EQ(read.exitCode, 3);
    EXPECT_TRUE(read.failedWithMessage());
    EXPECT_NE(read.err.find("unit 6 did not answer"), std::string::npos) << read.err;
    EXPECT_EQ(folder.read("rack.bin").size(), 3u * 690);
    EXPECT_EQ(Settings(folder, "rack.bin", 2), Settings(folder, "two.bin", 1));
    EXPECT_EQ(Name(folder, "rack.bin", 2), "Unit 7");
    EXPECT_EQ(Settings(folder, "rack.bin", 3), Settings(folder, "rack.bin", 1));  // both got record 2
    EXPECT_NE(Settings(folder, "rack.bin", 1), Settings(folder, "two.bin", 1));

    // A write stops at the first unit that fails unless told to go on.
    const std::vector<std::string> write = {"write", "--port", line.DevicePath(), "--address", "6", "--address", "1",
                                            "--verify", folder.file("two.bin")};
    const CliRun stopped = RunCli(write);
    EXPECT_EQ(stopped.exitCode, 1);
    EXPECT_NE(stopped.err.find("unit 1 was not tried"), std::string::npos) << stopped.err;
    std::vector<std::string> keepGoing = write;
    keepGoing.push_back("--keep-going");
    EXPECT_EQ(RunCli(keepGoing).exitCode, 3);
    ASSERT_EQ(RunCli({"read", "--port", line.DevicePath(), "--address", "1", folder.file("one.bin")}).exitCode, 0);
    EXPECT_EQ(Settings(folder, "one.bin"), Settings(folder, "two.bin", 1));

    const CliRun tooFew = RunCli({"store", "--port", line.DevicePath(), "--slot", "1", "--address", "1", "--address", "5",
                                  "--address", "7", "--per-unit", folder.file("two.bin")});
    EXPECT_NE(tooFew.err.find("holds 2 record(s); --per-unit needs 3"), std::string::npos) << tooFew.err;
}

TEST(CliUnits, AVerifiedReadNeverKeepsSettingsCorruptedOnTheLine) {
    Folder folder;
    {
        const sonavel::test::SimulatorProcess clean({"--units", "1"});
        ASSERT_EQ(RunCli({"read", "--port", clean.DevicePath(), "--address", "1", folder.file("clean.bin")}).exitCode, 0);
    }
    const QJsonObject held = Settings(folder, "clean.bin");
    const sonavel::test::SimulatorProcess line({"--units", "1,5,7", "--garble", "0.01", "--seed", "3"});
    const std::vector<std::string> read = {"read", "--port", line.DevicePath(), "--address", "1", "--address", "5",
                                           "--address", "7"};
    auto records = [&](const std::string& file) {
        std::vector<QJsonObject> settings;
        for (size_t k = 1; k <= folder.read(file).size() / 690; ++k) settings.push_back(Settings(folder, file, int(k)));
        return settings;
    };

    std::vector<std::string> plain = read;
    plain.push_back(folder.file("plain.bin"));
    RunCli(plain);
    const std::vector<QJsonObject> corrupted = records("plain.bin");
    EXPECT_NE(std::count(corrupted.begin(), corrupted.end(), held), long(corrupted.size()));  // the fault is real

    std::vector<std::string> verified = read;
    verified.insert(verified.end(), {"--verify", folder.file("verified.bin")});
    const CliRun run = RunCli(verified);
    EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 3) << run.err;
    const std::vector<QJsonObject> kept = records("verified.bin");
    EXPECT_FALSE(kept.empty());
    for (const QJsonObject& record : kept) EXPECT_EQ(record, held);
}

TEST(CliUnits, ScanAsksAgainOnAGarbledLineAndFailsWhenTheLineIsLost) {
    for (const char* seed : {"1", "2", "3", "4"}) {
        const sonavel::test::SimulatorProcess garbled({"--units", "1,5,7", "--garble", "0.05", "--seed", seed});
        const CliRun scan = RunCli({"scan", "--port", garbled.DevicePath(), "--json"});
        EXPECT_EQ(scan.exitCode, 0) << scan.err;
        EXPECT_EQ(scan.out, "{\"complete\":true,\"port\":\"" + garbled.DevicePath() + "\",\"units\":[1,5,7]}\n")
            << "seed " << seed;
    }

    const sonavel::test::SimulatorProcess hangsUp({"--units", "1,5,7", "--hangup-after", "3"});
    const CliRun lost = RunCli({"scan", "--port", hangsUp.DevicePath()});
    EXPECT_EQ(lost.exitCode, 1);
    EXPECT_TRUE(lost.failedWithMessage());
    EXPECT_NE(lost.err.find(hangsUp.DevicePath() + " was disconnected"), std::string::npos) << lost.err;

    const sonavel::test::SimulatorProcess silent({"--units", "1", "--silent"});
    QElapsedTimer clock;
    clock.start();
    const CliRun empty = RunCli({"scan", "--port", silent.DevicePath()});
    EXPECT_LT(clock.elapsed(), 5000);  // 32 addresses at the default time-out take about 2 s
    EXPECT_TRUE(empty.failedWithMessage());
    EXPECT_EQ(empty.out, "");
}

TEST(CliUnits, SilentUnitsAndBadArgumentsFailWithoutLeavingFiles) {
    const sonavel::test::SimulatorProcess line({"--units", "1"});
    Folder folder;
    MakePreset(folder, "{}", "ok.bin");
    folder.write("short.bin", std::string(100, '\x01'));
    const int before = folder.count();

    const CliRun silent = RunCli({"read", "--port", line.DevicePath(), "--address", "2", folder.file("r.bin")});
    EXPECT_TRUE(silent.failedWithMessage()) << silent.err;
    EXPECT_NE(silent.err.find("unit 2 did not answer"), std::string::npos);

    const std::vector<std::vector<std::string>> bad = {
        {"write", "--port", line.DevicePath(), "--address", "2", folder.file("ok.bin")},
        {"write", "--port", line.DevicePath(), "--address", "1", folder.file("short.bin")},
        {"write", "--port", line.DevicePath(), "--address", "33", folder.file("ok.bin")},
        {"write", "--port", line.DevicePath(), folder.file("ok.bin")},
        {"store", "--port", line.DevicePath(), "--address", "1", "--slot", "17", folder.file("ok.bin")},
        {"recall", "--port", line.DevicePath(), "--address", "1", "--slot", "0", folder.file("r.bin")},
        {"read", "--port", line.DevicePath(), "--address", "1", folder.file("ok.bin")},
        {"read", "--port", folder.file("no-such-device"), "--address", "1", folder.file("r.bin")},
        {"scan", "--port", "COM13"},
    };
    for (const auto& args : bad) {
        const CliRun run = RunCli(args);
        EXPECT_TRUE(run.failedWithMessage()) << args[0] << " " << args.back() << ": " << run.err;
    }
    EXPECT_EQ(folder.count(), before);
}

}  // namespace
}  // namespace sonavel::cli::test
