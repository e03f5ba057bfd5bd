// Polling waits: the state of other processes can only be observed, never
// awaited, so every wait is a predicate polled with short sleeps.
#pragma once

#include <functional>

namespace ambrel::e2e {

// Polls `done` every `intervalMs` until it answers true (returns true) or
// `timeoutMs` has passed (returns false). `done` is always asked at least
// once, and once more at the deadline.
bool WaitUntil(const std::function<bool()>& done, unsigned timeoutMs, unsigned intervalMs = 20);

// Sleeps while still dispatching this thread's messages, so windows of the
// test program (clipboard owners) stay responsive.
void PumpFor(unsigned ms);

}  // namespace ambrel::e2e
