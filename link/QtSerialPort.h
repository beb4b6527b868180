#pragma once
// The serial line on Qt's serial port: 9600 bit/s, 8 data bits, no parity, 1 stop bit, raw.
// A port named tcp://HOST:PORT or rfc2217://HOST:PORT is reached through a network serial
// server instead, with the same messages, pauses and waits.
// Needs a running Qt event loop on the owning thread for OnComm and for noticing a hang-up.
#include <QSerialPort>

#include "link/QtNetworkLine.h"
#include "link/SerialPort.h"

namespace sonavel {

// Why a device could not be opened, in words a user can act on: the error Qt reported and
// errno of a read-write access test of the device (0 when access is allowed).
std::string OpenFailureReason(QSerialPort::SerialPortError error, int accessErrno, const std::string& qtText);

class QtSerialPort : public SerialPort {
public:
    QtSerialPort();
    ~QtSerialPort() override;

    void SetCommPort(int number) override { commPort_ = number; }
    int CommPort() const override { return commPort_; }
    bool PortOpen() const override { return port_.isOpen() || network_.IsOpen(); }
    PortStatus SetPortOpen(bool open) override;
    void Output(const Bytes& message) override;
    Bytes Input() override;

    // Opens this device path instead of the one the port number names; empty restores the
    // numbered mapping. Takes effect at the next open.
    void SetDeviceOverride(const std::string& path) { deviceOverride_ = path; }
    // The device the next open uses.
    std::string DeviceName() const;

private:
    void OnError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    QtNetworkLine network_;
    int commPort_ = 1;
    std::string deviceOverride_;
};

}  // namespace sonavel
