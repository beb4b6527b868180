#include "link/SerialPort.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <stdexcept>

#include "link/NetworkPortName.h"

namespace sonavel {

std::string DeviceNameForPort(int number) {
    if (number < 1) return {};
#ifdef _WIN32
    return "COM" + std::to_string(number);
#else
    const std::string variable = "SONAVEL_COM" + std::to_string(number);
    if (const char* path = std::getenv(variable.c_str()); path && *path) return path;
    return "/dev/ttyS" + std::to_string(number - 1);
#endif
}

PortArgument ParsePortArgument(const std::string& text) {
    if (ParseNetworkPortName(text)) return {0, text};
    if (text.find_first_of("/\\") != std::string::npos) return {0, text};

    std::string digits = text;
    if (digits.size() > 3) {
        std::string prefix = digits.substr(0, 3);
        std::transform(prefix.begin(), prefix.end(), prefix.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (prefix == "COM") digits.erase(0, 3);
    }
    const bool allDigits = !digits.empty() && digits.size() <= 3 &&
                           std::all_of(digits.begin(), digits.end(),
                                       [](unsigned char c) { return std::isdigit(c) != 0; });
    const int number = allDigits ? std::stoi(digits) : 0;
    if (number < 1 || number > kMaxPortNumber)
        throw std::invalid_argument("\"" + text +
                                    "\" is not a port: give COM1..COM12, 1..12 or a device path");
    return {number, {}};
}

}  // namespace sonavel
