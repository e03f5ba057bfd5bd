#include "platform/environment_win32.h"

#include <windows.h>

#include <vector>

namespace ambrel::win32 {

std::optional<std::string> Win32Environment::Variable(std::string_view name) {
  const std::string key(name);
  // Room for the longest value a variable can hold; a second call covers a
  // value that grew between the two.
  std::vector<char> buffer(32768);
  for (int attempt = 0; attempt < 2; ++attempt) {
    SetLastError(ERROR_SUCCESS);
    const DWORD n = GetEnvironmentVariableA(key.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    if (n < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(n + 1);
  }
  return std::string();
}

std::string Win32Environment::CurrentDirectory() {
  char buffer[MAX_PATH] = {};
  const DWORD n = GetCurrentDirectoryA(MAX_PATH, buffer);
  return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
}

}  // namespace ambrel::win32
