#include "ambrel/popup_helpers.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "harness/paths.h"
#include "harness/remote_controls.h"
#include "harness/wait.h"
#include "harness/window_query.h"

namespace ambrel::e2e {
namespace {

void SendKey(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

}  // namespace

bool StartWithSettings(AmbrelRun& run, const std::function<void(app::TParamRecord&)>& change) {
  return run.Start() && RestartWithSettings(run, change);
}

bool RestartWithSettings(AmbrelRun& run, const std::function<void(app::TParamRecord&)>& change) {
  if (!run.QuitThroughTrayMenu()) return false;
  const std::string path = run.Folder().File("Ambrel.prm");
  std::string bytes = run.Folder().ReadFile("Ambrel.prm");
  if (bytes.size() != sizeof(app::TParamRecord)) return false;
  app::TParamRecord record;
  std::memcpy(&record, bytes.data(), sizeof record);
  change(record);
  std::memcpy(bytes.data(), &record, sizeof record);
  run.Folder().WriteFile("Ambrel.prm", bytes);
  return run.Start();
}

HeldKey::HeldKey(WORD virtualKey) : key_(virtualKey) {
  SendKey(key_, false);
  WaitUntil([&] { return (GetAsyncKeyState(key_) & 0x8000) != 0; }, 3000);
}

HeldKey::~HeldKey() {
  SendKey(key_, true);
  WaitUntil([&] { return (GetAsyncKeyState(key_) & 0x8000) == 0; }, 3000);
}

HeldKeysIn::HeldKeysIn(HWND window, std::initializer_list<WORD> keys)
    : thread_(GetWindowThreadProcessId(window, nullptr)) {
  attached_ = thread_ && AttachThreadInput(GetCurrentThreadId(), thread_, TRUE);
  if (!attached_) return;
  GetKeyboardState(saved_);
  BYTE state[256];
  std::memcpy(state, saved_, sizeof state);
  for (WORD key : keys) state[key] = 0x80;
  SetKeyboardState(state);
}

HeldKeysIn::~HeldKeysIn() {
  if (!attached_) return;
  SetKeyboardState(saved_);
  AttachThreadInput(GetCurrentThreadId(), thread_, FALSE);
}

void MoveMouseTo(POINT at) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = width > 1 ? MulDiv(at.x, 65535, width - 1) : 0;
  input.mi.dy = height > 1 ? MulDiv(at.y, 65535, height - 1) : 0;
  input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  SendInput(1, &input, sizeof input);
  const auto arrived = [&] {
    POINT now{};
    return GetCursorPos(&now) && std::abs(now.x - at.x) <= 1 && std::abs(now.y - at.y) <= 1;
  };
  // Under Wine the desktop's thread takes the pointer's events from the X
  // server and may still set an older position: the pointer has arrived
  // once that thread has caught up and the position still holds.
  WaitUntil(arrived, 3000);
  WaitForSentMessagesHandled(GetDesktopWindow());
  WaitUntil(arrived, 3000);
}

void PostMenuKeys(HWND menu, std::initializer_list<WORD> keys) {
  for (WORD key : keys) {
    PostMessageA(menu, WM_KEYDOWN, key, 1);
    PostMessageA(menu, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
  }
}

bool Wordpad::Start(unsigned timeoutMs) {
  char programFiles[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableA("ProgramFiles", programFiles, MAX_PATH);
  const std::string path = (n > 0 && n < MAX_PATH ? std::string(programFiles, n)
                                                  : std::string("C:\\Program Files")) +
                           "\\Windows NT\\Accessories\\wordpad.exe";
  process_ = Process::Start(Quoted(FileExists(path) ? path : WindowsProgram("wordpad.exe")));
  if (!process_.Started()) return false;
  return WaitUntil(
      [&] {
        for (HWND w : FindTopWindows("", "", process_.Id())) {
          if (!IsWindowVisible(w)) continue;
          for (const char* cls : {"RICHEDIT50W", "RichEdit50W", "RICHEDIT20W", "RichEdit20W"}) {
            if (HWND edit = FindChild(w, cls)) {
              window_ = w;
              edit_ = edit;
              return true;
            }
          }
        }
        return false;
      },
      timeoutMs);
}

void Wordpad::Close() {
  if (process_.Started() && process_.Running()) process_.Terminate();
}

std::string Wordpad::Text() const { return ReadRichEditText(edit_, /*crlf=*/true); }

}  // namespace ambrel::e2e
