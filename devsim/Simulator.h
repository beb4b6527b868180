#pragma once
// The simulated line with its units: reads frames from the pseudo-terminal, lets the units
// answer them through the fault plan at line speed, and keeps the log and the state file.
#include <atomic>
#include <cstdio>
#include <memory>
#include <optional>

#include "devsim/FaultPlan.h"
#include "devsim/FrameAssembler.h"
#include "devsim/Options.h"
#include "devsim/PseudoTerminal.h"
#include "devsim/UnitBank.h"

namespace sonavel::devsim {

// Requests from outside the loop: signal handlers or a test thread set them.
struct RunFlags {
    std::atomic<bool> stop{false};
    std::atomic<bool> writeState{false};
};

class Simulator {
public:
    // Opens the line, the symlink and the log; throws std::runtime_error (or
    // std::system_error) with a message for the user.
    explicit Simulator(const SimulatorOptions& options);
    ~Simulator();

    const std::string& DevicePath() const { return line_.SlavePath(); }

    // Serves the line until flags.stop is set or the line is hung up by --hangup-after.
    // Writes the state file on flags.writeState and once more at the end.
    void Run(RunFlags& flags);

    const UnitBank& Units() const { return bank_; }

private:
    void HandleFrame(const Bytes& frame);
    void WriteState();

    SimulatorOptions options_;
    PseudoTerminal line_;
    std::optional<DeviceLink> link_;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> log_{nullptr, &std::fclose};
    UnitBank bank_;
    FaultPlan faults_;
    FrameAssembler assembler_;
};

}  // namespace sonavel::devsim
