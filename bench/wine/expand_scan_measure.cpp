// Measured under Wine: the folder scan of the #Tree picker over a generated
// tree of 20,020 real folders, bare (no message processing) against the
// scan run by the work window (TPsg: messages processed while it runs, the
// window shown after one second), and the UI thread's longest stall during
// each, seen by a second thread that keeps sending the UI thread's window a
// message and times the answers. Also the whole picker load: the scan plus
// filling and expanding the tree view.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

// The program's own Win32 pieces, compiled into this measurement.
#include "expand/dialog_parts_win32.cpp"
#include "expand/picker_dialog_win32.cpp"
#include "expand/tree_dialog_win32.cpp"
#include "expand/work_dialog_win32.cpp"
#include "platform/dialog_placement_win32.cpp"
#include "platform/fault_barrier_win32.cpp"
#include "platform/file_system_win32.cpp"
#include "platform/files_win32.cpp"
#include "platform/help_win32.cpp"
#include "platform/modal_dialog_win32.cpp"
#include "platform/rich_edit_text_win32.cpp"
#include "platform/system_library_win32.cpp"
#include "platform/window_text_win32.cpp"
#include "platform/text_printer_win32.cpp"
#include "platform/window_win32.cpp"

#include "clipstore/clip_store.h"
#include "harness/temp_folder.h"
#include "options/settings.h"

namespace {

using namespace ambrel;

double NowMs() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

int MakeTree(const std::string& root) {
  int folders = 0;
  CreateDirectoryA(root.c_str(), nullptr);
  for (int a = 0; a < 20; ++a) {
    const std::string pa = root + "\\a" + std::to_string(a);
    folders += CreateDirectoryA(pa.c_str(), nullptr) ? 1 : 0;
    for (int b = 0; b < 20; ++b) {
      const std::string pb = pa + "\\b" + std::to_string(b);
      folders += CreateDirectoryA(pb.c_str(), nullptr) ? 1 : 0;
      for (int c = 0; c < 49; ++c)
        folders += CreateDirectoryA((pb + "\\c" + std::to_string(c)).c_str(), nullptr) ? 1 : 0;
      HANDLE f = CreateFileA((pb + "\\file.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
      if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    }
  }
  return folders;
}

// Sends the UI thread's window a message every millisecond and keeps the
// longest wait for an answer to a message sent while the job ran.
class StallProbe {
 public:
  explicit StallProbe(HWND target) : target_(target) {
    thread_ = CreateThread(nullptr, 0, &StallProbe::Run, this, 0, nullptr);
  }
  // Called on the UI thread right after the job: answers the probe's last
  // message while waiting for it to end.
  double Stop() {
    end_ = NowMs();
    done_ = true;
    while (MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    CloseHandle(thread_);
    return longest_;
  }

 private:
  static DWORD WINAPI Run(void* self) {
    auto* probe = static_cast<StallProbe*>(self);
    while (!probe->done_) {
      const double start = NowMs();
      DWORD_PTR result = 0;
      SendMessageTimeoutA(probe->target_, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
      const double answered = NowMs();
      // Once the job has ended, a message waits for Stop to answer it: only
      // the part of the wait before the end counts.
      const double until = probe->done_ ? std::min(answered, probe->end_.load()) : answered;
      probe->longest_ = std::max(probe->longest_, until - start);
      Sleep(1);
    }
    return 0;
  }

  HWND target_;
  HANDLE thread_ = nullptr;
  std::atomic<bool> done_{false};
  std::atomic<double> end_{0};
  double longest_ = 0;
};

struct NoStep : expand::WorkStep {
  void Step() override {}
};

}  // namespace

int main() {
  e2e::TempFolder folder("ambrel-scan");
  const std::string root = folder.File("root");
  const double makeStart = NowMs();
  const int made = MakeTree(root);
  std::printf("generated %d folders in %.0f ms\n", made, NowMs() - makeStart);

  auto fileSystem = win32::MakeFileSystem();
  auto files = win32::MakeFiles();
  OpenDialogs openDialogs;
  win32::DialogHost host{openDialogs, nullptr};
  win32::WorkDialog work(host);
  if (!work.Create()) return 1;
  // A window of the UI thread that answers the probe.
  HWND probeTarget = work.hwnd();

  const int runs = 3;
  std::vector<double> bare, pumped, bareStall, pumpedStall, gaps;
  expand::PickTree tree;
  for (int run = 0; run < runs; ++run) {
    NoStep none;
    StallProbe probe(probeTarget);
    const double t0 = NowMs();
    expand::ScanFolders(tree, root, *fileSystem, none);
    bare.push_back(NowMs() - t0);
    bareStall.push_back(probe.Stop());

    StallProbe probe2(probeTarget);
    const double t1 = NowMs();
    work.Begin(1000);
    expand::ScanFolders(tree, root, *fileSystem, work);
    work.End();
    pumped.push_back(NowMs() - t1);
    pumpedStall.push_back(probe2.Stop());
    gaps.push_back(work.LongestGapMs());
  }
  std::printf("nodes %d\n", tree.Count());
  std::printf("bare scan            %8.1f ms (median of %d), UI stall %8.1f ms\n", Median(bare), runs,
              Median(bareStall));
  std::printf("scan with TPsg pump  %8.1f ms (median of %d), UI stall %8.1f ms, longest gap %.1f ms\n",
              Median(pumped), runs, Median(pumpedStall), Median(gaps));
  std::printf("ratio pumped/bare    %8.2f (goal <= 1.5)\n", Median(pumped) / Median(bare));

  // The whole picker load as "#Tree" runs it: scan, fill and expand.
  clipstore::PopupLayout layout;
  clipstore::TClipBase store(layout);
  options::Settings settings;
  win32::TreeDialog picker(host, settings, work, *files, *fileSystem);
  if (!picker.Create()) return 1;
  std::vector<double> loads, loadStalls;
  for (int run = 0; run < runs; ++run) {
    StallProbe probe(probeTarget);
    const double t0 = NowMs();
    picker.LoadTree(root);
    loads.push_back(NowMs() - t0);
    loadStalls.push_back(probe.Stop());
  }
  std::printf("picker load (scan + fill of %d items) %8.1f ms (median of %d), UI stall %8.1f ms\n",
              static_cast<int>(SendMessageA(picker.TreeControl(), TVM_GETCOUNT, 0, 0)), Median(loads), runs,
              Median(loadStalls));
  return 0;
}
