#pragma once
// Runs the Qt event loop until a condition holds or the time is up; returns the condition's last answer.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <functional>

namespace sonavel::test {

inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() >= timeoutMs) return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QThread::usleep(500);  // conditions on file descriptors raise no event; look again soon
    }
    return true;
}

}  // namespace sonavel::test
