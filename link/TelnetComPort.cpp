#include "link/TelnetComPort.h"

namespace sonavel {

namespace {

constexpr uint8_t kIac = 255, kDont = 254, kDo = 253, kWont = 252, kWill = 251, kSb = 250, kSe = 240;
constexpr uint8_t kBinary = 0, kSuppressGoAhead = 3, kComPort = 44;

// Com-port option commands from the client and their values for 9600 bit/s 8N1, no flow control.
constexpr uint8_t kSetBaudRate = 1, kSetDataSize = 2, kSetParity = 3, kSetStopSize = 4, kSetControl = 5;
// The server's com-port commands (answers and notifications) are the client's codes plus this.
constexpr uint8_t kFromServer = 100;
constexpr uint32_t kBaudRate = 9600;
constexpr uint8_t kDataBits = 8, kNoParity = 1, kOneStopBit = 1, kNoFlowControl = 1;

bool ServerMayPerform(uint8_t option) { return option == kBinary || option == kSuppressGoAhead; }
bool ClientPerforms(uint8_t option) {
    return option == kBinary || option == kSuppressGoAhead || option == kComPort;
}

void AppendCommand(Bytes& out, uint8_t verb, uint8_t option) { out.insert(out.end(), {kIac, verb, option}); }

void AppendComPortCommand(Bytes& out, uint8_t command, const Bytes& value) {
    out.insert(out.end(), {kIac, kSb, kComPort, command});
    const Bytes escaped = TelnetComPort::Escape(value);
    out.insert(out.end(), escaped.begin(), escaped.end());
    out.insert(out.end(), {kIac, kSe});
}

void AppendLineSettings(Bytes& out) {
    AppendComPortCommand(out, kSetBaudRate,
                         {static_cast<uint8_t>(kBaudRate >> 24), static_cast<uint8_t>(kBaudRate >> 16),
                          static_cast<uint8_t>(kBaudRate >> 8), static_cast<uint8_t>(kBaudRate)});
    AppendComPortCommand(out, kSetDataSize, {kDataBits});
    AppendComPortCommand(out, kSetParity, {kNoParity});
    AppendComPortCommand(out, kSetStopSize, {kOneStopBit});
    AppendComPortCommand(out, kSetControl, {kNoFlowControl});
}

}  // namespace

Bytes TelnetComPort::Opening() {
    comPortOffered_ = true;
    Bytes out;
    AppendCommand(out, kWill, kComPort);
    return out;
}

Bytes TelnetComPort::Escape(const Bytes& data) {
    Bytes out;
    out.reserve(data.size());
    for (uint8_t byte : data) {
        out.push_back(byte);
        if (byte == kIac) out.push_back(kIac);
    }
    return out;
}

// Each request is answered only when it would change what is agreed, so that two sides that
// both insist never loop.
void TelnetComPort::AnswerOption(uint8_t verb, uint8_t option, Bytes& answer) {
    switch (verb) {
        case kWill:
            if (remote_[option]) return;
            remote_[option] = ServerMayPerform(option);
            AppendCommand(answer, remote_[option] ? kDo : kDont, option);
            return;
        case kWont:
            if (!remote_[option]) return;
            remote_[option] = false;
            AppendCommand(answer, kDont, option);
            return;
        case kDo:
            if (local_[option]) return;
            local_[option] = ClientPerforms(option);
            // A request for the com-port option the client offered is the server's agreement.
            if (!(option == kComPort && comPortOffered_)) AppendCommand(answer, local_[option] ? kWill : kWont, option);
            if (option == kComPort && !settingsSent_) {
                AppendLineSettings(answer);
                settingsSent_ = true;
            }
            return;
        case kDont:
            if (!local_[option]) return;
            local_[option] = false;
            AppendCommand(answer, kWont, option);
            return;
    }
}

void TelnetComPort::NoteSubByte(uint8_t byte) {
    if (subLength_ == 0) subOption_ = byte;
    if (subLength_ == 1 && subOption_ == kComPort && byte >= kFromServer) lineServed_ = true;
    ++subLength_;
}

TelnetComPort::Taken TelnetComPort::Take(const Bytes& stream) {
    Taken taken;
    for (uint8_t byte : stream) {
        switch (state_) {
            case State::Data:
                if (byte == kIac) state_ = State::Command;
                else taken.data.push_back(byte);
                break;
            case State::Command:
                state_ = State::Data;
                if (byte == kIac) taken.data.push_back(kIac);
                else if (byte >= kWill) {
                    verb_ = byte;
                    state_ = State::Option;
                } else if (byte == kSb) {
                    state_ = State::Sub;
                    subLength_ = 0;
                }
                // Any other command (no-operation, go-ahead, break, ...) carries nothing for the line.
                break;
            case State::Option:
                AnswerOption(verb_, byte, taken.answer);
                state_ = State::Data;
                break;
            case State::Sub:
                if (byte == kIac) state_ = State::SubCommand;
                else NoteSubByte(byte);
                break;
            case State::SubCommand:
                state_ = byte == kSe ? State::Data : State::Sub;
                if (byte == kIac) NoteSubByte(byte);
                break;
        }
    }
    return taken;
}

}  // namespace sonavel
