#include "devsim/Simulator.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "devsim/JsonReport.h"
#include "devsim/PacedWriter.h"

namespace sonavel::devsim {

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kPollMs = 50;
constexpr auto kPeerAbsentRetry = std::chrono::milliseconds(20);
// A frame takes at most 126 ms on a 9600-baud line; a longer silence mid-frame ends it.
constexpr auto kFrameSilence = std::chrono::milliseconds(250);
}  // namespace

Simulator::Simulator(const SimulatorOptions& options)
    : options_(options), bank_(options.units), faults_(options) {
    if (!options_.linkPath.empty()) link_.emplace(options_.linkPath, line_.SlavePath());
    if (!options_.logPath.empty()) {
        log_.reset(std::fopen(options_.logPath.c_str(), "w"));
        if (!log_) throw std::runtime_error("--log: cannot write " + options_.logPath + ": " + std::strerror(errno));
    }
}

Simulator::~Simulator() = default;

void Simulator::WriteState() {
    if (options_.statePath.empty()) return;
    // Written beside the file and renamed over it, so a reader never sees half of it.
    const std::string temporary = options_.statePath + ".part";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << StateJson(bank_.Units());
        if (!out) {
            std::fprintf(stderr, "sonavel-devsim: --state: cannot write %s\n", temporary.c_str());
            return;
        }
    }
    if (std::rename(temporary.c_str(), options_.statePath.c_str()) != 0)
        std::fprintf(stderr, "sonavel-devsim: --state: cannot write %s: %s\n", options_.statePath.c_str(),
                     std::strerror(errno));
}

void Simulator::HandleFrame(const Bytes& frame) {
    const auto received = std::chrono::system_clock::now();
    FrameOutcome outcome;
    if (faults_.CountFrameAndLose()) outcome = {DecodeMessage(frame), {}, "lost on the line"};
    else outcome = bank_.Handle(frame);
    if (log_) {
        std::fprintf(log_.get(), "%s\n", FrameLogLine(received, frame, outcome).c_str());
        std::fflush(log_.get());
    }
    for (const Bytes& reply : outcome.replies)
        if (!WritePaced(line_.MasterFd(), faults_.Shape(reply))) break;
}

void Simulator::Run(RunFlags& flags) {
    Clock::time_point lastByte = Clock::now();
    uint8_t buffer[512];
    while (!flags.stop && line_.IsOpen()) {
        if (flags.writeState.exchange(false)) WriteState();
        pollfd p{line_.MasterFd(), POLLIN, 0};
        const int ready = poll(&p, 1, kPollMs);
        if (ready < 0 && errno != EINTR) throw std::system_error(errno, std::generic_category(), "watching the line");
        if (ready <= 0) {
            if (assembler_.HasPartialFrame() && Clock::now() - lastByte > kFrameSilence) assembler_.Reset();
            continue;
        }
        const ssize_t count = read(line_.MasterFd(), buffer, sizeof buffer);
        if (count <= 0) {
            if (count < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            // No peer has the line open: wait for the next one, starting afresh.
            assembler_.Reset();
            std::this_thread::sleep_for(kPeerAbsentRetry);
            continue;
        }
        lastByte = Clock::now();
        for (const Bytes& frame : assembler_.Feed(buffer, static_cast<size_t>(count))) {
            HandleFrame(frame);
            if (faults_.HangUpDue()) {
                line_.HangUp();
                break;
            }
        }
    }
    WriteState();
}

}  // namespace sonavel::devsim
