// A child process of the test: started, watched and always ended, so that a
// failing test never leaves a program behind to disturb the next one.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ambrel::e2e {

class Process {
 public:
  Process() = default;
  ~Process();
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // CreateProcessA of `commandLine` in `workingFolder` (the current folder
  // when empty). Check Started() for the outcome.
  static Process Start(const std::string& commandLine, const std::string& workingFolder = "");

  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Handle() const { return info_.hProcess; }
  // The error of CreateProcessA when Start failed.
  DWORD StartError() const { return startError_; }

  bool Running() const;
  // True when the process has ended within `timeoutMs`.
  bool WaitForExit(unsigned timeoutMs) const;
  // Exit code once ended; nothing while it runs or when it never started.
  std::optional<DWORD> ExitCode() const;
  // Ends the process now and waits for it; harmless when already ended.
  void Terminate(UINT exitCode = 0xE2E);
  // Visible top-level window of `className` owned by this process, within
  // `timeoutMs`; nullptr on timeout.
  HWND WaitForWindow(const std::string& className, unsigned timeoutMs) const;
  // Leaves the process running when this object goes away.
  void Detach();

 private:
  void Close();
  PROCESS_INFORMATION info_{};
  DWORD startError_ = 0;
};

}  // namespace ambrel::e2e
