// MinIt against GLPK's simplex on the greatest duration-weighted yield programme of the
// analytics panel: 1,000 bonds, value and $duration targets (two equality rows). Each side
// builds its problem from the bond measures and solves it; the objectives must agree.
#include "core/numeric/ssMinit.h"
#include "support/GeneratedBonds.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <glpk.h>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using yarrow::Array1;
using yarrow::ssMinit;

using Bond = yarrow::testing::GeneratedBond;

std::vector<Bond> MakeBonds(int n) {
    std::mt19937 rng(1000);
    return yarrow::testing::GenerateBonds(rng, n);
}

struct Programme {
    std::vector<Bond> bonds;
    float value, duration;
};

const Programme& MaxYield() {
    static const Programme p = [] {
        Programme q{MakeBonds(1000), 1e6f, 0};
        q.duration = q.value * 6.5f; // a $duration of 6.5 per unit of value: inside the bonds' range
        return q;
    }();
    return p;
}

struct Result {
    int status;
    double objective;
};

Result SolveMinIt(const Programme& p) {
    const auto n = static_cast<int16_t>(p.bonds.size());
    ssMinit s;
    s.Initialize(n, 2, 2);
    for (int16_t i = 1; i <= n; ++i) {
        const Bond& b = p.bonds[i - 1];
        s.setObjectiveVector(i, b.yield * b.dollarDuration);
        s.setConstraintMatrix(1, i, b.dollarDuration);
        s.setConstraintMatrix(2, i, b.price);
    }
    s.setConstraintVector(1, p.duration);
    s.setConstraintVector(2, p.value);
    Array1<float> x(n), w(2);
    float z = 0;
    const int status = s.MinIt(x, w, z);
    return {status, z};
}

Result SolveGlpk(const Programme& p) {
    const int n = static_cast<int>(p.bonds.size());
    glp_prob* lp = glp_create_prob();
    glp_set_obj_dir(lp, GLP_MAX);
    glp_add_rows(lp, 2);
    glp_add_cols(lp, n);
    glp_set_row_bnds(lp, 1, GLP_FX, p.duration, p.duration);
    glp_set_row_bnds(lp, 2, GLP_FX, p.value, p.value);
    std::vector<int> ia(1 + 2 * n), ja(1 + 2 * n);
    std::vector<double> ar(1 + 2 * n);
    for (int j = 1; j <= n; ++j) {
        const Bond& b = p.bonds[j - 1];
        glp_set_col_bnds(lp, j, GLP_LO, 0, 0);
        glp_set_obj_coef(lp, j, b.yield * b.dollarDuration);
        ia[2 * j - 1] = 1, ja[2 * j - 1] = j, ar[2 * j - 1] = b.dollarDuration;
        ia[2 * j] = 2, ja[2 * j] = j, ar[2 * j] = b.price;
    }
    glp_load_matrix(lp, 2 * n, ia.data(), ja.data(), ar.data());
    glp_smcp parm;
    glp_init_smcp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    const int rc = glp_simplex(lp, &parm);
    const Result r{rc == 0 && glp_get_status(lp) == GLP_OPT ? 0 : 1, glp_get_obj_val(lp)};
    glp_delete_prob(lp);
    return r;
}

void BM_MinIt(benchmark::State& state) {
    const Programme& p = MaxYield();
    for (auto _ : state) {
        Result r = SolveMinIt(p);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_MinIt)->Unit(benchmark::kMicrosecond);

void BM_Glpk(benchmark::State& state) {
    const Programme& p = MaxYield();
    for (auto _ : state) {
        Result r = SolveGlpk(p);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_Glpk)->Unit(benchmark::kMicrosecond);

// Keeps the fastest repetition of each benchmark in CPU time (the one least disturbed by other
// work on the machine) for the closing ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) {
            if (run.run_type != Run::RT_Iteration)
                continue;
            const std::string name = run.run_name.function_name;
            const double t = run.GetAdjustedCPUTime();
            if (!best.count(name) || t < best[name])
                best[name] = t;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> best;
};

} // namespace

int main(int argc, char** argv) {
    const Result ours = SolveMinIt(MaxYield());
    const Result glpk = SolveGlpk(MaxYield());
    const double gap = std::fabs(ours.objective - glpk.objective) / std::max(1.0, std::fabs(glpk.objective));
    std::printf(
        "max-yield programme, 1000 bonds: MinIt status %d objective %.6f; GLPK status %d objective %.6f; "
        "relative gap %.2e\n",
        ours.status, ours.objective, glpk.status, glpk.objective, gap);
    if (ours.status != 0 || glpk.status != 0 || gap > 1e-4) {
        std::printf("the two solvers disagree: no timing\n");
        return 1;
    }
    // Repetitions in random order spread the machine's other load over both solvers alike.
    std::vector<char*> args(argv, argv + argc);
    std::string reps = "--benchmark_repetitions=9",
                interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, {reps.data(), interleave.data()});
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (reporter.best.count("BM_MinIt") && reporter.best.count("BM_Glpk"))
        std::printf("fastest repetitions (CPU): MinIt %.1f us, GLPK %.1f us; GLPK / MinIt time ratio %.2f\n",
                    reporter.best["BM_MinIt"], reporter.best["BM_Glpk"],
                    reporter.best["BM_Glpk"] / reporter.best["BM_MinIt"]);
    benchmark::Shutdown();
    return 0;
}
