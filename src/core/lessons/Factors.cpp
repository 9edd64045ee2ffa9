#include "core/lessons/Factors.h"

#include "core/data/FrbSeries.h"

#include <Eigen/Dense>
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace yarrow {

namespace {

constexpr std::array<const char*, kFrbSeriesCount> kLabels = {"3M", "6M", "1Y", "2Y",  "3Y",
                                                              "5Y", "7Y", "10Y", "20Y", "30Y"};
constexpr std::array<int, kFrbSeriesCount> kMonths = {3, 6, 12, 24, 36, 60, 84, 120, 240, 360};

void CheckSeries(int series) {
    if (series < 0 || series >= kFrbSeriesCount)
        throw FactorsError("no series " + std::to_string(series));
}

std::string Upper(std::string_view s) {
    std::string u;
    for (char c : s)
        if (c != ' ' && c != '\t')
            u.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return u;
}

// Floor division, so the days before 1970 fall into their own weeks.
int64_t FloorDiv(int64_t a, int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Calendar week (Monday to Sunday) or month of a day.
int64_t PeriodOf(Date d, FactorStep step) {
    if (step == FactorStep::Monthly)
        return int64_t{Year(d)} * 12 + Month(d);
    // Day 4 of the epoch, 1970-01-05, is a Monday.
    return FloorDiv(int64_t{d.time_since_epoch().count()} - 4, 7);
}

void CheckComponents(const FactorObservations& obs, const char* what) {
    if (obs.series.size() < static_cast<size_t>(kFactorComponents))
        throw FactorsError(std::string(what) + " needs at least " + std::to_string(kFactorComponents) +
                           " series, not " + std::to_string(obs.series.size()));
}

} // namespace

std::string FactorSeriesLabel(int series) {
    CheckSeries(series);
    return kLabels[static_cast<size_t>(series)];
}

int FactorSeriesMonths(int series) {
    CheckSeries(series);
    return kMonths[static_cast<size_t>(series)];
}

std::vector<int> DefaultFactorSeries() {
    return {0, 1, 2, 3, 4, 5, 6, 7};
}

std::vector<int> ParseFactorSeries(std::string_view list) {
    std::vector<int> series;
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(',', start);
        if (comma == std::string_view::npos)
            comma = list.size();
        const std::string name = Upper(list.substr(start, comma - start));
        start = comma + 1;
        const auto it = std::find_if(kLabels.begin(), kLabels.end(), [&](const char* l) { return name == l; });
        if (it == kLabels.end())
            throw FactorsError("'" + name + "' is not a series (3M 6M 1Y 2Y 3Y 5Y 7Y 10Y 20Y 30Y)");
        const int s = static_cast<int>(it - kLabels.begin());
        if (std::find(series.begin(), series.end(), s) != series.end())
            throw FactorsError("series " + name + " is named twice");
        series.push_back(s);
    }
    // FrbSeriesTable runs in maturity order.
    std::sort(series.begin(), series.end());
    return series;
}

FactorObservations SelectFactorObservations(const CmtHistory& history, const FactorSpan& span) {
    for (int s : span.series)
        CheckSeries(s);
    FactorObservations obs;
    obs.series = span.series;
    int64_t lastPeriod = 0;
    for (size_t k = 0; k < history.Size(); ++k) {
        const Date day = history.DayAt(k);
        if (day < span.from)
            continue;
        if (day > span.to)
            break;
        std::vector<double> rates;
        rates.reserve(span.series.size());
        for (int s : span.series) {
            const int16_t h = history.RateAt(k, s);
            if (h == CmtHistory::kAbsent)
                break;
            rates.push_back(h / 100.0);
        }
        if (rates.size() != span.series.size())
            continue;
        const int64_t period = PeriodOf(day, span.step);
        if (span.step != FactorStep::Daily && !obs.dates.empty() && period == lastPeriod) {
            obs.dates.back() = day;
            obs.rates.back() = std::move(rates);
        } else {
            obs.dates.push_back(day);
            obs.rates.push_back(std::move(rates));
        }
        lastPeriod = period;
    }
    return obs;
}

PcaResult PrincipalComponents(const FactorObservations& obs) {
    CheckComponents(obs, "principal components");
    if (obs.dates.size() < 3)
        throw FactorsError("principal components need at least two changes: the span holds " +
                           std::to_string(obs.dates.size()) + " observation(s) with every chosen series");
    const auto n = static_cast<Eigen::Index>(obs.dates.size() - 1);
    const auto p = static_cast<Eigen::Index>(obs.series.size());
    Eigen::MatrixXd changes(n, p);
    for (Eigen::Index k = 0; k < n; ++k) {
        const auto& before = obs.rates[static_cast<size_t>(k)];
        const auto& after = obs.rates[static_cast<size_t>(k + 1)];
        for (Eigen::Index s = 0; s < p; ++s)
            changes(k, s) = after[static_cast<size_t>(s)] - before[static_cast<size_t>(s)];
    }
    const Eigen::MatrixXd centred = changes.rowwise() - changes.colwise().mean();
    const Eigen::MatrixXd covariance = (centred.transpose() * centred) / static_cast<double>(n - 1);
    const double trace = covariance.trace();
    if (!(trace > 0))
        throw FactorsError("the chosen rates do not change over the span");
    const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> solver(covariance);
    if (solver.info() != Eigen::Success)
        throw FactorsError("the covariance of the changes has no eigen-decomposition");

    PcaResult r;
    r.series = obs.series;
    r.changes = static_cast<size_t>(n);
    // The solver sorts increasing.
    for (Eigen::Index c = p - 1; c >= 0; --c) {
        Eigen::VectorXd v = solver.eigenvectors().col(c).normalized();
        // Entries equal up to rounding count as equal, so the first of them decides.
        const double largest = v.cwiseAbs().maxCoeff();
        Eigen::Index at = 0;
        while (std::abs(v(at)) < largest * (1 - 1e-9))
            ++at;
        if (v(at) < 0)
            v = -v;
        r.eigenvalues.push_back(solver.eigenvalues()(c));
        r.explained.push_back(solver.eigenvalues()(c) / trace);
        r.loadings.emplace_back(v.data(), v.data() + v.size());
    }
    return r;
}

DnsLoadings DieboldLiLoadings(double months, double lambda) {
    const double x = lambda * months;
    const double e = std::exp(-x);
    // -expm1 keeps the digits 1 - e loses when x is small.
    const double slope = -std::expm1(-x) / x;
    return {1, slope, slope - e};
}

std::vector<DnsRow> DynamicNelsonSiegel(const FactorObservations& obs, double lambda) {
    if (!(lambda > 0) || !std::isfinite(lambda))
        throw FactorsError("lambda must be a positive number");
    CheckComponents(obs, "the Nelson-Siegel fit");
    if (obs.dates.empty())
        throw FactorsError("the span holds no observation with every chosen series");
    const auto p = static_cast<Eigen::Index>(obs.series.size());
    const auto n = static_cast<Eigen::Index>(obs.dates.size());
    Eigen::MatrixXd x(p, 3);
    for (Eigen::Index s = 0; s < p; ++s) {
        const DnsLoadings l = DieboldLiLoadings(FactorSeriesMonths(obs.series[static_cast<size_t>(s)]), lambda);
        x(s, 0) = l.level;
        x(s, 1) = l.slope;
        x(s, 2) = l.curvature;
    }
    // Every observation has the same maturities: one factorisation serves them all.
    const Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(x);
    if (qr.rank() < 3)
        throw FactorsError("at this lambda the three loadings cannot be told apart");
    Eigen::MatrixXd y(p, n);
    for (Eigen::Index k = 0; k < n; ++k)
        for (Eigen::Index s = 0; s < p; ++s)
            y(s, k) = obs.rates[static_cast<size_t>(k)][static_cast<size_t>(s)];
    const Eigen::MatrixXd betas = qr.solve(y);
    const Eigen::MatrixXd residuals = y - x * betas;

    std::vector<DnsRow> rows(static_cast<size_t>(n));
    for (Eigen::Index k = 0; k < n; ++k) {
        DnsRow& row = rows[static_cast<size_t>(k)];
        row.date = obs.dates[static_cast<size_t>(k)];
        row.level = betas(0, k);
        row.slope = betas(1, k);
        row.curvature = betas(2, k);
        row.rmse = std::sqrt(residuals.col(k).squaredNorm() / static_cast<double>(p));
    }
    return rows;
}

DnsProxies DieboldLiProxies(const CmtHistory& history, Date day) {
    const double none = std::nan("");
    DnsProxies p{none, none, none};
    const size_t k = history.IndexOnOrBefore(day);
    if (k == history.Size() || history.DayAt(k) != day)
        return p;
    auto rate = [&](int series) {
        const int16_t h = history.RateAt(k, series);
        return h == CmtHistory::kAbsent ? none : h / 100.0;
    };
    const double m3 = rate(0), y2 = rate(3), y10 = rate(7);
    return {y10, y10 - m3, 2 * y2 - m3 - y10};
}

} // namespace yarrow
