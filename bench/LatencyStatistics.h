#pragma once

#include <benchmark/benchmark.h>

#include <vector>

namespace tulma::bench {

// Nearest-rank percentile (0 < Fraction <= 1) of the samples; 0 without samples.
double Percentile(std::vector<double> Samples, double Fraction);

// Adds p90, p99 and max to Google Benchmark's aggregates over the repetitions (one sample each).
void AddTailStatistics(benchmark::internal::Benchmark* Bench);

}  // namespace tulma::bench
