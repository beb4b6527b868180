// Ports reached through a network serial server: the names, the telnet com-port codec, and
// the Qt port against a server played by the test on loopback.
#include <gtest/gtest.h>

#include <QCoreApplication>
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

const char* const kLineSettings =
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
    struct Case {
        const char* what;
        std::vector<std::string> chunks;
        std::string data, answer;
    };
    const std::vector<Case> cases = {
        {"a network serial server's greeting; the line settings follow its agreement",
         {"FF FB 03 FF FD 03 FF FB 01 FF FE 01 FF FD 00 FF FB 00 FF FD 2C"},
         "",
         std::string("FF FD 03  FF FB 03  FF FE 01  FF FB 00  FF FD 00  ") + kLineSettings},
        {"doubled 0xFF is one data byte; settings replies and notifications are dropped",
         {"01 FF FF 02 FF FA 2C 65 00 00 25 80 FF F0 FF FA 2C 6B 00 FF F0 03"},
         "01 FF 02 03",
         ""},
        {"commands split over several chunks", {"01 FF", "FF 02 FF", "FA 2C 6A 60", " FF", " F0 FF F1 04"}, "01 FF 02 04", ""},
        {"a 0xFF inside a sub-negotiation does not end it", {"FF FA 2C 6B FF FF 06 FF F0 07"}, "07", ""},
        {"other options are refused; an agreed one is not agreed again; a withdrawn one is acknowledged",
         {"FF FD 18 FF FB 05 FF FB 00 FF FB 00 FF FC 00 FF FE 01"},
         "",
         "FF FC 18  FF FE 05  FF FD 00  FF FE 00"},
        {"the settings go out once", {"FF FD 2C", "FF FE 2C FF FD 2C"}, "", std::string(kLineSettings) + " FF FC 2C"},
    };
    for (const Case& c : cases) {
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
// asking for the com-port option.
struct NetworkPortTest : testing::Test {
    void SetUp() override {
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
            peer = server.nextPendingConnection();
            if (greeting) peer->write(reinterpret_cast<const char*>(greeting->data()), qint64(greeting->size()));
        });
    }
    void TearDown() override { port.SetPortOpen(false); }
    void Name(const std::string& scheme, uint16_t number) {
        name = scheme + "127.0.0.1:" + std::to_string(number);
        port.SetDeviceOverride(name);
    }
    // The bytes the server received, read without running the client's events.
    Bytes PeerReads(size_t count) {
        Bytes bytes;
        while (bytes.size() < count && (peer->bytesAvailable() > 0 || peer->waitForReadyRead(1000))) {
            const QByteArray chunk = peer->readAll();
            bytes.insert(bytes.end(), chunk.begin(), chunk.end());
        }
        return bytes;
    }
    QTcpServer server;
    QTcpSocket* peer = nullptr;
    std::optional<Bytes> greeting;
    std::string name;
    QtSerialPort port;
};

TEST_F(NetworkPortTest, MessagesCrossUnchangedAndLeaveAtOnce) {
    struct Case {
        const char* scheme;
        std::optional<Bytes> greeting;
        std::string opening, wireMessage, wireReply;  // opening: what the client sends before the first message
    };
    const Bytes message = Hex("01 20 03 40 0A 10 05 FF 05 60");
    const Bytes reply = Hex("20 FF 41");
    for (const Case& c : {Case{"tcp://", std::nullopt, "", "01 20 03 40 0A 10 05 FF 05 60", "20 FF 41"},
                          Case{"rfc2217://", Hex("FF FD 2C"), std::string("FF FB 2C ") + kLineSettings,
                               "01 20 03 40 0A 10 05 FF FF 05 60", "20 FF FF FF FA 2C 6B 00 FF F0 41"}}) {
        greeting = c.greeting;
        Name(c.scheme, server.serverPort());
        ASSERT_TRUE(port.SetPortOpen(true).ok) << name;
        ASSERT_TRUE(PumpUntil([&] { return peer != nullptr; }, 1000)) << name;
        EXPECT_EQ(PeerReads(Hex(c.opening).size()), Hex(c.opening)) << name;

        port.Output(message);
        EXPECT_EQ(PeerReads(Hex(c.wireMessage).size()), Hex(c.wireMessage)) << name;

        Bytes received;
        port.OnComm = [&] {
            const Bytes input = port.Input();
            received.insert(received.end(), input.begin(), input.end());
        };
        const Bytes wire = Hex(c.wireReply);
        peer->write(reinterpret_cast<const char*>(wire.data()), qint64(wire.size()));
        EXPECT_TRUE(PumpUntil([&] { return received.size() >= reply.size(); }, 1000)) << name;
        EXPECT_EQ(received, reply) << name;

        port.SetPortOpen(false);
        port.OnComm = nullptr;
        peer = nullptr;
    }
}

// Each failure comes after its time, names its cause, and lets the event loop run meanwhile.
// A busy server accepts a connection and closes it again with a line of text; a listener whose
// queue is full gives a connect no answer at all.
TEST_F(NetworkPortTest, OpenFailuresNameTheCauseAfterTheirTimeWithoutStoppingTheEventLoop) {
    QObject::disconnect(&server, &QTcpServer::newConnection, nullptr, nullptr);
    int turnAway = 1;
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&] {
        QTcpSocket* client = server.nextPendingConnection();
        if (turnAway-- <= 0) return;
        client->write("Port already in use\r\n");
        client->disconnectFromHost();
    });
    Name("tcp://", server.serverPort());
    EXPECT_TRUE(port.SetPortOpen(true).ok) << "a connection taken after one turned away";
    port.SetPortOpen(false);
    turnAway = 1000;

    const sonavel::test::UnansweredPort unanswered;
    const auto at = [](uint16_t number) { return "tcp://127.0.0.1:" + std::to_string(number); };
    const std::string refused = at(sonavel::test::FreeLoopbackPort()), busy = at(server.serverPort()),
                      silent = at(unanswered.Port());
    const struct {
        std::string port, error;
        int atLeastMs, atMostMs;
    } cases[] = {
        {refused, refused + ": the connection was refused", 0, 1000},
        {busy, busy + ": the server closed the connection (\"Port already in use\")", 2700, 4000},
        {silent, silent + ": no answer within 3 s", 2900, 4000},
        {"tcp://127.0.0.1",
         "\"tcp://127.0.0.1\" is not a network port: write tcp://HOST:PORT with a port number 1..65535", 0, 100},
    };
    for (const auto& c : cases) {
        port.SetDeviceOverride(c.port);
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(20);
        QElapsedTimer clock;
        clock.start();
        const PortStatus status = port.SetPortOpen(true);
        const qint64 elapsed = clock.elapsed();
        EXPECT_EQ(status.error, c.error);
        EXPECT_FALSE(port.PortOpen()) << c.port;
        EXPECT_GE(elapsed, c.atLeastMs) << c.port;
        EXPECT_LE(elapsed, c.atMostMs) << c.port;
        EXPECT_GE(ticks, elapsed / 20 / 2) << c.port << ": the event loop ran while the connection was awaited";
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
