#include "addrtool/AddressExchange.h"

namespace sonavel::addrtool {

AddressExchange::AddressExchange(SerialPort& port, AddressToolView& view) : port_(port), view_(view) {
    port_.OnComm = [this] { Receive(); };
    port_.OnPortLost = [this](const std::string& reason) { LineLost(reason); };
}

void AddressExchange::ReadAddress(int portPosition, int addressPosition) {
    Exchange(kReadAddressCommand, "Read Address...", portPosition, addressPosition);
}

void AddressExchange::ProgramAddress(int portPosition, int addressPosition) {
    Exchange(kProgramAddressCommand, "Program Address...", portPosition, addressPosition);
}

void AddressExchange::Exchange(int command, const std::string& caption, int portPosition,
                               int addressPosition) {
    view_.SetStatus(caption, {});
    portTicks_ = kPortTimeoutTicks;
    PortStatus status;
    if (port_.PortOpen()) status = port_.SetPortOpen(false);
    port_.SetCommPort(portPosition + 1);
    // The port is opened, closed and opened again before the message goes out.
    for (bool open : {true, false, true})
        if (status.ok) status = port_.SetPortOpen(open);
    if (!status.ok) {
        view_.SetPortLamp(false);
        view_.SetStatus(kOpenFailedText, status.error);
        return;
    }
    view_.SetPortLamp(true);
    const Bytes message = BuildMessage(command, {addressPosition + 1}, kToolAddressField);
    if (port_.PortOpen()) {
        port_.Output(message);
        rxCount_ = 1;
    }
}

void AddressExchange::Receive() {
    for (unsigned char byte : port_.Input()) {
        view_.AppendStatusByte(byte);
        if (++rxCount_ >= kRxCountLimit) {
            rxCount_ = kRxCountLimit;
            if (port_.PortOpen()) port_.SetPortOpen(false);
        }
    }
}

// The line went away under the open port, which is closed already: the lamp goes out and,
// unless a reply is showing, the status names the device as disconnected.
void AddressExchange::LineLost(const std::string& reason) {
    view_.SetPortLamp(false);
    if (rxCount_ <= 1) view_.SetStatus(reason, {});
}

void AddressExchange::OnTimerTick() {
    if (portTicks_ > 0) {
        --portTicks_;
        return;
    }
    view_.SetPortLamp(false);
    if (port_.PortOpen()) port_.SetPortOpen(false);
}

}  // namespace sonavel::addrtool
