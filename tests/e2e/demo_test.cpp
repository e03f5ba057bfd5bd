// A scripted session for people to watch, run by scripts/demo.sh, which takes
// a picture of the screen at each Shot: copies in notepad, the user menu
// catching an address, the hot key's menu at the caret, a Ctrl-quoted paste,
// a static clip asking for #Input, and the editor window in both layouts.
// Skipped in the ordinary run.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ambrel/ambrel_run.h"
#include "ambrel/popup_helpers.h"
#include "app/param_record.h"
#include "harness/clipboard.h"
#include "harness/keyboard.h"
#include "harness/notepad.h"
#include "harness/popup_menu.h"
#include "harness/remote_controls.h"
#include "harness/wait.h"
#include "harness/window_query.h"

namespace ambrel::e2e {
namespace {

constexpr std::size_t kSlotRecordsSize = 12 * 784;

class Demo : public ::testing::Test {
 protected:
  void SetUp() override {
    marker_ = std::getenv("AMBREL_DEMO_MARKER") ? std::getenv("AMBREL_DEMO_MARKER") : "";
    if (marker_.empty()) GTEST_SKIP() << "run by scripts/demo.sh";
    ASSERT_TRUE(EmptyClipboardNow());
    SetCursorPos(2, 2);
  }
  void TearDown() override { notepad_.Close(); }

  // Has the script take the screen as <name>.png, and waits until it has.
  void Shot(const std::string& name) {
    RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ambrel_.WaitForMessagesHandled();
    const std::string ready = marker_ + "." + name + ".ready", done = marker_ + "." + name + ".done";
    HANDLE f = CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);
    EXPECT_TRUE(WaitUntil([&] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000));
  }
  // Rewrites the parameter file of the stopped program.
  void PatchParams(void (*change)(app::TParamRecord&)) {
    std::string bytes = ambrel_.Folder().ReadFile("Ambrel.prm");
    ASSERT_EQ(bytes.size(), sizeof(app::TParamRecord));
    app::TParamRecord record;
    std::memcpy(&record, bytes.data(), sizeof record);
    change(record);
    std::memcpy(bytes.data(), &record, sizeof record);
    ASSERT_TRUE(ambrel_.Folder().WriteFile("Ambrel.prm", bytes));
  }
  void CopyInNotepad(const std::string& text) {
    notepad_.SetText(text);
    notepad_.SelectAllAndCopy();
    ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  }
  HWND HotKeyMenu(const std::string& notepadText) {
    notepad_.SetText(notepadText);
    notepad_.MoveCaretToEnd();
    if (!BringToForeground(notepad_.Window())) return nullptr;
    // The menu opens at the mouse (at the caret only with the direct pop-up,
    // which the parameter file does not carry): the pointer goes to the caret.
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(notepad_.Window(), nullptr), &info) && info.hwndCaret) {
      POINT caret{info.rcCaret.right, info.rcCaret.bottom};
      ClientToScreen(info.hwndCaret, &caret);
      MoveMouseTo(caret);
    }
    PressKeys({VK_CONTROL, VK_SHIFT, 'V'});
    return WaitForPopupMenu(5000, ambrel_.Proc().Id());
  }
  bool WaitForNotepadText(const std::string& expected) {
    return WaitUntil([&] { return notepad_.Text() == expected; }, 6000);
  }
  HWND Tree() const { return FindChild(ambrel_.Editor(), "SysTreeView32"); }
  void ShowEditorAt(const std::string& treeText) {
    ambrel_.PostTray(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(ambrel_.Editor()) != 0; }, 5000));
    const std::vector<TreeItemText> items = ReadTreeView(Tree());
    int index = -1;
    for (std::size_t i = 0; i < items.size() && index < 0; ++i)
      if (items[i].text.rfind(treeText, 0) == 0) index = static_cast<int>(i);
    ASSERT_GE(index, 0) << treeText;
    PostKey(Tree(), VK_HOME);
    for (int i = 0; i < index; ++i) PostKey(Tree(), VK_DOWN);
    PostKey(Tree(), VK_RIGHT);  // a menu opens on its first clip
    ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  }
  void HideEditor() {
    PostMessageA(ambrel_.Editor(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(ambrel_.Editor()); }, 3000));
  }

  std::string marker_;
  AmbrelRun ambrel_;
  Notepad notepad_;
};

TEST_F(Demo, ScriptedSession) {
  // A first run out of beginner mode, then a history holding one static clip.
  ASSERT_TRUE(ambrel_.FirstRunOutOfBeginnerMode());
  const std::string firstHistory = ambrel_.Folder().ReadFile("Ambrel.hst");
  ASSERT_GE(firstHistory.size(), kSlotRecordsSize);
  std::string hst = "\x01";
  hst += "お名前: $i(お名前は？) 様";
  hst += '\0';
  hst += '\xFF';
  ASSERT_TRUE(ambrel_.Folder().WriteFile("Ambrel.hst", hst + firstHistory.substr(firstHistory.size() - kSlotRecordsSize)));
  ASSERT_TRUE(ambrel_.Start());
  ASSERT_TRUE(notepad_.Start());
  // Room above and left of the caret, so that the clip menu shows beside the text.
  SetWindowPos(notepad_.Window(), nullptr, 140, 90, 620, 360, SWP_NOZORDER);

  CopyInNotepad("会議は 15時から 第二会議室で");
  CopyInNotepad("東京都千代田区丸の内一丁目\r\n丸の内ビル 3階");
  CopyInNotepad("資料は http://example.jp/ambrel/docs にあります");
  ASSERT_TRUE(WaitUntil([&] { return ambrel_.HistoryCaptions().size() == 3; }, 5000)) << ambrel_.DescribeTree();
  Shot("01-copies-in-notepad");

  ASSERT_NO_FATAL_FAILURE(ShowEditorAt("Usr1"));
  Shot("02-user-menu-caught-the-address");
  ASSERT_NO_FATAL_FAILURE(HideEditor());

  HWND menu = HotKeyMenu("お届け先: ");
  ASSERT_NE(menu, nullptr);
  Shot("03-hot-key-menu-at-the-caret");
  {
    HeldKeysIn ctrl(menu, {VK_CONTROL});
    ASSERT_TRUE(ctrl.Attached());
    for (int i = 0; i < 2; ++i) PostMenuKeys(menu, {VK_DOWN});
    PostMessageA(menu, WM_CHAR, '\r', 1);
    ASSERT_TRUE(WaitForPopupMenuClosed(3000, ambrel_.Proc().Id()));
    ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  }
  ASSERT_TRUE(WaitForNotepadText("お届け先: 》東京都千代田区丸の内一丁目\r\n》丸の内ビル 3階")) << notepad_.Text();
  Shot("04-ctrl-quoted-paste");

  // The clip menu: the history clips, user menu 1, the static menu.
  menu = HotKeyMenu("");
  ASSERT_NE(menu, nullptr);
  const int historyClips = static_cast<int>(ambrel_.HistoryCaptions().size());
  for (int i = 0; i < historyClips + 2; ++i) PostKey(menu, VK_DOWN);
  PostKey(menu, VK_RIGHT);
  HWND submenu = WaitForSubmenu(menu, 5000, ambrel_.Proc().Id());
  ASSERT_NE(submenu, nullptr);
  Shot("05-static-clip-menu");
  PostKey(submenu, VK_RETURN);
  HWND input = WaitForTopWindow("TInput", 8000, ambrel_.Proc().Id(), "", true);
  ASSERT_NE(input, nullptr);
  SendMessageA(FindChild(input, "RichEdit20A"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("山田 花子"));
  Shot("06-static-clip-asks-for-input");
  PostMessageA(input, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitForNotepadText("お名前: 山田 花子 様")) << notepad_.Text();
  Shot("07-static-clip-pasted");

  ASSERT_NO_FATAL_FAILURE(ShowEditorAt("資料は"));
  Shot("08-editor-tree-beside-the-pages");
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  ASSERT_NO_FATAL_FAILURE(PatchParams([](app::TParamRecord& r) { r.VertWindow = 0; }));
  ASSERT_TRUE(ambrel_.Start());
  ASSERT_NO_FATAL_FAILURE(ShowEditorAt("資料は"));
  Shot("09-editor-tree-above-the-pages");
}

}  // namespace
}  // namespace ambrel::e2e
