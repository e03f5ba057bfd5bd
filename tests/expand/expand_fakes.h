// Stand-ins for the dialogs, the disk's folders and the work window, for
// the expansion's tests and benchmarks.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "expand/pick_tree.h"
#include "expand/prompter.h"
#include "expand/work_jobs.h"
#include "platform/fakes.h"
#include "platform/file_system.h"

namespace ambrel::fakes {

// Answers each dialog from a script and records what was asked.
class FakePrompter : public expand::Prompter {
 public:
  struct Answer {
    bool confirmed = true;
    std::string text;
  };
  struct Asked {
    std::string dialog;  // "Input", "Filer", "List", "Tree"
    std::string name;    // the input dialog's function name
    std::string argument;  // prompt, pattern, list file or tree argument
    std::string initial;   // the input dialog's initial text
  };

  bool RunInput(std::string_view name, std::string_view prompt, std::string& text) override {
    asked.push_back({"Input", std::string(name), std::string(prompt), text});
    return Reply(text);
  }
  bool RunFiler(std::string_view pattern, std::string& fileName) override {
    asked.push_back({"Filer", {}, std::string(pattern), {}});
    return Reply(fileName);
  }
  bool RunList(std::string_view listFile, std::string& line) override {
    asked.push_back({"List", {}, std::string(listFile), {}});
    return Reply(line);
  }
  bool RunTree(std::string_view argument, std::string& path) override {
    asked.push_back({"Tree", {}, std::string(argument), {}});
    return Reply(path);
  }

  std::deque<Answer> answers;
  std::vector<Asked> asked;

 private:
  bool Reply(std::string& out) {
    if (answers.empty()) return true;
    Answer a = answers.front();
    answers.pop_front();
    out = a.text;
    return a.confirmed;
  }
};

// Folders as path -> entries in listing order; files through a FakeFiles.
class FakeFileSystem : public FileSystem {
 public:
  bool List(std::string_view pattern, const std::function<void(const DirEntry&)>& each) override {
    ++searches;
    std::string folder(pattern);
    const std::string suffix = "\\*.*";
    if (folder.size() >= suffix.size() && folder.ends_with(suffix))
      folder.resize(folder.size() - suffix.size());
    auto it = folders.find(folder);
    if (it == folders.end()) return false;
    for (const DirEntry& e : it->second) each(e);
    return true;
  }
  bool IsDirectory(std::string_view path) override {
    ++directoryQueries;
    return folders.count(std::string(path)) > 0;
  }
  FileContents ReadWritable(std::string_view path, std::uint64_t maxBytes) override {
    if (readOnly.count(std::string(path))) return {ReadStatus::kError, {}};
    return files.Read(path, maxBytes);
  }

  // Adds a visible folder below parent (which is created when missing).
  void AddFolder(const std::string& parent, const std::string& name, bool hidden = false,
                 bool system = false) {
    folders[parent].push_back({name, true, hidden, system});
    folders.try_emplace(parent + "\\" + name);
  }

  std::map<std::string, std::vector<DirEntry>> folders;
  std::set<std::string> readOnly;
  FakeFiles files;
  int searches = 0;
  int directoryQueries = 0;
};

class FakeWorkHost : public expand::WorkHost {
 public:
  void Step() override { ++steps; }
  void Begin(int delayMs) override { ++begins; delay = delayMs; }
  void End() override { ++ends; }
  void Pause(int ms) override { paused += ms; }

  int steps = 0, begins = 0, ends = 0, delay = -1, paused = 0;
};

}  // namespace ambrel::fakes
