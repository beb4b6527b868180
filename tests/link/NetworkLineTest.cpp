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

TEST(NetworkPortName, NamesAndMistakes) {
    struct Case {
        const char* text;
        NetworkProtocol protocol;
        const char* host;
        int port;
    };
    for (const Case& c : {Case{"tcp://127.0.0.1:4001", NetworkProtocol::RawTcp, "127.0.0.1", 4001},
                          Case{"RFC2217://rack-3.example:65535", NetworkProtocol::Rfc2217, "rack-3.example", 65535},
                          Case{"rfc2217://[::1]:1", NetworkProtocol::Rfc2217, "::1", 1}}) {
        const std::optional<NetworkPortName> name = ParseNetworkPortName(c.text);
        ASSERT_TRUE(name) << c.text;
        EXPECT_EQ(name->protocol, c.protocol) << c.text;
        EXPECT_EQ(name->host, c.host) << c.text;
        EXPECT_EQ(name->port, c.port) << c.text;
        EXPECT_EQ(ParsePortArgument(c.text).devicePath, c.text);
    }
    EXPECT_EQ(ParseNetworkPortName("rfc2217://[::1]:1")->Text(), "rfc2217://[::1]:1");
    EXPECT_FALSE(ParseNetworkPortName("/dev/ttyUSB0"));
    EXPECT_FALSE(ParseNetworkPortName("COM3"));
    for (const char* bad : {"tcp://", "tcp://host", "tcp://host:", "tcp://:4001", "tcp://host:0", "tcp://host:65536",
                            "tcp://host:40a1", "rfc2217://host:4001/", "tcp://a b:4001", "tcp://[]:4001"}) {
        EXPECT_THROW(ParseNetworkPortName(bad), std::invalid_argument) << bad;
        EXPECT_THROW(ParsePortArgument(bad), std::invalid_argument) << bad;
    }
}

TEST(TelnetComPort, OffersTheOptionAndDoublesEvery0xFF) {
    TelnetComPort telnet;
    EXPECT_EQ(telnet.Opening(), Hex("FF FB 2C"));
    EXPECT_EQ(TelnetComPort::Escape(Hex("01 FF 02 FF")), Hex("01 FF FF 02 FF FF"));
}

TEST(TelnetComPort, SplitsTheStreamAndAnswersTheServer) {
    struct Case {
        const char* what;
        std::vector<std::string> chunks;
        std::string data;
        std::string answer;
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

// The port opens COM5, which names a server the test plays on loopback. A telnet server
// greets every client by asking for the com-port option.
struct NetworkPortTest : testing::Test {
    void SetUp() override {
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
            peer = server.nextPendingConnection();
            if (greeting) peer->write(reinterpret_cast<const char*>(greeting->data()), qint64(greeting->size()));
        });
        port.SetCommPort(5);
    }
    void TearDown() override {
        port.SetPortOpen(false);
        ::unsetenv("SONAVEL_COM5");
    }
    void Name(const std::string& scheme, uint16_t number) {
        name = scheme + "127.0.0.1:" + std::to_string(number);
        ::setenv("SONAVEL_COM5", name.c_str(), 1);
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
        std::string opening;  // what the client sends before the first message
        std::string wireMessage, wireReply;
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

TEST_F(NetworkPortTest, DroppedConnectionIsLostOnceAndCanBeMadeAgain) {
    Name("rfc2217://", server.serverPort());
    greeting = Hex("FF FD 2C");
    std::vector<std::string> lost;
    port.OnPortLost = [&](const std::string& reason) { lost.push_back(reason); };
    ASSERT_TRUE(port.SetPortOpen(true).ok);
    ASSERT_TRUE(PumpUntil([&] { return peer != nullptr; }, 1000));
    peer->close();
    EXPECT_TRUE(PumpUntil([&] { return !lost.empty(); }, 2000));
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(lost, std::vector<std::string>{name + ": the server closed the connection"});
    EXPECT_FALSE(port.PortOpen());
    port.Output(Hex("01 20 03 40 09 0B 01 05 60"));  // closed: ignored
    EXPECT_TRUE(port.Input().empty());

    EXPECT_TRUE(port.SetPortOpen(true).ok);
    EXPECT_TRUE(port.PortOpen());
}

TEST_F(NetworkPortTest, RefusedConnectionIsAnOpenFailure) {
    Name("tcp://", server.serverPort());
    server.close();
    const PortStatus status = port.SetPortOpen(true);
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.error, name + ": the connection was refused");
    EXPECT_FALSE(port.PortOpen());

    ::setenv("SONAVEL_COM5", "tcp://127.0.0.1", 1);
    EXPECT_EQ(port.SetPortOpen(true).error,
              "\"tcp://127.0.0.1\" is not a network port: write tcp://HOST:PORT with a port number 1..65535");
}

// A server whose line is busy accepts a connection and closes it again with a line of text.
TEST_F(NetworkPortTest, ServerThatTurnsTheClientAwayIsTriedAgainUntilTheTimeIsUp) {
    int turnAway = 1;
    QObject::disconnect(&server, &QTcpServer::newConnection, nullptr, nullptr);
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&] {
        QTcpSocket* client = server.nextPendingConnection();
        if (turnAway-- <= 0) return;
        client->write("Port already in use\r\n");
        client->disconnectFromHost();
    });
    Name("tcp://", server.serverPort());
    EXPECT_TRUE(port.SetPortOpen(true).ok) << "the second connection is taken";
    port.SetPortOpen(false);

    turnAway = 1000;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(port.SetPortOpen(true).error, name + ": the server closed the connection (\"Port already in use\")");
    EXPECT_GE(clock.elapsed(), 2700);
    EXPECT_FALSE(port.PortOpen());
}

// A listener whose queue is full takes no more connections: a connect gets no answer.
TEST_F(NetworkPortTest, UnansweredConnectionTimesOutWithoutStoppingTheEventLoop) {
    sonavel::test::UnansweredPort unanswered;
    Name("tcp://", unanswered.Port());
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    QElapsedTimer clock;
    clock.start();
    const PortStatus status = port.SetPortOpen(true);
    const qint64 elapsed = clock.elapsed();
    EXPECT_EQ(status.error, name + ": no answer within 3 s");
    EXPECT_FALSE(port.PortOpen());
    EXPECT_GE(elapsed, 2900);
    EXPECT_LE(elapsed, 4000);
    EXPECT_GE(ticks, elapsed / 20 / 2) << "the event loop ran while the connection was awaited";

    // A timer that closes the port while the connection is awaited ends the wait.
    QTimer::singleShot(200, [&] { port.SetPortOpen(false); });
    clock.restart();
    EXPECT_EQ(port.SetPortOpen(true).error, name + ": closed before the connection was made");
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(port.PortOpen());
}

}  // namespace
