// The editor window under Wine: opened from the tray, showing the clip tree
// and the current clip's page, closed by Esc.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ambrel/ambrel_run.h"
#include "harness/clipboard.h"
#include "harness/keyboard.h"
#include "harness/popup_menu.h"
#include "harness/remote_controls.h"
#include "harness/temp_folder.h"
#include "harness/wait.h"
#include "harness/window_query.h"

namespace ambrel::e2e {
namespace {

class Editor : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(EmptyClipboardNow());
    ASSERT_TRUE(ambrel_.Start());
    for (const char* text : {"東京都千代田区\r\n丸の内一丁目", "表示テスト \\ 円記号",
                             "https://example.jp/ambrel を参照"}) {
      ASSERT_TRUE(SetClipboardText(text));
      ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
    }
    ASSERT_TRUE(ambrel_.WaitForHistory(
        {"https://example.jp/ambrel を参照", "表示テスト \\ 円記号", "東京都千代田区⇔丸の内一丁目"}));
  }
  HWND Child(const char* cls) const { return FindChild(ambrel_.Editor(), cls); }
  bool EditorVisible() const { return IsWindowVisible(ambrel_.Editor()) != 0; }

  AmbrelRun ambrel_;
};

TEST_F(Editor, TrayDoubleClickOpensTheEditorAtTheNewestClip) {
  ambrel_.PostTray(WM_LBUTTONDBLCLK);
  ASSERT_TRUE(WaitUntil([&] { return EditorVisible(); }, 5000));
  const std::vector<TreeItemText> tree = ReadTreeView(Child("SysTreeView32"));
  ASSERT_GE(tree.size(), 6u);
  EXPECT_EQ(tree[0], (TreeItemText{0, "動的クリップデータ"}));
  EXPECT_EQ(tree[4], (TreeItemText{1, "Usr1 (ＵＲＬ<例>)"}));
  EXPECT_EQ(tree[5], (TreeItemText{0, "静的クリップデータ"}));
  // Three history clips and the four samples of a first start.
  const std::vector<std::string> tabs = ReadTabCaptions(Child("SysTabControl32"));
  EXPECT_EQ(tabs, (std::vector<std::string>{"", "", "", "静的", "静的", "静的", "静的"}));
  EXPECT_TRUE(WaitUntil(
      [&] { return ReadRichEditText(Child("RichEdit20A")) == "https://example.jp/ambrel を参照"; },
      3000));
  EXPECT_EQ(ReadTreeSelection(Child("SysTreeView32")), "https://example.jp/ambrel を参照");

  // Esc in the editor closes (hides) it; the program goes on.
  PostMessageA(Child("RichEdit20A"), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !EditorVisible(); }, 3000));
  EXPECT_TRUE(ambrel_.Proc().Running());
}

TEST_F(Editor, RightClickOnTheTrayClosesTheEditorAndOpensTheTrayMenu) {
  ambrel_.PostTray(WM_LBUTTONDBLCLK);
  ASSERT_TRUE(WaitUntil([&] { return EditorVisible(); }, 5000));
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  EXPECT_FALSE(ambrel_.Proc().Running());
}

TEST_F(Editor, F1InTheTrayMenuOpensTheHighlightedItemsHelp) {
  ambrel_.PostTray(WM_RBUTTONDOWN);
  HWND menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
  ASSERT_NE(menu, nullptr);
  PostKey(menu, VK_DOWN);  // ﾒﾆｭｰを開く...
  PostKey(menu, VK_F1);
  EXPECT_NE(WaitForTopWindow("THelp", 5000, ambrel_.Proc().Id(), "Ambrel ヘルプ - エディタウィンドウ", true),
            nullptr);
  DismissMenu(menu);
  EXPECT_TRUE(WaitForPopupMenuClosed(5000, ambrel_.Proc().Id()));
}

// The pop-up shows the editor off-screen first; the editor opened later
// still has its tree, tabs and text laid out in its window.
TEST_F(Editor, OpenedAfterThePopUpItIsLaidOut) {
  ambrel_.PostTray(WM_LBUTTONDOWN);
  HWND menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
  ASSERT_NE(menu, nullptr);
  DismissMenu(menu);
  ASSERT_TRUE(WaitForPopupMenuClosed(5000, ambrel_.Proc().Id()));
  ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  EXPECT_FALSE(EditorVisible());
  ambrel_.PostTray(WM_LBUTTONDBLCLK);
  ASSERT_TRUE(WaitUntil([&] { return EditorVisible(); }, 5000));
  RECT frame{};
  GetWindowRect(ambrel_.Editor(), &frame);
  for (const char* cls : {"SysTreeView32", "SysTabControl32", "RichEdit20A"}) {
    RECT rc{};
    GetWindowRect(Child(cls), &rc);
    EXPECT_TRUE(rc.right - rc.left > 50 && rc.bottom - rc.top > 50 && rc.left >= frame.left &&
                rc.right <= frame.right && rc.bottom <= frame.bottom)
        << cls;
  }
  EXPECT_EQ(ReadTabCaptions(Child("SysTabControl32")).size(), 7u);
  EXPECT_EQ(ReadRichEditText(Child("RichEdit20A")), "https://example.jp/ambrel を参照");
}

TEST_F(Editor, EditingAPageReCaptionsItsClip) {
  ambrel_.PostTray(WM_LBUTTONDBLCLK);
  ASSERT_TRUE(WaitUntil([&] { return EditorVisible(); }, 5000));
  HWND edit = Child("RichEdit20A");
  ASSERT_TRUE(WaitUntil([&] { return ReadRichEditText(edit) == "https://example.jp/ambrel を参照"; }, 3000));
  PostMessageA(edit, EM_SETSEL, 0, -1);
  for (char c : std::string("edited\tnow")) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
  EXPECT_TRUE(ambrel_.WaitForHistory({"edited⇒now", "表示テスト \\ 円記号", "東京都千代田区⇔丸の内一丁目"}))
      << ReadRichEditText(edit);
}

// Run by scripts/screenshot_editor.sh: holds the editor open with Japanese
// clips until the script has taken its picture.
TEST_F(Editor, HoldOpenForScreenshot) {
  const char* marker = std::getenv("AMBREL_SCREENSHOT_MARKER");
  if (!marker) GTEST_SKIP() << "only for scripts/screenshot_editor.sh";
  ambrel_.PostTray(WM_LBUTTONDBLCLK);
  ASSERT_TRUE(WaitUntil([&] { return EditorVisible(); }, 5000));
  ASSERT_TRUE(WaitUntil(
      [&] { return ReadRichEditText(Child("RichEdit20A")) == "https://example.jp/ambrel を参照"; }, 3000));
  // Painted before the picture: UpdateWindow has the editor's thread paint now.
  RedrawWindow(ambrel_.Editor(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  const std::string ready = std::string(marker) + ".ready";
  const std::string done = std::string(marker) + ".done";
  HANDLE f = CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  CloseHandle(f);
  EXPECT_TRUE(WaitUntil([&] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000));
}

}  // namespace
}  // namespace ambrel::e2e
