#pragma once
// sonavel-devsim as a child process serving its units on a pseudo-terminal. It is stopped as
// by Ctrl-C when the object goes, so it writes its state file and removes its link.
#include <QProcess>
#include <QStringList>
#include <string>

namespace sonavel::test {

class SimulatorProcess {
public:
    // Starts the simulator with these options and reads the device path it prints; throws
    // std::runtime_error when it does not start.
    explicit SimulatorProcess(const QStringList& options);
    ~SimulatorProcess();

    const std::string& DevicePath() const { return devicePath_; }
    bool Running() const { return process_.state() == QProcess::Running; }
    // Asks for the state file now, as SIGUSR1 does.
    void RequestState();

private:
    QProcess process_;
    std::string devicePath_;
};

}  // namespace sonavel::test
