#pragma once

// The lesson's zero curve as QuantLib's linear zero curve on the very same times, for the peer
// check and the benchmark.

#include "core/lessons/ShockRepricing.h"

#include <cmath>
#include <ql/math/interpolations/linearinterpolation.hpp>
#include <ql/termstructures/yield/zerocurve.hpp>
#include <ql/time/daycounters/actual365fixed.hpp>

namespace yarrow::peer {

// Our zero curve as QuantLib's linear zero curve on the very same times: a knot at 0 and one far
// beyond the last maturity, both at the end rates, make it flat beyond the ends as ours is.
class SameZeroCurve : public QuantLib::InterpolatedZeroCurve<QuantLib::Linear> {
public:
    SameZeroCurve(const QuantLib::Date& today, const ZeroCurveKnots& curve)
        : QuantLib::InterpolatedZeroCurve<QuantLib::Linear>(today, QuantLib::Actual365Fixed()) {
        times_ = {0.0};
        data_ = {curve.rates.front()};
        for (size_t i = 0; i < curve.times.size(); ++i) {
            if (curve.times[i] == times_.back() && i > 0)
                continue; // point 0 repeats point 1
            times_.push_back(curve.times[i]);
            data_.push_back(curve.rates[i]);
        }
        times_.push_back(times_.back() + 100);
        data_.push_back(data_.back());
        for (double t : times_)
            dates_.push_back(today + static_cast<QuantLib::Date::serial_type>(std::ceil(t * 365)));
        setupInterpolation();
        interpolation_.update();
        enableExtrapolation();
    }
    bool Increasing() const {
        for (size_t i = 1; i < times_.size(); ++i)
            if (!(times_[i - 1] < times_[i]))
                return false;
        return true;
    }
};

} // namespace yarrow::peer
