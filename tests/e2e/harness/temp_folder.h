// A fresh program folder per test: the program keeps all its files beside
// itself, so each test gets its own copy of the program in its own folder.
#pragma once

#include <string>
#include <vector>

namespace ambrel::e2e {

class TempFolder {
 public:
  // Creates %TEMP%\<prefix>-<unique>. Check Valid() for the outcome.
  explicit TempFolder(const std::string& prefix = "ambrel-e2e");
  // Removes the folder with everything in it (retrying while a just-ended
  // program still holds a file), unless Keep() was called.
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  bool Valid() const { return !path_.empty(); }
  const std::string& Path() const { return path_; }
  // Path of `name` inside the folder.
  std::string File(const std::string& name) const;

  // Copies `source` into the folder as `name` (default: its own file name).
  bool CopyIn(const std::string& source, const std::string& name = "");
  // Copies each of `names` from `folder` that exists there; answers how many
  // were copied. Use it for Ambrel.exe plus Tesk.dll when it is built.
  int CopyInFrom(const std::string& folder, const std::vector<std::string>& names);

  bool Exists(const std::string& name) const;
  bool WriteFile(const std::string& name, const std::string& bytes) const;
  // Whole file as bytes; empty when missing.
  std::string ReadFile(const std::string& name) const;

  // Leaves the folder in place for a post-mortem (e.g. when a test failed).
  void Keep() { keep_ = true; }

 private:
  std::string path_;
  bool keep_ = false;
};

// Deletes `path` and everything below it; true when it is gone.
bool RemoveTree(const std::string& path);

}  // namespace ambrel::e2e
