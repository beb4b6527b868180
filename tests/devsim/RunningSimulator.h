#pragma once
// Test helpers: the simulator serving its line on a thread of its own, and the editor's end
// of that line, opened raw as the editor's serial port opens it.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "devsim/Simulator.h"

namespace devsim_test {

class RunningSimulator {
public:
    explicit RunningSimulator(const sonavel::devsim::SimulatorOptions& options) : simulator_(options) {}
    // Ends the run as a stop signal does; the state file is written on the way out.
    ~RunningSimulator() {
        flags.stop = true;
        thread_.join();
    }
    const std::string& DevicePath() const { return simulator_.DevicePath(); }
    sonavel::devsim::RunFlags flags;

private:
    sonavel::devsim::Simulator simulator_;
    std::thread thread_{[this] { simulator_.Run(flags); }};
};

class LineEnd {
public:
    using Clock = std::chrono::steady_clock;
    explicit LineEnd(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
        if (fd_ < 0) throw std::runtime_error("cannot open " + path);
        termios t{};
        tcgetattr(fd_, &t);
        cfmakeraw(&t);
        tcsetattr(fd_, TCSANOW, &t);
    }
    ~LineEnd() { close(fd_); }
    void Write(const sonavel::Bytes& bytes) const {
        if (write(fd_, bytes.data(), bytes.size()) != ssize_t(bytes.size())) throw std::runtime_error("write failed");
    }
    // Collects bytes until `count` have come or `timeoutMs` passed; spreadMs is then the time
    // from the first byte to the last.
    sonavel::Bytes Read(size_t count, int timeoutMs) {
        sonavel::Bytes got;
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
    // True when reading fails as on a hung-up line.
    bool HungUp(int timeoutMs) const {
        pollfd p{fd_, POLLIN, 0};
        uint8_t byte;
        return poll(&p, 1, timeoutMs) > 0 && ((p.revents & POLLHUP) || (read(fd_, &byte, 1) < 0 && errno == EIO));
    }
    double spreadMs = 0;

private:
    int fd_;
};

}  // namespace devsim_test
