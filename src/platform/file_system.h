// Folder listing and the read of a file that must also be writable: what
// the folder tree picker and the #FileData function need of the disk.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace ambrel {

struct DirEntry {
  std::string name;
  bool directory = false;
  bool hidden = false;
  bool system = false;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Calls each for every entry that FindFirst/FindNext return for pattern
  // (a folder path followed by "\*.*"), in the order the disk gives them.
  // False when the search could not start.
  virtual bool List(std::string_view pattern, const std::function<void(const DirEntry&)>& each) = 0;
  // True when a directory entry of that name exists and is a directory.
  virtual bool IsDirectory(std::string_view path) = 0;
  // Reads the whole file after opening it for reading and writing, so a
  // read-only or locked file counts as unreadable.
  virtual FileContents ReadWritable(std::string_view path, std::uint64_t maxBytes) = 0;
};

#ifdef _WIN32
namespace win32 {
std::unique_ptr<FileSystem> MakeFileSystem();
}  // namespace win32
#endif

}  // namespace ambrel
