#pragma once
// Test helpers: the simulator program as a child process, and the editor's end of its line.
#include <sys/types.h>

#include <string>
#include <vector>

#include "link/Envelope.h"

namespace devsim_test {

class SimulatorProcess {
public:
    // Starts the program and reads the device path it prints.
    explicit SimulatorProcess(const std::vector<std::string>& args);
    ~SimulatorProcess();

    const std::string& DevicePath() const { return path_; }
    void Signal(int signal) const;
    // Waits for the program to end (up to the time-out) and returns its exit code, -1 on time-out.
    int WaitExit(int timeoutMs);

private:
    pid_t pid_ = -1;
    std::string path_;
};

// Runs the program to its end; returns the exit code and what it wrote to stderr.
std::pair<int, std::string> RunToEnd(const std::vector<std::string>& args);

// The peer's end of the line, opened raw as the editor's serial port opens it.
class LineEnd {
public:
    explicit LineEnd(const std::string& path);
    ~LineEnd();
    void Write(const sonavel::Bytes& bytes) const;
    // Collects bytes until `count` have come or `timeoutMs` passed; records arrival times.
    sonavel::Bytes Read(size_t count, int timeoutMs);
    // Number of separate reads the last Read needed and the time from first to last byte.
    int Arrivals() const { return arrivals_; }
    double SpreadMs() const { return spreadMs_; }
    // True when reading fails as on a hung-up line.
    bool HungUp(int timeoutMs) const;

private:
    int fd_ = -1;
    int arrivals_ = 0;
    double spreadMs_ = 0;
};

}  // namespace devsim_test
