#include "ShockRepricing.h"

#include "core/bond/qalBond.h"
#include "core/data/Session.h"
#include "core/curves/SessionZeroCurve.h"
#include "core/text/CsvReader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace yarrow {

double ZeroRateAt(const ZeroCurveKnots& curve, double t) {
    const std::vector<double>& x = curve.times;
    const std::vector<double>& y = curve.rates;
    const size_t n = std::min(x.size(), y.size());
    if (n == 0)
        return 0;
    if (t <= x[0])
        return y[0];
    if (t >= x[n - 1])
        return y[n - 1];
    size_t k = 0;
    for (; k < n; ++k) {
        if (t == x[k])
            return y[k];
        if (t < x[k])
            break;
    }
    // x[0] < t < x[n - 1]: the scan stopped at some k >= 1 with x[k - 1] < t < x[k].
    const double slope = (y[k] - y[k - 1]) / (x[k] - x[k - 1]);
    return y[k - 1] + slope * (t - x[k - 1]);
}

ZeroCurveKnots ShockBaseCurve(Session& session) {
    const Array1<float> keptYields = session.ZeroYields;
    const Array1<float> keptTimes = session.ZeroTimes;
    for (int i = 1; i <= session.nBonds; ++i)
        session.BondOrNew(i).GetPrice();
    BootstrapZeroCurve(session, -1);
    ZeroCurveKnots curve;
    const int n =
        std::min({static_cast<int>(session.nBonds), session.ZeroYields.UBound(), session.ZeroTimes.UBound()});
    if (session.nBonds >= 1) {
        for (int i = 0; i <= n; ++i) {
            curve.times.push_back(session.ZeroTimes(i));
            curve.rates.push_back(session.ZeroYields(i));
        }
    }
    session.ZeroYields = keptYields;
    session.ZeroTimes = keptTimes;
    return curve;
}

std::vector<BondFlows> TableFlows(const Session& session) {
    std::vector<BondFlows> out;
    for (int i = 1; i <= session.nBonds; ++i) {
        const qalBond& b = session.Bond(i);
        BondFlows f;
        f.name = b.GetName();
        f.years = b.GetYearsToMaturity();
        for (int j = 1; j <= b.numFlows(); ++j) {
            f.times.push_back(b.cashTime(j));
            f.amounts.push_back(b.cashFlow(j));
        }
        out.push_back(std::move(f));
    }
    return out;
}

namespace {

// Sum of cf t^power exp(-y t).
double Moment(const BondFlows& bond, double y, int power) {
    double sum = 0;
    for (size_t j = 0; j < bond.times.size(); ++j) {
        const double t = bond.times[j];
        const double v = bond.amounts[j] * std::exp(-y * t);
        sum += power == 0 ? v : power == 1 ? t * v : t * t * v;
    }
    return sum;
}

} // namespace

double FlowsValueAtYield(const BondFlows& bond, double y) {
    return Moment(bond, y, 0);
}

double FlowsDollarDuration(const BondFlows& bond, double y) {
    return Moment(bond, y, 1);
}

double FlowsDollarConvexity(const BondFlows& bond, double y) {
    return Moment(bond, y, 2);
}

double ContinuousYield(const BondFlows& bond, double value, double guess) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    if (!(value > 0) || !std::isfinite(guess))
        return nan;
    // The value falls and is convex in y: after at most one step Newton closes in from one side.
    double y = guess;
    for (int iteration = 0; iteration < 200; ++iteration) {
        double v = 0, d = 0; // value and $duration at y, in one pass
        for (size_t j = 0; j < bond.times.size(); ++j) {
            const double pv = bond.amounts[j] * std::exp(-y * bond.times[j]);
            v += pv;
            d += bond.times[j] * pv;
        }
        if (!(d > 0) || !std::isfinite(d))
            return nan;
        const double step = (v - value) / d;
        y += step;
        if (!std::isfinite(y))
            return nan;
        if (std::fabs(step) <= 1e-15 * std::max(1.0, std::fabs(y)))
            return y;
    }
    const double miss = FlowsValueAtYield(bond, y) - value;
    return std::fabs(miss) <= 1e-12 * value ? y : nan;
}

CurveBond PrepareBond(const BondFlows& bond, const ZeroCurveKnots& curve) {
    CurveBond c;
    c.flows = bond;
    c.zeros.reserve(bond.times.size());
    for (size_t j = 0; j < bond.times.size(); ++j) {
        const double z = ZeroRateAt(curve, bond.times[j]);
        c.zeros.push_back(z);
        c.value += bond.amounts[j] * std::exp(-z * bond.times[j]);
    }
    c.y0 = ContinuousYield(bond, c.value, ZeroRateAt(curve, bond.years));
    c.dollarDuration = FlowsDollarDuration(bond, c.y0);
    c.dollarConvexity = FlowsDollarConvexity(bond, c.y0);
    return c;
}

std::vector<CurveBond> PrepareTable(const std::vector<BondFlows>& bonds, const ZeroCurveKnots& curve) {
    std::vector<CurveBond> out;
    out.reserve(bonds.size());
    for (const BondFlows& b : bonds)
        out.push_back(PrepareBond(b, curve));
    return out;
}

ShockRow ShockBond(const CurveBond& bond, const ShockKnots& shock) {
    const BondFlows& f = bond.flows;
    ShockRow r;
    r.name = f.name;
    r.years = f.years;
    r.shiftBp = ShockAt(shock, f.years);
    r.value = bond.value;
    for (size_t j = 0; j < f.times.size(); ++j)
        r.shocked +=
            f.amounts[j] * std::exp(-(bond.zeros[j] + ShockAt(shock, f.times[j]) / 10000) * f.times[j]);
    r.change = r.shocked - r.value;
    r.y0 = bond.y0;
    r.y1 = ContinuousYield(f, r.shocked, r.y0);
    const double dy = r.y1 - r.y0;
    r.yieldChangeBp = dy * 10000;
    r.dollarDuration = bond.dollarDuration;
    r.dollarConvexity = bond.dollarConvexity;
    r.durationEstimate = -r.dollarDuration * dy;
    r.convexityEstimate = r.durationEstimate + r.dollarConvexity * dy * dy / 2;
    r.durationError = r.durationEstimate - r.change;
    r.convexityError = r.convexityEstimate - r.change;
    return r;
}

std::vector<ShockRow> ShockTable(const std::vector<CurveBond>& bonds, const ShockKnots& shock) {
    std::vector<ShockRow> rows;
    rows.reserve(bonds.size());
    for (const CurveBond& b : bonds)
        rows.push_back(ShockBond(b, shock));
    return rows;
}

std::vector<Holding> ParseHoldings(const std::string& text) {
    const char separator = text.find('\t') != std::string::npos ? '\t' : ',';
    std::vector<Holding> holdings;
    bool first = true;
    for (std::vector<std::string> record : ReadCsvRecords(text, separator)) {
        for (std::string& field : record) {
            while (!field.empty() && (field.back() == ' ' || field.back() == '\r'))
                field.pop_back();
        }
        const bool heading = first && record.size() == 2 && record[0] == "Bond" && record[1] == "Quantity";
        first = false;
        if (heading || (record.size() == 1 && record[0].find_first_not_of(" \t") == std::string::npos))
            continue;
        Holding h;
        if (record.size() != 2 || record[0].empty() || !ReadPlainNumber(record[1], h.quantity))
            throw ShockInputError(
                "a holding is a bond name and a quantity, as optimize prints them; '" + record[0] +
                (record.size() > 1 ? std::string(1, separator) + record[1] : "") + "' is not one");
        h.name = record[0];
        holdings.push_back(std::move(h));
    }
    return holdings;
}

std::vector<double> QuantitiesForRows(const std::vector<ShockRow>& rows,
                                      const std::vector<Holding>& holdings) {
    std::vector<double> quantities(rows.size(), 0.0);
    std::string unknown;
    for (const Holding& h : holdings) {
        const auto it =
            std::find_if(rows.begin(), rows.end(), [&](const ShockRow& r) { return r.name == h.name; });
        if (it == rows.end())
            unknown += (unknown.empty() ? "" : ", ") + h.name;
        else
            quantities[static_cast<size_t>(it - rows.begin())] += h.quantity;
    }
    if (!unknown.empty())
        throw ShockInputError("the holdings name bonds the table does not have: " + unknown);
    return quantities;
}

ShockRow PortfolioRow(const std::vector<ShockRow>& rows, const std::vector<double>& quantities) {
    ShockRow p;
    p.name = "Portfolio";
    for (size_t i = 0; i < rows.size() && i < quantities.size(); ++i) {
        const double q = quantities[i];
        if (q == 0)
            continue; // a bond without a yield held at 0 does not make the sums n/a
        const ShockRow& r = rows[i];
        p.value += q * r.value;
        p.shocked += q * r.shocked;
        p.change += q * r.change;
        p.dollarDuration += q * r.dollarDuration;
        p.dollarConvexity += q * r.dollarConvexity;
        p.durationEstimate += q * r.durationEstimate;
        p.convexityEstimate += q * r.convexityEstimate;
        p.durationError += q * r.durationError;
        p.convexityError += q * r.convexityError;
    }
    return p;
}

std::vector<std::string> ShockTableHeading() {
    return {"Bond",         "Years",         "Shift",
            "Value",        "Shocked",       "Change",
            "Yield change", "Duration est.", "Duration+convexity est.",
            "Error D",      "Error D+C"};
}

namespace {

std::string Fixed(double v, int decimals) {
    if (!std::isfinite(v))
        return "n/a";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    std::string s = buf;
    // A tiny negative rounds to "-0.00": show it as the zero it prints.
    if (s.find_first_not_of("-0.") == std::string::npos && s[0] == '-')
        s.erase(0, 1);
    return s;
}

} // namespace

std::vector<std::string> ShockTableCells(const ShockRow& row, bool portfolio) {
    return {row.name,
            portfolio ? "" : Fixed(row.years, 4),
            portfolio ? "" : Fixed(row.shiftBp, 2),
            Fixed(row.value, 4),
            Fixed(row.shocked, 4),
            Fixed(row.change, 4),
            portfolio ? "" : Fixed(row.yieldChangeBp, 2),
            Fixed(row.durationEstimate, 4),
            Fixed(row.convexityEstimate, 4),
            Fixed(row.durationError, 4),
            Fixed(row.convexityError, 4)};
}

} // namespace yarrow
