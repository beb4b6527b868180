#pragma once
// The message envelope every frame uses in both directions:
// 01 20 03 40, LEN (total bytes), CMD, payload, address, 05 60.
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace sonavel {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t kHeader[4] = {0x01, 0x20, 0x03, 0x40};
constexpr uint8_t kTrailer[2] = {0x05, 0x60};
constexpr int kEnvelopeBytes = 9;  // a message without payload

// A value that cannot travel as one unsigned byte: a program error, never a user error.
struct ByteOverflow : std::range_error {
    using std::range_error::range_error;
};

// Range-tested conversion of a store value into one byte; throws ByteOverflow outside 0..255.
uint8_t ToByte(int value);

// Builds a whole message: header, LEN, CMD, the payload values in order, address, trailer.
Bytes BuildMessage(int command, const std::vector<int>& payload, int address);

}  // namespace sonavel
