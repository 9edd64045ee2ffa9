#pragma once

#include "core/numeric/Precision.h"

#include <string>

namespace yarrow {

class Session;

// The Nelson-Siegel zero curve with its decay fixed at three years.
inline constexpr float kNelsonSiegelTau = 3.0f;

struct NelsonSiegelParameters {
    float level = 0.068f; // beta0
    float slope = -0.04f; // beta1
    float curve = 0.005f; // beta2
};

// The model rate (a decimal) at T years: b0 + (b1 + b2)(1 - e)/x - b2 e, x = T / 3, e = exp(-x).
// T = 0 gives a division by zero (DivisionByZero).
float NelsonSiegelRate(const NelsonSiegelParameters& p, float years);

// The model at every bond's maturity: Y(1..nBonds), element 0 left 0.
Array1<float> NelsonSiegelAtBonds(Session& session, const NelsonSiegelParameters& p);

// Least squares on the three factor loadings against session.ZeroYields(1..nBonds) at the bonds'
// maturities, through the normal equations and the 3 x 3 inverse, in single precision throughout.
// The zero curve must have been bootstrapped. Fewer than three distinct maturities leave the
// normal equations singular; the inverse then decides what comes back, as it always has.
NelsonSiegelParameters FitNelsonSiegel(Session& session);

// The parameter boxes' format: ".0680", "-.0400".
std::string FormatNelsonSiegelParameter(float value);

// The "+" and "-" buttons: a numeric text becomes its value plus delta in the parameter format;
// any other text is left as it is (returns false).
bool NudgeNelsonSiegelParameter(std::string& text, float delta);

} // namespace yarrow
