#include "ambrel/ambrel_run.h"

#include <sstream>

#include "harness/paths.h"
#include "harness/popup_menu.h"
#include "harness/remote_controls.h"
#include "harness/wait.h"
#include "harness/window_query.h"

namespace ambrel::e2e {

AmbrelRun::~AmbrelRun() {
  if (process_.Started() && process_.Running()) process_.Terminate();
}

bool AmbrelRun::AnswerMessageBox(const SeenBox& seenBox) const {
  HWND box = FindTopWindow("#32770", "", process_.Id());
  if (!box || !IsWindowVisible(box)) return false;
  std::string text;
  for (const ChildWindow& c : ChildWindows(box)) text += c.text;
  seenBox(text);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  return true;
}

bool AmbrelRun::Start(const SeenBox& seenBox) {
  if (!folder_.Valid() || folder_.CopyInFrom(ExeFolder(), {"Ambrel.exe", "Tesk.dll"}) < 1)
    return false;
  if (companion_ && folder_.CopyInFrom(ExeFolder(), {"Ambrel32.exe", "Tesk32.dll"}) != 2) return false;
  process_ = Process::Start(Quoted(folder_.File("Ambrel.exe")), folder_.Path());
  if (!process_.Started()) return false;
  greeted_ = false;
  const bool ready = WaitUntil(
      [&] {
        HWND hello = FindTopWindow("THello", "", process_.Id());
        if (hello && IsWindowVisible(hello)) {
          greeted_ = true;
          PostMessageA(hello, WM_COMMAND, IDOK, 0);
        }
        if (seenBox) AnswerMessageBox(seenBox);
        logo_ = FindTopWindow("TLogo", "", process_.Id());
        editor_ = FindTopWindow("TMain", "", process_.Id());
        // The logo hides itself at the end of the start-up sequence.
        return logo_ && editor_ && !IsWindowVisible(logo_);
      },
      kStartTimeoutMs);
  // The message loop runs once the logo has gone; the first clipboard
  // notification, sent when the program joined the viewer chain, is handled
  // before the round trip.
  return ready && WaitForMessagesHandled();
}

Process AmbrelRun::StartSecondCopy() const {
  return Process::Start(Quoted(folder_.File("Ambrel.exe")), folder_.Path());
}

HWND AmbrelRun::ShownEditBar() const {
  for (const ChildWindow& c : ChildWindows(editor_))
    if (c.className == "ToolbarWindow32" && c.visible) return c.window;
  return nullptr;
}

std::vector<std::string> AmbrelRun::HistoryCaptions() const {
  std::vector<std::string> captions;
  HWND tree = FindChild(editor_, "SysTreeView32");
  if (!tree) return captions;
  const std::vector<TreeItemText> items = ReadTreeView(tree);
  // The history root comes first; its clips stand before the user menus.
  for (std::size_t i = 1; i < items.size() && items[i].depth == 1; ++i) {
    if (items[i].text.rfind("Usr", 0) == 0) break;
    captions.push_back(items[i].text);
  }
  return captions;
}

std::string AmbrelRun::DescribeTree() const {
  std::ostringstream out;
  HWND tree = FindChild(editor_, "SysTreeView32");
  if (!tree) return "(no tree)";
  for (const TreeItemText& item : ReadTreeView(tree)) out << item.depth << ":" << item.text << "\n";
  return out.str();
}

bool AmbrelRun::WaitForHistory(const std::vector<std::string>& expected, unsigned timeoutMs) const {
  return WaitUntil([&] { return HistoryCaptions() == expected; }, timeoutMs, 50);
}

bool AmbrelRun::FirstRunOutOfBeginnerMode(const std::function<void(std::string&)>& patch) {
  constexpr std::size_t kBeginnerOffset = 1824;
  if (!Start() || !QuitThroughTrayMenu()) return false;
  std::string prm = folder_.ReadFile("Ambrel.prm");
  if (prm.size() != 2140u) return false;
  prm[kBeginnerOffset] = 0;
  if (patch) patch(prm);
  return folder_.WriteFile("Ambrel.prm", prm);
}

bool AmbrelRun::QuitThroughTrayMenu(const SeenBox& seenBox) {
  PostTray(WM_RBUTTONDOWN);
  HWND menu = WaitForPopupMenu(5000, process_.Id());
  if (!menu) return false;
  ChooseMenuItemByMnemonic(menu, 'X');
  if (!seenBox) return process_.WaitForExit(10000);
  return WaitUntil([&] {
    AnswerMessageBox(seenBox);
    return !process_.Running();
  }, 10000);
}

}  // namespace ambrel::e2e
