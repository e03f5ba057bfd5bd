// Polling waits: the state of other processes can only be observed, never
// awaited, so every wait is a predicate polled with short sleeps.
#pragma once

#include <windows.h>

#include <functional>

namespace ambrel::e2e {

// Polls `done` every `intervalMs` until it answers true (returns true) or
// `timeoutMs` has passed (returns false). `done` is always asked at least
// once, and once more at the deadline.
bool WaitUntil(const std::function<bool()>& done, unsigned timeoutMs, unsigned intervalMs = 20);

// For what must NOT happen: polls `happened` for the whole of `timeoutMs`
// and answers true when it never answered true. The bound is the time in
// which the thing, if it were going to happen, would have been seen.
bool NeverHappensWithin(const std::function<bool()>& happened, unsigned timeoutMs,
                        unsigned intervalMs = 20);

// Returns once the thread of `window` has handled every message sent to it
// before this call (sent messages are handled in their order), for instance
// a clipboard-change notification; a thread in a modal loop answers too.
// False when the thread did not answer within `timeoutMs`.
bool WaitForSentMessagesHandled(HWND window, unsigned timeoutMs = 5000);

// Sleeps while still dispatching this thread's messages, so windows of the
// test program (clipboard owners) stay responsive.
void PumpFor(unsigned ms);

}  // namespace ambrel::e2e
