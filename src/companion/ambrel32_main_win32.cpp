// Ambrel32.exe: the 64-bit program's companion for 32-bit applications. A hook
// library only enters processes of its own bitness; this process sets the
// same three hooks with Tesk32.dll, which shares the named settings block and
// the registered messages with Tesk.dll, so a hot key in a 32-bit window asks
// the program for its menu and the program's paste request reaches a 32-bit
// target. It has no window: the program starts it after its own SetHook with
//   Ambrel32.exe OWNER-WINDOW PROGRAM-PROCESS-ID
// and ends it with WM_QUIT to its thread; it also ends when the program does.
#include <windows.h>

#include <cstdlib>

#include "hooklib/union_data.h"
#include "platform/system_library_win32.h"

namespace {

// Taken by name: the library's exports carry plain names, not the decorated
// ones that an import library of this compiler would ask for.
using SetHookFunction = UINT(WINAPI*)(HWND owner);
using FreeHookFunction = BOOL(WINAPI*)();

template <typename Function>
Function Export(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// Pumps this thread's messages until WM_QUIT or until `program` ends.
void RunUntilEnd(HANDLE program) {
  for (;;) {
    const DWORD woke = MsgWaitForMultipleObjects(program ? 1 : 0, &program, FALSE, INFINITE, QS_ALLINPUT);
    if (program && woke == WAIT_OBJECT_0) return;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return;
      DispatchMessageA(&msg);
    }
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  ambrel::win32::RestrictLibrarySearch();
  char* rest = nullptr;
  const auto owner = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(commandLine, &rest, 10)));
  const DWORD programId = static_cast<DWORD>(std::strtoul(rest, nullptr, 10));
  if (!IsWindow(owner)) return 2;
  const HANDLE program = programId ? OpenProcess(SYNCHRONIZE, FALSE, programId) : nullptr;
  // The message queue exists before anyone may post the end to it.
  MSG peek;
  PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE);
  // Beside this program and nowhere else, never from the current folder or
  // PATH: without it the companion ends at once.
  const HMODULE library = ambrel::win32::LoadProgramLibrary("Tesk32.dll");
  const auto setHook = Export<SetHookFunction>(library, "SetHook");
  const auto freeHook = Export<FreeHookFunction>(library, "FreeHook");
  const bool hooked = setHook && freeHook && setHook(owner) != 0;
  if (hooked) {
    // Tells the program that 32-bit targets are served, for as long as it exists.
    const HANDLE served = CreateEventA(nullptr, TRUE, TRUE, ambrel::hooklib::kCompanionHooksName);
    RunUntilEnd(program);
    if (served) CloseHandle(served);
  }
  if (hooked) freeHook();
  if (program) CloseHandle(program);
  return hooked ? 0 : 1;
}
