// Where an exception stops before it would leave a window procedure or a
// message loop: it must never unwind through the system's frames, and one
// failing handler (an allocation in a copy notification, a bad conversion in
// a dialog) must not end the program and lose the clips recorded since the
// last save. The message in hand is given up; the program goes on.
#pragma once

#include <windows.h>

#include <functional>

namespace ambrel::win32 {

// How the program tells the user of a fault; set once at start-up.
void SetFaultReport(std::function<void()> report);

// Called from a catch block. The first fault of the session is reported once
// the message loop runs again (never inside the failing message, which may
// be a notification another program waits on); later ones are not.
void ReportFault() noexcept;

// The answer to a message whose handler failed. A failed WM_PAINT validates
// the window, so the failure does not repeat at once.
LRESULT FaultAnswer(HWND hwnd, UINT msg) noexcept;

// Runs one message's handler behind the barrier.
template <typename Handler>
LRESULT GuardMessage(HWND hwnd, UINT msg, Handler&& handler) noexcept {
  try {
    return handler();
  } catch (...) {
    return FaultAnswer(hwnd, msg);
  }
}

// A subclass procedure behind the barrier: SetWindowSubclass(control,
// &Guarded<&Proc>, ...), and the same pointer to RemoveWindowSubclass.
template <LRESULT(CALLBACK* Proc)(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR)>
LRESULT CALLBACK Guarded(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                         DWORD_PTR data) {
  return GuardMessage(hwnd, msg, [&] { return Proc(hwnd, msg, wParam, lParam, id, data); });
}

}  // namespace ambrel::win32
