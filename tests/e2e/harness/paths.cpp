#include "harness/paths.h"

#include <windows.h>

namespace ambrel::e2e {

std::string ExeFolder() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  const auto slash = s.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : s.substr(0, slash);
}

std::string BesideExe(const std::string& name) { return ExeFolder() + "\\" + name; }

std::string WindowsProgram(const std::string& name) {
  char dir[MAX_PATH] = {};
  const UINT n = GetWindowsDirectoryA(dir, MAX_PATH);
  return std::string(dir, n) + "\\" + name;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Quoted(const std::string& path) {
  // Built by appending: GCC 12 reports a false -Wrestrict on
  // "literal" + std::string.
  std::string quoted;
  quoted.reserve(path.size() + 2);
  quoted.append(1, '"').append(path).append(1, '"');
  return quoted;
}

}  // namespace ambrel::e2e
