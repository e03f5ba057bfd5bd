// Distribution of one large copy over ten user menus against ten plain
// matches of the same expressions over the same text: distribution compiles
// every menu's expression for every copy, which must come from the
// expression cache, so the two should cost about the same.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "clipstore/clip_store.h"
#include "recording_reporter.h"
#include "options/settings.h"
#include "platform/message_box.h"
#include "regexp/awkstr.h"
#include "usermenu/distribution.h"

namespace {

using ambrel::clipstore::PopupLayout;
using ambrel::clipstore::TClipBase;

const std::array<const char*, 10> kPatterns = {
    "http://[^ ]*",           "[0-9]+円",           "[a-z]+@[a-z]+\\.(com|jp)", "東京[都府]",
    "ISBN[0-9-]+",            "〒[0-9][0-9][0-9]-[0-9]+", "[A-Z][A-Z][A-Z]-[0-9]+", "(月|火|水)曜日",
    "v[0-9]+\\.[0-9]+",      "#[0-9a-f]+",
};

// 10 MB of mixed Japanese and ASCII prose; what the patterns catch stands
// only at its end, so every match reads nearly the whole text.
const std::string& Text() {
  static const std::string text = [] {
    const std::string line = "今日は良い天気です。The quick brown fox jumps over the lazy dog. ";
    std::string t;
    t.reserve(10u << 20);
    while (t.size() < (10u << 20)) t += line;
    t += "http://example.jp 1200円 taro@example.jp 東京都 ISBN4-00-000000 〒100-0001 ABC-123 "
         "火曜日 v1.2 #ff00ff";
    return t;
  }();
  return text;
}

class SilentMessages : public ambrel::MessageBoxes {
 public:
  ambrel::MsgResult ShowMsgDlg(std::string_view, ambrel::MsgType, unsigned, int) override {
    return ambrel::MsgResult::kOk;
  }
  void PlayFaultSound() override {}
  void PlayRightSound() override {}
};

void BM_TenPlainMatches(benchmark::State& state) {
  std::array<std::unique_ptr<ambrel::regexp::TAWKStr>, 10> regs;
  for (std::size_t i = 0; i < regs.size(); ++i) {
    regs[i] = std::make_unique<ambrel::regexp::TAWKStr>();
    ambrel::regexp::TryCompile(*regs[i], kPatterns[i], nullptr);
  }
  for (auto _ : state) {
    for (auto& reg : regs) {
      int start = 0, length = 0;
      benchmark::DoNotOptimize(reg->Match(Text(), start, length));
    }
  }
}

void BM_DistributeOverTenMenus(benchmark::State& state) {
  PopupLayout layout;
  TClipBase store(layout);
  store.DefineDefaultSlots();
  for (int slot = 2; slot < 12; ++slot)
    store.DefineSlot("Usr" + std::to_string(slot - 1), "menu", kPatterns[slot - 2],
                     layout.SlotMenu(slot), true, 30, slot);
  ambrel::options::Settings settings;
  settings.SetFullMatching(true);  // the whole 10 MB, not its first line
  SilentMessages messages;
  ambrel::usermenu::Distributor distributor(store, settings, messages);
  for (auto _ : state) distributor.DistributeClip(Text());
  state.counters["clips"] = store.PageCount();
}

BENCHMARK(BM_TenPlainMatches)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DistributeOverTenMenus)->Unit(benchmark::kMillisecond);


}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  ambrel::bench::RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double plain = reporter.times["BM_TenPlainMatches"];
  const double distribute = reporter.times["BM_DistributeOverTenMenus"];
  if (plain > 0 && distribute > 0)
    std::printf("ratio distribution / ten plain matches: %.2f (goal <= 1.2)\n", distribute / plain);
  benchmark::Shutdown();
  return 0;
}
