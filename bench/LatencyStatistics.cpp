#include "LatencyStatistics.h"

#include <algorithm>
#include <cmath>

namespace tulma::bench {

double Percentile(std::vector<double> Samples, double Fraction) {
    if (Samples.empty()) {
        return 0;
    }
    std::sort(Samples.begin(), Samples.end());
    const auto Rank = static_cast<std::size_t>(std::ceil(Fraction * static_cast<double>(Samples.size())));
    return Samples[std::clamp<std::size_t>(Rank, 1, Samples.size()) - 1];
}

void AddTailStatistics(benchmark::internal::Benchmark* Bench) {
    Bench->ComputeStatistics("p90", [](const std::vector<double>& V) { return Percentile(V, 0.90); })
        ->ComputeStatistics("p99", [](const std::vector<double>& V) { return Percentile(V, 0.99); })
        ->ComputeStatistics("max", [](const std::vector<double>& V) { return Percentile(V, 1.0); });
}

}  // namespace tulma::bench
