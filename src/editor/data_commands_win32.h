// The editor's data commands in the running program: reading, saving,
// deleting and printing the clip set, one clip's file, the clip tree's
// prints, new and static clips and the function tests. Registered in the
// editor's command registry; the steps without windows are data_commands.h.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "editor/data_commands.h"
#include "editor/editor_commands_win32.h"
#include "editor/file_dialogs_win32.h"

namespace ambrel {
class Files;
class MessageBoxes;
}  // namespace ambrel
namespace ambrel::options {
class Settings;
}

namespace ambrel::win32 {

struct DataCommandServices {
  MessageBoxes& messages;
  Files& files;
  FileDialogs& dialogs;
  expand::Prompter& prompter;
  std::string programFolder;  // with its trailing backslash
  std::string historyFile;    // the program's own history file, Read all's and Save all's first choice
  editor::HistoryLoader loadHistory;
  std::function<bool(const clipstore::TClipBase&, std::string_view path)> saveHistory;
  // Runs a change of many clips with one view refresh at its end.
  std::function<void(const std::function<void()>&)> batch;
  std::size_t maxClipBytes;  // a clip file over this size is refused
};

class DataCommands {
 public:
  DataCommands(clipstore::TClipBase& store, const options::Settings& settings,
               DataCommandServices services)
      : store_(store), settings_(settings), s_(std::move(services)),
        tests_(s_.prompter, s_.messages, s_.files, s_.programFolder) {}

  void Register(EditorCommands& commands);

 private:
  void ReadAll(HWND owner);
  void SaveAll(HWND owner);
  void PrintAll(HWND owner);
  void LoadClip(const EditorContext& context);
  void SaveClip(const EditorContext& context);
  void PrintClip(const EditorContext& context);
  // The id of the clip whose page is the context's editor, or 0 (a dialog's
  // own editor, or no page).
  std::uint64_t PageClip(const EditorContext& context) const;
  void MakeStatic(const EditorContext& context);
  void PrintTree(HWND owner, const clipstore::TreeNode* start);
  bool IsPageEditor(HWND editor) const;
  const std::string& DefaultHistoryName() const { return s_.historyFile; }

  clipstore::TClipBase& store_;
  const options::Settings& settings_;
  DataCommandServices s_;
  editor::FunctionTests tests_;
  const EditorCommands* commands_ = nullptr;
};

}  // namespace ambrel::win32
