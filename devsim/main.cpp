// sonavel-devsim: one or more simulated loudspeaker processor units on a pseudo-terminal.
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "devsim/Simulator.h"

namespace {

sonavel::devsim::RunFlags flags;

void OnStopSignal(int) { flags.stop = true; }
void OnStateSignal(int) { flags.writeState = true; }

void Install(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);  // no SA_RESTART: a waiting poll returns at once
}

}  // namespace

int main(int argc, char** argv) {
    using namespace sonavel::devsim;
    SimulatorOptions options;
    try {
        options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const OptionError& e) {
        std::fprintf(stderr, "sonavel-devsim: %s\n", e.what());
        return 2;
    }
    if (options.version) {
        std::puts("sonavel-devsim " SONAVEL_VERSION);
        return 0;
    }
    if (options.help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    // A closed terminal ends the run as cleanly as an interrupt: state written, symlink gone.
    Install(SIGHUP, OnStopSignal);
    Install(SIGINT, OnStopSignal);
    Install(SIGTERM, OnStopSignal);
    Install(SIGUSR1, OnStateSignal);
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);  // a write past a size limit fails with its error instead
    try {
        Simulator simulator(options);
        std::printf("%s\n", simulator.DevicePath().c_str());
        std::fflush(stdout);
        simulator.Run(flags);
        if (!flags.stop) std::fprintf(stderr, "sonavel-devsim: line hung up after %d frames\n", options.hangupAfter);
    } catch (const OptionError& e) {
        std::fprintf(stderr, "sonavel-devsim: %s\n", e.what());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sonavel-devsim: %s\n", e.what());
        return 1;
    }
    return 0;
}
