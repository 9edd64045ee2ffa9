#pragma once

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace yarrow::testing {

// A Treasury-like bond: semiannual coupons, continuous discounting at its own yield, measured as
// the bond class measures it (price, yield, $duration, $convexity per 100 face).
struct GeneratedBond {
    float price, yield, dollarDuration, dollarConvexity;
};

// n bonds maturing within 30 years, coupons up to 8%, yields on a rising curve with noise: the
// programmes the simplex peers and the simplex benchmark solve.
inline std::vector<GeneratedBond> GenerateBonds(std::mt19937& rng, int n) {
    std::uniform_real_distribution<double> maturity(0.25, 30), coupon(0, 0.08), noise(-0.004, 0.004);
    std::vector<GeneratedBond> out;
    for (int k = 0; k < n; ++k) {
        const double t = maturity(rng);
        const double cpn = coupon(rng);
        const double y = std::max(0.001, 0.01 + 0.04 * (1 - std::exp(-t / 6)) + noise(rng));
        float p = 0, d = 0, cx = 0;
        for (double u = t; u > 1e-9; u -= 0.5) {
            const double cf = 100 * cpn / 2 + (u == t ? 100 : 0);
            const double v = cf * std::exp(-y * u);
            p += static_cast<float>(v);
            d += static_cast<float>(u * v);
            cx += static_cast<float>(u * u * v);
        }
        out.push_back({p, static_cast<float>(y), d, cx});
    }
    return out;
}

} // namespace yarrow::testing
