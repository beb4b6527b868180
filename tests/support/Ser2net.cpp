#include "tests/support/Ser2net.h"

#include <signal.h>

#include <QElapsedTimer>
#include <QFile>
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
    std::ifstream table("/proc/net/tcp");
    std::string line;
    std::getline(table, line);  // the heading
    char local[32];
    std::snprintf(local, sizeof local, "0100007F:%04X", port);
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot, address, remote, state;
        fields >> slot >> address >> remote >> state;
        if (address == local && state == "0A") return true;
    }
    return false;
}

}  // namespace

std::string Ser2net::Missing() {
    if (QStandardPaths::findExecutable("ser2net").isEmpty())
        return "ser2net is not installed (Debian package ser2net; scripts/install-deps installs it)";
    return {};
}

Ser2net::Ser2net(const std::string& devicePath) {
    if (!folder_.isValid()) throw std::runtime_error("no temporary folder for ser2net");
    rawPort_ = FreeLoopbackPort();
    rfc2217Port_ = FreeLoopbackPort();
    const std::string connector = "  connector: serialdev," + devicePath + ",9600n81,local\n";
    QFile config(folder_.filePath("ser2net.yaml"));
    if (!config.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write the ser2net configuration");
    config.write(("connection: &raw\n  accepter: tcp,127.0.0.1," + std::to_string(rawPort_) + "\n" + connector +
                  "connection: &rfc2217\n  accepter: telnet(rfc2217),tcp,127.0.0.1," + std::to_string(rfc2217Port_) +
                  "\n" + connector)
                     .c_str());
    config.close();
    // Its log (-d) goes to a file, so that no pipe fills up while a test runs.
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.setStandardOutputFile(folder_.filePath("ser2net.log"), QIODevice::Append);
    Start();
}

Ser2net::~Ser2net() { Stop(); }

std::string Ser2net::RawPort() const { return "tcp://127.0.0.1:" + std::to_string(rawPort_); }
std::string Ser2net::Rfc2217Port() const { return "rfc2217://127.0.0.1:" + std::to_string(rfc2217Port_); }

void Ser2net::Start() {
    process_.start("ser2net", {"-n", "-d", "-c", folder_.filePath("ser2net.yaml")});
    QElapsedTimer clock;
    clock.start();
    while (process_.state() != QProcess::NotRunning && clock.elapsed() < kStartMs &&
           !(Listening(rawPort_) && Listening(rfc2217Port_))) {
        QThread::msleep(20);
    }
    if (process_.state() == QProcess::NotRunning || !Listening(rawPort_) || !Listening(rfc2217Port_)) {
        Stop();
        QFile log(folder_.filePath("ser2net.log"));
        log.open(QIODevice::ReadOnly);
        throw std::runtime_error("ser2net did not start: " + log.readAll().toStdString());
    }
}

void Ser2net::Stop() {
    if (process_.state() == QProcess::NotRunning) return;
    ::kill(static_cast<pid_t>(process_.processId()), SIGTERM);
    if (!process_.waitForFinished(kStartMs)) {
        process_.kill();
        process_.waitForFinished(kStartMs);
    }
}

}  // namespace sonavel::test
