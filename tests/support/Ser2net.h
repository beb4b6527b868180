#pragma once
// ser2net, the network serial server, in front of a serial device: one raw `tcp` accepter and
// one `telnet(rfc2217)` accepter on 127.0.0.1 at free ports, run as a child process.
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "tests/support/Folder.h"
#include "tests/support/LoopbackPorts.h"

namespace sonavel::test {

class Ser2net {
public:
    // Why ser2net cannot be run here, for a test's skip message; empty when it can.
    static std::string Missing() {
        return QStandardPaths::findExecutable("ser2net").isEmpty()
                   ? "ser2net is not installed (Debian package ser2net; scripts/install-deps installs it)"
                   : "";
    }

    // Starts it in front of the device; throws std::runtime_error when it does not come up.
    explicit Ser2net(const std::string& devicePath) : rawPort_(FreeLoopbackPort()), rfc2217Port_(FreeLoopbackPort()) {
        const std::string connector = "  connector: serialdev," + devicePath + ",9600n81,local\n";
        folder_.write("ser2net.yaml", "connection: &raw\n  accepter: tcp,127.0.0.1," + std::to_string(rawPort_) +
                                          "\n" + connector + "connection: &rfc2217\n  accepter: telnet(rfc2217),tcp," +
                                          "127.0.0.1," + std::to_string(rfc2217Port_) + "\n" + connector);
        // Its log (-d) goes to a file, so that no pipe fills up while a test runs.
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.setStandardOutputFile(QString::fromStdString(folder_.file("ser2net.log")), QIODevice::Append);
        Start();
    }
    ~Ser2net() { Stop(); }

    std::string RawPort() const { return "tcp://127.0.0.1:" + std::to_string(rawPort_); }
    std::string Rfc2217Port() const { return "rfc2217://127.0.0.1:" + std::to_string(rfc2217Port_); }

    // Stops it as a shutdown does, which ends every connection and frees the device.
    void Stop() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(kStartMs)) process_.kill();
        process_.waitForFinished(kStartMs);
    }
    // Starts it again on the same ports.
    void Start() {
        process_.start("ser2net", {"-n", "-d", "-c", QString::fromStdString(folder_.file("ser2net.yaml"))});
        const auto up = [this] { return Listening(rawPort_) && Listening(rfc2217Port_); };
        for (int waited = 0; process_.state() != QProcess::NotRunning && !up() && waited < kStartMs; waited += 20)
            QThread::msleep(20);
        if (process_.state() == QProcess::NotRunning || !up()) {
            Stop();
            throw std::runtime_error("ser2net did not start: " + folder_.read("ser2net.log"));
        }
    }

private:
    static constexpr int kStartMs = 5000;
    // True when a socket listens on 127.0.0.1:port, as the kernel's table of TCP sockets shows.
    static bool Listening(uint16_t port) {
        char listener[64];
        std::snprintf(listener, sizeof listener, " 0100007F:%04X 00000000:0000 0A ", port);
        std::ifstream table("/proc/net/tcp");
        return std::string(std::istreambuf_iterator<char>(table), {}).find(listener) != std::string::npos;
    }

    Folder folder_;
    QProcess process_;
    uint16_t rawPort_;
    uint16_t rfc2217Port_;
};

}  // namespace sonavel::test
