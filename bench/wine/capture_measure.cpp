// Measured under Wine: start-up time of Ambrel.exe until its start-up
// sequence has finished (tray icon added, logo gone), and the time from a
// copy to its clip standing in the editor's tree, for a 100-byte and a
// 10 MB text, with the ratio of the two.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ambrel/ambrel_run.h"
#include "ambrel/measure_clock.h"
#include "harness/clipboard.h"
#include "harness/wait.h"

namespace {

using ambrel::e2e::AmbrelRun;
using ambrel::e2e::Median;
using ambrel::e2e::NowMs;



std::string Text(std::size_t size, char tag) {
  std::string text(size, 'x');
  for (std::size_t i = 64; i < size; i += 64) text[i - 2] = '\r', text[i - 1] = '\n';
  text[0] = tag;
  return text;
}

// Time from setting the clipboard to the caption of the clip in the tree.
double CaptureMs(AmbrelRun& ambrel, const std::string& text, const std::string& caption) {
  const double t0 = NowMs();
  if (!ambrel::e2e::SetClipboardText(text)) return -1;
  if (!ambrel::e2e::WaitUntil(
          [&] {
            const auto c = ambrel.HistoryCaptions();
            return !c.empty() && c.front() == caption;
          },
          60000, 5))
    return -1;
  return NowMs() - t0;
}

}  // namespace

int main() {
  std::vector<double> startups;
  for (int i = 0; i < 3; ++i) {
    ambrel::e2e::EmptyClipboardNow();
    AmbrelRun run;
    const double t0 = NowMs();
    if (!run.Start()) {
      std::printf("start-up failed\n");
      return 1;
    }
    startups.push_back(NowMs() - t0 - 200);  // Start() pumps 200 ms after
    if (!run.QuitThroughTrayMenu()) std::printf("run %d did not quit through the tray menu\n", i);
  }
  std::printf("start-up to end of start-up sequence (tray icon, logo animation): median %.0f ms\n",
              Median(startups));

  ambrel::e2e::EmptyClipboardNow();
  AmbrelRun ambrel;
  if (!ambrel.Start()) {
    std::printf("start-up failed\n");
    return 1;
  }
  std::vector<double> small, huge;
  for (int i = 0; i < 3; ++i) {
    const char tag = static_cast<char>('a' + i);
    const std::string s = Text(100, tag);
    const std::string h = Text(10u << 20, static_cast<char>('A' + i));
    const std::string capS = s.substr(0, 62) + "⇔" + s.substr(64, 16);
    small.push_back(CaptureMs(ambrel, s, capS.substr(0, 80) + (capS.size() >= 80 ? "．．．．．" : "")));
    const std::string capH = h.substr(0, 62) + "⇔" + h.substr(64, 16);
    huge.push_back(CaptureMs(ambrel, h, capH.substr(0, 80) + "．．．．．"));
  }
  const double ms = Median(small), mh = Median(huge);
  std::printf("copy to recorded clip, 100 B: median %.1f ms\n", ms);
  std::printf("copy to recorded clip, 10 MB: median %.1f ms\n", mh);
  if (ms > 0) std::printf("ratio 10 MB / 100 B: %.1f\n", mh / ms);
  ambrel.QuitThroughTrayMenu();
  return 0;
}
