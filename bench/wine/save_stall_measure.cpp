// Measured under Wine: how long the resident window keeps the user waiting
// with the largest store the program writes (30 history clips of 2 MiB, 300
// static clips, one user menu; a history file of about 61 MiB). A probe
// thread sends WM_NULL to TLogo every 5 ms and times each answer; per phase
// (start-up, a 4 MiB copy distributed into the user menu, the idle save that
// follows, the save at exit) it prints the longest answer, the 99th
// percentile and how many answers took over 50 ms. Also start-up to the
// hidden logo with that store against an empty folder, warm, in the same run,
// and the program's own time in each phase of those start-ups (its marks).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// The program's own file access, compiled into this measurement to time the
// reading of the store alone.
#include "platform/files_win32.cpp"
#include "platform/handles_win32.h"

#include "ambrel/ambrel_run.h"
#include "ambrel/measure_clock.h"
#include "app/history_file.h"
#include "clipstore/clip_store.h"
#include "harness/clipboard.h"
#include "harness/temp_folder.h"
#include "harness/wait.h"
#include "harness/window_query.h"

namespace {

using ambrel::e2e::AmbrelRun;
using ambrel::e2e::Median;
using ambrel::e2e::NowMs;

constexpr int kStarts = 9;
constexpr unsigned kIdleSaveMs = 8000;
constexpr double kStallMs = 50;
const char kCopyHead[] = "COPY4MIB ";
// A mail-like line in which every word starts a partial match of the user
// menu's expression; the only match stands at the end.
const char kUserMenuPattern[] = "[a-z]+@[a-z]+\\.(com|jp)";

std::string Repeat(const std::string& piece, std::size_t size) {
  std::string text;
  text.reserve(size + piece.size());
  while (text.size() < size) text += piece;
  text.resize(size);
  return text;
}

void MakeLargestStore(ambrel::clipstore::TClipBase& store) {
  ambrel::clipstore::PopupLayout& layout = store.Layout();
  store.DefineDefaultSlots();
  store.SetMaxHistory(30);
  const ambrel::clipstore::TMenuSlot menu = store.Slot(2);
  store.DefineSlot(menu.Name, menu.Caption, kUserMenuPattern, *menu.MenuItem, true, 30, 2);
  for (int i = 0; i < 300; ++i)
    store.AddClip(layout.Static(), 1, true,
                  ";static " + std::to_string(i) + "\r\n" + Repeat("定型文の本文です。text 123\r\n", 3000));
  const std::string body = Repeat("履歴のテキスト、かなり長い行です。mixed ASCII words 0123456789\r\n", 2u << 20);
  for (int i = 0; i < 30; ++i)
    store.AddClip(layout.History(), 0, true, "history " + std::to_string(i) + " " + body);
}

// The dearest copy to convert: Unicode text only (the program converts it
// to Shift-JIS itself), all of it double-byte, every character in code page
// 932, so that the conversion back and the comparison run over the whole
// text; just under the clip limit once converted.
std::wstring FourMibJapaneseCopy() {
  std::wstring text = L"COPYJA ";
  const std::wstring line = L"かな漢字の長い行、東京都と大阪府。\r\n";
  while ((text.size() + line.size()) * 2 < (4u << 20) - 64) text += line;
  return text;
}

std::string FourMibCopy() {
  const std::string tail = " user@example.com";
  std::string text = kCopyHead + Repeat("abc@def.xyz ghij@klm.nop ", (4u << 20) - 64);
  return text + tail;
}

// Times the answers of the resident window to WM_NULL sent every 5 ms, into
// the phase that is current when each is sent.
class AnswerProbe {
 public:
  explicit AnswerProbe(int phases) : answers_(static_cast<std::size_t>(phases)) {
    thread_ = CreateThread(nullptr, 0, &AnswerProbe::Run, this, 0, nullptr);
  }
  ~AnswerProbe() { Stop(); }
  void Phase(int phase) { phase_ = phase; }
  // Ends the probe; the answers per phase.
  std::vector<std::vector<double>> Stop() {
    if (thread_) {
      done_ = true;
      WaitForSingleObject(thread_, INFINITE);
      CloseHandle(thread_);
      thread_ = nullptr;
    }
    return answers_;
  }

 private:
  static DWORD WINAPI Run(void* self) {
    static_cast<AnswerProbe*>(self)->Loop();
    return 0;
  }
  void Loop() {
    while (!done_) {
      const int phase = phase_;
      HWND logo = FindWindowA("TLogo", nullptr);
      if (phase < 0 || !logo) {
        Sleep(1);
        continue;
      }
      const double start = NowMs();
      DWORD_PTR result = 0;
      const bool answered = SendMessageTimeoutA(logo, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result) != 0;
      const double took = NowMs() - start;
      if (answered) answers_[static_cast<std::size_t>(phase)].push_back(took);
      const double next = start + 5;
      while (NowMs() < next) Sleep(1);
    }
  }

  std::vector<std::vector<double>> answers_;  // written by the probe thread only, read after it ended
  std::atomic<int> phase_{-1};
  std::atomic<bool> done_{false};
  HANDLE thread_ = nullptr;
};

enum Phase { kStartup, kCopy, kUnicodeCopy, kIdleSave, kExit, kPhaseCount };
const char* const kPhaseNames[] = {"start-up", "4 MiB copy with distribution",
                                   "4 MiB Japanese copy as Unicode text only", "idle save", "save at exit"};

void PrintAnswers(const char* name, std::vector<double> answers) {
  if (answers.empty()) return (void)std::printf("%-30s no answers\n", name);
  std::sort(answers.begin(), answers.end());
  const double p99 = answers[std::min(answers.size() - 1, answers.size() * 99 / 100)];
  const auto over = std::count_if(answers.begin(), answers.end(), [](double ms) { return ms > kStallMs; });
  std::printf("%-30s longest %6.0f ms, 99th percentile %5.0f ms, %3ld of %4zu answers over %.0f ms\n", name,
              answers.back(), p99, static_cast<long>(over), answers.size(), kStallMs);
}

FILETIME WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

// Puts a copy on the clipboard and waits until the history shows it first
// and the resident window has handled what the copy queued (the tree's
// update), so that this work falls in the copy's phase.
bool RecordCopy(AmbrelRun& run, const char* name, const std::string& head, const std::function<bool()>& put) {
  const double start = NowMs();
  if (!put()) return std::printf("%s failed\n", name), false;
  const bool recorded = ambrel::e2e::WaitUntil(
      [&] {
        const std::vector<std::string> captions = run.HistoryCaptions();
        return !captions.empty() && captions.front().rfind(head, 0) == 0;
      },
      20000, 5);
  std::printf("%s recorded after %.0f ms\n", name, NowMs() - start);
  return recorded && run.WaitForMessagesHandled();
}

// The phases with the store: start-up, a copy, the idle save it brings, the
// exit. Prints each phase's answers.
bool MeasurePhases(const std::string& history, const std::string& params) {
  AmbrelRun run;
  if (!run.Folder().WriteFile("Ambrel.hst", history) || !run.Folder().WriteFile("Ambrel.prm", params))
    return false;
  AnswerProbe probe(kPhaseCount);
  probe.Phase(kStartup);
  if (!run.Start()) return std::printf("start failed\n"), false;
  const std::string hst = run.Folder().File("Ambrel.hst");
  const FILETIME before = WriteTime(hst);

  probe.Phase(kCopy);
  const double copied = NowMs();
  if (!RecordCopy(run, "copy", "COPY4MIB", [] { return ambrel::e2e::SetClipboardText(FourMibCopy()); }))
    return false;
  probe.Phase(kUnicodeCopy);
  if (!RecordCopy(run, "Japanese copy", "COPYJA",
                  [] { return ambrel::e2e::SetClipboardUnicodeOnly(FourMibJapaneseCopy()); }))
    return false;

  probe.Phase(kIdleSave);
  const bool saved = ambrel::e2e::WaitUntil(
      [&] {
        const FILETIME now = WriteTime(hst);
        return CompareFileTime(&before, &now) != 0;
      },
      30000, 5);
  std::printf("idle save written %.0f ms after the copy\n", NowMs() - copied);
  if (!saved) return false;
  // The exit follows the idle save closely: the small files' flushes then
  // meet the disk's write-back of the history, the slowest case.
  ambrel::e2e::PumpFor(300);

  probe.Phase(kExit);
  const double quit = NowMs();
  if (!run.QuitThroughTrayMenu()) return std::printf("exit failed\n"), false;
  std::printf("exit took %.0f ms\n", NowMs() - quit);
  const std::vector<std::vector<double>> answers = probe.Stop();
  for (int phase = 0; phase < kPhaseCount; ++phase)
    PrintAnswers(kPhaseNames[phase], answers[static_cast<std::size_t>(phase)]);
  const std::string after = run.Folder().ReadFile("Ambrel.hst");
  std::printf("history file after exit: %zu bytes\n", after.size());
  return after.size() > history.size();
}

// The start-up's own part of the store: reading the file, and loading it
// into a store (reading, splitting, the clips and their captions).
void TimeLoading(const std::string& history) {
  ambrel::e2e::TempFolder folder("ambrel-load");
  const std::string path = folder.File("Ambrel.hst");
  if (!folder.WriteFile("Ambrel.hst", history)) return;
  const std::unique_ptr<ambrel::Files> files = ambrel::win32::MakeFiles();
  for (int i = 0; i < 3; ++i) {
    const double t0 = NowMs();
    const std::size_t size = files->Read(path, ambrel::app::kMaxHistoryFileBytes).bytes.size();
    const double t1 = NowMs();
    ambrel::clipstore::PopupLayout layout;
    ambrel::clipstore::TClipBase store(layout);
    store.SetMaxHistory(30);
    struct NoBoxes : ambrel::MessageBoxes {
      ambrel::MsgResult ShowMsgDlg(std::string_view, ambrel::MsgType, unsigned, int) override { return {}; }
      void PlayFaultSound() override {}
      void PlayRightSound() override {}
    } boxes;
    const double t2 = NowMs();
    ambrel::app::LoadHistory(store, *files, boxes, path);
    std::printf("reading the file (%zu bytes) %.0f ms; loading it into a store %.0f ms (%d pages)\n", size,
                t1 - t0, NowMs() - t2, store.PageCount());
  }
}

// The milliseconds of each phase of the start-ups of one kind, as the
// program itself marked them, with "total" their sum per start.
using PhaseTimes = std::map<std::string, std::vector<double>>;

void AddMarks(const std::string& line, PhaseTimes& into) {
  std::istringstream in(line);
  std::string phase;
  double ms = 0, total = 0;
  // Phases after the logo has gone are not part of the start-up's total.
  while (in >> phase >> ms) {
    into[phase].push_back(ms);
    if (phase.rfind("after:", 0) != 0) total += ms;
  }
  into["total"].push_back(total);
}

// Written just before a start, a file of 61 MiB would still be going to the
// disk during it and slow every step; the store a program finds at start-up
// was written long before.
bool WrittenThrough(const ambrel::e2e::TempFolder& folder, const std::string& name) {
  const ambrel::win32::FileHandle file(CreateFileA(folder.File(name).c_str(), GENERIC_WRITE,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && FlushFileBuffers(file.get());
}

// Start-up to the hidden logo with `history` (none when empty); the program
// is ended without saving. Its own marks go into `marks` when given.
double StartMs(const std::string& history, const std::string& params, PhaseTimes* marks = nullptr) {
  AmbrelRun run;
  if (!history.empty() && !(run.Folder().WriteFile("Ambrel.hst", history) && WrittenThrough(run.Folder(), "Ambrel.hst")))
    return -1;
  if (!run.Folder().WriteFile("Ambrel.prm", params) || !WrittenThrough(run.Folder(), "Ambrel.prm")) return -1;
  const std::string marksFile = run.Folder().File("startup_marks.txt");
  SetEnvironmentVariableA("AMBREL_STARTUP_MARKS", marksFile.c_str());
  const double t0 = NowMs();
  const bool started = run.Start();
  const double took = NowMs() - t0;
  SetEnvironmentVariableA("AMBREL_STARTUP_MARKS", nullptr);
  if (!started) return -1;
  if (marks) AddMarks(run.Folder().ReadFile("startup_marks.txt"), *marks);
  return took;
}

void PrintMarks(const PhaseTimes& empty, const PhaseTimes& full) {
  std::printf("the program's own marks, median ms (empty folder / largest store):\n");
  for (const auto& [phase, times] : full) {
    const auto other = empty.find(phase);
    std::printf("  %-10s %6.1f / %6.1f\n", phase.c_str(), other == empty.end() ? 0.0 : Median(other->second),
                Median(times));
  }
  const auto total = [](const PhaseTimes& t) { return t.count("total") ? Median(t.at("total")) : 0.0; };
  if (total(empty) > 0)
    std::printf("ratio of the program's own start-up: %.2f\n", total(full) / total(empty));
}

}  // namespace

// "startup" as the argument times only the start-ups.
int main(int argc, char** argv) {
  const bool startupOnly = argc > 1 && std::string(argv[1]) == "startup";
  const bool phasesOnly = argc > 1 && std::string(argv[1]) == "phases";
  SetEnvironmentVariableA("AMBREL_TEST_IDLE_SAVE_MS", std::to_string(kIdleSaveMs).c_str());
  ambrel::clipstore::PopupLayout layout;
  ambrel::clipstore::TClipBase store(layout);
  MakeLargestStore(store);
  std::string history;
  for (int i = 0; i < 3; ++i) {
    const double t0 = NowMs();
    history = ambrel::app::BuildHistoryData(store);
    std::printf("the history file's bytes made in %.0f ms\n", NowMs() - t0);
  }
  std::printf("largest store: %zu bytes of history file\n", history.size());
  std::string params;
  {
    // A parameter file out of beginner mode, so that no start is a first
    // one, keeping 30 history clips (the byte is stored negated).
    AmbrelRun first;
    if (!first.FirstRunOutOfBeginnerMode([](std::string& prm) { prm[288] = static_cast<char>(256 - 30); }))
      return std::printf("first run failed\n"), 1;
    params = first.Folder().ReadFile("Ambrel.prm");
  }
  TimeLoading(history);
  ambrel::e2e::EmptyClipboardNow();
  if (!startupOnly && !MeasurePhases(history, params)) return std::printf("phases failed\n"), 1;
  if (phasesOnly) return 0;

  ambrel::e2e::EmptyClipboardNow();
  StartMs("", params);  // warm: the program and the store's pages in the cache
  StartMs(history, params);
  std::vector<double> empty, full;
  PhaseTimes emptyMarks, fullMarks;
  for (int i = 0; i < kStarts; ++i) {
    empty.push_back(StartMs("", params, &emptyMarks));
    full.push_back(StartMs(history, params, &fullMarks));
    if (empty.back() < 0 || full.back() < 0) return std::printf("start failed\n"), 1;
  }
  for (const auto& [name, starts] : {std::pair{"empty folder ", &empty}, std::pair{"largest store", &full}}) {
    std::printf("%s: starts", name);
    for (double ms : *starts) std::printf(" %.0f", ms);
    std::printf(" ms, median %.0f ms\n", Median(*starts));
  }
  std::printf("ratio largest store / empty start-up: %.2f\n", Median(full) / Median(empty));
  PrintMarks(emptyMarks, fullMarks);
  return 0;
}
