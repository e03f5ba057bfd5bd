// Folder listing and the #FileData read on Win32.
#include <windows.h>

#include "platform/file_system.h"
#include "platform/handles_win32.h"

#include <algorithm>

namespace ambrel::win32 {
namespace {

class Win32FileSystem : public FileSystem {
 public:
  bool List(std::string_view pattern, const std::function<void(const DirEntry&)>& each) override {
    const std::string query(pattern);
    WIN32_FIND_DATAA data{};
    HANDLE find = FindFirstFileA(query.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    do {
      const DWORD a = data.dwFileAttributes;
      each(DirEntry{data.cFileName, (a & FILE_ATTRIBUTE_DIRECTORY) != 0,
                    (a & FILE_ATTRIBUTE_HIDDEN) != 0, (a & FILE_ATTRIBUTE_SYSTEM) != 0});
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return true;
  }

  bool IsDirectory(std::string_view path) override {
    const std::string name(path);
    const DWORD a = GetFileAttributesA(name.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  FileContents ReadWritable(std::string_view path, std::uint64_t maxBytes) override {
    const std::string name(path);
    FileHandle file(CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {ReadStatus::kError, {}};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return {ReadStatus::kError, {}};
    if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes) return {ReadStatus::kTooLarge, {}};
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
      DWORD got = 0;
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
      if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) return {ReadStatus::kError, {}};
      if (got == 0) break;  // the file shrank while read
      done += got;
    }
    bytes.resize(done);
    return {ReadStatus::kOk, std::move(bytes)};
  }
};

}  // namespace

std::unique_ptr<FileSystem> MakeFileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace ambrel::win32
