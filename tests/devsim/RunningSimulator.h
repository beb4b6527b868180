#pragma once
// The simulator serving its line on a thread of its own.
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

}  // namespace devsim_test
