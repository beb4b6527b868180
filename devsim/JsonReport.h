#pragma once
// The simulator's JSON output: one log line per received frame with what became of it, and
// the state of every unit (working set and slots: the fields a unit holds), both with the
// store's field names.
#include <chrono>
#include <string>
#include <vector>

#include "devsim/SimulatedUnit.h"
#include "devsim/UnitBank.h"

namespace sonavel::devsim {

// "01 20 03 40 09 0B 01 05 60"
std::string HexBytes(const Bytes& bytes);

// {"time":"...Z","bytes":"...","command":4,"address":1,"kind":"eq-band",
//  "fields":{"EqType(2,3)":1,...},"outcome":"applied"}
std::string FrameLogLine(std::chrono::system_clock::time_point time, const Bytes& frame,
                         const FrameOutcome& outcome);

// {"units":[{"address":1,"working":{...},"slots":[{...},...16]}]}; per-band fields as two
// lists of seven (channel 1, channel 2), per-channel fields as two values, GainLevel as four.
std::string StateJson(const std::vector<SimulatedUnit>& units);

}  // namespace sonavel::devsim
