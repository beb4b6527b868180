#pragma once
// Virtual time for the line: pauses and waits advance the clock instead of blocking.
#include <vector>

#include "link/Clock.h"
#include "link/Sleeper.h"

namespace sonavel {

struct VirtualTime : Sleeper, Clock {
    void Sleep(int milliseconds) override {
        pauses.push_back(milliseconds);
        nowMs += milliseconds;
    }
    long long NowMs() const override { return nowMs; }
    long long nowMs = 0;
    std::vector<int> pauses;
};

}  // namespace sonavel
