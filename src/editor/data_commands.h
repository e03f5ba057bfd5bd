// The editor's commands over the whole clip set and over one clip, without
// the windows: the texts they show and print, the order of their questions,
// and what they change in the store. The window side (data_commands_win32)
// opens the dialogs and printers around them.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/message_box.h"

namespace ambrel {
class Files;
}
namespace ambrel::clipstore {
class TClipBase;
}
namespace ambrel::expand {
class Prompter;
}

namespace ambrel::editor {

inline constexpr std::string_view kHistoryFilter = "ｸﾘｯﾌﾟﾃﾞｰﾀﾌｧｲﾙ(*.hst)|*.hst";
inline constexpr std::string_view kPrintAllJob = "List of Clipboard History by Ambrel";
inline constexpr std::string_view kTreeTitle = "クリップデータツリー";
inline constexpr std::string_view kNewClipText = "新規データ";

// "<< name >>は読み込むことが出来ません。" and "<< name >>には書き込むことが出来ません。"
std::string CannotReadMessage(std::string_view fileName);
std::string CannotWriteMessage(std::string_view fileName);

// Asks (unless the store is empty, which answers Yes) and on Yes deletes
// every clip; the menus and their settings stay. Returns the answer.
MsgResult DeleteAllClips(clipstore::TClipBase& store, MessageBoxes& messages);

// Reads a history file into a store of its own; true when it could.
using HistoryLoader = std::function<bool(clipstore::TClipBase& into, std::string_view path)>;

// Read all after the file was chosen: asks whether the clips present shall go
// (Cancel ends), reads the file aside and only then changes the store: Yes
// puts the file's clips and menus in place of the store's, No adds the
// file's clips (and the menus the store lacks) to those present. A file that
// cannot be read shows the read message and leaves the store as it was.
void ReadAll(clipstore::TClipBase& store, MessageBoxes& messages, const HistoryLoader& load,
             std::string_view path);

// Every clip in page order as "\r\n■" + page caption + "\r\n" + text.
std::string PrintAllText(const clipstore::TClipBase& store);

// A history clip "新規データ" without the duplicate test (the oldest goes
// when the history is full); it becomes the current page.
void AddNewClip(clipstore::TClipBase& store);

// The clip tree as text: one line per node, one tab per level.
std::string TreeFileText(const clipstore::TClipBase& store);

// Confirmed: the right sound, then label + "\r\n\r\n" + value + "\r\n\r\n" +
// "です。". Cancelled: the label's first two characters + "がキャンセルされました。".
void ShowTestResult(MessageBoxes& messages, bool confirmed, std::string_view label,
                    std::string_view value);

// The function tests: each runs one picker as a paste would and reports.
class FunctionTests {
 public:
  FunctionTests(expand::Prompter& prompter, MessageBoxes& messages, Files& files,
                std::string programFolder)
      : prompter_(prompter), messages_(messages), files_(files), folder_(std::move(programFolder)) {}

  void TestInput();
  void TestFiler();
  void TestList();
  // Writes the store's tree to "Tree.txt" first (a failure is ignored).
  void TestTreeFile(const clipstore::TClipBase& store);
  void TestTreeFolder();

 private:
  expand::Prompter& prompter_;
  MessageBoxes& messages_;
  Files& files_;
  std::string folder_;
};

}  // namespace ambrel::editor
