// Measured under Wine: start-up of Ambrel.exe with a full store (30 history
// clips, ten user menus of 30 clips, 200 static clips of 10 KB) against a
// start-up with an empty folder (first start), and the exit that saves it.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ambrel/ambrel_run.h"
#include "ambrel/measure_clock.h"
#include "app/history_file.h"
#include "clipstore/clip_store.h"
#include "harness/clipboard.h"

namespace {

using ambrel::e2e::AmbrelRun;
using ambrel::e2e::Median;
using ambrel::e2e::NowMs;



std::string FullStoreFile() {
  ambrel::clipstore::PopupLayout layout;
  ambrel::clipstore::TClipBase store(layout);
  store.DefineDefaultSlots();
  store.SetMaxHistory(30);
  for (int slot = 3; slot < 12; ++slot)
    store.DefineSlot("Usr" + std::to_string(slot - 1), "menu " + std::to_string(slot), "[0-9]+",
                     layout.SlotMenu(slot), true, 30, slot);
  for (int slot = 2; slot < 12; ++slot) {
    ambrel::clipstore::TMenuSlot s = store.Slot(slot);
    store.DefineSlot(s.Name, s.Caption, s.Pattern, *s.MenuItem, s.Duplicate, 30, slot);
    for (int i = 0; i < 30; ++i)
      store.AddClip(layout.SlotMenu(slot), slot, true, "menu clip " + std::to_string(slot * 100 + i));
  }
  const std::string body(10 * 1024, 's');
  for (int i = 0; i < 200; ++i) store.AddClip(layout.Static(), 1, true, std::to_string(i) + body);
  for (int i = 0; i < 30; ++i) store.AddClip(layout.History(), 0, true, "history " + std::to_string(i));
  return ambrel::app::BuildHistoryData(store);
}

// Start-up time of one run in a folder prepared by `prepare`, and the exit.
bool Measure(const std::string& history, double& startMs, double& quitMs) {
  ambrel::e2e::EmptyClipboardNow();
  AmbrelRun run;
  if (!history.empty() && !run.Folder().WriteFile("Ambrel.hst", history)) return false;
  const double t0 = NowMs();
  if (!run.Start()) return false;
  startMs = NowMs() - t0 - 200;  // Start() pumps 200 ms after the start-up
  const double t1 = NowMs();
  if (!run.QuitThroughTrayMenu()) return false;
  quitMs = NowMs() - t1;
  return true;
}

}  // namespace

int main() {
  const std::string history = FullStoreFile();
  std::printf("full store: %zu bytes of history file\n", history.size());
  std::vector<double> emptyStart, emptyQuit, fullStart, fullQuit;
  for (int i = 0; i < 7; ++i) {  // starts vary widely on a shared machine: a median of seven
    double s = 0, q = 0;
    if (!Measure("", s, q)) return std::printf("empty start failed\n"), 1;
    emptyStart.push_back(s);
    emptyQuit.push_back(q);
    if (!Measure(history, s, q)) return std::printf("full start failed\n"), 1;
    fullStart.push_back(s);
    fullQuit.push_back(q);
  }
  std::printf("start-up, empty folder: median %.0f ms; exit with saving: %.0f ms\n", Median(emptyStart),
              Median(emptyQuit));
  std::printf("start-up, full store:   median %.0f ms; exit with saving: %.0f ms\n", Median(fullStart),
              Median(fullQuit));
  std::printf("ratio full / empty start-up: %.1f\n", Median(fullStart) / Median(emptyStart));
  return 0;
}
