#pragma once
// The client side of telnet with the com-port option (RFC 2217), as far as a 9600-baud
// binary line needs it: it offers the com-port option, sets 9600 bit/s, 8 data bits, no
// parity, 1 stop bit and no flow control once the server agrees, agrees to binary mode and
// suppressed go-ahead, refuses every other option, doubles 0xFF in the data it sends and
// undoes the doubling in the data it receives. The server's replies to the settings and its
// line and modem notifications are read and dropped: the program does not use them.
#include <bitset>

#include "link/Envelope.h"

namespace sonavel {

class TelnetComPort {
public:
    // What the client sends as soon as the connection stands.
    Bytes Opening();

    // Line data made ready for the stream: every 0xFF doubled.
    static Bytes Escape(const Bytes& data);

    struct Taken {
        Bytes data;    // the line's bytes, in order
        Bytes answer;  // to be sent back to the server at once
    };
    // Splits received stream bytes into line data and telnet commands and answers the
    // commands. A command split over several calls is completed by the next ones.
    Taken Take(const Bytes& stream);

    // True once the server has agreed to the com-port option and the settings went out.
    bool LineSettingsSent() const { return settingsSent_; }

private:
    enum class State { Data, Command, Option, Sub, SubCommand };

    void AnswerOption(uint8_t verb, uint8_t option, Bytes& answer);

    State state_ = State::Data;
    uint8_t verb_ = 0;
    std::bitset<256> local_;   // options the client has agreed to perform
    std::bitset<256> remote_;  // options the server performs with the client's agreement
    bool comPortOffered_ = false;
    bool settingsSent_ = false;
};

}  // namespace sonavel
