// Recording one copied text: AddClip with its caption, for short and huge
// texts. The caption's cost must not grow with the text; the ratios of the
// 10 MB to the 100 B cases are printed at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "clipstore/caption.h"
#include "recording_reporter.h"
#include "clipstore/clip_store.h"

namespace {

using ambrel::clipstore::CaptionSettings;
using ambrel::clipstore::PopupLayout;
using ambrel::clipstore::TClipBase;

std::string SampleText(std::size_t size) {
  static const std::string line = "Copied text 12345 コピーしたテキスト\tcolumn\r\n";
  std::string text;
  text.reserve(size);
  while (text.size() < size) text += line;
  text.resize(size);
  return text;
}

void BM_MakeCaption(benchmark::State& state) {
  const std::string text = SampleText(static_cast<std::size_t>(state.range(0)));
  const CaptionSettings settings;
  for (auto _ : state) benchmark::DoNotOptimize(ambrel::clipstore::MakeCaption(ambrel::clipstore::SlotId::History(), text, settings));
}

void BM_MakeCaptionFirstLine(benchmark::State& state) {
  const std::string text = SampleText(static_cast<std::size_t>(state.range(0)));
  CaptionSettings settings;
  settings.firstLine = true;
  settings.changeSpace = true;
  for (auto _ : state) benchmark::DoNotOptimize(ambrel::clipstore::MakeCaption(ambrel::clipstore::SlotId::History(), text, settings));
}

// A full history of five clips; each iteration records one more copy, which
// drops the oldest. Two alternating texts keep the duplicate rule busy too.
void BM_AddClip(benchmark::State& state) {
  const std::string a = SampleText(static_cast<std::size_t>(state.range(0)));
  std::string b = a;
  b[0] = '#';
  PopupLayout layout;
  TClipBase store(layout);
  store.DefineDefaultSlots();
  for (int i = 0; i < 5; ++i) store.AddClip(layout.History(), 0, true, std::to_string(i));
  bool flip = false;
  for (auto _ : state) {
    store.AddClip(layout.History(), 0, true, flip ? a : b);
    flip = !flip;
  }
}

constexpr long k100B = 100;
constexpr long k1MB = 1 << 20;
constexpr long k10MB = 10 << 20;

BENCHMARK(BM_MakeCaption)->Arg(k100B)->Arg(k1MB)->Arg(k10MB);
BENCHMARK(BM_MakeCaptionFirstLine)->Arg(k100B)->Arg(k1MB)->Arg(k10MB);
BENCHMARK(BM_AddClip)->Arg(k100B)->Arg(k1MB)->Arg(k10MB);


}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  ambrel::bench::RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto ratio = [&](const std::string& name) {
    const double small = reporter.times[name + "/" + std::to_string(k100B)];
    const double huge = reporter.times[name + "/" + std::to_string(k10MB)];
    if (small > 0 && huge > 0)
      std::printf("ratio 10MB/100B %-26s %6.2f\n", name.c_str(), huge / small);
  };
  ratio("BM_MakeCaption");
  ratio("BM_MakeCaptionFirstLine");
  ratio("BM_AddClip");
  benchmark::Shutdown();
  return 0;
}
