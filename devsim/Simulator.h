#pragma once
// The simulated line with its units: reads frames from the pseudo-terminal at line speed,
// lets the units answer them through the fault plan, and keeps the log and the state file.
// With --hangup-after the line goes away as an unplugged adapter does, and with
// --replug-after it comes back at the --link path. With --tcp the line is a TCP port of
// 127.0.0.1 instead of the pseudo-terminal.
#include <atomic>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "devsim/FaultPlan.h"
#include "devsim/FrameAssembler.h"
#include "devsim/LineSpeed.h"
#include "devsim/Options.h"
#include "devsim/PseudoTerminal.h"
#include "devsim/TcpLine.h"
#include "devsim/UnitBank.h"

namespace sonavel::devsim {

// Requests from outside the loop: signal handlers or a test thread set them.
struct RunFlags {
    std::atomic<bool> stop{false};
    std::atomic<bool> writeState{false};
};

class Simulator {
public:
    // Opens the line, the symlink and the log, and writes the state file once, so that a
    // path that cannot be written is found at once. Throws OptionError for such a path,
    // std::runtime_error (or std::system_error) for other failures, with a message for the user.
    explicit Simulator(const SimulatorOptions& options);
    ~Simulator();

    // The device of the line as first plugged in, or its tcp:// port name.
    const std::string& DevicePath() const { return devicePath_; }

    // Serves the line until flags.stop is set or the line is hung up by --hangup-after and
    // not plugged in again. Writes the state file on flags.writeState and once more at the
    // end; throws std::runtime_error when that last write fails.
    void Run(RunFlags& flags);

    const UnitBank& Units() const { return bank_; }

private:
    enum class LineEnd { Stopped, HungUp };

    void Plug();
    // Where the line's bytes come and go: the pseudo-terminal, or the TCP client (-1 while none).
    int LineFd() const;
    void Unplug();
    bool WaitToReplug(RunFlags& flags);
    LineEnd Serve(RunFlags& flags);
    // Handles one whole frame; true when the line is to be hung up after it.
    bool HandleFrame(const Bytes& frame);
    // Puts the replies on the line; returns the frame's outcome from what became of them.
    std::string SendReplies(const std::vector<Bytes>& replies);
    void WriteState();
    // Writes the state file when asked to, reporting a failure without stopping.
    void WriteStateOnRequest(RunFlags& flags);

    SimulatorOptions options_;
    std::string devicePath_;
    std::optional<PseudoTerminal> line_;
    std::optional<TcpLine> tcp_;
    std::optional<DeviceLink> link_;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> log_{nullptr, &std::fclose};
    UnitBank bank_;
    FaultPlan faults_;
    FrameAssembler assembler_;
    ArrivalClock arrivals_;
};

}  // namespace sonavel::devsim
