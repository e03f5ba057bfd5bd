#include "expand/work_jobs.h"

#include <algorithm>

namespace ambrel::expand {

std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    lines.emplace_back(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
  return lines;
}

namespace {

bool ReadLines(std::string_view path, Files& files, std::vector<std::string>& lines) {
  if (path.empty()) return false;
  FileContents file = files.Read(path, kMaxPickFileBytes);
  if (file.status != ReadStatus::kOk) return false;
  lines = SplitLines(file.bytes);
  return true;
}

}  // namespace

bool ReadListFile(std::string_view path, WorkTargets& targets, WorkStep& step) {
  std::vector<std::string> lines;
  if (!targets.rows || !ReadLines(path, targets.files, lines)) return false;
  targets.rows->reserve(targets.rows->size() + lines.size());
  for (std::string& line : lines) {
    targets.rows->push_back(std::move(line));
    step.Step();
  }
  return true;
}

bool ReadTreeFile(std::string_view path, WorkTargets& targets, WorkStep& step) {
  std::vector<std::string> lines;
  if (!targets.tree || !ReadLines(path, targets.files, lines)) return false;
  targets.tree->Clear();
  BuildTree(*targets.tree, lines, step);
  return true;
}

bool RunWork(std::string_view path, int delayMs, int job, WorkTargets& targets, WorkHost& host) {
  host.Begin(delayMs);
  bool ok = true;
  switch (static_cast<WorkJob>(job)) {
    case WorkJob::kScanFolders:
      ok = targets.tree && ScanFolders(*targets.tree, path, targets.fileSystem, host);
      break;
    case WorkJob::kReadTreeFile: ok = ReadTreeFile(path, targets, host); break;
    case WorkJob::kReadListFile: ok = ReadListFile(path, targets, host); break;
    case WorkJob::kDemo:
      // Two seconds beyond the delay, so the window shows for a while.
      host.Pause(std::max(0, delayMs) + kDemoExtraMs);
      break;
    default: break;
  }
  host.End();
  return ok;
}

}  // namespace ambrel::expand
