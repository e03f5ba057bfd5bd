// Whole-file access for the data files. Paths are CP932 byte strings.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ambrel {

enum class ReadStatus { kOk, kMissing, kTooLarge, kError };

struct FileContents {
  ReadStatus status = ReadStatus::kError;
  std::string bytes;
};

// What a replaced file's previous version is kept as: path + kBackupSuffix.
inline constexpr std::string_view kBackupSuffix = ".bak";

class Files {
 public:
  virtual ~Files() = default;
  // Reads the whole file when it is at most maxBytes long. kMissing only when
  // there is no such file; kError when it is there and cannot be read
  // (another program holds it, a read error).
  virtual FileContents Read(std::string_view path, std::uint64_t maxBytes) = 0;
  // Writes bytes so that at every moment either the old or the new content is
  // in place under path; the previous version is kept as path + kBackupSuffix when
  // that can be written (a .bak that cannot be refreshed does not stop the
  // save).
  virtual bool WriteReplacing(std::string_view path, std::string_view bytes) = 0;
  virtual bool Exists(std::string_view path) = 0;
  // Gives the file the name `to`; false when that name is taken or the file
  // cannot be moved.
  virtual bool Rename(std::string_view from, std::string_view to) = 0;
};

#ifdef _WIN32
namespace win32 {
// The program's files on Win32 (platform/files_win32.cpp).
std::unique_ptr<Files> MakeFiles();
}  // namespace win32
#endif

}  // namespace ambrel
