#include "tests/support/LineEnd.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>

namespace sonavel::test {

LineEnd::LineEnd(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
    if (fd_ < 0) throw std::runtime_error("cannot open " + path);
    termios mode{};
    tcgetattr(fd_, &mode);
    cfmakeraw(&mode);
    tcsetattr(fd_, TCSANOW, &mode);
}

void LineEnd::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

void LineEnd::Write(const Bytes& bytes) const {
    if (WriteSome(bytes.data(), bytes.size()) != bytes.size()) throw std::runtime_error("write failed");
}

size_t LineEnd::WriteSome(const uint8_t* bytes, size_t count) const {
    const ssize_t written = write(fd_, bytes, count);
    if (written < 0 && errno != EAGAIN) throw std::runtime_error("write failed");
    return written < 0 ? 0 : size_t(written);
}

Bytes LineEnd::Read(size_t count, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    Bytes got;
    Clock::time_point first{}, last{};
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (pollfd p{fd_, POLLIN, 0}; got.size() < count && Clock::now() < end;) {
        uint8_t buffer[512];
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (poll(&p, 1, int(left.count()) + 1) <= 0 || !(p.revents & POLLIN)) break;
        const ssize_t n = read(fd_, buffer, std::min(sizeof buffer, count - got.size()));
        if (n <= 0) break;
        last = Clock::now();
        if (got.empty()) first = last;
        got.insert(got.end(), buffer, buffer + n);
    }
    spreadMs = std::chrono::duration<double, std::milli>(last - first).count();
    return got;
}

bool LineEnd::HungUp(int timeoutMs) const {
    pollfd p{fd_, POLLIN, 0};
    uint8_t byte;
    return poll(&p, 1, timeoutMs) > 0 && ((p.revents & POLLHUP) || (read(fd_, &byte, 1) < 0 && errno == EIO));
}

}  // namespace sonavel::test
