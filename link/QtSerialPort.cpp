#include "link/QtSerialPort.h"

#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace sonavel {

namespace {
// A whole settings dump needs 126 ms at 9600 bit/s; allow for a slow adapter.
constexpr int kWriteTimeoutMs = 2000;
}  // namespace

std::string OpenFailureReason(QSerialPort::SerialPortError error, int accessErrno, const std::string& qtText) {
    if (error == QSerialPort::DeviceNotFoundError || accessErrno == ENOENT)
        return "no such device (is it plugged in?)";
    if (accessErrno == EACCES || accessErrno == EPERM)
        return "permission denied (add your user to the dialout group, then log in again)";
    // Qt reports a device that another program holds (its lock file, or the device kept
    // for one user only) as a permission error although access is allowed.
    if (error == QSerialPort::PermissionError) return "the device is busy (another program has it open)";
    return qtText;
}

QtSerialPort::QtSerialPort() {
    QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] {
        if (OnComm) OnComm();
    });
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) { OnError(error); });
    network_.OnData = [this] {
        if (OnComm) OnComm();
    };
    network_.OnLost = [this](const std::string& reason) {
        if (OnPortLost) OnPortLost(reason);
    };
}

QtSerialPort::~QtSerialPort() {
    // No callbacks into a half-destroyed owner while the port shuts down.
    QObject::disconnect(&port_, nullptr, &port_, nullptr);
    if (port_.isOpen()) port_.close();
}

std::string QtSerialPort::DeviceName() const {
    return deviceOverride_.empty() ? DeviceNameForPort(commPort_) : deviceOverride_;
}

PortStatus QtSerialPort::SetPortOpen(bool open) {
    if (!open) {
        if (port_.isOpen()) port_.close();
        network_.Close();
        return {};
    }
    if (PortOpen()) return {};
    const std::string device = DeviceName();
    if (device.empty())
        return {false, "port number " + std::to_string(commPort_) + " names no device"};
    try {
        if (const std::optional<NetworkPortName> network = ParseNetworkPortName(device))
            return network_.Open(*network);
    } catch (const std::invalid_argument& e) {
        return {false, e.what()};
    }
    port_.setPortName(QString::fromStdString(device));
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        const int accessErrno = ::access(device.c_str(), R_OK | W_OK) == 0 ? 0 : errno;
        return {false, device + " could not be opened: " +
                           OpenFailureReason(port_.error(), accessErrno, port_.errorString().toStdString())};
    }
    return {};
}

void QtSerialPort::Output(const Bytes& message) {
    if (network_.IsOpen()) {
        network_.Write(message);
        return;
    }
    if (!port_.isOpen() || message.empty()) return;
    port_.write(reinterpret_cast<const char*>(message.data()), static_cast<qint64>(message.size()));
    // Push the bytes out now: the caller usually blocks its thread in a pause right after.
    port_.waitForBytesWritten(kWriteTimeoutMs);
}

Bytes QtSerialPort::Input() {
    if (network_.IsOpen()) return network_.TakeReceived();
    if (!port_.isOpen()) return {};
    const QByteArray data = port_.readAll();
    return Bytes(data.begin(), data.end());
}

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
    // A vanished peer shows as read errors (a flood of them on a pseudo-terminal) or a
    // resource error; the port is closed at the first one.
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError) return;
    if (!port_.isOpen()) return;
    // The far end went away (adapter unplugged, line hung up); what the system calls it
    // ("Inappropriate ioctl for device", "Input/output error") would only mislead.
    const std::string reason = DeviceName() + " was disconnected";
    port_.close();
    if (OnPortLost) OnPortLost(reason);
}

}  // namespace sonavel
