#include "core/lessons/Spread.h"

#include <algorithm>
#include <cctype>

namespace yarrow {

namespace {

constexpr const char* kLabels[kFrbSeriesCount] = {"3M", "6M", "1Y", "2Y", "3Y", "5Y", "7Y", "10Y", "20Y", "30Y"};

// The first record holding `series`, or Size() when none does.
size_t FirstOf(const CmtHistory& h, int series) {
    for (size_t k = 0; k < h.Size(); ++k)
        if (h.RateAt(k, series) != CmtHistory::kAbsent)
            return k;
    return h.Size();
}

} // namespace

std::optional<int> SeriesOfLabel(const std::string& label) {
    std::string up;
    for (char c : label)
        up += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (int i = 0; i < kFrbSeriesCount; ++i)
        if (up == kLabels[i])
            return i;
    return std::nullopt;
}

const char* SeriesLabel(int series) {
    return series >= 0 && series < kFrbSeriesCount ? kLabels[series] : "";
}

std::vector<SpreadPoint> SpreadSeries(const CmtHistory& history, const SpreadRequest& r) {
    std::vector<SpreadPoint> out;
    if (history.Size() == 0 || r.to < r.from)
        return out;
    const size_t shortBegins = FirstOf(history, r.shortSeries);
    const Date shortFirst = shortBegins < history.Size() ? history.DayAt(shortBegins) : Date::max();
    // Rates of one date by series (kAbsent where none).
    auto add = [&](Date date, const std::array<int16_t, kFrbSeriesCount>& rates) {
        const int16_t longRate = rates[static_cast<size_t>(r.longSeries)];
        if (longRate == CmtHistory::kAbsent)
            return;
        int shortSeries = r.shortSeries;
        if (rates[static_cast<size_t>(shortSeries)] == CmtHistory::kAbsent) {
            if (date >= shortFirst)
                return; // a missing day, not a series that has not begun
            shortSeries = -1;
            for (int s = 0; s < kFrbSeriesCount && s != r.longSeries; ++s)
                if (rates[static_cast<size_t>(s)] != CmtHistory::kAbsent) {
                    shortSeries = s;
                    break;
                }
            if (shortSeries < 0)
                return;
        }
        out.push_back({date, longRate, rates[static_cast<size_t>(shortSeries)], shortSeries});
    };
    std::array<int16_t, kFrbSeriesCount> rates{};
    if (r.step == SpreadStep::kDaily) {
        const size_t before = history.IndexOnOrBefore(r.from - std::chrono::days(1));
        for (size_t k = before == history.Size() ? 0 : before + 1; k < history.Size() && history.DayAt(k) <= r.to;
             ++k) {
            for (int s = 0; s < kFrbSeriesCount; ++s)
                rates[static_cast<size_t>(s)] = history.RateAt(k, s);
            add(history.DayAt(k), rates);
        }
        return out;
    }
    // From the first date each time, so the 31st stays the month's end after a shorter month.
    for (int n = 0;; ++n) {
        const Date date = r.step == SpreadStep::kWeekly ? r.from + std::chrono::days(7 * n) : AddMonths(r.from, n);
        if (date > r.to)
            break;
        rates.fill(CmtHistory::kAbsent);
        for (const CmtObservation& o : history.DayOf(date).rows)
            rates[static_cast<size_t>(o.series)] = o.hundredths;
        add(date, rates);
    }
    return out;
}

std::string SpreadLegend(const SpreadRequest& r, const std::vector<SpreadPoint>& points) {
    // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on a chain of + here.
    std::string text = SeriesLabel(r.longSeries);
    text += " - ";
    text += SeriesLabel(r.shortSeries);
    std::vector<int> standIns;
    Date until{};
    for (const SpreadPoint& p : points)
        if (p.shortSeries != r.shortSeries) {
            if (std::find(standIns.begin(), standIns.end(), p.shortSeries) == standIns.end())
                standIns.push_back(p.shortSeries);
        } else if (!standIns.empty()) {
            until = p.date;
            break;
        }
    if (standIns.empty())
        return text;
    text += " (";
    for (size_t i = 0; i < standIns.size(); ++i) {
        if (i)
            text += '/';
        text += SeriesLabel(standIns[i]);
    }
    if (until != Date{}) {
        text += " before ";
        text += FormatDate(until, "yyyy-mm-dd");
    }
    text += ')';
    return text;
}

std::vector<Inversion> FindInversions(const std::vector<SpreadPoint>& daily, const std::vector<Recession>& recessions,
                                      int minDays) {
    std::vector<Inversion> out;
    std::optional<Inversion> open;
    auto close = [&] {
        if (open && open->businessDays >= std::max(minDays, 1)) {
            const int month = Year(open->first) * 12 + Month(open->first);
            for (const Recession& rec : recessions)
                if (rec.peakYear * 12 + rec.peakMonth >= month) {
                    open->monthsToRecession = rec.peakYear * 12 + rec.peakMonth - month;
                    open->recession = rec;
                    break;
                }
            out.push_back(*open);
        }
        open.reset();
    };
    for (const SpreadPoint& p : daily) {
        if (p.Spread() >= 0) {
            close();
            continue;
        }
        if (!open)
            open = Inversion{p.date, p.date, 0, p.Spread(), p.date, std::nullopt, std::nullopt};
        open->last = p.date;
        ++open->businessDays;
        if (p.Spread() < open->deepest) {
            open->deepest = p.Spread();
            open->deepestDay = p.date;
        }
    }
    close();
    return out;
}

} // namespace yarrow
