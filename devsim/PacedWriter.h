#pragma once
// Writes replies to the line no faster than a 9600-baud line carries them, with any pause a
// chunk asks for before it.
#include <vector>

#include "devsim/FaultPlan.h"
#include "devsim/LineSpeed.h"

namespace sonavel::devsim {

// Returns false when the peer went away or stopped reading; the rest is dropped then.
bool WritePaced(int fd, const std::vector<LineChunk>& chunks);

}  // namespace sonavel::devsim
