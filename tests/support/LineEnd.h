#pragma once
// One end of a serial line as a raw file descriptor: the far end of a pseudo-terminal, or a
// device opened raw as the editor's serial port opens it, or a connected socket.
#include <string>

#include "link/Envelope.h"

namespace sonavel::test {

class LineEnd {
public:
    // Takes over an open descriptor.
    explicit LineEnd(int fd) : fd_(fd) {}
    // Opens the device raw and non-blocking; throws std::runtime_error when it cannot.
    explicit LineEnd(const std::string& path);
    LineEnd(const LineEnd&) = delete;
    LineEnd& operator=(const LineEnd&) = delete;
    ~LineEnd() { Close(); }

    void Write(const Bytes& bytes) const;
    // Writes what the line takes now, without waiting; returns how many bytes that was.
    size_t WriteSome(const uint8_t* bytes, size_t count) const;
    // For an event loop to watch.
    int Descriptor() const { return fd_; }
    // Collects bytes until `count` have come or `timeoutMs` passed, without running events;
    // spreadMs is then the time from the first byte to the last.
    Bytes Read(size_t count, int timeoutMs);
    // True when the other side has gone: reading fails as on a hung-up line.
    bool HungUp(int timeoutMs) const;
    void Close();

    double spreadMs = 0;

private:
    int fd_;
};

}  // namespace sonavel::test
