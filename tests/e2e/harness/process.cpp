#include "harness/process.h"

#include <vector>

#include "harness/window_query.h"

namespace ambrel::e2e {

Process::~Process() {
  if (Running()) Terminate();
  Close();
}

Process::Process(Process&& other) noexcept : info_(other.info_), startError_(other.startError_) {
  other.info_ = {};
}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    if (Running()) Terminate();
    Close();
    info_ = other.info_;
    startError_ = other.startError_;
    other.info_ = {};
  }
  return *this;
}

Process Process::Start(const std::string& commandLine, const std::string& workingFolder) {
  Process p;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &p.info_)) {
    p.startError_ = GetLastError();
    p.info_ = {};
  }
  return p;
}

bool Process::Running() const {
  return Started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(unsigned timeoutMs) const {
  return Started() && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

std::optional<DWORD> Process::ExitCode() const {
  DWORD code = 0;
  if (!Started() || Running() || !GetExitCodeProcess(info_.hProcess, &code)) return std::nullopt;
  return code;
}

void Process::Terminate(UINT exitCode) {
  if (!Running()) return;
  TerminateProcess(info_.hProcess, exitCode);
  WaitForSingleObject(info_.hProcess, 5000);
}

HWND Process::WaitForWindow(const std::string& className, unsigned timeoutMs) const {
  if (!Started()) return nullptr;
  return WaitForTopWindow(className, timeoutMs, Id());
}

void Process::Detach() { Close(); }

void Process::Close() {
  if (info_.hThread) CloseHandle(info_.hThread);
  if (info_.hProcess) CloseHandle(info_.hProcess);
  info_ = {};
}

}  // namespace ambrel::e2e
