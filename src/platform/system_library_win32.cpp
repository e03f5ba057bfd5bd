#include "platform/system_library_win32.h"

#include "platform/sjis.h"

namespace ambrel::win32 {
namespace {

// The flags of LoadLibraryEx and SetDefaultDllDirectories, which older
// headers lack.
constexpr DWORD kSearchApplicationDir = 0x00000200;
constexpr DWORD kSearchSystem32 = 0x00000800;

using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD flags);

std::string FolderOfModule(HMODULE module) {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(module, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  const std::string_view full(path, n);
  const std::size_t last = sjis::FindLastOf(full, "\\/");
  return last == std::string_view::npos ? std::string() : std::string(full.substr(0, last + 1));
}

}  // namespace

void RestrictLibrarySearch() {
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  const auto set = kernel ? reinterpret_cast<SetDefaultDllDirectoriesFn>(
                                reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                          : nullptr;
  if (set) set(kSearchSystem32 | kSearchApplicationDir);
}

HMODULE LoadSystemLibrary(const char* fileName) {
  if (HMODULE module = LoadLibraryExA(fileName, nullptr, kSearchSystem32)) return module;
  // A system without the search flags refuses them: the full path then.
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  char folder[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  return LoadLibraryA((std::string(folder, n) + "\\" + fileName).c_str());
}

bool LoadRichEdit() {
  static const HMODULE module = LoadSystemLibrary("riched20.dll");
  return module != nullptr;
}

HMODULE LoadProgramLibrary(const char* fileName) {
  const std::string folder = FolderOfModule(nullptr);
  if (folder.empty()) return nullptr;
  return LoadLibraryExA((folder + fileName).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace ambrel::win32
