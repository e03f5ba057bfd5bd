// The loads behind the list and tree pickers, run by RunWork: the work
// window shows only when a job outlasts its delay, and every job lets the
// program process its messages after each line or folder entry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "expand/pick_tree.h"
#include "platform/file_system.h"
#include "platform/files.h"

namespace ambrel::expand {

enum class WorkJob : int { kScanFolders = 0, kReadTreeFile = 1, kReadListFile = 2, kDemo = 3 };

// List and tree files larger than this are not read (the job fails): the
// pickers' controls could not show them in reasonable time anyway.
inline constexpr std::uint64_t kMaxPickFileBytes = 16u << 20;

// How long the demonstration job (3) outlasts its delay.
inline constexpr int kDemoExtraMs = 2000;

// What RunWork needs of the work window.
class WorkHost : public WorkStep {
 public:
  // Hourglass cursor, window placed and its timer started with delayMs.
  virtual void Begin(int delayMs) = 0;
  // Window hidden, timer stopped, normal cursor.
  virtual void End() = 0;
  // Keeps the program busy for ms while processing messages (demo job).
  virtual void Pause(int ms) = 0;
};

// Where the jobs put what they read.
struct WorkTargets {
  Files& files;
  FileSystem& fileSystem;
  PickTree* tree = nullptr;
  std::vector<std::string>* rows = nullptr;
};

// Splits a text file's bytes into lines at CR LF, LF or CR; a final line
// end does not start another line.
std::vector<std::string> SplitLines(std::string_view bytes);

// Job 2: the file's lines as rows. False on a file error.
bool ReadListFile(std::string_view path, WorkTargets& targets, WorkStep& step);
// Job 1: the file's lines as a tree. False on a file error.
bool ReadTreeFile(std::string_view path, WorkTargets& targets, WorkStep& step);

bool RunWork(std::string_view path, int delayMs, int job, WorkTargets& targets, WorkHost& host);

}  // namespace ambrel::expand
