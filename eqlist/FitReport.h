#pragma once
// What an import did, for a person (text) and for scripts (JSON): each filter as requested
// and as fitted, the changes made to fit, and for each channel the crossovers it keeps from
// the base preset and the largest difference between the requested and the fitted responses.
#include <string>
#include <vector>

#include "eqlist/FilterFit.h"

namespace sonavel {

struct ImportResult {
    const FittedList& fitted;
    const ParameterStore& store;  // the preset with the fitted list applied
    std::vector<int> channels;    // the channels it was applied to
    Deviation deviation;          // the same for every channel, which all got the same filters
};

std::string FitReportText(const ImportResult& result);
std::string FitReportJson(const ImportResult& result);

}  // namespace sonavel
