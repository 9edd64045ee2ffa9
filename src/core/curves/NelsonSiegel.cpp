#include "NelsonSiegel.h"

#include "core/data/Session.h"
#include "core/numeric/qalMatrix.h"
#include "core/text/NumberText.h"
#include "core/numeric/Precision.h"

#include <array>
#include <cmath>
#include <vector>

namespace yarrow {

float NelsonSiegelRate(const NelsonSiegelParameters& p, float years) {
    const float x = CSng(Divide(years, kNelsonSiegelTau));
    const double e = Exp(-double(x));
    return CSng(Divide((double(p.curve) + p.slope) * (1.0 - e), x) + p.level - p.curve * e);
}

Array1<float> NelsonSiegelAtBonds(Session& session, const NelsonSiegelParameters& p) {
    Array1<float> y(session.nBonds);
    for (int i = 1; i <= session.nBonds; ++i)
        y(i) = NelsonSiegelRate(p, session.BondOrNew(i).GetYearsToMaturity());
    return y;
}

NelsonSiegelParameters FitNelsonSiegel(Session& session) {
    const int n = session.nBonds;
    std::vector<std::array<float, 4>> X(static_cast<size_t>(n) + 1, {0, 0, 0, 0});
    for (int i = 1; i <= n; ++i) {
        const double x = Divide(session.BondOrNew(i).GetYearsToMaturity(), kNelsonSiegelTau);
        const double e = Exp(-x);
        auto& row = X[static_cast<size_t>(i)];
        row[1] = 1.0f;
        row[2] = CSng(Divide(1.0 - e, x));
        row[3] = CSng(row[2] - e);
    }
    float A[4][4] = {};
    for (int j = 1; j <= 3; ++j)
        for (int k = 1; k <= 3; ++k)
            for (int i = 1; i <= n; ++i)
                A[j][k] = CSng(A[j][k] + double(X[size_t(i)][size_t(j)]) * X[size_t(i)][size_t(k)]);

    qalMatrix m;
    m.Initialize(3);
    for (int16_t j = 1; j <= 3; ++j)
        for (int16_t k = 1; k <= 3; ++k)
            m.setA(j, k, A[j][k]);
    m.Invert();
    for (int16_t j = 1; j <= 3; ++j)
        for (int16_t k = 1; k <= 3; ++k)
            A[j][k] = m.getInverse(j, k);

    float b[4] = {};
    for (int j = 1; j <= 3; ++j)
        for (int i = 1; i <= n; ++i)
            b[j] = CSng(b[j] + double(session.ZeroYields(i)) * X[size_t(i)][size_t(j)]);
    float beta[4] = {};
    for (int j = 1; j <= 3; ++j)
        for (int k = 1; k <= 3; ++k)
            beta[j] = CSng(beta[j] + double(A[j][k]) * b[k]);
    return {beta[1], beta[2], beta[3]};
}

std::string FormatNelsonSiegelParameter(float value) {
    return FormatPattern(value, "####.0000");
}

bool NudgeNelsonSiegelParameter(std::string& text, float delta) {
    if (!IsNumeric(text))
        return false;
    text = FormatNelsonSiegelParameter(CSng(double(SafeSingle(text)) + delta));
    return true;
}

} // namespace yarrow
