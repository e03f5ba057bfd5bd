// Load and save times of the three data files for a full store: 30 history
// clips, ten user menus of 30 clips, 200 static clips of 10 KB. Files live in
// memory, so the figures are the program's own work without the disk.
// Then the growth of the store's bulk operations with the clip count: each
// time for 4096 clips over the time for 2048 is printed at the end (2 is
// linear, 4 quadratic).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "app/history_file.h"
#include "app/param_record.h"
#include "clipstore/clip_store.h"
#include "expand/meta_file.h"
#include "options/settings.h"
#include "platform/fakes.h"
#include "recording_reporter.h"

namespace {

using namespace ambrel;

std::string Text(int n, std::size_t size) {
  std::string text = "クリップ " + std::to_string(n) + "\r\n";
  while (text.size() < size) text += "あいうえお abc\t12345\r\n";
  text.resize(size);
  return text;
}

void FillFullStore(clipstore::TClipBase& store) {
  clipstore::PopupLayout& layout = store.Layout();
  store.DefineDefaultSlots();
  store.SetMaxHistory(30);
  for (int menu = 1; menu <= 10; ++menu)
    store.DefineSlot(layout.UserMenu(menu).name, "Menu " + std::to_string(menu), "x+",
                     layout.UserMenu(menu), true, 30, menu + 1);
  for (int i = 0; i < 30; ++i) store.AddClip(layout.History(), 0, true, Text(i, 300));
  for (int menu = 1; menu <= 10; ++menu)
    for (int i = 0; i < 30; ++i)
      store.AddClip(layout.UserMenu(menu), menu + 1, true, Text(menu * 100 + i, 200));
  for (int i = 0; i < 200; ++i) store.AddClip(layout.Static(), 1, true, Text(i, 10 * 1024));
}

void BM_SaveHistory(benchmark::State& state) {
  clipstore::PopupLayout layout;
  clipstore::TClipBase store{layout};
  FillFullStore(store);
  fakes::FakeFiles files;
  for (auto _ : state) benchmark::DoNotOptimize(app::SaveHistory(store, files, "h"));
  state.counters["clips"] = store.PageCount();
  state.counters["bytes"] = static_cast<double>(files.files["h"].size());
}
BENCHMARK(BM_SaveHistory)->Unit(benchmark::kMillisecond);

void BM_LoadHistory(benchmark::State& state) {
  fakes::FakeFiles files;
  {
    clipstore::PopupLayout layout;
    clipstore::TClipBase store{layout};
    FillFullStore(store);
    app::SaveHistory(store, files, "h");
  }
  clipstore::PopupLayout layout;
  clipstore::TClipBase store{layout};
  store.DefineDefaultSlots();
  store.SetMaxHistory(30);
  fakes::FakeMessageBoxes messages;
  for (auto _ : state) benchmark::DoNotOptimize(app::LoadHistory(store, files, messages, "h"));
  state.counters["clips"] = store.PageCount();
}
BENCHMARK(BM_LoadHistory)->Unit(benchmark::kMillisecond);

// A large store: static clips, which no limit trims.
void BM_LoadHistoryClipLimit(benchmark::State& state) {
  constexpr std::size_t kStaticClips = 4096;
  std::string file;
  for (std::size_t i = 0; i < kStaticClips; ++i) file += "\x01" + std::to_string(i) + '\0';
  clipstore::PopupLayout layout;
  clipstore::TClipBase store{layout};
  store.DefineDefaultSlots();
  fakes::FakeFiles files;
  files.files["h"] = file + "\xFF" + std::string(app::kSlotRecordsSize, '\0');
  fakes::FakeMessageBoxes messages;
  for (auto _ : state) benchmark::DoNotOptimize(app::LoadHistory(store, files, messages, "h"));
  state.counters["clips"] = store.PageCount();
}
BENCHMARK(BM_LoadHistoryClipLimit)->Unit(benchmark::kMillisecond)->Iterations(1);

// A history file of n static clips (which no limit trims), of 64 bytes each.
std::string StaticClipsFile(int n) {
  std::string file;
  for (int i = 0; i < n; ++i) {
    file += '\x01';
    file += Text(i, 64);
    file += '\0';
  }
  file += '\xFF';
  file.append(app::kSlotRecordsSize, '\0');
  return file;
}

struct GrowthFixture {
  clipstore::PopupLayout layout;
  clipstore::TClipBase store{layout};
  fakes::FakeFiles files;
  fakes::FakeMessageBoxes messages;
  explicit GrowthFixture(int n) {
    store.DefineDefaultSlots();
    files.files["h"] = StaticClipsFile(n);
  }
  void Load() { app::LoadHistory(store, files, messages, "h"); }
};

void BM_GrowthLoadHistory(benchmark::State& state) {
  GrowthFixture f(static_cast<int>(state.range(0)));
  for (auto _ : state) f.Load();
  state.counters["clips"] = f.store.PageCount();
}

void BM_GrowthClearClips(benchmark::State& state) {
  GrowthFixture f(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    f.Load();
    state.ResumeTiming();
    f.store.ClearClips();
  }
}

// The duplicate is the oldest clip: the whole menu is searched.
void BM_GrowthRemoveDuplicate(benchmark::State& state) {
  GrowthFixture f(static_cast<int>(state.range(0)));
  const std::string oldest = Text(0, 64);
  for (auto _ : state) {
    state.PauseTiming();
    f.Load();
    state.ResumeTiming();
    f.store.RemoveDuplicate(f.layout.Static(), oldest);
  }
}

// Reading n clips in addition to those of a full store (the data commands'
// read-all of a history file).
void BM_GrowthReadAll(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  clipstore::PopupLayout layout;
  clipstore::TClipBase store{layout};
  FillFullStore(store);
  const int before = store.PageCount();
  for (auto _ : state) {
    {
      clipstore::TClipBase::Batch batch(store);
      for (int i = 0; i < n; ++i) store.AddClip(layout.Static(), clipstore::kStaticSlot, true, Text(i, 64));
    }
    state.PauseTiming();
    while (store.PageCount() > before) store.DeleteClip(store.PageCount() - 1);
    state.ResumeTiming();
  }
}

BENCHMARK(BM_GrowthLoadHistory)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond);
// Each iteration loads the store again outside the clock: a fixed count keeps the run short.
BENCHMARK(BM_GrowthClearClips)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_GrowthRemoveDuplicate)->Arg(2048)->Arg(4096)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_GrowthReadAll)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond);

struct ParamFixture {
  clipstore::PopupLayout layout;
  clipstore::TClipBase store{layout};
  options::Settings settings;
  expand::MetaList meta;
  fakes::FakeFiles files;
  fakes::FakeMessageBoxes messages;
  fakes::FakeClock clock;
  DataFileSaver saver{files, messages, clock, "p", app::kParamSaveFailed};
  app::ParamFile params{files, messages, {store, settings, meta, nullptr}, saver};
  ParamFixture() { FillFullStore(store); }
};

void BM_SaveParams(benchmark::State& state) {
  ParamFixture f;
  for (auto _ : state) benchmark::DoNotOptimize(f.params.SaveParams());
}
BENCHMARK(BM_SaveParams)->Unit(benchmark::kMicrosecond);

// Applying refreshes every caption of the full store once.
void BM_LoadParams(benchmark::State& state) {
  ParamFixture f;
  f.params.SaveParams();
  for (auto _ : state) benchmark::DoNotOptimize(f.params.LoadParams());
}
BENCHMARK(BM_LoadParams)->Unit(benchmark::kMicrosecond);

void BM_SaveAndLoadMeta(benchmark::State& state) {
  expand::MetaList list;
  list.Assign(expand::DefaultMetaList());
  for (int i = 0; i < 100; ++i) list.Append("$" + std::string(1, static_cast<char>('0' + i % 10)), Text(i, 1024));
  fakes::FakeFiles files;
  fakes::FakeMessageBoxes messages;
  fakes::FakeClock clock;
  DataFileSaver saver{files, messages, clock, "m", expand::kMetaSaveFailed};
  expand::MetaList loaded;
  for (auto _ : state) {
    expand::SaveMetaFile(list, saver, SaveMoment::kExit);
    expand::LoadMetaFile(loaded, files, "m");
  }
  state.counters["rows"] = loaded.Count();
}
BENCHMARK(BM_SaveAndLoadMeta)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  ambrel::bench::RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const char* name : {"BM_GrowthLoadHistory", "BM_GrowthClearClips", "BM_GrowthRemoveDuplicate",
                           "BM_GrowthReadAll"}) {
    const std::string runs = std::string(name) == "BM_GrowthClearClips" || std::string(name) == "BM_GrowthRemoveDuplicate"
                                 ? "/iterations:200"
                                 : "";
    const double small = reporter.cpuTimes[std::string(name) + "/2048" + runs];
    const double large = reporter.cpuTimes[std::string(name) + "/4096" + runs];
    if (small > 0 && large > 0) std::printf("growth 4096/2048 (CPU time) %-26s %6.2f\n", name, large / small);
  }
  const double load = reporter.cpuTimes["BM_GrowthLoadHistory/4096"];
  if (load > 0) std::printf("LoadHistory of 4096 clips (CPU time): %.2f ms\n", load);
  benchmark::Shutdown();
  return 0;
}
