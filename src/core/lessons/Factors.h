#pragma once

#include "core/data/CmtHistory.h"
#include "core/text/Dates.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace yarrow {

// Level, slope and curvature of the Treasury curve: principal components of the daily (weekly,
// monthly) changes of chosen constant-maturity series, and the dynamic Nelson-Siegel betas of each
// observed curve with the decay fixed.
//
//     const CmtHistory history = LoadTreasuryHistory();
//     FactorObservations obs = SelectFactorObservations(history, {from, to, FactorStep::Monthly,
//                                                                 DefaultFactorSeries()});
//     PcaResult pca = PrincipalComponents(obs);
//     std::vector<DnsRow> betas = DynamicNelsonSiegel(obs, kDieboldLiLambda);

// Input the factors cannot be computed from; the text says why, in the user's words.
class FactorsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class FactorStep { Daily, Weekly, Monthly };

inline constexpr int kFactorComponents = 3;
// Decay per month of maturity that puts the curvature loading's peak near 30 months.
inline constexpr double kDieboldLiLambda = 0.0609;

// "3M", "6M", "1Y" .. "30Y" of a series index of FrbSeriesTable, and its maturity in months.
std::string FactorSeriesLabel(int series);
int FactorSeriesMonths(int series);
// The eight series published every day since 1982-01-04: 3M 6M 1Y 2Y 3Y 5Y 7Y 10Y.
std::vector<int> DefaultFactorSeries();
// "10Y,3M,2y" -> series indices sorted by maturity. Blanks around names are ignored, case too.
// FactorsError for an unknown name, a name given twice or an empty list.
std::vector<int> ParseFactorSeries(std::string_view list);

struct FactorSpan {
    Date from{};
    Date to{};
    FactorStep step = FactorStep::Daily;
    std::vector<int> series = DefaultFactorSeries(); // indices sorted by maturity
};

// The observed curves: the days of the span on which every chosen series has a rate (for weekly
// and monthly steps, the last such day of each calendar week, Monday to Sunday, or month).
struct FactorObservations {
    std::vector<int> series;
    std::vector<Date> dates;
    std::vector<std::vector<double>> rates; // [observation][series], percent
};
FactorObservations SelectFactorObservations(const CmtHistory& history, const FactorSpan& span);

struct PcaResult {
    std::vector<int> series;
    size_t changes = 0;              // the number of changes the covariance is taken over
    std::vector<double> eigenvalues; // decreasing, (percentage points)^2, one per series
    std::vector<double> explained;   // eigenvalue / trace, fractions, one per series
    // loadings[c][s]: component c's unit vector, its entry of largest magnitude positive (the first
    // of equal magnitudes).
    std::vector<std::vector<double>> loadings;
};
// Eigen-decomposition of the sample covariance (divisor n - 1) of the changes between consecutive
// observations, in percentage points. FactorsError with fewer than two changes, fewer series than
// kFactorComponents, or rates that never change.
PcaResult PrincipalComponents(const FactorObservations& obs);

struct DnsRow {
    Date date{};
    double level = 0, slope = 0, curvature = 0; // percent
    double rmse = 0;                            // root-mean-square residual, percent
};
// Nelson-Siegel loadings 1, (1 - e)/(lambda m), (1 - e)/(lambda m) - e with e = exp(-lambda m)
// and m in months.
struct DnsLoadings {
    double level = 1, slope = 0, curvature = 0;
};
DnsLoadings DieboldLiLoadings(double months, double lambda);
// Ordinary least squares of each observation's rates on the three loadings. FactorsError for a
// lambda that is not a positive number, no observation, or fewer series than kFactorComponents.
std::vector<DnsRow> DynamicNelsonSiegel(const FactorObservations& obs, double lambda);

// The empirical counterparts of the betas on one day of the history: the 10-year rate; 10Y minus
// 3M; 2 x 2Y minus 3M minus 10Y. NaN where a rate the proxy needs is missing that day.
struct DnsProxies {
    double level, slope, curvature;
};
DnsProxies DieboldLiProxies(const CmtHistory& history, Date day);

} // namespace yarrow
