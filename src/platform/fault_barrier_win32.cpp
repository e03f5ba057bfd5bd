#include "platform/fault_barrier_win32.h"

#include <utility>

namespace ambrel::win32 {
namespace {

std::function<void()>& Report() {
  static std::function<void()> report;
  return report;
}

bool& Reported() {
  static bool reported = false;
  return reported;
}

void CALLBACK ShowReport(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  try {
    if (Report()) Report()();
  } catch (...) {
    // Nothing more can be said; the program goes on.
  }
}

}  // namespace

void SetFaultReport(std::function<void()> report) { Report() = std::move(report); }

void ReportFault() noexcept {
  if (Reported()) return;
  Reported() = true;
  // A thread timer: its callback runs from whichever message loop comes next.
  SetTimer(nullptr, 0, 0, &ShowReport);
}

LRESULT FaultAnswer(HWND hwnd, UINT msg) noexcept {
  ReportFault();
  if (msg == WM_PAINT) ValidateRect(hwnd, nullptr);
  return 0;
}

}  // namespace ambrel::win32
