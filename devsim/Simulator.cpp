#include "devsim/Simulator.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <system_error>
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
    Plug();
    devicePath_ = tcp_ ? tcp_->Name() : line_->SlavePath();
    if (!options_.logPath.empty()) {
        log_.reset(std::fopen(options_.logPath.c_str(), "w"));
        if (!log_) throw OptionError("--log: cannot write " + options_.logPath + ": " + std::strerror(errno));
    }
    try {
        WriteState();
    } catch (const std::runtime_error& e) {
        throw OptionError(e.what());
    }
}

Simulator::~Simulator() = default;

void Simulator::Plug() {
    if (options_.tcpPort > 0) {
        tcp_.emplace(static_cast<uint16_t>(options_.tcpPort));
        return;
    }
    line_.emplace();
    if (!options_.linkPath.empty()) link_.emplace(options_.linkPath, line_->SlavePath());
}

// The symlink goes first, so that a program looking for the line finds nothing there.
void Simulator::Unplug() {
    link_.reset();
    line_.reset();
    tcp_.reset();
    assembler_.Reset();
}

int Simulator::LineFd() const { return tcp_ ? tcp_->ClientFd() : line_->MasterFd(); }

bool Simulator::WaitToReplug(RunFlags& flags) {
    const Clock::time_point due = Clock::now() + std::chrono::seconds(options_.replugAfterSeconds);
    while (!flags.stop && Clock::now() < due) {
        WriteStateOnRequest(flags);
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    return !flags.stop;
}

void Simulator::WriteStateOnRequest(RunFlags& flags) {
    if (!flags.writeState.exchange(false)) return;
    try {
        WriteState();
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "sonavel-devsim: %s\n", e.what());
    }
}

void Simulator::WriteState() {
    if (options_.statePath.empty()) return;
    // Written beside the file and renamed over it, so a reader never sees half of it.
    const std::string temporary = options_.statePath + ".part";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << StateJson(bank_.Units());
        out.flush();
        if (!out) {
            const std::string reason = std::strerror(errno);
            std::remove(temporary.c_str());
            throw std::runtime_error("--state: cannot write " + temporary + ": " + reason);
        }
    }
    if (std::rename(temporary.c_str(), options_.statePath.c_str()) != 0)
        throw std::runtime_error("--state: cannot write " + options_.statePath + ": " + std::strerror(errno));
}

std::string Simulator::SendReplies(const std::vector<Bytes>& replies) {
    if (options_.silent) return "silent";
    bool garbled = false;
    for (const Bytes& reply : replies) {
        const ShapedReply shaped = faults_.Shape(reply);
        garbled = garbled || shaped.garbled;
        if (!WritePaced(LineFd(), shaped.chunks)) return "lost at hang-up";
    }
    return garbled ? "garbled reply" : "answered";
}

bool Simulator::HandleFrame(const Bytes& frame) {
    const auto received = std::chrono::system_clock::now();
    const bool lost = faults_.CountFrameAndLose();
    const bool hangUp = faults_.HangUpDue();
    FrameOutcome outcome = lost ? FrameOutcome{DecodeMessage(frame), {}, "dropped"} : bank_.Handle(frame);
    if (!outcome.replies.empty()) outcome.outcome = hangUp ? "lost at hang-up" : SendReplies(outcome.replies);
    if (log_) {
        std::fprintf(log_.get(), "%s\n", FrameLogLine(received, frame, outcome).c_str());
        std::fflush(log_.get());
    }
    return hangUp;
}

Simulator::LineEnd Simulator::Serve(RunFlags& flags) {
    uint8_t buffer[512];
    while (!flags.stop) {
        WriteStateOnRequest(flags);
        pollfd p[2] = {{LineFd(), POLLIN, 0}, {tcp_ ? tcp_->ListenFd() : -1, POLLIN, 0}};
        const int ready = poll(p, 2, kPollMs);
        if (ready < 0 && errno != EINTR) throw std::system_error(errno, std::generic_category(), "watching the line");
        if (ready <= 0 || p[0].revents == 0) {
            // A client that went away is dropped before the next is taken, so that it is
            // not turned away as a second one.
            if (ready > 0 && (p[1].revents & POLLIN)) tcp_->AcceptWaiting();
            if (assembler_.HasPartialFrame() && Clock::now() - arrivals_.LastArrival() > kFrameSilence)
                assembler_.Reset();
            continue;
        }
        const ssize_t count = read(LineFd(), buffer, sizeof buffer);
        if (count <= 0) {
            if (count < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            if (tcp_) {
                // The client went away: the next one starts afresh.
                tcp_->DropClient();
                assembler_.Reset();
                continue;
            }
            // No peer has the line open: wait for the next one, starting afresh.
            assembler_.Reset();
            std::this_thread::sleep_for(kPeerAbsentRetry);
            continue;
        }
        // Each byte counts as received one byte time after the one before it, and a frame is
        // acted on only once its last byte has come in.
        const Clock::time_point readAt = Clock::now();
        for (ssize_t i = 0; i < count; ++i) {
            const Clock::time_point arrived = arrivals_.Arrive(readAt);
            for (const Bytes& frame : assembler_.Feed(&buffer[i], 1)) {
                std::this_thread::sleep_until(arrived);
                if (HandleFrame(frame)) return LineEnd::HungUp;
            }
        }
    }
    return LineEnd::Stopped;
}

// The hang-up comes once, so a re-plugged line is served until the stop.
void Simulator::Run(RunFlags& flags) {
    while (Serve(flags) == LineEnd::HungUp) {
        Unplug();
        if (options_.replugAfterSeconds == 0 || !WaitToReplug(flags)) break;
        Plug();
    }
    WriteState();
}

}  // namespace sonavel::devsim
