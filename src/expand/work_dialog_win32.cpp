#include "expand/work_dialog_win32.h"

#include <algorithm>

#include "expand/dialog_parts_win32.h"
#include "platform/dialog_placement_win32.h"

namespace ambrel::win32 {
namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr int kWidth = 280, kHeight = 96;

}  // namespace

bool WorkDialog::Create() {
  LARGE_INTEGER f{};
  QueryPerformanceFrequency(&f);
  frequency_ = std::max<std::int64_t>(1, f.QuadPart);
  return CreateWin("TPsg", "作業中．．．", WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, -2000, 0,
                   kWidth, kHeight, nullptr, nullptr);
}

void WorkDialog::OnCreate() {
  white_ = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  outer_ = AddControl(hwnd(), "STATIC", "", SS_SUNKEN, 0);
  MoveWindow(outer_, 6, 6, kWidth - 14, kHeight - 14, FALSE);
  inner_ = AddControl(hwnd(), "STATIC", "", SS_WHITERECT, 0);
  MoveWindow(inner_, 10, 10, kWidth - 22, kHeight - 22, FALSE);
  image_ = AddControl(hwnd(), "STATIC", "", SS_ICON, 0);
  SendMessageA(image_, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, MAKEINTRESOURCEA(32516))), 0);
  MoveWindow(image_, 20, 28, 32, 32, FALSE);
  text_ = AddControl(hwnd(), "STATIC", "しばらくお待ち下さい....", SS_CENTER | SS_CENTERIMAGE, 0);
  MoveWindow(text_, 56, 30, kWidth - 80, 28, FALSE);
}

double WorkDialog::NowMs() const {
  LARGE_INTEGER c{};
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(frequency_);
}

void WorkDialog::Begin(int delayMs) {
  oldCursor_ = SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // IDC_WAIT
  CenterDialog(hwnd());
  SetTimer(hwnd(), kTimerId, static_cast<UINT>(std::max(1, delayMs)), nullptr);
  running_ = true;
  longestGapMs_ = 0;
  pumps_ = 0;
  lastPumpMs_ = NowMs();
}

void WorkDialog::Step() {
  if (NowMs() - lastPumpMs_ >= kPumpIntervalMs) Pump();
}

void WorkDialog::Pump() {
  const double start = NowMs();
  longestGapMs_ = std::max(longestGapMs_, start - lastPumpMs_);
  ++pumps_;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The job's caller ends first; the outer loop must still see the quit.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  lastPumpMs_ = NowMs();
}

void WorkDialog::OnTimer() {
  KillTimer(hwnd(), kTimerId);
  if (!running_) return;
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd());
}

void WorkDialog::End() {
  const double now = NowMs();
  longestGapMs_ = std::max(longestGapMs_, now - lastPumpMs_);
  running_ = false;
  KillTimer(hwnd(), kTimerId);
  ShowWindow(hwnd(), SW_HIDE);
  SetCursor(oldCursor_ ? oldCursor_ : LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
}

void WorkDialog::Pause(int ms) {
  const double until = NowMs() + ms;
  while (NowMs() < until) {
    Pump();
    Sleep(1);
  }
}

LRESULT WorkDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_TIMER:
      if (wParam == kTimerId) OnTimer();
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == text_ || reinterpret_cast<HWND>(lParam) == image_) {
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(white_);
      }
      return Default(msg, wParam, lParam);
    case WM_CLOSE: return 0;  // only the job's end hides it
    default: return Default(msg, wParam, lParam);
  }
}

}  // namespace ambrel::win32
