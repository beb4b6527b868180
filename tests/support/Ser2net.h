#pragma once
// ser2net, the network serial server, in front of a serial device: one raw `tcp` accepter and
// one `telnet(rfc2217)` accepter on 127.0.0.1 at free ports, run as a child process.
#include <QProcess>
#include <cstdint>
#include <string>

#include "tests/support/Folder.h"

namespace sonavel::test {

class Ser2net {
public:
    // Why ser2net cannot be run here, for a test's skip message; empty when it can.
    static std::string Missing();

    // Starts it in front of the device; throws std::runtime_error when it does not come up.
    explicit Ser2net(const std::string& devicePath);
    ~Ser2net() { Stop(); }
    Ser2net(const Ser2net&) = delete;
    Ser2net& operator=(const Ser2net&) = delete;

    std::string RawPort() const { return "tcp://127.0.0.1:" + std::to_string(rawPort_); }
    std::string Rfc2217Port() const { return "rfc2217://127.0.0.1:" + std::to_string(rfc2217Port_); }

    // Stops it as a shutdown does, which ends every connection and frees the device.
    void Stop();
    // Starts it again on the same ports.
    void Start();

private:
    Folder folder_;
    QProcess process_;
    uint16_t rawPort_ = 0;
    uint16_t rfc2217Port_ = 0;
};

}  // namespace sonavel::test
