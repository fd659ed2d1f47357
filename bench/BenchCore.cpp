// Times the bare selling price search on two trades: one settled in its first bracket, and the
// one whose fee drops at a bracket boundary (both brackets solved, the one-cent diagnosis). Prints
// the median time of one search over many timed batches. Goal: under 2 µs a search.

#include "FeeRules.h"
#include "SellingPriceSearch.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int batches = 201;
constexpr int searchesPerBatch = 2000;

struct Case
{
    const char* name;
    Schedule schedule;
    Trade trade;
    double taxRate;
};

// Keeps the compiler from dropping a search whose result nobody reads.
void keep(const CalcOutcome& outcome)
{
    asm volatile("" : : "g"(&outcome) : "memory");
}

double medianNanoseconds(const Case& c)
{
    using Clock = std::chrono::steady_clock;
    std::vector<double> perSearch;
    perSearch.reserve(batches);
    for (int batch = 0; batch < batches; ++batch) {
        const auto start = Clock::now();
        for (int i = 0; i < searchesPerBatch; ++i) {
            const CalcOutcome outcome = findSellingPrice(c.schedule, c.trade, c.taxRate);
            keep(outcome);
        }
        const std::chrono::duration<double, std::nano> elapsed = Clock::now() - start;
        perSearch.push_back(elapsed.count() / searchesPerBatch);
    }
    std::nth_element(perSearch.begin(), perSearch.begin() + batches / 2, perSearch.end());
    return perSearch[batches / 2];
}

} // namespace

int main()
{
    Case exact{"fixed fee 10, 100 shares at 10, 10 % wanted, rate 26", {}, {10, 100, 10, true}, 26};
    exact.schedule.brackets[0] = {openBound, 10, false};

    Case inexact{"1 % up to 1,000 then 5, 100 shares at 9.60, 19 euros wanted, rate 10",
                 {},
                 {9.60, 100, 19, false},
                 10};
    inexact.schedule.brackets[0] = {1000, 1, true};
    inexact.schedule.brackets[1] = {openBound, 5, false};

    std::printf("bench_core: median of %d batches of %d searches\n", batches, searchesPerBatch);
    bool withinGoal = true;
    for (const Case* c : {&exact, &inexact}) {
        const CalcOutcome outcome = findSellingPrice(c->schedule, c->trade, c->taxRate);
        const double ns = medianNanoseconds(*c);
        withinGoal = withinGoal && ns < 2000;
        std::printf("  %-72s %8.1f ns  (price %.2f%s)\n", c->name, ns, outcome.result.price,
                    outcome.result.inexact ? ", inexact" : "");
    }
    std::printf("goal under 2 us a search: %s\n", withinGoal ? "met" : "missed");
    return 0;
}
