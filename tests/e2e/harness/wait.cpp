#include "harness/wait.h"

namespace ambrel::e2e {

void PumpFor(unsigned ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

bool WaitUntil(const std::function<bool()>& done, unsigned timeoutMs, unsigned intervalMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    const ULONGLONG left = deadline - now;
    PumpFor(static_cast<unsigned>(left < intervalMs ? left : intervalMs));
  }
}

bool NeverHappensWithin(const std::function<bool()>& happened, unsigned timeoutMs,
                        unsigned intervalMs) {
  return !WaitUntil(happened, timeoutMs, intervalMs);
}

bool WaitForSentMessagesHandled(HWND window, unsigned timeoutMs) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored) != 0;
}

}  // namespace ambrel::e2e
