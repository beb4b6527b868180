#include "link/Envelope.h"

#include <string>

namespace sonavel {

uint8_t ToByte(int value) {
    if (value < 0 || value > 255)
        throw ByteOverflow("value " + std::to_string(value) + " does not fit one byte");
    return static_cast<uint8_t>(value);
}

Bytes BuildMessage(int command, const std::vector<int>& payload, int address) {
    const int length = kEnvelopeBytes + static_cast<int>(payload.size());
    Bytes message(std::begin(kHeader), std::end(kHeader));
    message.reserve(length);
    message.push_back(ToByte(length));
    message.push_back(ToByte(command));
    for (int value : payload) message.push_back(ToByte(value));
    message.push_back(ToByte(address));
    message.insert(message.end(), std::begin(kTrailer), std::end(kTrailer));
    return message;
}

}  // namespace sonavel
