#include "link/QtSerialPort.h"

namespace sonavel {

namespace {
// A whole settings dump needs 126 ms at 9600 bit/s; allow for a slow adapter.
constexpr int kWriteTimeoutMs = 2000;
}  // namespace

QtSerialPort::QtSerialPort() {
    QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] {
        if (OnComm) OnComm();
    });
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) { OnError(error); });
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
        return {};
    }
    if (port_.isOpen()) return {};
    const std::string device = DeviceName();
    if (device.empty())
        return {false, "port number " + std::to_string(commPort_) + " names no device"};
    port_.setPortName(QString::fromStdString(device));
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite))
        return {false, device + " could not be opened: " + port_.errorString().toStdString()};
    return {};
}

void QtSerialPort::Output(const Bytes& message) {
    if (!port_.isOpen() || message.empty()) return;
    port_.write(reinterpret_cast<const char*>(message.data()), static_cast<qint64>(message.size()));
    // Push the bytes out now: the caller usually blocks its thread in a pause right after.
    port_.waitForBytesWritten(kWriteTimeoutMs);
}

Bytes QtSerialPort::Input() {
    if (!port_.isOpen()) return {};
    const QByteArray data = port_.readAll();
    return Bytes(data.begin(), data.end());
}

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
    // A vanished peer shows as read errors (a flood of them on a pseudo-terminal) or a
    // resource error; the port is closed at the first one.
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError) return;
    if (!port_.isOpen()) return;
    const std::string reason =
        port_.portName().toStdString() + " was closed: " + port_.errorString().toStdString();
    port_.close();
    if (OnPortLost) OnPortLost(reason);
}

}  // namespace sonavel
