#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>

namespace tulma::bench {

// The console report, plus a summary of benchmarks named "Family/contender": median, p90, p99 and max
// of each, and for every family with a "tulma" entry whether Tulma was at least as fast as each other
// contender at the median and at the 99th percentile, or within the family's target share of its time.
// A "floor" entry is judged by nobody: it shows the share of each contender's time that the least
// possible work takes.
class TSideBySideReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& Runs) override;
    // Prints the summary; returns whether every verdict was in Tulma's favour.
    bool PrintSummary(std::ostream& Out) const;

  private:
    // Benchmark name -> aggregate name -> value in the benchmark's time unit.
    std::map<std::string, std::map<std::string, double>> Figures;
    std::map<std::string, std::string> Units;
};

}  // namespace tulma::bench
