// Measured under Wine: start-up of Ambrel.exe with a full store (30 history
// clips, ten user menus of 30 clips, 200 static clips of 10 KB) against a
// start-up with an empty folder (first start), and the exit that saves it;
// also the pop-up's first appearance after a start against later ones.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ambrel/ambrel_run.h"
#include "ambrel/measure_clock.h"
#include "app/history_file.h"
#include "clipstore/clip_store.h"
#include "harness/clipboard.h"
#include "harness/keyboard.h"
#include "harness/notepad.h"
#include "harness/popup_menu.h"
#include "harness/wait.h"
#include "harness/window_query.h"

namespace {

using ambrel::e2e::AmbrelRun;
using ambrel::e2e::Median;
using ambrel::e2e::NowMs;


constexpr int kLaterPopups = 3;

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

// Time from a left click on the tray icon to the clip menu on the screen;
// the menu is closed again and the editor given back its place. Notepad has
// the focus before each pop-up, as when the user works in another program:
// the pop-up then always brings the program to the foreground from another.
double PopupMs(AmbrelRun& run, HWND foreign) {
  if (!ambrel::e2e::BringToForeground(foreign)) return -1;
  const DWORD pid = run.Proc().Id();
  const auto menuShown = [pid] {
    for (HWND w : ambrel::e2e::FindTopWindows("#32768", "", pid))
      if (IsWindowVisible(w)) return w;
    return HWND{};
  };
  const double t0 = NowMs();
  run.PostTray(WM_LBUTTONDOWN);
  if (!ambrel::e2e::WaitUntil([&] { return menuShown() != nullptr; }, 10000, 1)) return -1;
  const double ms = NowMs() - t0;
  ambrel::e2e::DismissMenu(menuShown());
  if (!ambrel::e2e::WaitForPopupMenuClosed(5000, pid) || !run.WaitForMessagesHandled()) return -1;
  return ms;
}

struct Run {
  double startMs = 0, quitMs = 0, firstPopupMs = 0;
  std::vector<double> laterPopupMs;
};

// Start-up time of one run with `history` as its history file (none when
// empty), the pop-up's appearances, and the exit.
bool Measure(const std::string& history, HWND foreign, Run& r) {
  ambrel::e2e::EmptyClipboardNow();
  AmbrelRun run;
  if (!history.empty() && !run.Folder().WriteFile("Ambrel.hst", history)) return false;
  const double t0 = NowMs();
  if (!run.Start()) return false;
  r.startMs = NowMs() - t0;
  if ((r.firstPopupMs = PopupMs(run, foreign)) < 0) return false;
  for (int i = 0; i < kLaterPopups; ++i) {
    r.laterPopupMs.push_back(PopupMs(run, foreign));
    if (r.laterPopupMs.back() < 0) return false;
  }
  const double t1 = NowMs();
  if (!run.QuitThroughTrayMenu()) return false;
  r.quitMs = NowMs() - t1;
  return true;
}

}  // namespace

int main() {
  const std::string history = FullStoreFile();
  std::printf("full store: %zu bytes of history file\n", history.size());
  ambrel::e2e::Notepad notepad;
  if (!notepad.Start()) return std::printf("notepad did not start\n"), 1;
  std::vector<Run> empty, full;
  for (int i = 0; i < 9; ++i) {  // starts vary widely on a shared machine: a median of nine
    empty.emplace_back();
    if (!Measure("", notepad.Window(), empty.back())) return std::printf("empty start failed\n"), 1;
    full.emplace_back();
    if (!Measure(history, notepad.Window(), full.back())) return std::printf("full start failed\n"), 1;
  }
  const auto median = [](const std::vector<Run>& runs, double Run::*field) {
    std::vector<double> values;
    for (const Run& r : runs) values.push_back(r.*field);
    return Median(values);
  };
  const auto laterMedian = [](const std::vector<Run>& runs) {
    std::vector<double> values;
    for (const Run& r : runs) values.insert(values.end(), r.laterPopupMs.begin(), r.laterPopupMs.end());
    return Median(values);
  };
  for (const auto& [name, runs] : {std::pair{"empty folder", &empty}, std::pair{"full store  ", &full}}) {
    std::printf("%s: starts", name);
    for (const Run& r : *runs) std::printf(" %.0f", r.startMs);
    std::printf(" ms\n");
  }
  for (const auto& [name, runs] : {std::pair{"empty folder", &empty}, std::pair{"full store  ", &full}}) {
    std::printf("%s: start-up median %.0f ms; exit with saving %.0f ms; pop-up first %.0f ms, later %.0f ms\n",
                name, median(*runs, &Run::startMs), median(*runs, &Run::quitMs),
                median(*runs, &Run::firstPopupMs), laterMedian(*runs));
  }
  std::printf("ratio full / empty start-up: %.2f\n", median(full, &Run::startMs) / median(empty, &Run::startMs));
  notepad.Close();
  std::printf("ratio first / later pop-up, full store: %.2f\n", median(full, &Run::firstPopupMs) / laterMedian(full));
  return 0;
}
