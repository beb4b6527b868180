#include "tests/support/PumpUntil.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace sonavel::test {

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
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
