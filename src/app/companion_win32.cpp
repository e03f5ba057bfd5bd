#include "app/companion_win32.h"

#include <string>

#include "platform/sjis.h"

namespace ambrel::win32 {
namespace {

constexpr char kCompanionName[] = "Ambrel32.exe";
constexpr DWORD kEndTimeoutMs = 3000;

std::string CompanionPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string own(path);
  return own.substr(0, sjis::FindLastOf(own, "\\/") + 1) + kCompanionName;
}

}  // namespace

void Companion::Start(HWND owner) {
  if (Running()) return;
  const std::string path = CompanionPath();
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  std::string commandLine = "\"" + path + "\" " +
                            std::to_string(reinterpret_cast<std::uintptr_t>(owner)) + " " +
                            std::to_string(GetCurrentProcessId());
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    return;
  CloseHandle(info.hThread);
  process_.reset(info.hProcess);
  thread_ = info.dwThreadId;
}

void Companion::Stop() {
  if (!process_) return;
  // The companion makes its queue before it sets the hooks; a WM_QUIT that
  // comes earlier finds no queue and is retried until the wait runs out.
  const DWORD start = GetTickCount();
  while (WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    PostThreadMessageA(thread_, WM_QUIT, 0, 0);
    if (WaitForSingleObject(process_.get(), 50) == WAIT_OBJECT_0) break;
    if (GetTickCount() - start > kEndTimeoutMs) {
      TerminateProcess(process_.get(), 1);  // its hooks end with its thread
      break;
    }
  }
  process_.reset();
  thread_ = 0;
}

bool Companion::Running() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

}  // namespace ambrel::win32
