#pragma once
// Runs the Qt event loop until a condition holds or the time is up.
#include <functional>

namespace sonavel::test {

// Returns the condition's last answer.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs);

}  // namespace sonavel::test
