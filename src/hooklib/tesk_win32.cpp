// Tesk.dll: loaded by the program at start, and by the system into every GUI
// process once the hooks are set. The hook procedures only translate the
// system's arguments and hand them to the tested logic.
#define AMBREL_BUILDING_TESK
#include "hooklib/tesk_win32.h"

#include "hooklib/hook_logic.h"
#include "hooklib/hook_system_win32.h"

namespace ambrel::hooklib {
namespace {

HINSTANCE gModule = nullptr;
SettingsBlock gBlock;
Win32HookSystem gSystem(gBlock);
HookState gState;
// True in the process that set the hooks of the 32-bit library (the
// companion). On 64-bit Windows the system runs a 32-bit global hook for the
// threads of 64-bit processes in the installing thread; those messages are
// Tesk.dll's to handle inside the 64-bit processes, so there they only pass on.
bool gForeignMessages = false;

LRESULT CALLBACK GetMsgProc(int code, WPARAM wParam, LPARAM lParam) {
  if (lParam != 0 && !gForeignMessages) {
    MSG& m = *reinterpret_cast<MSG*>(lParam);
    HookMsg msg{reinterpret_cast<Handle>(m.hwnd), m.message, m.wParam, m.lParam};
    if (OnGetMessage(gState, gSystem, code, wParam, msg)) {
      m.hwnd = ToHwnd(msg.window);
      m.message = msg.message;
      m.wParam = msg.wParam;
      m.lParam = msg.lParam;
    }
  }
  return CallNextHookEx(FromHandle32<HHOOK>(gState.localCopy.GetMessageHook), code, wParam, lParam);
}

LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  if (lParam != 0 && !gForeignMessages) {
    const CWPSTRUCT& m = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    OnCallWndProc(gState, gSystem, code, m.message, m.wParam, m.lParam);
  }
  return CallNextHookEx(FromHandle32<HHOOK>(gState.localCopy.CallWndProcHook), code, wParam,
                        lParam);
}

LRESULT CALLBACK SysMsgProc(int code, WPARAM wParam, LPARAM lParam) {
  if (lParam != 0 && !gForeignMessages) {
    const MSG& m = *reinterpret_cast<const MSG*>(lParam);
    OnSysMsgFilter(gState, gSystem, code,
                   HookMsg{reinterpret_cast<Handle>(m.hwnd), m.message, m.wParam, m.lParam});
  }
  return CallNextHookEx(FromHandle32<HHOOK>(gState.localCopy.SysMsgFilterHook), code, wParam,
                        lParam);
}

// The write sequence of every export that changes the block. The exports run
// in the program and its companion only: the first one there registers the
// paste message and opens the block for writing, which may show the error box.
template <typename Change>
bool WriteSettings(Change change) {
  gState.loadTried = true;
  if (gState.pasteMessage == 0) gState.pasteMessage = RegisterWindowMessageA(kPasteMessageName);
  if (!gBlock.OpenForWriting()) return false;
  UnionData* view = gBlock.Map(gState.localCopy);
  if (!view) return false;
  change(*view);
  return gBlock.Publish(view, gState.localCopy, true, gState.pasteMessage);
}

void Unhook(std::uint32_t hook, BOOL* result = nullptr) {
  const BOOL ok = UnhookWindowsHookEx(FromHandle32<HHOOK>(hook));
  if (result) *result = ok;
}

// Where SetHook keeps the handles of the hooks it set. The block's slots
// belong to the 64-bit library, whose hooks the program sets; the 32-bit
// library serves the program's 32-bit companion, which keeps its own hooks
// in its process (the system ignores the handle that CallNextHookEx gets).
struct HookSlots {
  std::uint32_t& get;
  std::uint32_t& call;
  std::uint32_t& sys;
};
#ifdef _WIN64
HookSlots SlotsOf(UnionData& d) { return {d.GetMessageHook, d.CallWndProcHook, d.SysMsgFilterHook}; }
#else
std::uint32_t gCompanionHooks[3] = {};
HookSlots SlotsOf(UnionData&) { return {gCompanionHooks[0], gCompanionHooks[1], gCompanionHooks[2]}; }
#endif

}  // namespace
}  // namespace ambrel::hooklib

using namespace ambrel::hooklib;

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  // Bookkeeping only: this runs under the loader lock inside every GUI
  // process, where a box or a failing system call would hang or break a
  // stranger's program. The block is opened by the first hook call or export.
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(module);
    gModule = module;
  } else if (reason == DLL_PROCESS_DETACH) {
    gBlock.Close();
  }
  return TRUE;
}

TESK_API UINT WINAPI SetHook(HWND owner) {
  UINT result = 0;
  const bool ok = WriteSettings([&](UnionData& d) {
    HookSlots slots = SlotsOf(d);
    if (slots.get != 0) return;
    HHOOK get = SetWindowsHookExA(WH_GETMESSAGE, GetMsgProc, gModule, 0);
    HHOOK call = SetWindowsHookExA(WH_CALLWNDPROC, CallWndProc, gModule, 0);
    HHOOK sys = SetWindowsHookExA(WH_SYSMSGFILTER, SysMsgProc, gModule, 0);
    // Without the message hook the library counts as not hooked; the other two
    // must not stay behind unaccounted for.
    if (!get) {
      if (call) UnhookWindowsHookEx(call);
      if (sys) UnhookWindowsHookEx(sys);
      call = sys = nullptr;
    }
    slots.get = ToHandle32(get);
    slots.call = ToHandle32(call);
    slots.sys = ToHandle32(sys);
    d.OwnerWindow = ToHandle32(owner);
    result = RegisterWindowMessageA(kPopupRequestName);
#ifndef _WIN64
    gForeignMessages = get != nullptr;
#endif
  });
  return ok ? result : 0;
}

TESK_API BOOL WINAPI FreeHook() {
  BOOL result = TRUE;
  const bool ok = WriteSettings([&](UnionData& d) {
    HookSlots slots = SlotsOf(d);
    if (slots.get == 0) return;
    if (slots.call) Unhook(slots.call);
    if (slots.sys) Unhook(slots.sys);
    Unhook(slots.get, &result);
    slots.get = slots.call = slots.sys = 0;
  });
  return ok && result;
}

TESK_API BOOL WINAPI SetKeyCode(WORD key, BOOL shift, BOOL ctrl, BOOL alt) {
  return WriteSettings([&](UnionData& d) { SetKeyFields(d, key, shift, ctrl, alt); });
}

TESK_API BOOL WINAPI SetPasteKeyCode(int code) {
  return WriteSettings([&](UnionData& d) { SetPasteKeyFields(d, code); });
}

TESK_API BOOL WINAPI TeskSetMenuInfo(BOOL menuLink, BOOL editLink, const char* caption, int id) {
  return WriteSettings([&](UnionData& d) { SetMenuFields(d, menuLink, editLink, caption, id); });
}

TESK_API UINT WINAPI GetPasteMsgNo() { return RegisterWindowMessageA(kPasteMessageName); }

TESK_API int WINAPI GetDllVersion() { return kDllVersion; }
