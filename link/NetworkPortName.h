#pragma once
// A port reached through a network serial server instead of a local device:
//   tcp://HOST:PORT      a raw byte stream; the server holds the line settings
//   rfc2217://HOST:PORT  telnet with the com-port option; the program sets the line itself
#include <cstdint>
#include <optional>
#include <string>

namespace sonavel {

enum class NetworkProtocol { RawTcp, Rfc2217 };

struct NetworkPortName {
    NetworkProtocol protocol = NetworkProtocol::RawTcp;
    std::string host;  // a name or an address; an IPv6 address without its brackets
    uint16_t port = 0;

    // The name as the user writes it, for messages.
    std::string Text() const;
};

// Empty when the name starts with neither "tcp://" nor "rfc2217://" (any case), so it names
// a local device. Throws std::invalid_argument with a message for the user when it does but
// the host or the port (1..65535) is missing or malformed.
std::optional<NetworkPortName> ParseNetworkPortName(const std::string& name);

}  // namespace sonavel
