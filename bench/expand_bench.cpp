// The expansion's costs: the folder scan of a 20,000-folder tree with and
// without the per-entry check that decides when to hand control to the
// message loop, the tree-file build, and ExpandText on a typical clip and on
// a clip whose group reproduces itself until the bound stops it.
// The folders live in memory, so the figures are the program's own work; the
// run under Wine with real folders and the work window is
// bench/wine/expand_scan_measure.cpp.
#include <benchmark/benchmark.h>

#include <time.h>

#include <string>
#include <vector>

#include "expand/expand_fakes.h"
#include "expand/expand_text.h"
#include "expand/pick_tree.h"

namespace {

using namespace ambrel;

// 20 x 20 x 49 leaf folders below 20 x 20 middle ones: 20,020 folders, and a
// file beside every folder so that the scan also skips plain entries.
fakes::FakeFileSystem& GeneratedTree() {
  static fakes::FakeFileSystem fs = [] {
    fakes::FakeFileSystem f;
    for (int a = 0; a < 20; ++a) {
      const std::string pa = "C:\\root\\a" + std::to_string(a);
      f.AddFolder("C:\\root", "a" + std::to_string(a));
      for (int b = 0; b < 20; ++b) {
        const std::string pb = pa + "\\b" + std::to_string(b);
        f.AddFolder(pa, "b" + std::to_string(b));
        for (int c = 0; c < 49; ++c) {
          f.AddFolder(pb, "c" + std::to_string(c));
          f.folders[pb].push_back({"file" + std::to_string(c) + ".txt", false, false, false});
        }
      }
    }
    return f;
  }();
  return fs;
}

struct NoStep : expand::WorkStep {
  void Step() override {}
};

// <chrono> does not compile to the CP932 execution character set.
double NowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

// What the work window does per entry when no pump is due: read the clock.
struct ClockCheckStep : expand::WorkStep {
  double last = NowMs();
  int pumps = 0;
  void Step() override {
    const double now = NowMs();
    if (now - last >= 8.0) {
      last = now;
      ++pumps;
    }
  }
};

void BM_ScanFolders_Bare(benchmark::State& state) {
  fakes::FakeFileSystem& fs = GeneratedTree();
  NoStep step;
  expand::PickTree tree;
  for (auto _ : state) {
    expand::ScanFolders(tree, "C:\\root", fs, step);
    benchmark::DoNotOptimize(tree.Count());
  }
  state.counters["folders"] = tree.Count();
}
BENCHMARK(BM_ScanFolders_Bare)->Unit(benchmark::kMillisecond);

void BM_ScanFolders_WithStepCheck(benchmark::State& state) {
  fakes::FakeFileSystem& fs = GeneratedTree();
  ClockCheckStep step;
  expand::PickTree tree;
  for (auto _ : state) {
    expand::ScanFolders(tree, "C:\\root", fs, step);
    benchmark::DoNotOptimize(tree.Count());
  }
  state.counters["folders"] = tree.Count();
}
BENCHMARK(BM_ScanFolders_WithStepCheck)->Unit(benchmark::kMillisecond);

void BM_BuildTree_100kLines(benchmark::State& state) {
  std::vector<std::string> lines;
  for (int i = 0; i < 100000; ++i) lines.push_back(std::string(static_cast<std::size_t>(i % 7), '\t') + "node");
  NoStep step;
  for (auto _ : state) {
    expand::PickTree tree;
    expand::BuildTree(tree, lines, step);
    benchmark::DoNotOptimize(tree.Count());
  }
}
BENCHMARK(BM_BuildTree_100kLines)->Unit(benchmark::kMillisecond);

struct Expansion {
  expand::MetaList meta;
  fakes::FakeClock clock;
  fakes::FakeClipboard clipboard;
  fakes::FakeEnvironment environment;
  fakes::FakeFileSystem fileSystem;
  fakes::FakePrompter prompter;
  expand::ExpandServices services{meta, clock, clipboard, environment, fileSystem, prompter, {}};
  Expansion() { meta.Assign(expand::DefaultMetaList()); }
};

void BM_ExpandText_DateClip(benchmark::State& state) {
  Expansion e;
  const std::string clip = ";時刻\r\n<例>現在は19$y年$m月$d日の $h時$n分$s秒です。$x";
  for (auto _ : state) benchmark::DoNotOptimize(expand::ExpandText(clip, e.services));
}
BENCHMARK(BM_ExpandText_DateClip);

void BM_ExpandText_ReproducingGroupToBound(benchmark::State& state) {
  Expansion e;
  e.clipboard.text = "($b)";
  for (auto _ : state) benchmark::DoNotOptimize(expand::ExpandText("X($b)", e.services));
}
BENCHMARK(BM_ExpandText_ReproducingGroupToBound)->Unit(benchmark::kMillisecond);

void BM_ExpandText_LargeReproducingGroupToBound(benchmark::State& state) {
  Expansion e;
  e.clipboard.text = std::string(1u << 20, 'z') + "($b)";
  for (auto _ : state) benchmark::DoNotOptimize(expand::ExpandText("X($b)", e.services));
}
BENCHMARK(BM_ExpandText_LargeReproducingGroupToBound)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
