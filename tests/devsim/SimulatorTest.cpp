// The simulator program driven through its pseudo-terminal, as the editor drives it, and how it ends.
#include <signal.h>

#include <QProcess>
#include <filesystem>
#include <gtest/gtest.h>

#include "tests/support/Folder.h"
#include "tests/support/Hex.h"
#include "tests/support/LineEnd.h"
#include "tests/support/LoopbackPorts.h"
#include "tests/support/SimulatorProcess.h"

using sonavel::Bytes;
using sonavel::Hex;
using namespace sonavel::test;

namespace {

const Bytes kQuery5 = Hex("01 20 03 40 09 0B 05 05 60"), kReply5 = Hex("01 20 03 40 09 01 05 05 60");
const Bytes kDumpRequest1 = Hex("01 20 03 40 09 0C 01 05 60");

QString In(const Folder& folder, const std::string& name) { return QString::fromStdString(folder.file(name)); }

// The program run with these options; its first line is the device path it serves.
struct Program : QProcess {
    explicit Program(const QStringList& options) {
        start(DEVSIM_PROGRAM, options);
        waitForReadyRead(5000);
    }
    int ExitStatus() {
        waitForFinished(5000);
        return exitStatus() == NormalExit ? exitCode() : -1;
    }
};

}  // namespace

TEST(Simulator, ServesTheLineAcrossReopensAtLineSpeed) {
    const SimulatorProcess sim({"--units", "1,5"});
    {
        LineEnd line(sim.DevicePath());
        line.Write(kDumpRequest1);  // 121 bytes take about 126 ms on a 9600-baud line
        EXPECT_EQ(line.Read(121, 2000).size(), 121u);
        EXPECT_GE(line.spreadMs, 110.0);
    }
    // The editor closes its port and opens it again.
    LineEnd again(sim.DevicePath());
    again.Write(Hex("01 20 03 40 11 04 02 03 01 0A 00 00 23 00 01 05 60"));  // band 3 of channel 2 at +12 dB
    again.Write(kDumpRequest1);                  // its dump shows the band message was taken before it
    EXPECT_EQ(again.Read(121, 2000).at(90), 0);  // EqGain(2,3)
}

// What the log says became of each frame, and a lost frame goes unanswered.
TEST(Simulator, LogsWhatBecameOfEachFrame) {
    const Folder folder;
    {
        SimulatorProcess sim({"--units", "5", "--drop-every", "2", "--log", In(folder, "log")});
        LineEnd line(sim.DevicePath());
        for (const bool answered : {true, false, true}) {
            line.Write(kQuery5);
            EXPECT_EQ(line.Read(kReply5.size(), 300) == kReply5, answered);
        }
    }
    const std::string log = folder.read("log"), key = "\"outcome\":\"";
    std::vector<std::string> outcomes;
    for (size_t at = log.find(key); at != std::string::npos; at = log.find(key, at + 1))
        outcomes.push_back(log.substr(at + key.size(), log.find('"', at + key.size()) - at - key.size()));
    EXPECT_EQ(outcomes, (std::vector<std::string>{"answered", "dropped", "answered"}));
}

// The line on a TCP port: served to one client at a time, a second one refused.
TEST(Simulator, OnTcpServesOneClientAtATime) {
    const uint16_t port = FreeLoopbackPort();
    const SimulatorProcess sim({"--units", "5", "--tcp", QString::number(port)});
    EXPECT_EQ(sim.DevicePath(), "tcp://127.0.0.1:" + std::to_string(port));
    LineEnd first(ConnectToLoopback(port));
    first.Write(kQuery5);
    EXPECT_EQ(first.Read(kReply5.size(), 1000), kReply5);
    const std::string refusal = "sonavel-devsim: the line is in use by another client\r\n";
    EXPECT_EQ(LineEnd(ConnectToLoopback(port)).Read(100, 1000), Bytes(refusal.begin(), refusal.end()));
}

// Every stop signal writes the state, removes the link and exits 0; a path the program cannot
// write ends it at once with status 2, and a link never replaces a plain file.
TEST(SimulatorProgram, StopsCleanlyOnEverySignalAndAtOnceOnAPathItCannotWrite) {
    const Folder folder;
    for (int signal : {SIGHUP, SIGINT, SIGTERM}) {
        SCOPED_TRACE(strsignal(signal));
        Program sim({"--link", In(folder, "link"), "--state", In(folder, "state.json")});
        ASSERT_TRUE(std::filesystem::is_symlink(folder.file("link")));
        std::filesystem::remove(folder.file("state.json"));
        kill(pid_t(sim.processId()), signal);
        EXPECT_EQ(sim.ExitStatus(), 0);
        EXPECT_TRUE(std::filesystem::exists(folder.file("state.json")));
        EXPECT_FALSE(std::filesystem::is_symlink(folder.file("link")));
    }
    folder.write("plain", "keep me");
    for (const QStringList& args : {QStringList{"--state", "/nonexistent-folder/state.json"},
                                    {"--link", In(folder, "plain")}, {"--replug-after", "1"}}) {
        SCOPED_TRACE(args[0].toStdString());
        Program sim(args);
        EXPECT_EQ(sim.ExitStatus(), 2);
        EXPECT_TRUE(sim.readAllStandardError().contains(args[0].toUtf8()));
    }
    EXPECT_EQ(folder.read("plain"), "keep me");
}
