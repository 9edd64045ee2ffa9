#include "core/data/TableWarnings.h"

#include "core/data/Session.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "core/text/NumberText.h"
#include "core/text/RuntimeError.h"

#include <algorithm>
#include <utility>

namespace yarrow {

std::vector<std::string> BondTableWarnings(const Session& session, const GridModel& grid) {
    std::vector<std::string> warnings;
    if (grid.Cols() < 2)
        return warnings;
    const int end = 2 + NamedRowCount(grid);
    if (end >= grid.Rows())
        return warnings;
    int named = 0;
    for (int r = end + 1; r < grid.Rows(); ++r)
        if (!IsBlankName(grid.TextMatrix(r, 1)))
            ++named;
    if (named > 0)
        warnings.push_back("Row " + std::to_string(end) +
                           " of the grid has no name, so the bond table ends with " +
                           std::to_string(session.nBonds) + " bond(s) above it; " + std::to_string(named) +
                           " named row(s) below it are not read.");
    return warnings;
}

std::vector<std::string> CurveWarnings(const Session& session) {
    std::vector<std::pair<float, int>> byTime;
    for (int i = 1; i <= session.nBonds; ++i)
        if (i < static_cast<int>(session.Bonds.size()) && session.Bonds[static_cast<size_t>(i)])
            byTime.emplace_back(session.Bonds[static_cast<size_t>(i)]->GetYearsToMaturity(), i);
    std::stable_sort(byTime.begin(), byTime.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> warnings;
    for (size_t k = 1; k < byTime.size(); ++k) {
        if (byTime[k].first != byTime[k - 1].first)
            continue;
        if (k >= 2 && byTime[k - 2].first == byTime[k].first)
            continue; // one sentence per maturity
        const qalBond& a = session.Bond(byTime[k - 1].second);
        const qalBond& b = session.Bond(byTime[k].second);
        warnings.push_back("Bonds " + a.GetName() + " and " + b.GetName() + " mature on the same day (" +
                           FormatPattern(byTime[k].first, "####0.0000") +
                           " years): the curve has two points at one maturity.");
    }
    return warnings;
}

std::vector<std::string> NelsonSiegelFitWarnings(const Session& session) {
    std::vector<float> times;
    for (int i = 1; i <= session.nBonds; ++i)
        if (i < static_cast<int>(session.Bonds.size()) && session.Bonds[static_cast<size_t>(i)])
            times.push_back(session.Bonds[static_cast<size_t>(i)]->GetYearsToMaturity());
    std::sort(times.begin(), times.end());
    const auto distinct = std::unique(times.begin(), times.end()) - times.begin();
    if (distinct >= 3)
        return {};
    return {"The Nelson-Siegel fit needs bonds of at least three different maturities; with " +
            std::to_string(distinct) + " its equations are singular and the fitted parameters mean nothing."};
}

std::string BondTableErrorText(const Session& session, const GridModel& grid, const RuntimeError& e) {
    const int row = session.nBonds + 2;
    std::string where = "Grid row " + std::to_string(row);
    if (row < grid.Rows() && grid.Cols() > 1)
        where += " (" + grid.TextMatrix(row, 1) + ")";
    return where + ": " + e.text();
}

} // namespace yarrow
