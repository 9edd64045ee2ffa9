#include "core/lessons/FactorsCharts.h"

#include <algorithm>

namespace yarrow {

Chart LoadingsChart(const PcaResult& pca) {
    Chart c;
    c.title = "Loadings of the first three components";
    c.xTitle = "Maturity (years)";
    c.yTitle = "Loading";
    for (size_t k = 0; k < pca.loadings.size() && k < static_cast<size_t>(kFactorComponents); ++k) {
        ChartSeries& s = c.series.emplace_back(); // filled before the next one is added
        s.name = "PC" + std::to_string(k + 1);
        s.cssClass = "pc" + std::to_string(k + 1);
        const ChartSeriesLook look = SeriesLook(static_cast<int>(k));
        s.colour = look.colour;
        s.style = look.style;
        for (size_t i = 0; i < pca.series.size(); ++i)
            s.points.push_back({FactorSeriesMonths(pca.series[i]) / 12.0, pca.loadings[k][i]});
    }
    return c;
}

Chart ExplainedChart(const PcaResult& pca) {
    Chart c;
    c.title = "Explained variance";
    c.xTitle = "Component";
    c.yTitle = "Explained (%)";
    if (pca.explained.empty())
        return c;
    c.fixed = ChartRange{0.5, pca.explained.size() + 0.5, 0, 100};
    ChartSeries& cumulative = c.series.emplace_back();
    cumulative.name = "Cumulative (%)";
    cumulative.cssClass = "cumulative";
    cumulative.colour = kChartVermillion;
    cumulative.style = ChartLineStyle::kDash;
    double sum = 0;
    for (size_t k = 0; k < pca.explained.size(); ++k) {
        const double share = 100 * std::max(pca.explained[k], 0.0);
        sum += share;
        ChartBand& bar = c.bands.emplace_back();
        bar.x0 = k + 0.65;
        bar.x1 = k + 1.35;
        bar.y0 = 0;
        bar.y1 = share;
        bar.colour = kChartBlue;
        bar.opacity = 0.8;
        bar.cssClass = "explained";
        bar.legend = "Explained (%)";
        cumulative.points.push_back({k + 1.0, sum});
    }
    return c;
}

Chart BetaChart(const std::vector<Date>& dates, const BetaSeries& beta) {
    Chart c;
    c.title = beta.title;
    c.xTitle = "Date";
    c.yTitle = "Percent";
    c.xKind = ChartAxisKind::kDate;
    c.series.resize(2);
    ChartSeries& proxy = c.series[0];
    proxy.name = beta.proxyLegend;
    proxy.cssClass = "proxy";
    proxy.colour = kChartInk;
    proxy.style = ChartLineStyle::kDot;
    proxy.opacity = 0.6;
    ChartSeries& line = c.series[1];
    line.name = beta.legend;
    line.cssClass = beta.cssClass;
    line.colour = beta.colour;
    for (size_t k = 0; k < dates.size() && k < beta.beta.size() && k < beta.proxy.size(); ++k) {
        const double x = static_cast<double>(dates[k].time_since_epoch().count());
        proxy.points.push_back({x, beta.proxy[k]});
        line.points.push_back({x, beta.beta[k]});
    }
    return c;
}

std::vector<BetaSeries> BetasWithProxies(const std::vector<DnsRow>& rows, const CmtHistory& history) {
    std::vector<BetaSeries> b = {
        {"Level and the 10-year rate", "level", "Level", "10Y", kChartBlue, {}, {}},
        {"Slope and 10Y minus 3M", "slope", "Slope", "10Y-3M", kChartVermillion, {}, {}},
        {"Curvature and its proxy", "curvature", "Curvature", "2x2Y-3M-10Y", kChartGreen, {}, {}},
    };
    for (const DnsRow& r : rows) {
        const DnsProxies p = DieboldLiProxies(history, r.date);
        b[0].beta.push_back(r.level);
        b[0].proxy.push_back(p.level);
        b[1].beta.push_back(r.slope);
        b[1].proxy.push_back(p.slope);
        b[2].beta.push_back(r.curvature);
        b[2].proxy.push_back(p.curvature);
    }
    return b;
}

} // namespace yarrow
