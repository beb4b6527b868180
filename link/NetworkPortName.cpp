#include "link/NetworkPortName.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace sonavel {

namespace {

constexpr struct {
    const char* prefix;
    NetworkProtocol protocol;
} kSchemes[] = {{"tcp://", NetworkProtocol::RawTcp}, {"rfc2217://", NetworkProtocol::Rfc2217}};

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

bool IsPortNumber(const std::string& digits) {
    if (digits.empty() || digits.size() > 5 ||
        !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
        return false;
    const int number = std::stoi(digits);
    return number >= 1 && number <= 65535;
}

}  // namespace

std::string NetworkPortName::Text() const {
    const std::string shownHost = host.find(':') != std::string::npos ? "[" + host + "]" : host;
    return std::string(protocol == NetworkProtocol::RawTcp ? "tcp://" : "rfc2217://") + shownHost + ":" +
           std::to_string(port);
}

std::optional<NetworkPortName> ParseNetworkPortName(const std::string& name) {
    for (const auto& scheme : kSchemes) {
        if (!StartsWithNoCase(name, scheme.prefix)) continue;
        const std::string rest = name.substr(std::string(scheme.prefix).size());
        const size_t colon = rest.rfind(':');
        std::string host = colon == std::string::npos ? rest : rest.substr(0, colon);
        const std::string digits = colon == std::string::npos ? std::string() : rest.substr(colon + 1);
        if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
        const bool hostOk = !host.empty() && std::none_of(host.begin(), host.end(), [](unsigned char c) {
            return std::isspace(c) || c == '/' || c == '[' || c == ']' || c == '@';
        });
        if (!hostOk || !IsPortNumber(digits))
            throw std::invalid_argument("\"" + name + "\" is not a network port: write " + scheme.prefix +
                                        "HOST:PORT with a port number 1..65535");
        return NetworkPortName{scheme.protocol, host, static_cast<uint16_t>(std::stoi(digits))};
    }
    return std::nullopt;
}

}  // namespace sonavel
