// The simulator program driven through its pseudo-terminal, as the editor drives it.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "SimulatorProcess.h"

using devsim_test::LineEnd;
using devsim_test::RunToEnd;
using devsim_test::SimulatorProcess;
using sonavel::Bytes;

namespace {

const Bytes kQuery5 = {0x01, 0x20, 0x03, 0x40, 0x09, 0x0B, 0x05, 0x05, 0x60};
const Bytes kReply5 = {0x01, 0x20, 0x03, 0x40, 0x09, 0x01, 0x05, 0x05, 0x60};
const Bytes kRequest1 = {0x01, 0x20, 0x03, 0x40, 0x09, 0x0C, 0x01, 0x05, 0x60};
// Band 3 of channel 2 at 1000 Hz, Peak, +12 dB, Q position 35, active, address 1.
const Bytes kBand = {0x01, 0x20, 0x03, 0x40, 0x11, 0x04, 0x02, 0x03, 0x01,
                     0x0A, 0x00, 0x00, 0x23, 0x00, 0x01, 0x05, 0x60};

std::string Scratch(const std::string& name) {
    return (std::filesystem::temp_directory_path() /
            ("devsim-test-" + std::to_string(getpid()) + "-" + name)).string();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 2000) {
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

TEST(SimulatorProgram, ServesTheLineAcrossReopensAtLineSpeedAndReportsItsState) {
    const std::string link = Scratch("link"), state = Scratch("state.json"), log = Scratch("log.json");
    SimulatorProcess sim({"--units", "1,5", "--link", link, "--state", state, "--log", log});
    ASSERT_EQ(std::filesystem::read_symlink(link).string(), sim.DevicePath());
    {
        LineEnd line(link);
        line.Write(kQuery5);
        EXPECT_EQ(line.Read(kReply5.size(), 1000), kReply5);
        // A 121-byte dump takes about 126 ms on a 9600-baud line.
        line.Write(kRequest1);
        const Bytes dump = line.Read(121, 2000);
        ASSERT_EQ(dump.size(), 121u);
        EXPECT_GE(line.SpreadMs(), 110.0);
        EXPECT_EQ(dump[118], 1);
    }
    // The editor closes its port and opens it again.
    LineEnd again(sim.DevicePath());
    again.Write(kQuery5);
    EXPECT_EQ(again.Read(kReply5.size(), 1000), kReply5);
    again.Write(kBand);
    again.Write(kQuery5);  // its answer shows the band message was taken before it
    EXPECT_EQ(again.Read(kReply5.size(), 1000), kReply5);

    sim.Signal(SIGUSR1);
    ASSERT_TRUE(WaitFor([&] { return Count(ReadFile(state), "\"EqGain\":[[24,24,24,24,24,24,24],[24,24,0,") == 1; }));
    const std::string written = ReadFile(state);
    EXPECT_EQ(Count(written, "\"address\":"), 2);
    EXPECT_EQ(Count(written, "\"EqType\":"), 2 * 17);  // working set and 16 slots per unit
    EXPECT_EQ(Count(written, "\"GainLevel\":[121,121,121,121]"), 2 * 17);

    sim.Signal(SIGTERM);
    EXPECT_EQ(sim.WaitExit(2000), 0);
    struct stat info {};
    EXPECT_NE(lstat(link.c_str(), &info), 0) << "the symlink outlived the simulator";

    const std::string lines = ReadFile(log);
    EXPECT_EQ(Count(lines, "\n"), 5);
    EXPECT_EQ(Count(lines, "\"kind\":\"presence-query\""), 3);
    EXPECT_EQ(Count(lines, "\"bytes\":\"01 20 03 40 11 04 02 03 01 0A 00 00 23 00 01 05 60\",\"command\":4,\"address\":1"), 1);
    EXPECT_EQ(Count(lines, "\"EqFrequency(2,3)\":1000,\"EqGain(2,3)\":0"), 1);
    std::filesystem::remove(state);
    std::filesystem::remove(log);
}

TEST(SimulatorProgram, SilentUnitsApplyButNeverAnswer) {
    const std::string state = Scratch("silent.json");
    SimulatorProcess sim({"--silent", "--state", state});
    LineEnd line(sim.DevicePath());
    line.Write(kBand);
    line.Write(kRequest1);
    EXPECT_TRUE(line.Read(1, 400).empty());
    sim.Signal(SIGINT);  // the state is written on the way out
    EXPECT_EQ(sim.WaitExit(2000), 0);
    EXPECT_EQ(Count(ReadFile(state), "[24,24,0,"), 1);
    std::filesystem::remove(state);
}

TEST(SimulatorProgram, LosesEveryNthFrame) {
    SimulatorProcess sim({"--units", "5", "--drop-every", "2"});
    LineEnd line(sim.DevicePath());
    for (int frame = 1; frame <= 4; ++frame) {
        line.Write(kQuery5);
        EXPECT_EQ(line.Read(kReply5.size(), 300), frame % 2 ? kReply5 : Bytes{}) << frame;
    }
}

TEST(SimulatorProgram, HangsUpAfterTheGivenNumberOfFrames) {
    SimulatorProcess sim({"--units", "5", "--hangup-after", "2"});
    LineEnd line(sim.DevicePath());
    line.Write(kQuery5);
    EXPECT_EQ(line.Read(kReply5.size(), 1000), kReply5);
    EXPECT_FALSE(line.HungUp(100));
    line.Write(kQuery5);
    EXPECT_EQ(line.Read(kReply5.size(), 1000), kReply5);
    EXPECT_TRUE(line.HungUp(1000));
    EXPECT_EQ(sim.WaitExit(2000), 0);
}

TEST(SimulatorProgram, BadOptionsEndWithOneLineAndAFailureCode) {
    auto [code, text] = RunToEnd({"--units", "40"});
    EXPECT_EQ(code, 2);
    EXPECT_EQ(text, "sonavel-devsim: --units: 40 is outside 1..32\n");
    const std::string file = Scratch("plain-file");
    std::ofstream(file) << "keep me";
    std::tie(code, text) = RunToEnd({"--link", file});
    EXPECT_EQ(code, 1);
    EXPECT_NE(text.find("not a symlink"), std::string::npos) << text;
    EXPECT_EQ(ReadFile(file), "keep me");
    std::filesystem::remove(file);
    std::tie(code, text) = RunToEnd({"--log", "/nonexistent-folder/log.json"});
    EXPECT_EQ(code, 1);
    EXPECT_NE(text.find("--log"), std::string::npos) << text;
    EXPECT_EQ(RunToEnd({"--help"}).first, 0);
}
