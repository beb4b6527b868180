#include "tests/support/SimulatorProcess.h"

#include <signal.h>

#include <QElapsedTimer>
#include <stdexcept>

namespace sonavel::test {

constexpr int kStartMs = 5000;

SimulatorProcess::SimulatorProcess(const QStringList& options) {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(SONAVEL_DEVSIM_PROGRAM, options);
    if (!process_.waitForStarted(kStartMs)) throw std::runtime_error("the simulator did not start");
    QElapsedTimer clock;
    clock.start();
    while (!process_.canReadLine() && clock.elapsed() < kStartMs) process_.waitForReadyRead(100);
    devicePath_ = process_.readLine().trimmed().toStdString();
    if (devicePath_.empty()) throw std::runtime_error("the simulator printed no device path");
}

SimulatorProcess::~SimulatorProcess() {
    if (!Running()) return;
    process_.terminate();
    if (!process_.waitForFinished(kStartMs)) process_.kill();
    process_.waitForFinished(kStartMs);
}

void SimulatorProcess::RequestState() {
    if (Running()) ::kill(static_cast<pid_t>(process_.processId()), SIGUSR1);
}

}  // namespace sonavel::test
