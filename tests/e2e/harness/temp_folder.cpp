#include "harness/temp_folder.h"

#include <windows.h>

#include <cstdio>

#include "harness/paths.h"
#include "harness/wait.h"

namespace ambrel::e2e {
namespace {

std::string FileNameOf(const std::string& path) {
  const auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool RemoveTreeOnce(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string full = path + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTreeOnce(full);
      } else {
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
  return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool RemoveTree(const std::string& path) {
  if (path.empty()) return false;
  return WaitUntil([&] { return RemoveTreeOnce(path); }, 3000, 100);
}

TempFolder::TempFolder(const std::string& prefix) {
  char temp[MAX_PATH] = {};
  const DWORD n = GetTempPathA(MAX_PATH, temp);
  std::string base(temp, n);
  if (!base.empty() && base.back() == '\\') base.pop_back();
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, "-%lu-%llu-%u", static_cast<unsigned long>(GetCurrentProcessId()),
                  static_cast<unsigned long long>(GetTickCount64()), attempt);
    const std::string candidate = base + "\\" + prefix + suffix;
    if (CreateDirectoryA(candidate.c_str(), nullptr)) {
      path_ = candidate;
      return;
    }
  }
}

TempFolder::~TempFolder() {
  if (!keep_ && Valid()) RemoveTree(path_);
}

std::string TempFolder::File(const std::string& name) const { return path_ + "\\" + name; }

bool TempFolder::CopyIn(const std::string& source, const std::string& name) {
  if (!Valid()) return false;
  return CopyFileA(source.c_str(), File(name.empty() ? FileNameOf(source) : name).c_str(), FALSE) != FALSE;
}

int TempFolder::CopyInFrom(const std::string& folder, const std::vector<std::string>& names) {
  int copied = 0;
  for (const auto& name : names) {
    const std::string source = folder + "\\" + name;
    if (FileExists(source) && CopyIn(source, name)) ++copied;
  }
  return copied;
}

bool TempFolder::Exists(const std::string& name) const { return FileExists(File(name)); }

bool TempFolder::WriteFile(const std::string& name, const std::string& bytes) const {
  FILE* f = std::fopen(File(name).c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

std::string TempFolder::ReadFile(const std::string& name) const {
  FILE* f = std::fopen(File(name).c_str(), "rb");
  if (!f) return {};
  std::string bytes;
  char chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
  std::fclose(f);
  return bytes;
}

}  // namespace ambrel::e2e
