#include "link/Sleeper.h"

#include <chrono>
#include <thread>

namespace sonavel {

void ThreadSleeper::Sleep(int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace sonavel
