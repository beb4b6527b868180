#pragma once
// One exchange of the address tool with whatever unit is on the line: open the port, send
// the read or program message (address field 255), show what comes back, and close the
// port after 20 counted bytes or on the fourth timer tick.
#include <string>

#include "link/SerialPort.h"

namespace sonavel::addrtool {

// What the exchange shows: the status line and the port lamp.
class AddressToolView {
public:
    virtual ~AddressToolView() = default;
    // Replaces the status line; `detail` says more about a failure (empty otherwise).
    virtual void SetStatus(const std::string& text, const std::string& detail) = 0;
    // Appends the character the byte stands for.
    virtual void AppendStatusByte(unsigned char code) = 0;
    virtual void SetPortLamp(bool on) = 0;
};

constexpr int kReadAddressCommand = 16;
constexpr int kProgramAddressCommand = 15;
constexpr int kToolAddressField = 255;
constexpr int kPortTimeoutTicks = 3;  // ticks counted down before the port closes
constexpr int kRxCountLimit = 20;     // RxCount at which the port closes
constexpr int kTimerIntervalMs = 200;
constexpr const char* kOpenFailedText = "Open COM port failed!";

class AddressExchange {
public:
    AddressExchange(SerialPort& port, AddressToolView& view);

    // Positions are list positions (0 = first entry, -1 = none): port number = position + 1,
    // payload byte = address position + 1.
    void ReadAddress(int portPosition, int addressPosition);
    void ProgramAddress(int portPosition, int addressPosition);

    // Timer1: counts PortTicks down, then puts the lamp out and closes the port.
    void OnTimerTick();

    int PortTicks() const { return portTicks_; }
    int RxCount() const { return rxCount_; }

private:
    void Exchange(int command, const std::string& caption, int portPosition, int addressPosition);
    void Receive();
    void LineLost(const std::string& reason);

    SerialPort& port_;
    AddressToolView& view_;
    int portTicks_ = 0;
    int rxCount_ = 0;
};

}  // namespace sonavel::addrtool
