// A console reporter that also keeps each run's time per iteration, so a
// benchmark program can print the ratios its goals are stated in.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace ambrel::bench {

class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      times[run.benchmark_name()] = run.GetAdjustedRealTime();
      cpuTimes[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  // Time per iteration of a run by its full name ("BM_X/100"); 0 when absent.
  double Time(const std::string& name) const {
    auto it = times.find(name);
    return it == times.end() ? 0 : it->second;
  }

  std::map<std::string, double> times;
  std::map<std::string, double> cpuTimes;  // steadier than wall time on a shared machine
};

}  // namespace ambrel::bench
