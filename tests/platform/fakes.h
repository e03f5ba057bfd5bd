// In-memory stand-ins for the platform interfaces, shared by the unit tests,
// the fuzz targets and the benchmarks. Each fake records what the code under
// test asked of it so a test can check the calls as well as the results.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace ambrel::fakes {

// A folder of files held as path -> bytes. Writes keep the previous version
// as path + kBackupSuffix (unless that .bak is locked), as the real implementation
// does; a failing write leaves every file as it was.
class FakeFiles : public Files {
 public:
  FileContents Read(std::string_view path, std::uint64_t maxBytes) override {
    ++reads;
    const std::string key(path);
    if (unreadable.count(key)) return {ReadStatus::kError, {}};
    auto it = files.find(key);
    if (it == files.end()) return {ReadStatus::kMissing, {}};
    if (it->second.size() > maxBytes || oversized.count(key)) return {ReadStatus::kTooLarge, {}};
    return {ReadStatus::kOk, it->second};
  }

  bool WriteReplacing(std::string_view path, std::string_view bytes) override {
    ++writes;
    const std::string key(path);
    if (failAllWrites || failingPaths.count(key)) return false;
    if (failNextWrites > 0) {
      --failNextWrites;
      return false;
    }
    auto it = files.find(key);
    if (it != files.end() && !lockedBaks.count(key + std::string(kBackupSuffix))) files[key + std::string(kBackupSuffix)] = it->second;
    files[key] = std::string(bytes);
    oversized.erase(key);
    return true;
  }

  bool Exists(std::string_view path) override { return files.count(std::string(path)) > 0; }

  bool Rename(std::string_view from, std::string_view to) override {
    auto it = files.find(std::string(from));
    if (it == files.end() || files.count(std::string(to)) || unmovable.count(it->first)) return false;
    files[std::string(to)] = std::move(it->second);
    files.erase(std::string(from));
    return true;
  }

  // The file's bytes, or nullopt when it does not exist.
  std::optional<std::string> Get(const std::string& path) const {
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }

  std::map<std::string, std::string> files;
  std::set<std::string> unreadable;    // Read reports kError
  std::set<std::string> oversized;     // Read reports kTooLarge (a file too big to hold here)
  std::set<std::string> lockedBaks;    // a .bak that cannot be refreshed: the write goes on
  std::set<std::string> failingPaths;  // WriteReplacing fails for these
  std::set<std::string> unmovable;     // Rename fails for these (held open elsewhere)
  bool failAllWrites = false;
  int failNextWrites = 0;
  int reads = 0;
  int writes = 0;
};

// Records every message box; answers from a script, OK when it runs out.
class FakeMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::string text;
    MsgType type;
    unsigned buttons;
    int helpContext;
  };

  MsgResult ShowMsgDlg(std::string_view text, MsgType type, unsigned buttons,
                       int helpContext) override {
    shown.push_back({std::string(text), type, buttons, helpContext});
    // What happens while a box is up (a copy coming in).
    if (whileShown) whileShown();
    if (answers.empty()) return MsgResult::kOk;
    MsgResult answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void PlayFaultSound() override { ++faultSounds; }
  void PlayRightSound() override { ++rightSounds; }

  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& s : shown) out.push_back(s.text);
    return out;
  }

  std::vector<Shown> shown;
  std::deque<MsgResult> answers;
  std::function<void()> whileShown;
  int faultSounds = 0;
  int rightSounds = 0;
};

class FakeClipboard : public Clipboard {
 public:
  bool HasText() override { return text.has_value(); }
  std::optional<std::string> GetText() override {
    if (!text) return std::nullopt;
    // CF_TEXT ends at its first NUL.
    return text->substr(0, text->find('\0'));
  }
  bool SetText(std::string_view value, std::u16string_view unicodeOriginal = {}) override {
    if (failSet) return false;
    text = std::string(value);
    original = std::u16string(unicodeOriginal);
    ++sets;
    ++sequence;
    return true;
  }
  std::uint32_t SequenceNumber() override { return sequence; }
  std::unique_ptr<ClipboardReading> OpenForReading() override {
    if (failOpen) return nullptr;
    return std::make_unique<Reading>(*this);
  }

  std::optional<std::string> text;  // the CF_TEXT block, its NUL not included
  // What the Unicode text held beyond text: the original that reading it
  // reports (the Win32 clipboard's conversion lost characters of it).
  std::u16string original;
  bool asksNotToRecord = false;
  bool failSet = false;
  bool failOpen = false;
  int sets = 0;
  std::uint32_t sequence = 1;
  int openReadings = 0;
  // Runs as the text is read, as another program would act meanwhile.
  std::function<void(FakeClipboard&)> whileReading;

 private:
  class Reading : public ClipboardReading {
   public:
    explicit Reading(FakeClipboard& clipboard) : c_(clipboard) { ++c_.openReadings; }
    ~Reading() override { --c_.openReadings; }
    bool AsksNotToRecord() override { return c_.asksNotToRecord; }
    std::optional<BoundedText> Text(std::size_t limit) override {
      if (c_.whileReading) c_.whileReading(c_);
      if (!c_.text) return std::nullopt;
      BoundedText read = ReadBoundedText(c_.text->data(), c_.text->size(), limit);
      if (!read.tooLarge) read.original = c_.original;
      return read;
    }

   private:
    FakeClipboard& c_;
  };
};

class FakeClock : public Clock {
 public:
  LocalTime Now() override { return now; }
  LocalTime now{2024, 1, 2, 3, 4, 5, 2};
};

class FakeEnvironment : public Environment {
 public:
  std::optional<std::string> Variable(std::string_view name) override {
    auto it = variables.find(std::string(name));
    if (it == variables.end()) return std::nullopt;
    return it->second;
  }
  std::string CurrentDirectory() override { return currentDirectory; }

  std::map<std::string, std::string> variables;
  std::string currentDirectory = "C:\\";
};

// FakeFiles whose writes, from another thread, wait while the gate is shut:
// a test holds a write in progress to see what happens meanwhile.
class GatedFiles : public FakeFiles {
 public:
  bool WriteReplacing(std::string_view path, std::string_view bytes) override {
    std::unique_lock<std::mutex> lock(mutex_);
    ++entered_;
    changed_.notify_all();
    changed_.wait(lock, [this] { return open_; });
    written.push_back(std::string(path) + "=" + std::string(bytes));
    return FakeFiles::WriteReplacing(path, bytes);
  }
  void Shut() { Set(false); }
  void Open() { Set(true); }
  // Waits until n writes have begun.
  void WaitForWrites(int n) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return entered_ >= n; });
  }
  std::vector<std::string> written;  // "path=bytes" in the order written

 private:
  void Set(bool open) {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = open;
    changed_.notify_all();
  }
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = true;
  int entered_ = 0;
};

}  // namespace ambrel::fakes
