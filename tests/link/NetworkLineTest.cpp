// Ports reached through a network serial server: the names, the telnet com-port codec, and
// the Qt port against a server played by the test on loopback.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "link/NetworkPortName.h"
#include "link/QtSerialPort.h"
#include "link/TelnetComPort.h"
#include "tests/support/Hex.h"
#include "tests/support/LoopbackPorts.h"
#include "tests/support/PumpUntil.h"

using namespace sonavel;
using sonavel::test::PumpUntil;

namespace {

const std::string kLineSettings =
    "FF FA 2C 01 00 00 25 80 FF F0  FF FA 2C 02 08 FF F0  FF FA 2C 03 01 FF F0"
    "  FF FA 2C 04 01 FF F0  FF FA 2C 05 01 FF F0";

TEST(PortArguments, NumbersDevicesNetworkNamesAndMistakes) {
    ::unsetenv("SONAVEL_COM4");
    EXPECT_EQ(DeviceNameForPort(4), "/dev/ttyS3");
    for (auto [text, number] : {std::pair{"COM3", 3}, {"com12", 12}, {"7", 7}, {"/dev/ttyUSB0", 0}}) {
        EXPECT_EQ(ParsePortArgument(text).number, number) << text;
        EXPECT_EQ(ParsePortArgument(text).devicePath, number ? "" : text) << text;
    }
    for (const auto& [text, protocol, host, port] :
         {std::tuple{"tcp://127.0.0.1:4001", NetworkProtocol::RawTcp, "127.0.0.1", 4001},
          {"RFC2217://rack-3.example:65535", NetworkProtocol::Rfc2217, "rack-3.example", 65535},
          {"rfc2217://[::1]:1", NetworkProtocol::Rfc2217, "::1", 1}}) {
        const std::optional<NetworkPortName> name = ParseNetworkPortName(text);
        ASSERT_TRUE(name) << text;
        EXPECT_EQ(std::tuple(name->protocol, name->host, name->port), std::tuple(protocol, host, port)) << text;
        EXPECT_EQ(ParsePortArgument(text).devicePath, text);
    }
    EXPECT_EQ(ParseNetworkPortName("rfc2217://[::1]:1")->Text(), "rfc2217://[::1]:1");
    EXPECT_FALSE(ParseNetworkPortName("/dev/ttyUSB0") || ParseNetworkPortName("COM3"));
    for (const char* bad : {"tcp://", "tcp://host", "tcp://host:", "tcp://:4001", "tcp://host:0", "tcp://host:65536",
                            "tcp://host:40a1", "rfc2217://host:4001/", "tcp://a b:4001", "tcp://[]:4001"})
        EXPECT_THROW(ParseNetworkPortName(bad), std::invalid_argument) << bad;
    for (const char* bad : {"", "COM", "COM0", "COM13", "0", "13", "COMx", "3a", "-1", "99999999999", "tcp://host"})
        EXPECT_THROW(ParsePortArgument(bad), std::invalid_argument) << bad;
}

TEST(TelnetComPort, OffersTheOptionEscapesSplitsTheStreamAndAnswersTheServer) {
    EXPECT_EQ(TelnetComPort().Opening(), Hex("FF FB 2C"));
    EXPECT_EQ(TelnetComPort::Escape(Hex("01 FF 02 FF")), Hex("01 FF FF 02 FF FF"));
    const struct {
        const char* what;
        std::vector<std::string> chunks;
        std::string data, answer;
    } cases[] = {
        {"a network serial server's greeting; the line settings follow its agreement",
         {"FF FB 03 FF FD 03 FF FB 01 FF FE 01 FF FD 00 FF FB 00 FF FD 2C"}, "",
         "FF FD 03  FF FB 03  FF FE 01  FF FB 00  FF FD 00  " + kLineSettings},
        {"doubled 0xFF is one data byte; settings replies and notifications are dropped",
         {"01 FF FF 02 FF FA 2C 65 00 00 25 80 FF F0 FF FA 2C 6B 00 FF F0 03"}, "01 FF 02 03", ""},
        {"commands split over several chunks", {"01 FF", "FF 02 FF", "FA 2C 6A 60", " FF", " F0 FF F1 04"}, "01 FF 02 04", ""},
        {"a 0xFF inside a sub-negotiation does not end it", {"FF FA 2C 6B FF FF 06 FF F0 07"}, "07", ""},
        {"other options are refused; an agreed one is not agreed again; a withdrawn one is acknowledged",
         {"FF FD 18 FF FB 05 FF FB 00 FF FB 00 FF FC 00 FF FE 01"}, "", "FF FC 18  FF FE 05  FF FD 00  FF FE 00"},
        {"the settings go out once", {"FF FD 2C", "FF FE 2C FF FD 2C"}, "", kLineSettings + " FF FC 2C"},
    };
    for (const auto& c : cases) {
        TelnetComPort telnet;
        telnet.Opening();
        Bytes data, answer;
        for (const std::string& chunk : c.chunks) {
            const TelnetComPort::Taken taken = telnet.Take(Hex(chunk));
            data.insert(data.end(), taken.data.begin(), taken.data.end());
            answer.insert(answer.end(), taken.answer.begin(), taken.answer.end());
        }
        EXPECT_EQ(data, Hex(c.data)) << c.what;
        EXPECT_EQ(answer, Hex(c.answer)) << c.what;
    }
}

// The port opens a server the test plays on loopback. A telnet server greets every client by
// asking for the com-port option; a busy one says so and closes the connection again.
struct NetworkPortTest : testing::Test {
    void SetUp() override {
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
            peer = server.nextPendingConnection();
            if (turnAway-- <= 0) return Write(greeting);
            peer->write("Port already in use\r\n");
            peer->disconnectFromHost();
        });
    }
    void TearDown() override { port.SetPortOpen(false); }
    void Write(const std::string& hex) { peer->write(QByteArray::fromHex(QByteArray::fromStdString(hex))); }
    // Whether the server received these bytes, read without running the client's events.
    void ExpectPeerReads(const std::string& hex) {
        QByteArray bytes;
        const QByteArray expected = QByteArray::fromHex(QByteArray::fromStdString(hex));
        while (bytes.size() < expected.size() && (peer->bytesAvailable() > 0 || peer->waitForReadyRead(1000)))
            bytes += peer->readAll();
        EXPECT_EQ(bytes.toHex(' ').toStdString(), expected.toHex(' ').toStdString());
    }
    std::string At(uint16_t number) const { return "tcp://127.0.0.1:" + std::to_string(number); }

    QTcpServer server;
    QTcpSocket* peer = nullptr;
    std::string greeting;
    int turnAway = 0;
    QtSerialPort port;
};

// A raw stream carries 0xFF as it is; through a telnet server it is doubled both ways and the
// server's notifications are dropped.
TEST_F(NetworkPortTest, MessagesCrossUnchangedAndLeaveAtOnce) {
    const struct {
        const char* scheme;
        std::string greeting, opening, wireMessage, wireReply;  // opening: sent before the first message
    } cases[] = {{"tcp://", "", "", "01 20 03 40 0A 10 05 FF 05 60", "20 FF 41"},
                 {"rfc2217://", "FF FD 2C", "FF FB 2C " + kLineSettings, "01 20 03 40 0A 10 05 FF FF 05 60",
                  "20 FF FF FF FA 2C 6B 00 FF F0 41"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scheme);
        greeting = c.greeting;
        port.SetDeviceOverride(c.scheme + std::string("127.0.0.1:") + std::to_string(server.serverPort()));
        ASSERT_TRUE(port.SetPortOpen(true).ok);
        ASSERT_TRUE(PumpUntil([&] { return peer != nullptr; }, 1000));
        ExpectPeerReads(c.opening);
        port.Output(Hex("01 20 03 40 0A 10 05 FF 05 60"));
        ExpectPeerReads(c.wireMessage);

        Bytes received;
        port.OnComm = [&] {
            const Bytes input = port.Input();
            received.insert(received.end(), input.begin(), input.end());
        };
        Write(c.wireReply);
        PumpUntil([&] { return received.size() >= 3; }, 1000);
        EXPECT_EQ(received, Hex("20 FF 41"));
        port.SetPortOpen(false);
        port.OnComm = nullptr;
        peer = nullptr;
    }
}

// Each failure comes after its time, names its cause, and lets the event loop run meanwhile.
// A refused and an unanswered connection are the editor's end-to-end tests; a listener whose
// queue is full gives a connect no answer at all.
TEST_F(NetworkPortTest, OpenFailuresNameTheCauseAfterTheirTimeWithoutStoppingTheEventLoop) {
    turnAway = 1;
    port.SetDeviceOverride(At(server.serverPort()));
    EXPECT_TRUE(port.SetPortOpen(true).ok) << "a connection taken after one turned away";
    port.SetPortOpen(false);
    turnAway = 1000;

    const sonavel::test::UnansweredPort unanswered;
    const std::string busy = At(server.serverPort()), silent = At(unanswered.Port());
    const struct {
        std::string port, error;
        int atLeastMs, atMostMs;
    } cases[] = {
        {busy, busy + ": the server closed the connection (\"Port already in use\")", 2700, 4000},
        {"tcp://127.0.0.1",
         "\"tcp://127.0.0.1\" is not a network port: write tcp://HOST:PORT with a port number 1..65535", 0, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.port);
        port.SetDeviceOverride(c.port);
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(20);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(port.SetPortOpen(true).error, c.error);
        EXPECT_FALSE(port.PortOpen());
        EXPECT_GE(clock.elapsed(), c.atLeastMs);
        EXPECT_LE(clock.elapsed(), c.atMostMs);
        EXPECT_GE(ticks, clock.elapsed() / 20 / 2) << "the event loop ran while the connection was awaited";
    }

    // A timer that closes the port while the connection is awaited ends the wait.
    port.SetDeviceOverride(silent);
    QTimer::singleShot(200, [&] { port.SetPortOpen(false); });
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(port.SetPortOpen(true).error, silent + ": closed before the connection was made");
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(port.PortOpen());
}

}  // namespace
