#pragma once
// One end of a serial line as a raw file descriptor: the far end of a pseudo-terminal, or a
// device opened raw as the editor's serial port opens it, or a connected socket.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <string>

#include "link/Envelope.h"

namespace sonavel::test {

class LineEnd {
public:
    explicit LineEnd(int fd) : fd_(fd) {}
    // Opens the device raw and non-blocking; throws std::runtime_error when it cannot.
    explicit LineEnd(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
        if (fd_ < 0) throw std::runtime_error("cannot open " + path);
        termios mode{};
        ::tcgetattr(fd_, &mode);
        ::cfmakeraw(&mode);
        ::tcsetattr(fd_, TCSANOW, &mode);
    }
    LineEnd(const LineEnd&) = delete;
    LineEnd& operator=(const LineEnd&) = delete;
    ~LineEnd() { Close(); }

    void Write(const Bytes& bytes) const {
        if (WriteSome(bytes.data(), bytes.size()) != bytes.size()) throw std::runtime_error("write failed");
    }
    // Writes what the line takes now, without waiting; returns how many bytes that was.
    size_t WriteSome(const uint8_t* bytes, size_t count) const {
        const ssize_t written = ::write(fd_, bytes, count);
        if (written < 0 && errno != EAGAIN) throw std::runtime_error("write failed");
        return written < 0 ? 0 : size_t(written);
    }
    int Descriptor() const { return fd_; }
    // Collects up to `count` bytes within `timeoutMs`, without running events; spreadMs: first to last.
    Bytes Read(size_t count, int timeoutMs) {
        using Clock = std::chrono::steady_clock;
        Bytes got;
        Clock::time_point first{}, last{};
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (pollfd p{fd_, POLLIN, 0}; got.size() < count && Clock::now() < end;) {
            uint8_t buffer[512];
            if (::poll(&p, 1, 10) == 0) continue;
            const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - got.size()));
            if (n <= 0) break;
            last = Clock::now();
            if (got.empty()) first = last;
            got.insert(got.end(), buffer, buffer + n);
        }
        spreadMs = std::chrono::duration<double, std::milli>(last - first).count();
        return got;
    }
    // True when the other side has gone: reading fails as on a hung-up line.
    bool HungUp(int timeoutMs) const {
        pollfd p{fd_, POLLIN, 0};
        uint8_t byte;
        return ::poll(&p, 1, timeoutMs) > 0 && ((p.revents & POLLHUP) || (::read(fd_, &byte, 1) < 0 && errno == EIO));
    }
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    double spreadMs = 0;

private:
    int fd_;
};

}  // namespace sonavel::test
