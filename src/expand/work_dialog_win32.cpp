#include "expand/work_dialog_win32.h"

#include <algorithm>

#include "expand/dialog_parts_win32.h"
#include "platform/dialog_placement_win32.h"

namespace ambrel::win32 {
namespace {

constexpr UINT_PTR kTimerId = 1;
// The window's size in dialog units; borderless, it is all client area.
constexpr int kWidth = 186, kHeight = 64;
constexpr int kOuterId = 101, kInnerId = 102, kImageId = 103, kTextId = 104;

// Placed by Layout: the picture and the text stand centred on the white panel.
const DialogControl kWorkControls[] = {
    {kOuterId, "STATIC", "", SS_SUNKEN, 0, 0, 0, 0},
    {kInnerId, "STATIC", "", SS_WHITERECT, 0, 0, 0, 0},
    {kImageId, "STATIC", "", SS_ICON, 0, 0, 0, 0},
    {kTextId, "STATIC", "しばらくお待ち下さい....", SS_CENTER | SS_CENTERIMAGE, 0, 0, 0, 0},
};

}  // namespace

bool WorkDialog::Create() {
  LARGE_INTEGER f{};
  QueryPerformanceFrequency(&f);
  frequency_ = std::max<std::int64_t>(1, f.QuadPart);
  return CreateDialogWindow("TPsg", "作業中．．．", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kWidth, kHeight);
}

void WorkDialog::OnCreate() {
  white_ = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  AddControls(kWorkControls);
  image_ = GetDlgItem(hwnd(), kImageId);
  text_ = GetDlgItem(hwnd(), kTextId);
  SendMessageA(image_, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, MAKEINTRESOURCEA(32516))), 0);
  Layout();
}

// A lowered panel around a white one that holds the picture and the text.
void WorkDialog::Layout() {
  const DialogUnits& du = Units();
  const int w = du.X(kWidth), h = du.Y(kHeight), icon = GetSystemMetrics(SM_CXICON);
  const int edge = du.X(3), inset = du.X(6);
  PlaceControl(kOuterId, edge, edge, w - 2 * edge, h - 2 * edge);
  PlaceControl(kInnerId, inset, inset, w - 2 * inset, h - 2 * inset);
  const int iconLeft = inset + du.X(8);
  PlaceControl(kImageId, iconLeft, (h - icon) / 2, icon, icon);
  const int textLeft = iconLeft + icon + du.X(2);
  PlaceControl(kTextId, textLeft, (h - du.Y(18)) / 2, w - textLeft - inset - du.X(4), du.Y(18));
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
  CountOpen();
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
  PumpWaiting();
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
  ParkWindow(hwnd());
  CountClosed();
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
    default: return ModalDialog::HandleMessage(msg, wParam, lParam);
  }
}

}  // namespace ambrel::win32
