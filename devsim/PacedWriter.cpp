#include "devsim/PacedWriter.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace sonavel::devsim {

namespace {

constexpr int kStalledPeerMs = 200;  // a peer that reads nothing for this long is given up on

bool WriteByte(int fd, uint8_t byte) {
    while (true) {
        const ssize_t written = write(fd, &byte, 1);
        if (written == 1) return true;
        if (written < 0 && errno == EINTR) continue;
        if (written < 0 && errno == EAGAIN) {
            pollfd p{fd, POLLOUT, 0};
            if (poll(&p, 1, kStalledPeerMs) > 0 && (p.revents & POLLOUT)) continue;
        }
        return false;
    }
}

}  // namespace

bool WritePaced(int fd, const std::vector<LineChunk>& chunks) {
    using Clock = std::chrono::steady_clock;
    for (const LineChunk& chunk : chunks) {
        std::this_thread::sleep_for(std::chrono::milliseconds(chunk.pauseBeforeMs));
        const Clock::time_point start = Clock::now();
        for (size_t i = 0; i < chunk.bytes.size(); ++i) {
            std::this_thread::sleep_until(start + kByteTime * static_cast<long long>(i));
            if (!WriteByte(fd, chunk.bytes[i])) return false;
        }
        std::this_thread::sleep_until(start + kByteTime * static_cast<long long>(chunk.bytes.size()));
    }
    return true;
}

}  // namespace sonavel::devsim
