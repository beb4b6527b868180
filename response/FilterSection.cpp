#include "response/FilterSection.h"

#include <cmath>

namespace sonavel {

Complex ComplexAdd(Complex a, Complex b) { return {a.Re + b.Re, a.Im + b.Im}; }

double ComplexAbs(Complex z) { return std::sqrt(z.Re * z.Re + z.Im * z.Im); }

double log10(double x) { return std::log(x) / std::log(10.0); }

const char* SectionStatusText(SectionStatus status) {
    switch (status) {
    case SectionStatus::Ok: return "ok";
    case SectionStatus::UnknownTypeCode: return "filter type code outside 1..11";
    case SectionStatus::InvalidArgument:
        return "frequency, gain or Q outside what a filter section can be built from";
    case SectionStatus::NotFinite: return "filter response is not finite";
    }
    return "unknown status";
}

namespace {

// cos and sin of -n x w for n = 1, 2 at every grid angle w; the same values the evaluation
// would compute point by point, computed once.
struct GridTerms {
    std::array<double, kGridHalf> cos1{}, sin1{}, cos2{}, sin2{};
    GridTerms() {
        for (int k = 2; k <= kGridHalf; ++k) {
            const double w = 2 * PiValue * (k - 1) / kGridSize;
            cos1[k - 1] = std::cos(-1 * w);
            sin1[k - 1] = std::sin(-1 * w);
            cos2[k - 1] = std::cos(-2 * w);
            sin2[k - 1] = std::sin(-2 * w);
        }
    }
};

const GridTerms& gridTerms() {
    static const GridTerms terms;
    return terms;
}

struct CrossoverDesign {
    bool lowPassFormula;
    double d;  // alpha = sin w0 / d
};

bool crossoverDesign(int code, CrossoverDesign& design) {
    switch (code) {
    case 2: design = {true, 1.414}; return true;
    case 3: design = {false, 1.414}; return true;
    case 6: design = {true, 1.2}; return true;
    case 7: design = {false, 1.1}; return true;
    case 8: design = {true, 1.3}; return true;
    case 9: design = {false, 1.2}; return true;
    case 10: design = {true, 2.0}; return true;
    case 11: design = {false, 2.5}; return true;
    default: return false;
    }
}

}  // namespace

SectionStatus FilterSection::EQCofficents(int fileType, double frequency, double gain,
                                          double qFactor) {
    if (fileType < 1 || fileType > 11) return SectionStatus::UnknownTypeCode;
    if (!std::isfinite(frequency) || frequency <= 0 || frequency >= SampleRate / 2.0)
        return SectionStatus::InvalidArgument;
    const bool usesGain = fileType == 1 || fileType == 4 || fileType == 5;
    if (usesGain && !std::isfinite(gain)) return SectionStatus::InvalidArgument;
    if (fileType == 1 && !(std::isfinite(qFactor) && qFactor > 0))
        return SectionStatus::InvalidArgument;

    const double w0 = 2 * PiValue * frequency / SampleRate;
    const double c = std::cos(w0);
    const double s = std::sin(w0);
    std::array<double, 3> b{}, a{};
    CrossoverDesign crossover{};
    if (fileType == 1) {
        const double A = std::pow(10.0, gain / 40);
        const double alpha = s / (2 * qFactor);
        b = {1 + alpha * A, -2 * c, 1 - alpha * A};
        a = {1 + alpha / A, -2 * c, 1 - alpha / A};
    } else if (fileType == 4 || fileType == 5) {
        const double A = std::pow(10.0, gain / 40);
        const double alpha = s / (2 * kShelfQ);
        const double r = std::sqrt(A);
        if (fileType == 4) {
            b = {A * ((A + 1) - (A - 1) * c + 2 * r * alpha), 2 * A * ((A - 1) - (A + 1) * c),
                 A * ((A + 1) - (A - 1) * c - 2 * r * alpha)};
            a = {(A + 1) + (A - 1) * c + 2 * r * alpha, -2 * ((A - 1) + (A + 1) * c),
                 (A + 1) + (A - 1) * c - 2 * r * alpha};
        } else {
            b = {A * ((A + 1) + (A - 1) * c + 2 * r * alpha), -2 * A * ((A - 1) + (A + 1) * c),
                 A * ((A + 1) + (A - 1) * c - 2 * r * alpha)};
            a = {(A + 1) - (A - 1) * c + 2 * r * alpha, 2 * ((A - 1) - (A + 1) * c),
                 (A + 1) - (A - 1) * c - 2 * r * alpha};
        }
    } else if (crossoverDesign(fileType, crossover)) {
        const double alpha = s / crossover.d;
        if (crossover.lowPassFormula)
            b = {(1 - c) / 2, 1 - c, (1 - c) / 2};
        else
            b = {(1 + c) / 2, -(1 + c), (1 + c) / 2};
        a = {1 + alpha, -2 * c, 1 - alpha};
    }

    for (int n = 0; n < 3; ++n)
        if (!std::isfinite(b[n]) || !std::isfinite(a[n])) return SectionStatus::NotFinite;
    if (a[0] == 0) return SectionStatus::NotFinite;
    NumCoef = b;
    DenCoef = a;
    return SectionStatus::Ok;
}

SectionStatus FilterSection::EQFFT() {
    const GridTerms& g = gridTerms();
    std::array<double, kGridHalf> magnitude;
    for (int k = 2; k <= kGridHalf; ++k) {
        Complex B{NumCoef[0], 0};
        B = ComplexAdd(B, {NumCoef[1] * g.cos1[k - 1], NumCoef[1] * g.sin1[k - 1]});
        B = ComplexAdd(B, {NumCoef[2] * g.cos2[k - 1], NumCoef[2] * g.sin2[k - 1]});
        Complex A{DenCoef[0], 0};
        A = ComplexAdd(A, {DenCoef[1] * g.cos1[k - 1], DenCoef[1] * g.sin1[k - 1]});
        A = ComplexAdd(A, {DenCoef[2] * g.cos2[k - 1], DenCoef[2] * g.sin2[k - 1]});
        const double ratio = ComplexAbs(B) / ComplexAbs(A);
        // A zero or overflowing magnitude has no place on the plot's logarithmic scale.
        if (!(ratio > 0) || !std::isfinite(ratio)) return SectionStatus::NotFinite;
        magnitude[k - 1] = ratio;
    }
    for (int k = 2; k <= kGridHalf; ++k) EQFFTData[k - 1] = log10(magnitude[k - 1]) * (-1040);
    return SectionStatus::Ok;
}

}  // namespace sonavel
