// One run of Ambrel.exe in a fresh program folder, observed from outside:
// its windows by class, its clip tree read from the editor's tree view.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "harness/process.h"
#include "harness/temp_folder.h"
#include "harness/wait.h"

namespace ambrel::e2e {

inline constexpr UINT kTrayCallback = WM_USER + 101;
inline constexpr unsigned kStartTimeoutMs = 20000;

class AmbrelRun {
 public:
  AmbrelRun() = default;
  ~AmbrelRun();

  // Copies the program into the folder, starts it and waits until its
  // start-up has finished (the logo has gone and the tray icon is there).
  // The greeting of a first start is answered with OK; so is every message
  // box shown meanwhile, whose text goes to seenBox when one is given (and
  // makes Start fail when none is).
  using SeenBox = std::function<void(const std::string& text)>;
  bool Start(const SeenBox& seenBox = {});
  // Whether the last Start met the greeting of a first start.
  bool Greeted() const { return greeted_; }
  // Start also copies the 32-bit companion (Ambrel32.exe, Tesk32.dll), which
  // the program then runs; other runs leave it out to spare its start.
  void WithCompanion() { companion_ = true; }
  // Starts another copy in the same folder (for the single-instance test).
  Process StartSecondCopy() const;

  TempFolder& Folder() { return folder_; }
  Process& Proc() { return process_; }
  HWND Logo() const { return logo_; }
  HWND Editor() const { return editor_; }

  // The editor's tool bar in use (the shown one of the two), or null.
  HWND ShownEditBar() const;
  // Captions of the history clips (the clip nodes under the history root).
  std::vector<std::string> HistoryCaptions() const;
  // All tree items as "depth:text" lines, for failure messages.
  std::string DescribeTree() const;
  bool WaitForHistory(const std::vector<std::string>& expected, unsigned timeoutMs = 5000) const;

  // Returns once the program's thread has handled what was sent to it so far
  // (a clipboard change, the end of a menu or a box): a message round trip
  // to its resident window. A program that has ended has nothing to handle.
  bool WaitForMessagesHandled() const {
    return !process_.Running() || WaitForSentMessagesHandled(logo_);
  }
  void PostTray(UINT mouseMessage) const { PostMessageA(logo_, kTrayCallback, 0, mouseMessage); }
  // Right click on the tray icon, then the menu's "Ambrelの終了 (&X)". A
  // message box shown on the way out is answered with OK and its text goes
  // to seenBox (without one, the program is expected to end without a box).
  bool QuitThroughTrayMenu(const SeenBox& seenBox = {});
  // A first run, ended, whose parameter file is then set out of beginner
  // mode (the mode that hides the user-menu commands); Start runs it again.
  // patch may change further saved settings before the next start.
  bool FirstRunOutOfBeginnerMode(const std::function<void(std::string&)>& patch = {});

 private:
  TempFolder folder_{"ambrel-e2e"};
  Process process_;
  HWND logo_ = nullptr;
  HWND editor_ = nullptr;
  bool greeted_ = false;
  bool companion_ = false;
  // Answers a shown message box of the program with OK, handing its text to
  // seenBox; true when there was one.
  bool AnswerMessageBox(const SeenBox& seenBox) const;
};

}  // namespace ambrel::e2e
