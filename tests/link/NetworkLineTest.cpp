// Ports behind a network serial server: their names, the telnet com-port codec, the Qt port.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <limits>

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
    for (auto [text, number] : {std::pair{"com12", 12}, {"1", 1}, {"/dev/ttyUSB0", 0}}) {
        EXPECT_EQ(ParsePortArgument(text).number, number) << text;
        EXPECT_EQ(ParsePortArgument(text).devicePath, number ? "" : text) << text;
    }
    // A name shown again carries its protocol, host and port.
    for (auto [text, shown] : {std::pair{"tcp://127.0.0.1:4001", "tcp://127.0.0.1:4001"},
                               {"RFC2217://rack-3.example:65535", "rfc2217://rack-3.example:65535"},
                               {"rfc2217://[::1]:1", "rfc2217://[::1]:1"}}) {
        EXPECT_EQ(ParseNetworkPortName(text).value().Text(), shown);
        EXPECT_EQ(ParsePortArgument(text).devicePath, text);
    }
    for (const char* bad : {"", "COM0", "COM13", "0", "13", "COMx", "-1", "99999999999", "tcp://host", "tcp://:4001",
                            "tcp://host:0", "tcp://host:65536", "tcp://host:40a1", "tcp://a b:4001", "tcp://[]:4001"})
        EXPECT_THROW(ParsePortArgument(bad), std::invalid_argument) << bad;
}

// Commands split over chunks, a 0xFF inside a sub-negotiation; other options refused, an agreed one not
// agreed again, a withdrawn one acknowledged; the line settings go out once. The rest of the codec is the
// Qt port's test below; a real server's greeting is the editor's test behind ser2net.
TEST(TelnetComPort, SplitsTheStreamAndAnswersTheServer) {
    TelnetComPort telnet;
    telnet.Opening();
    Bytes data, answer;
    for (const char* chunk : {"01 FF", "FF 02 FF", "FA 2C 6A 60", " FF", " F0 FF F1 04 FF FA 2C 6B FF FF 06 FF F0 07",
                              "FF FD 18 FF FB 05 FF FB 00 FF FB 00 FF FC 00 FF FE 01", "FF FD 2C",
                              "FF FE 2C FF FD 2C"}) {
        const TelnetComPort::Taken taken = telnet.Take(Hex(chunk));
        data.insert(data.end(), taken.data.begin(), taken.data.end());
        answer.insert(answer.end(), taken.answer.begin(), taken.answer.end());
    }
    EXPECT_EQ(data, Hex("01 FF 02 04 07"));
    EXPECT_EQ(answer, Hex("FF FC 18  FF FE 05  FF FD 00  FF FE 00  " + kLineSettings + " FF FC 2C"));

    // Agreeing to the com-port option is not serving the line: a busy server agrees, then turns the
    // client away. A com-port answer or notification tells that it serves this client.
    TelnetComPort served;
    served.Take(Hex("FF FD 2C FF FA 18 01 FF F0"));
    EXPECT_FALSE(served.LineServed());
    served.Take(Hex("FF FA 2C 6B 00 FF F0"));
    EXPECT_TRUE(served.LineServed());
}

// The port opens a server the test plays on loopback as ser2net behaves. Its telnet accepter greets
// every client by asking for the com-port option and answers the baud rate of a client it serves;
// while busy the server says so instead and closes the connection again.
struct NetworkPortTest : testing::Test {
    void SetUp() override {
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
            QTcpSocket* client = peer = server.nextPendingConnection();
            if (telnet) Write("FF FD 2C");  // DO COM-PORT
            if (++connections > busyFor) {
                if (telnet) Write("FF FA 2C 65 00 00 25 80 FF F0");  // the baud rate is 9600
                return;
            }
            const auto turnAway = [client] {
                client->write("Port already in use\r\n");
                client->disconnectFromHost();
            };
            // The telnet accepter finds the line busy only after the client answered its greeting.
            if (telnet) QObject::connect(client, &QTcpSocket::readyRead, client, turnAway, Qt::SingleShotConnection);
            else turnAway();
        });
    }
    void Write(const std::string& hex) { peer->write(QByteArray::fromHex(QByteArray::fromStdString(hex))); }
    std::string At(uint16_t number) const { return "tcp://127.0.0.1:" + std::to_string(number); }

    QTcpServer server;
    QTcpSocket* peer = nullptr;
    bool telnet = true;
    int busyFor = 0;  // connections turned away before one is served
    int connections = 0;
    QtSerialPort port;
};

// A busy telnet server agrees to the com-port option before it turns the client away: the port
// asks again until it is served. Through the server 0xFF is doubled both ways and the server's
// notifications are dropped. A raw stream is the command-line tool's test behind ser2net.
TEST_F(NetworkPortTest, ABusyServerIsAskedAgainAndMessagesCrossEscapedAtOnce) {
    busyFor = 2;
    port.SetDeviceOverride("rfc2217://127.0.0.1:" + std::to_string(server.serverPort()));
    ASSERT_TRUE(port.SetPortOpen(true).ok);
    EXPECT_EQ(connections, 3);
    port.Output(Hex("01 20 03 40 0A 10 05 FF 05 60"));
    // Read without running the port's events: the opening and the message have left at once.
    const Bytes expected = Hex("FF FB 2C " + kLineSettings + " 01 20 03 40 0A 10 05 FF FF 05 60");
    QByteArray wire;
    while (wire.size() < qsizetype(expected.size()) && (peer->bytesAvailable() > 0 || peer->waitForReadyRead(1000)))
        wire += peer->readAll();
    EXPECT_EQ(Bytes(wire.begin(), wire.end()), expected);

    Bytes received;
    port.OnComm = [&] {
        for (uint8_t byte : port.Input()) received.push_back(byte);
    };
    Write("20 FF FF FF FA 2C 6B 00 FF F0 41");
    PumpUntil([&] { return received.size() >= 3; }, 1000);
    EXPECT_EQ(received, Hex("20 FF 41"));
}

// A busy server is asked again until the connection time is up. A refused and an unanswered
// connection are the editor's end-to-end tests; a listener whose queue is full gives a connect
// no answer at all, and a timer that closes the port in the wait shows the event loop runs.
TEST_F(NetworkPortTest, OpenFailuresNameTheCauseAfterTheirTimeWithoutStoppingTheEventLoop) {
    telnet = false;
    busyFor = std::numeric_limits<int>::max();
    port.SetDeviceOverride(At(server.serverPort()));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(port.SetPortOpen(true).error,
              At(server.serverPort()) + ": the server closed the connection (\"Port already in use\")");
    EXPECT_GE(clock.elapsed(), 2700);
    EXPECT_LE(clock.elapsed(), 4000);


    const sonavel::test::UnansweredPort unanswered;
    port.SetDeviceOverride(At(unanswered.Port()));
    QTimer::singleShot(200, [&] { port.SetPortOpen(false); });
    clock.restart();
    EXPECT_EQ(port.SetPortOpen(true).error, At(unanswered.Port()) + ": closed before the connection was made");
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(port.PortOpen());
}

}  // namespace
