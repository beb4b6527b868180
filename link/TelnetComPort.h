#pragma once
// The client side of telnet with the com-port option (RFC 2217), as far as a 9600-baud
// binary line needs it: it offers the com-port option, sets 9600 bit/s, 8 data bits, no
// parity, 1 stop bit and no flow control once the server agrees, agrees to binary mode and
// suppressed go-ahead, refuses every other option, doubles 0xFF in the data it sends and
// undoes the doubling in the data it receives. The server's answers to the settings and its line
// and modem notifications tell that it serves the line to this client; their values are dropped:
// the program does not use them.
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

    // True once the server sent a com-port answer or notification. A server that turns the client
    // away (its line is in use) may agree to the option first, but it sends neither.
    bool LineServed() const { return lineServed_; }

private:
    enum class State { Data, Command, Option, Sub, SubCommand };

    void AnswerOption(uint8_t verb, uint8_t option, Bytes& answer);
    // Notes one byte of a sub-negotiation from the server: its option, its command, then values.
    void NoteSubByte(uint8_t byte);

    State state_ = State::Data;
    uint8_t verb_ = 0;
    std::bitset<256> local_;   // options the client has agreed to perform
    std::bitset<256> remote_;  // options the server performs with the client's agreement
    bool comPortOffered_ = false;
    bool settingsSent_ = false;
    size_t subLength_ = 0;  // bytes of the current sub-negotiation so far
    uint8_t subOption_ = 0;
    bool lineServed_ = false;
};

}  // namespace sonavel
