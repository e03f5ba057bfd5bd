// Whole-file reads and crash-safe replacing writes on Win32. A save goes to
// path + ".tmp" in the same folder, is flushed to the disk, and only then
// takes the place of the old file, which is kept as path + ".bak". A save
// that fails or is cut off at any point leaves the old file readable under
// its own name.
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/files.h"
#include "platform/handles_win32.h"

namespace ambrel::win32 {
namespace {

// ReadFile and WriteFile take a 32-bit count.
constexpr DWORD kChunk = 1u << 24;

bool IsMissingError(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME || error == ERROR_INVALID_DRIVE;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD part = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, part, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

// Writes and flushes the temporary file; it is removed again on failure.
bool WriteTemporary(const std::string& temp, std::string_view bytes) {
  FileHandle file(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const bool ok = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
  file.reset();
  if (!ok) DeleteFileA(temp.c_str());
  return ok;
}

constexpr DWORD kMoveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;

// Puts temp in the place of the existing target, keeping the target as bak.
// Not ReplaceFile: it renames the target to bak before it moves temp in, so
// a process ended between the two leaves no file under the target's name.
// Here the target stays in place until one rename puts the new file there.
// The copy to bak is best effort: a read-only or locked .bak, or no room for
// it, must not stop every save from then on; the new file is complete on the
// disk before it takes the target's place either way.
bool ReplaceExisting(const std::string& target, const std::string& temp, const std::string& bak) {
  CopyFileA(target.c_str(), bak.c_str(), FALSE);
  return MoveFileExA(temp.c_str(), target.c_str(), kMoveFlags) != 0;
}

class Win32Files : public Files {
 public:
  FileContents Read(std::string_view path, std::uint64_t maxBytes) override {
    const std::string name(path);
    // Another program holding the file open (a backup tool, a sync client)
    // must not make it unreadable.
    FileHandle file(CreateFileA(name.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
      return {IsMissingError(GetLastError()) ? ReadStatus::kMissing : ReadStatus::kError, {}};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return {ReadStatus::kError, {}};
    const auto length = static_cast<std::uint64_t>(size.QuadPart);
    if (length > maxBytes) return {ReadStatus::kTooLarge, {}};

    FileContents contents{ReadStatus::kOk, std::string(static_cast<std::size_t>(length), '\0')};
    std::size_t done = 0;
    while (done < contents.bytes.size()) {
      const DWORD part =
          static_cast<DWORD>(std::min<std::size_t>(contents.bytes.size() - done, kChunk));
      DWORD got = 0;
      if (!ReadFile(file.get(), contents.bytes.data() + done, part, &got, nullptr) || got == 0)
        return {ReadStatus::kError, {}};
      done += got;
    }
    return contents;
  }

  bool WriteReplacing(std::string_view path, std::string_view bytes) override {
    const std::string target(path);
    const std::string temp = target + ".tmp";
    const std::string bak = target + std::string(kBackupSuffix);
    const DWORD attributes = GetFileAttributesA(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // A read-only file is one the user does not want written; renaming over
    // it would succeed on some systems, so refuse it before touching it.
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return false;
    if (!WriteTemporary(temp, bytes)) return false;
    const bool placed = exists ? ReplaceExisting(target, temp, bak)
                               : MoveFileExA(temp.c_str(), target.c_str(), kMoveFlags) != 0;
    if (!placed) DeleteFileA(temp.c_str());
    return placed;
  }

  bool Exists(std::string_view path) override {
    const std::string name(path);
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool Rename(std::string_view from, std::string_view to) override {
    const std::string source(from), target(to);
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
  }
};

}  // namespace

std::unique_ptr<Files> MakeFiles() { return std::make_unique<Win32Files>(); }

}  // namespace ambrel::win32
