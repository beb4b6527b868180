#include "tests/support/Ser2net.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "tests/support/LoopbackPorts.h"

namespace sonavel::test {

namespace {

constexpr int kStartMs = 5000;

// True when a socket listens on 127.0.0.1:port, as the kernel's table of TCP sockets shows.
bool Listening(uint16_t port) {
    char listener[64];
    std::snprintf(listener, sizeof listener, " 0100007F:%04X 00000000:0000 0A ", port);
    std::ostringstream table;
    table << std::ifstream("/proc/net/tcp").rdbuf();
    return table.str().find(listener) != std::string::npos;
}

}  // namespace

std::string Ser2net::Missing() {
    return QStandardPaths::findExecutable("ser2net").isEmpty()
               ? "ser2net is not installed (Debian package ser2net; scripts/install-deps installs it)"
               : "";
}

Ser2net::Ser2net(const std::string& devicePath) {
    rawPort_ = FreeLoopbackPort();
    rfc2217Port_ = FreeLoopbackPort();
    const std::string connector = "  connector: serialdev," + devicePath + ",9600n81,local\n";
    folder_.write("ser2net.yaml", "connection: &raw\n  accepter: tcp,127.0.0.1," + std::to_string(rawPort_) + "\n" +
                                      connector + "connection: &rfc2217\n  accepter: telnet(rfc2217),tcp,127.0.0.1," +
                                      std::to_string(rfc2217Port_) + "\n" + connector);
    // Its log (-d) goes to a file, so that no pipe fills up while a test runs.
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.setStandardOutputFile(QString::fromStdString(folder_.file("ser2net.log")), QIODevice::Append);
    Start();
}

void Ser2net::Start() {
    process_.start("ser2net", {"-n", "-d", "-c", QString::fromStdString(folder_.file("ser2net.yaml"))});
    const auto up = [this] { return Listening(rawPort_) && Listening(rfc2217Port_); };
    QElapsedTimer clock;
    clock.start();
    while (process_.state() != QProcess::NotRunning && !up() && clock.elapsed() < kStartMs) QThread::msleep(20);
    if (process_.state() == QProcess::NotRunning || !up()) {
        Stop();
        throw std::runtime_error("ser2net did not start: " + folder_.read("ser2net.log"));
    }
}

void Ser2net::Stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(kStartMs)) process_.kill();
    process_.waitForFinished(kStartMs);
}

}  // namespace sonavel::test
