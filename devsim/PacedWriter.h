#pragma once
// Writes replies to the line no faster than a 9600-baud line carries them: 10 bits a byte
// (8N1), about 1.04 ms per byte, with any pause a chunk asks for before it.
#include <chrono>
#include <vector>

#include "devsim/FaultPlan.h"

namespace sonavel::devsim {

constexpr std::chrono::nanoseconds kByteTime{1'000'000'000LL * 10 / 9600};

// Returns false when the peer went away or stopped reading; the rest is dropped then.
bool WritePaced(int fd, const std::vector<LineChunk>& chunks);

}  // namespace sonavel::devsim
