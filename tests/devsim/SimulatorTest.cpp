// The simulator program driven through its pseudo-terminal, as the editor drives it.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "tests/support/Hex.h"
#include "tests/support/LineEnd.h"
#include "tests/support/LoopbackPorts.h"
#include "tests/support/SimulatorProcess.h"

using sonavel::Bytes;
using sonavel::Hex;
using sonavel::test::ConnectToLoopback;
using sonavel::test::LineEnd;
using sonavel::test::SimulatorProcess;

namespace {

const Bytes kQuery5 = Hex("01 20 03 40 09 0B 05 05 60"), kReply5 = Hex("01 20 03 40 09 01 05 05 60");
// Band 3 of channel 2 at 1000 Hz, Peak, +12 dB, Q position 35, active, address 1.
const Bytes kBand = Hex("01 20 03 40 11 04 02 03 01 0A 00 00 23 00 01 05 60");

std::string ReadFile(const QString& path) {
    std::stringstream text;
    text << std::ifstream(path.toStdString()).rdbuf();
    return text.str();
}

// The outcome field of each log line, in order.
std::vector<std::string> Outcomes(const std::string& log) {
    const std::string key = "\"outcome\":\"";
    std::vector<std::string> outcomes;
    for (size_t at = log.find(key); at != std::string::npos; at = log.find(key, at + 1)) {
        const size_t start = at + key.size();
        outcomes.push_back(log.substr(start, log.find('"', start) - start));
    }
    return outcomes;
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

// The stop and what it leaves behind are shown by the program tests.
TEST(Simulator, ServesTheLineAcrossReopensAtLineSpeedAndReportsItsState) {
    const QTemporaryDir dir;
    const QString link = dir.filePath("link"), state = dir.filePath("state.json"), log = dir.filePath("log.json");
    auto sim = std::make_unique<SimulatorProcess>(
        QStringList{"--units", "1,5", "--link", link, "--state", state, "--log", log});
    ASSERT_EQ(std::filesystem::read_symlink(link.toStdString()).string(), sim->DevicePath());
    {
        LineEnd line(link.toStdString());
        // The query takes 9 byte times to come in, and the reply's last byte leaves 8 byte
        // times after its first: about 17.7 ms in all.
        using Ms = std::chrono::duration<double, std::milli>;
        const auto start = std::chrono::steady_clock::now();
        line.Write(kQuery5);
        EXPECT_EQ(line.Read(kReply5.size(), 1000), kReply5);
        EXPECT_GE(Ms(std::chrono::steady_clock::now() - start).count(), 17.0);
        // A 121-byte dump takes about 126 ms on a 9600-baud line.
        line.Write(Hex("01 20 03 40 09 0C 01 05 60"));
        const Bytes dump = line.Read(121, 2000);
        ASSERT_EQ(dump.size(), 121u);
        EXPECT_GE(line.spreadMs, 110.0);
        EXPECT_EQ(dump[118], 1);
    }
    // The editor closes its port and opens it again.
    LineEnd again(sim->DevicePath());
    again.Write(kBand);
    again.Write(kQuery5);  // its answer shows the band message was taken before it
    EXPECT_EQ(again.Read(kReply5.size(), 1000), kReply5);

    sim->RequestState();
    for (int tries = 0; tries < 200 && Count(ReadFile(state), "[24,24,0,") == 0; ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const std::string written = ReadFile(state);
    EXPECT_EQ(Count(written, "\"EqGain\":[[24,24,24,24,24,24,24],[24,24,0,"), 1);
    EXPECT_EQ(Count(written, "\"EqType\":"), 2 * 17);  // working set and 16 slots per unit
    for (const char* editorOnly : {"EqFreqPosition", "MuteState", "OutputLevel"})
        EXPECT_EQ(Count(written, editorOnly), 0) << editorOnly;

    sim.reset();
    const std::string lines = ReadFile(log);
    EXPECT_EQ(Count(lines, "\"kind\":\"presence-query\""), 2);
    EXPECT_EQ(Count(lines, "\"bytes\":\"01 20 03 40 11 04 02 03 01 0A 00 00 23 00 01 05 60\",\"command\":4,\"address\":1"), 1);
    EXPECT_EQ(Count(lines, "\"EqFrequency(2,3)\":1000,\"EqGain(2,3)\":0"), 1);
}

// What the log says became of each frame, for each fault mode.
TEST(Simulator, LogsWhatBecameOfEachFrame) {
    const Bytes query7 = Hex("01 20 03 40 09 0B 07 05 60");
    struct Case {
        QStringList options;
        std::vector<Bytes> frames;
        std::vector<std::string> outcomes;
        bool hungUp;
    };
    const Case cases[] = {
        {{}, {kQuery5, kBand, query7}, {"answered", "refused: no unit at address 1", "refused: no unit at address 7"}, false},
        {{"--units", "1,5", "--silent"}, {kQuery5, kBand}, {"silent", "applied"}, false},
        {{"--drop-every", "2"}, {kQuery5, kQuery5, kQuery5}, {"answered", "dropped", "answered"}, false},
        {{"--garble", "1"}, {kQuery5}, {"garbled reply"}, false},
        {{"--hangup-after", "2"}, {kQuery5, kQuery5}, {"answered", "lost at hang-up"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        const QTemporaryDir dir;
        const QString log = dir.filePath("outcomes.json");
        {
            SimulatorProcess sim(QStringList{"--units", "5", "--log", log} + c.options);
            LineEnd line(sim.DevicePath());
            for (size_t i = 0; i < c.frames.size(); ++i) {
                line.Write(c.frames[i]);
                const Bytes reply = line.Read(kReply5.size(), 300);
                EXPECT_EQ(reply == kReply5, c.outcomes[i] == "answered") << i;
            }
            EXPECT_EQ(line.HungUp(300), c.hungUp);
        }
        EXPECT_EQ(Outcomes(ReadFile(log)), c.outcomes);
    }
}

// The line on a TCP port: served to one client at a time, a second one refused.
TEST(Simulator, OnTcpServesOneClientAtATime) {
    const uint16_t port = sonavel::test::FreeLoopbackPort();
    const SimulatorProcess sim({"--units", "5", "--tcp", QString::number(port)});
    EXPECT_EQ(sim.DevicePath(), "tcp://127.0.0.1:" + std::to_string(port));
    {
        LineEnd first(ConnectToLoopback(port));
        first.Write(kQuery5);
        EXPECT_EQ(first.Read(kReply5.size(), 1000), kReply5);
        LineEnd second(ConnectToLoopback(port));
        const std::string refusal = "sonavel-devsim: the line is in use by another client\r\n";
        EXPECT_EQ(second.Read(100, 1000), Bytes(refusal.begin(), refusal.end()));
    }
    LineEnd next(ConnectToLoopback(port));
    next.Write(kQuery5);
    EXPECT_EQ(next.Read(kReply5.size(), 1000), kReply5);
}
