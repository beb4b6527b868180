#pragma once
// One second-order filter section and its magnitude response on the plot's linear grid.
// The reference curves of the plot and its position table are computed from it.
#include <array>
#include <cstdint>

namespace sonavel {

constexpr int32_t SampleRate = 48000;
constexpr double PiValue = 3.14159265358979;  // the processor's own value, not full-precision pi

constexpr int kGridSize = 1024;              // evaluation grid; response positions 1..511 are written
constexpr int kGridHalf = kGridSize / 2;     // 512
constexpr double kShelfQ = 0.75;             // shelves always use this slope, whatever Q is asked for

struct Complex {
    double Re = 0.0;
    double Im = 0.0;
};

Complex ComplexAdd(Complex a, Complex b);
double ComplexAbs(Complex z);
// Base-10 logarithm as ln x / ln 10.
double log10(double x);

// What a request did to the section or the response.
enum class SectionStatus {
    Ok,
    UnknownTypeCode,  // type code outside 1..11: the section is left as it was
    InvalidArgument,  // frequency, gain or Q outside what the section can be built from
    NotFinite,        // the result would overflow or divide by zero; nothing was changed
};

const char* SectionStatusText(SectionStatus status);

// Response values are plot units: -1040 x log10|H|, 52 per dB, positive = attenuation.
using ResponseArray = std::array<double, kGridSize>;

// The section formulas, each in its own frequency variable. For the peak, q is its Q; for the
// shelves, the slope's Q; for the low- and high-pass formulas, alpha = sin w0 / (2 q).
enum class SectionFormula { Peak, ShelfBelow, ShelfAbove, LowPass, HighPass };

struct SectionCoefficients {
    std::array<double, 3> num{};  // b0, b1, b2
    std::array<double, 3> den{};  // a0, a1, a2 (not normalised)
};

// Designs a section at a frequency in Hz (0 < f < SampleRate / 2), a gain in dB (peak and
// shelves) and a q (> 0). Ok, InvalidArgument or NotFinite; `out` is written only on Ok.
SectionStatus DesignSection(SectionFormula formula, double frequency, double gain, double q,
                            SectionCoefficients& out);

// The section's gain in dB at a frequency in Hz, evaluated as EQFFT evaluates its grid; not
// finite where the response is zero or overflows.
double SectionGainDb(const SectionCoefficients& section, double frequency);

// The fixed Q (D / 2) of a crossover type code 2, 3, 6..11, and the formula it uses; false
// for any other code.
bool CrossoverSectionDesign(int code, SectionFormula& formula, double& q);

class FilterSection {
public:
    // Designs the section for a type code (1 peak, 4/5 shelves, 2/3/6..11 fixed-Q low- and
    // high-pass), a frequency in Hz (0 < f < SampleRate / 2), a gain in dB and a Q (> 0; used by
    // the peak only). On anything but Ok, NumCoef and DenCoef keep their previous values.
    SectionStatus EQCofficents(int fileType, double frequency, double gain, double qFactor);

    // Fills EQFFTData positions 1..511 with the current section's response in plot units.
    // Positions 0 and 512..1023 are never written. Reports NotFinite (and leaves EQFFTData as it
    // was) when the section has no finite, non-zero response at some grid point, for example
    // before any section was designed.
    SectionStatus EQFFT();

    std::array<double, 3> NumCoef{};  // b0, b1, b2
    std::array<double, 3> DenCoef{};  // a0, a1, a2 (not normalised)
    ResponseArray EQFFTData{};
};

}  // namespace sonavel
