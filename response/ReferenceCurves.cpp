#include "response/ReferenceCurves.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace sonavel {

namespace {
constexpr double kPeakQScale = 1.5;
constexpr double kUnusedQ = 1.0;  // shelves and crossovers ignore Q
}  // namespace

ReferenceCurves::ReferenceCurves(CrossoverCaching caching)
    : caching_(caching), storage_(std::make_unique<Storage>()) {}

void ReferenceCurves::evaluateInto(int code, int frequencyPosition, double qFactor,
                                   ResponseArray& target) {
    SectionStatus status =
        section_.EQCofficents(code, FregDataB[frequencyPosition], kReferenceGainDb, qFactor);
    if (status == SectionStatus::Ok) status = section_.EQFFT();
    if (status != SectionStatus::Ok)
        throw std::logic_error("reference curve of code " + std::to_string(code) + ": " +
                               SectionStatusText(status));
    // Grid positions 0..N - 1; position 0 is never evaluated and stays 0.
    std::copy_n(section_.EQFFTData.begin(), kPlotPoints, target.begin());
}

const ResponseArray& ReferenceCurves::ShelfTemplate() {
    if (ShelfTemplateStale_) {
        ShelfTemplateStale_ = false;
        evaluateInto(5, kShelfReferencePosition, kUnusedQ, storage_->shelf);
    }
    return storage_->shelf;
}

const ResponseArray& ReferenceCurves::PeakTemplate(int qPosition) {
    if (PeakTemplatesStale_) {
        PeakTemplatesStale_ = false;
        for (int q = 0; q < kQPositions; ++q)
            evaluateInto(1, kPeakReferencePosition, kPeakQScale * QfactorData[q],
                         storage_->peaks[q]);
    }
    return storage_->peaks.at(qPosition);
}

void ReferenceCurves::BuildCrossoverTemplates() {
    if (caching_ == CrossoverCaching::Cached && !CrossoverTemplatesStale_) return;
    CrossoverTemplatesStale_ = false;
    for (int column = 0; column < kCrossoverColumns; ++column)
        evaluateInto(kCrossoverCodes[column], kCrossoverLongPosition, kUnusedQ,
                     storage_->crossovers[column]);
}

const ResponseArray& ReferenceCurves::CrossoverTemplate(int column) {
    return storage_->crossovers.at(column);
}

}  // namespace sonavel
