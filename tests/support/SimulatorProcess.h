#pragma once
// sonavel-devsim as a child process serving its units on a pseudo-terminal. It is stopped as
// by Ctrl-C when the object goes, so it writes its state file and removes its link.
#include <signal.h>

#include <QProcess>
#include <QStringList>
#include <stdexcept>
#include <string>

namespace sonavel::test {

class SimulatorProcess {
public:
    // Starts it and reads the device path it prints; throws std::runtime_error when it does not start.
    explicit SimulatorProcess(const QStringList& options) {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(SONAVEL_DEVSIM_PROGRAM, options);
        if (!process_.waitForStarted(kStartMs)) throw std::runtime_error("the simulator did not start");
        for (int waited = 0; !process_.canReadLine() && waited < kStartMs; waited += 100)
            process_.waitForReadyRead(100);
        devicePath_ = process_.readLine().trimmed().toStdString();
        if (devicePath_.empty()) throw std::runtime_error("the simulator printed no device path");
    }
    ~SimulatorProcess() {
        if (!Running()) return;
        process_.terminate();
        if (!process_.waitForFinished(kStartMs)) process_.kill();
        process_.waitForFinished(kStartMs);
    }

    const std::string& DevicePath() const { return devicePath_; }
    bool Running() const { return process_.state() == QProcess::Running; }
    // Asks for the state file now, as SIGUSR1 does.
    void RequestState() {
        if (Running()) ::kill(static_cast<pid_t>(process_.processId()), SIGUSR1);
    }

private:
    static constexpr int kStartMs = 5000;
    QProcess process_;
    std::string devicePath_;
};

}  // namespace sonavel::test
