#pragma once
// Bytes written as in a line trace: "01 20 03 40".
#include <sstream>
#include <string>

#include "link/Envelope.h"

namespace sonavel {

inline Bytes Hex(const std::string& text) {
    std::istringstream in(text);
    Bytes bytes;
    for (unsigned value; in >> std::hex >> value;) bytes.push_back(static_cast<uint8_t>(value));
    return bytes;
}

}  // namespace sonavel
