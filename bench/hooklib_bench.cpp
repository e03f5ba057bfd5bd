// The hook procedures' common path: a message that is not the library's, as
// every GUI thread on the desktop passes thousands of them. It must cost a
// few comparisons: the counters show that it calls the window system zero
// times and allocates zero times per message.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "hooklib/hook_logic.h"
#include "hooklib/virtual_keys.h"

namespace {

std::atomic<long> gAllocations{0};

}  // namespace

// GCC takes the replaced pair for a mismatch once both are inlined.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  ++gAllocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

using namespace ambrel::hooklib;

// Every call counts; none does anything.
class CountingSystem final : public HookSystem {
 public:
  long calls = 0;
  UnionData settings{};

  bool ReloadSettings(UnionData& copy) noexcept override { ++calls; copy = settings; return true; }
  bool GetKeyboardState(std::uint8_t*) noexcept override { ++calls; return true; }
  void SetKeyboardState(std::uint8_t*) noexcept override { ++calls; }
  std::uint32_t OemKeyScan(std::uint32_t) noexcept override { ++calls; return 0; }
  Handle GetFocus() noexcept override { ++calls; return 0; }
  Handle GetForegroundWindow() noexcept override { ++calls; return 0; }
  void SetForegroundWindow(Handle) noexcept override { ++calls; }
  void SetActiveWindow(Handle) noexcept override { ++calls; }
  bool GetCaretPos(Point&) noexcept override { ++calls; return false; }
  void ClientToScreen(Handle, Point&) noexcept override { ++calls; }
  void GetCursorPos(Point&) noexcept override { ++calls; }
  std::uint32_t RegisterPopupRequest() noexcept override { ++calls; return 0xC000; }
  std::uint32_t RegisterPasteMessage() noexcept override { ++calls; return 0xC001; }
  void PostMessage(Handle, std::uint32_t, std::uintptr_t, std::intptr_t) noexcept override { ++calls; }
  void PostToOwnThread(std::uint32_t, std::uintptr_t, std::intptr_t) noexcept override { ++calls; }
  bool IsCurrentProcessWindow(Handle) noexcept override { ++calls; return false; }
  std::uint32_t GetMenuState(Handle, std::uint32_t, MenuBy) noexcept override { ++calls; return 0; }
  void GetMenuString(Handle, std::uint32_t, MenuBy, char* b, int) noexcept override { ++calls; b[0] = 0; }
  void AppendSeparator(Handle, std::uint32_t) noexcept override { ++calls; }
  void AppendString(Handle, std::uint32_t, const char*) noexcept override { ++calls; }
  void ReplaceItemId(Handle, std::uint32_t, std::uint32_t, const char*) noexcept override { ++calls; }
};

struct Setup {
  CountingSystem system;
  HookState state;
  Setup() {
    SetKeyFields(system.settings, 'V', true, true, false);
    SetPasteKeyFields(system.settings, 0);
    SetMenuFields(system.settings, true, true, "AMBREL", 28431);
    state.pasteMessage = 0xC123;
    EnsureSettings(state, system);  // the first message of a process loads the copy
    system.calls = 0;
  }
};

// A mix of what threads take from their queues: mouse moves, paints, timers,
// other keys, characters.
constexpr std::uint32_t kMessages[] = {0x200, 0x0F, 0x113, kWmKeyDown, 0x102, 0x101, 0x2A3, 0x20A};

// Outside the timed loop (the benchmark framework allocates now and then
// itself): what one million calls cost in system calls and allocations.
template <typename Call>
void Verify(benchmark::State& st, Setup& s, Call call) {
  const long allocationsBefore = gAllocations;
  s.system.calls = 0;
  for (std::size_t i = 0; i < 1000000; ++i) call(i);
  const auto allocations = static_cast<double>(gAllocations - allocationsBefore);
  st.counters["syscalls_per_1M"] = static_cast<double>(s.system.calls);
  st.counters["allocs_per_1M"] = allocations;
}

void GetMessageCall(Setup& s, std::uint32_t message, std::uintptr_t wParam) {
  HookMsg msg{0x1234, message, wParam, 0};
  benchmark::DoNotOptimize(OnGetMessage(s.state, s.system, kHcAction, kPmRemove, msg));
  benchmark::DoNotOptimize(msg);
}

void BM_GetMsgProc_NotOurs(benchmark::State& st) {
  Setup s;
  std::size_t i = 0;
  for (auto _ : st) GetMessageCall(s, kMessages[i++ & 7], 'X');
  Verify(st, s, [&](std::size_t n) { GetMessageCall(s, kMessages[n & 7], 'X'); });
}
BENCHMARK(BM_GetMsgProc_NotOurs);

void BM_CallWndProc_NotOurs(benchmark::State& st) {
  Setup s;
  std::size_t i = 0;
  for (auto _ : st) OnCallWndProc(s.state, s.system, kHcAction, kMessages[i++ & 7], 1, 2);
  Verify(st, s, [&](std::size_t n) {
    OnCallWndProc(s.state, s.system, kHcAction, kMessages[n & 7], 1, 2);
  });
}
BENCHMARK(BM_CallWndProc_NotOurs);

void BM_SysMsgProc_NotOurs(benchmark::State& st) {
  Setup s;
  std::size_t i = 0;
  for (auto _ : st) OnSysMsgFilter(s.state, s.system, kMsgfMenu, {0x1234, kMessages[i++ & 7], 'X', 0});
  Verify(st, s, [&](std::size_t n) {
    OnSysMsgFilter(s.state, s.system, kMsgfMenu, {0x1234, kMessages[n & 7], 'X', 0});
  });
}
BENCHMARK(BM_SysMsgProc_NotOurs);

// For scale: the hot key's own key without its modifiers, which has to read
// the keyboard state once.
void BM_GetMsgProc_HotKeyWithoutModifiers(benchmark::State& st) {
  Setup s;
  for (auto _ : st) GetMessageCall(s, kWmKeyDown, 'V');
  Verify(st, s, [&](std::size_t) { GetMessageCall(s, kWmKeyDown, 'V'); });
}
BENCHMARK(BM_GetMsgProc_HotKeyWithoutModifiers);

}  // namespace

BENCHMARK_MAIN();
