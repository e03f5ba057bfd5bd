// The editor window under Wine: opened from the tray, showing the clip tree
// and the current clip's page, closed by Esc; its tool buttons, separators
// and tree dragged with the mouse.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ambrel/ambrel_run.h"
#include "ambrel/popup_helpers.h"
#include "editor/editor_command_ids.h"
#include "harness/clipboard.h"
#include "harness/keyboard.h"
#include "harness/mouse.h"
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
  void OpenEditor() {
    ambrel_.PostTray(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitUntil([&] { return EditorVisible(); }, 5000));
    ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  }
  void Copy(const std::string& text) {
    ASSERT_TRUE(SetClipboardText(text));
    ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  }
  // The tool bar in use: the shown one of the two.
  HWND ToolBar() const { return ambrel_.ShownEditBar(); }
  void ClickButton(int command) {
    RECT rc{};
    ASSERT_TRUE(ToolButtonRect(ToolBar(), command, rc)) << command;
    ASSERT_TRUE(ClickAt({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}));
  }
  int CurrentTab() const { return ReadTabSelection(Child("SysTabControl32")); }
  // Presses the left button at `from`, moves until `capturing` has the mouse
  // (the drag has begun; at once when `stepToBegin` is false), then lets go
  // at `to`.
  void Drag(POINT from, POINT to, HWND capturing, bool stepToBegin = true) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(ambrel_.Editor(), nullptr);
    // A message box that has just gone leaves its owner disabled a moment.
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(ambrel_.Editor()) != 0; }, 3000));
    ASSERT_TRUE(MouseAt(from, MOUSEEVENTF_LEFTDOWN));
    // Moves by steps only until the drag has begun, so that no step but the
    // last one reaches the window that follows the drag.
    int step = 0;
    ASSERT_TRUE(WaitUntil([&] {
      if (GetGUIThreadInfo(thread, &info) && info.hwndCapture == capturing) return true;
      if (!stepToBegin) return false;
      step = step < 8 ? step + 1 : step;
      MouseAt({from.x + (to.x - from.x) * step / 16, from.y + (to.y - from.y) * step / 16});
      return false;
    }, 5000)) << "no drag began; foreground: " << ClassNameOf(GetForegroundWindow());
    ASSERT_TRUE(MouseAt(to));
    ASSERT_TRUE(MouseAt(to, MOUSEEVENTF_LEFTUP));
    ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  }
  // Drags the tree item `text` onto the item `onto`.
  void DragTreeItem(const std::string& text, const std::string& onto) {
    RECT from{}, to{};
    ASSERT_TRUE(TreeItemRect(Child("SysTreeView32"), text, from)) << text;
    ASSERT_TRUE(TreeItemRect(Child("SysTreeView32"), onto, to)) << onto;
    Drag({from.left + 8, (from.top + from.bottom) / 2}, {to.left + 8, (to.top + to.bottom) / 2},
         ambrel_.Editor());
  }
  // The clips under the tree item `menu`.
  std::vector<std::string> ClipsUnder(const std::string& menu) const {
    std::vector<std::string> clips;
    const std::vector<TreeItemText> items = ReadTreeView(Child("SysTreeView32"));
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].text != menu) continue;
      for (std::size_t j = i + 1; j < items.size() && items[j].depth > items[i].depth; ++j)
        if (items[j].depth == items[i].depth + 1) clips.push_back(items[j].text);
      break;
    }
    return clips;
  }
  RECT ScreenRect(HWND window) const {
    RECT rc{};
    GetWindowRect(window, &rc);
    return rc;
  }

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

TEST_F(Editor, TypingIntoAJapanesePageKeepsItsText) {
  OpenEditor();
  HWND edit = Child("RichEdit20A");
  ASSERT_TRUE(WaitUntil([&] { return ReadRichEditText(edit) == "https://example.jp/ambrel を参照"; }, 3000));
  PostMessageA(edit, EM_SETSEL, 0, 0);
  PostMessageA(edit, WM_CHAR, 'x', 1);
  EXPECT_TRUE(ambrel_.WaitForHistory(
      {"xhttps://example.jp/ambrel を参照", "表示テスト \\ 円記号", "東京都千代田区⇔丸の内一丁目"}))
      << ReadRichEditText(edit);
}

// A clip whose text is rich text format source is shown, edited and kept as
// that source, not as the text it would render to.
TEST_F(Editor, RichTextSourceStaysByteForByteOnItsPage) {
  const std::string source = "{\\rtf1\\ansi{\\fonttbl\\f0 MS Gothic;}{\\b 太字} text\\par}";
  Copy(source);
  OpenEditor();
  HWND edit = Child("RichEdit20A");
  ASSERT_TRUE(WaitUntil([&] { return ReadRichEditText(edit) == source; }, 3000)) << ReadRichEditText(edit);
  PostMessageA(edit, EM_SETSEL, -1, -1);
  PostMessageA(edit, WM_CHAR, 'x', 1);
  ASSERT_TRUE(WaitUntil([&] { return ReadRichEditText(edit) == source + "x"; }, 3000)) << ReadRichEditText(edit);
  // Shown again from the store: the clip kept the source and the keystroke.
  PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !EditorVisible(); }, 5000));
  OpenEditor();
  EXPECT_TRUE(WaitUntil([&] { return ReadRichEditText(edit) == source + "x"; }, 3000)) << ReadRichEditText(edit);
}

// Beginner mode's bar (6 buttons) stands above the text; its arrows step
// through the 7 pages and wrap around at either end.
TEST_F(Editor, ToolButtonsStepThroughThePagesAndWrapAround) {
  OpenEditor();
  HWND bar = ToolBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 6);
  EXPECT_LE(ScreenRect(bar).bottom, ScreenRect(Child("RichEdit20A")).top);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(bar, TB_ISBUTTONENABLED, editor::kCmdNextClip, 0) != 0; }, 3000));
  ASSERT_EQ(CurrentTab(), 0);
  // With PopupHint on (as at a first start) a button shows its hint as a tip.
  RECT next{};
  ASSERT_TRUE(ToolButtonRect(bar, editor::kCmdNextClip, next));
  ASSERT_TRUE(MouseAt({(next.left + next.right) / 2, (next.top + next.bottom) / 2}));
  EXPECT_TRUE(WaitUntil([&] {
    for (HWND tip : FindTopWindows("tooltips_class32", "", ambrel_.Proc().Id()))
      if (IsWindowVisible(tip) && WindowText(tip) == "次のクリップデータに移動します") return true;
    return false;
  }, 5000));
  ClickButton(editor::kCmdNextClip);
  EXPECT_TRUE(WaitUntil([&] { return ReadRichEditText(Child("RichEdit20A")) == "表示テスト \\ 円記号"; }, 3000));
  EXPECT_EQ(CurrentTab(), 1);
  ClickButton(editor::kCmdPrevClip);
  EXPECT_TRUE(WaitUntil([&] { return CurrentTab() == 0; }, 3000));
  ClickButton(editor::kCmdPrevClip);
  EXPECT_TRUE(WaitUntil([&] { return CurrentTab() == 6; }, 3000));
  ClickButton(editor::kCmdNextClip);
  EXPECT_TRUE(WaitUntil([&] { return CurrentTab() == 0; }, 3000));
}

// A history clip dragged onto a user menu moves into it; a full user menu
// refuses the next one with its message; the static root takes any clip.
TEST_F(Editor, DraggingClipsInTheTreeMovesThemUntilAMenuIsFull) {
  for (const char* text : {"http://example.jp/1", "http://example.jp/2", "http://example.jp/3", "http://example.jp/4"})
    Copy(text);
  const std::string usr1 = "Usr1 (ＵＲＬ<例>)";
  OpenEditor();
  ASSERT_TRUE(WaitUntil([&] { return ClipsUnder(usr1).size() == 4u; }, 3000)) << ambrel_.DescribeTree();
  DragTreeItem("https://example.jp/ambrel を参照", usr1);
  ASSERT_TRUE(WaitUntil([&] { return ClipsUnder(usr1).size() == 5u; }, 3000)) << ambrel_.DescribeTree();
  EXPECT_EQ(ClipsUnder(usr1).front(), "https://example.jp/ambrel を参照");

  // Usr1 holds its 5 clips now: the newest history clip is refused.
  DragTreeItem("http://example.jp/4", usr1);
  EXPECT_EQ(TakeMessageBox(ambrel_.Proc().Id()),
            "動的データは登録規定数に達しています。\r\n\r\n既存データを一つ削除するか、または登録数を増やして下さい。");
  EXPECT_EQ(ClipsUnder(usr1).size(), 5u);
  // Another clip than the refused one: a press at the same place so soon
  // after would be a double click.
  DragTreeItem("http://example.jp/3", "静的クリップデータ");
  EXPECT_TRUE(WaitUntil([&] { return ClipsUnder("静的クリップデータ").front() == "http://example.jp/3"; }, 3000))
      << ambrel_.DescribeTree();
}

// VertSep widens the tree by the distance dragged and stops where the tree
// would keep 50 pixels or fewer; HrzSep (in the horizontal layout) does the
// same for the tree's height.
TEST_F(Editor, SeparatorsResizeTheTreeWithinItsLimits) {
  OpenEditor();
  HWND tree = Child("SysTreeView32");
  const RECT before = ScreenRect(tree);
  const RECT sep = ScreenRect(FindChild(ambrel_.Editor(), "TVertSep"));
  const POINT grip{(sep.left + sep.right) / 2, (sep.top + sep.bottom) / 2};
  Drag(grip, {grip.x + 40, grip.y}, FindChild(ambrel_.Editor(), "TVertSep"), false);
  EXPECT_TRUE(WaitUntil([&] { return ScreenRect(tree).right - before.right == 40; }, 3000));
  const RECT wider = ScreenRect(tree);
  Drag({grip.x + 40, grip.y}, {before.left + 20, grip.y}, FindChild(ambrel_.Editor(), "TVertSep"), false);
  EXPECT_EQ(ScreenRect(tree).right, wider.right);
  // Pages 120 pixels wide: the 6 buttons of 27 go on two rows, above the text.
  const RECT tabs = ScreenRect(Child("SysTabControl32"));
  const int sepRight = ScreenRect(FindChild(ambrel_.Editor(), "TVertSep")).right;
  Drag({grip.x + 40, grip.y}, {grip.x + 40 + tabs.right - 120 - sepRight, grip.y},
       FindChild(ambrel_.Editor(), "TVertSep"), false);
  EXPECT_TRUE(WaitUntil([&] { return ScreenRect(ToolBar()).bottom - ScreenRect(ToolBar()).top >= 52; }, 3000));
  EXPECT_LE(ScreenRect(ToolBar()).bottom, ScreenRect(Child("RichEdit20A")).top);

  // The tree's width is what the parameter file keeps as TreeW.
  const RECT narrowPages = ScreenRect(tree);
  int savedTreeW = 0;
  ASSERT_TRUE(RestartWithSettings(ambrel_, [&](app::TParamRecord& r) {
    savedTreeW = r.TreeW;
    r.VertWindow = 0;
    r.Beginner = 0;
  }));
  EXPECT_EQ(savedTreeW, narrowPages.right - narrowPages.left);
  OpenEditor();
  tree = Child("SysTreeView32");
  HWND hrz = FindChild(ambrel_.Editor(), "THrzSep");
  ASSERT_TRUE(IsWindowVisible(hrz));
  EXPECT_FALSE(IsWindowVisible(FindChild(ambrel_.Editor(), "TVertSep")));
  EXPECT_EQ(SendMessageA(ToolBar(), TB_BUTTONCOUNT, 0, 0), 12);
  const RECT top = ScreenRect(tree);
  const RECT h = ScreenRect(hrz);
  const POINT grip2{(h.left + h.right) / 2, (h.top + h.bottom) / 2};
  Drag(grip2, {grip2.x, grip2.y + 30}, hrz, false);
  EXPECT_TRUE(WaitUntil([&] { return ScreenRect(tree).bottom - top.bottom == 30; }, 3000));
}

// Run by scripts/screenshot_editor.sh: holds the editor open with Japanese
// clips until the script has taken its picture.
TEST_F(Editor, HoldOpenForScreenshot) {
  const char* marker = std::getenv("AMBREL_SCREENSHOT_MARKER");
  if (!marker) GTEST_SKIP() << "only for scripts/screenshot_editor.sh";
  // AMBREL_SCREENSHOT_LAYOUT: "vertical" or "horizontal" out of beginner
  // mode, "beginner" in it (as a first start is); unset: as a first start.
  const std::string layout = std::getenv("AMBREL_SCREENSHOT_LAYOUT") ? std::getenv("AMBREL_SCREENSHOT_LAYOUT") : "";
  if (!layout.empty()) {
    ASSERT_TRUE(RestartWithSettings(ambrel_, [&](app::TParamRecord& r) {
      r.Beginner = layout == "beginner";
      r.VertWindow = layout == "horizontal" ? 0 : 1;
    }));
  }
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
