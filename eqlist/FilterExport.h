#pragma once
// A channel of a preset written as a filter list in the common text form, so that a tuning
// can be auditioned in other software and read back by the import.
#include <string>

#include "model/ParameterStore.h"

namespace sonavel {

// "# " and the title, the input gain as "Preamp" (a comment when muted), each EQ band that
// is on as a PK, LSC or HSC line, each crossover that is not bypassed as an LPQ or HPQ line
// with its Q and slope, preceded by a comment with its list entry. Expects a store within
// its ranges, as a load leaves it.
std::string ExportFilterList(const ParameterStore& store, int channel, const std::string& title);

}  // namespace sonavel
