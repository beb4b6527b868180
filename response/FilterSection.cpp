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

}  // namespace

bool CrossoverSectionDesign(int code, SectionFormula& formula, double& q) {
    double d;  // alpha = sin w0 / d
    switch (code) {
    case 2: d = 1.414; break;
    case 3: d = 1.414; break;
    case 6: d = 1.2; break;
    case 7: d = 1.1; break;
    case 8: d = 1.3; break;
    case 9: d = 1.2; break;
    case 10: d = 2.0; break;
    case 11: d = 2.5; break;
    default: return false;
    }
    formula = code % 2 == 0 ? SectionFormula::LowPass : SectionFormula::HighPass;
    q = d / 2;  // halving and doubling are exact, so alpha is sin w0 / d to the last bit
    return true;
}

SectionStatus DesignSection(SectionFormula formula, double frequency, double gain, double q,
                            SectionCoefficients& out) {
    if (!std::isfinite(frequency) || frequency <= 0 || frequency >= SampleRate / 2.0)
        return SectionStatus::InvalidArgument;
    const bool usesGain = formula == SectionFormula::Peak || formula == SectionFormula::ShelfBelow ||
                          formula == SectionFormula::ShelfAbove;
    if (usesGain && !std::isfinite(gain)) return SectionStatus::InvalidArgument;
    if (!(std::isfinite(q) && q > 0)) return SectionStatus::InvalidArgument;

    const double w0 = 2 * PiValue * frequency / SampleRate;
    const double c = std::cos(w0);
    const double s = std::sin(w0);
    const double alpha = s / (2 * q);
    std::array<double, 3> b{}, a{};
    if (formula == SectionFormula::Peak) {
        const double A = std::pow(10.0, gain / 40);
        b = {1 + alpha * A, -2 * c, 1 - alpha * A};
        a = {1 + alpha / A, -2 * c, 1 - alpha / A};
    } else if (usesGain) {
        const double A = std::pow(10.0, gain / 40);
        const double r = std::sqrt(A);
        if (formula == SectionFormula::ShelfBelow) {
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
    } else {
        if (formula == SectionFormula::LowPass)
            b = {(1 - c) / 2, 1 - c, (1 - c) / 2};
        else
            b = {(1 + c) / 2, -(1 + c), (1 + c) / 2};
        a = {1 + alpha, -2 * c, 1 - alpha};
    }

    for (int n = 0; n < 3; ++n)
        if (!std::isfinite(b[n]) || !std::isfinite(a[n])) return SectionStatus::NotFinite;
    if (a[0] == 0) return SectionStatus::NotFinite;
    out = {b, a};
    return SectionStatus::Ok;
}

double SectionGainDb(const SectionCoefficients& section, double frequency) {
    const double w = 2 * PiValue * frequency / SampleRate;
    auto sum = [&](const std::array<double, 3>& k) {
        Complex z{k[0], 0};
        z = ComplexAdd(z, {k[1] * std::cos(-1 * w), k[1] * std::sin(-1 * w)});
        return ComplexAdd(z, {k[2] * std::cos(-2 * w), k[2] * std::sin(-2 * w)});
    };
    return 20 * log10(ComplexAbs(sum(section.num)) / ComplexAbs(sum(section.den)));
}

SectionStatus FilterSection::EQCofficents(int fileType, double frequency, double gain,
                                          double qFactor) {
    if (fileType < 1 || fileType > 11) return SectionStatus::UnknownTypeCode;
    SectionFormula formula = SectionFormula::Peak;
    double q = qFactor;
    if (fileType == 4 || fileType == 5) {
        formula = fileType == 4 ? SectionFormula::ShelfBelow : SectionFormula::ShelfAbove;
        q = kShelfQ;
    } else if (fileType != 1) {
        CrossoverSectionDesign(fileType, formula, q);
        gain = 0;  // unused by the pass formulas
    }
    SectionCoefficients designed;
    const SectionStatus status = DesignSection(formula, frequency, gain, q, designed);
    if (status != SectionStatus::Ok) return status;
    NumCoef = designed.num;
    DenCoef = designed.den;
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
