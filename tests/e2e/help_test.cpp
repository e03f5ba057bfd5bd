// Help under Wine: the user-menu dialog's Help button and F1 in an error box
// open the help at their topic. Wine's HTML Help viewer cannot render a page
// here (no HTML engine offline), so the topic is read from the program's own
// help window, which is what a missing Ambrel.chm gives; with the file there,
// the viewer opens on the compiled contents instead.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ambrel/ambrel_run.h"
#include "harness/keyboard.h"
#include "harness/mouse.h"
#include "harness/paths.h"
#include "harness/popup_menu.h"
#include "harness/remote_controls.h"
#include "harness/wait.h"
#include "harness/window_query.h"

namespace ambrel::e2e {
namespace {

class Help : public ::testing::Test {
 protected:
  void StartAmbrel(bool withCompiledHelp) {
    ASSERT_TRUE(ambrel_.FirstRunOutOfBeginnerMode());
    if (withCompiledHelp) {
      ASSERT_EQ(ambrel_.Folder().CopyInFrom(ExeFolder(), {"Ambrel.chm"}), 1);
    }
    ASSERT_TRUE(ambrel_.Start());
  }
  // The user-menu dialog for a new menu, from the clip tree's pop-up menu.
  HWND OpenUserMenuDialog() {
    ambrel_.PostTray(WM_LBUTTONDBLCLK);
    if (!WaitUntil([&] { return IsWindowVisible(ambrel_.Editor()) != 0; }, 5000)) return nullptr;
    if (!ambrel_.WaitForMessagesHandled()) return nullptr;
    HWND tree = FindChild(ambrel_.Editor(), "SysTreeView32");
    PostMessageA(ambrel_.Editor(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree), -1);
    HWND menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
    if (!menu) return nullptr;
    ChooseMenuItemByMnemonic(menu, 'N');
    return WaitForTopWindow("TPost", 5000, ambrel_.Proc().Id(), "", /*mustBeVisible=*/true);
  }
  static void PressButton(HWND dialog, const std::string& captionStart) {
    for (const ChildWindow& c : ChildWindows(dialog))
      if (c.className == "Button" && c.text.rfind(captionStart, 0) == 0) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(c.controlId, BN_CLICKED), reinterpret_cast<LPARAM>(c.window));
        return;
      }
    ADD_FAILURE() << "no button " << captionStart << "\n" << DescribeChildren(dialog);
  }
  // The title of the program's help window once it shows `title`.
  std::string WaitForHelpTopic(const std::string& title) {
    std::string shown;
    WaitUntil(
        [&] {
          HWND help = FindTopWindow("THelp", "", ambrel_.Proc().Id());
          shown = help && IsWindowVisible(help) ? WindowText(help) : "";
          return shown == "Ambrel ヘルプ - " + title;
        },
        5000);
    return shown;
  }
  // Presses F1 in the error box the program shows now; its text, or empty.
  std::string F1InErrorBox() {
    HWND box = WaitForTopWindow("#32770", 5000, ambrel_.Proc().Id(), "Ambrel", /*mustBeVisible=*/true);
    if (!box || !BringToForeground(box) || !PressKeys({VK_F1})) return "";
    std::string text;
    for (const ChildWindow& c : ChildWindows(box))
      if (lstrcmpiA(c.className.c_str(), "Static") == 0) text += c.text;
    return text;
  }

  AmbrelRun ambrel_;
};

TEST_F(Help, HelpButtonAndF1InAnErrorBoxOpenTheirTopicsInTheHelpWindow) {
  ASSERT_NO_FATAL_FAILURE(StartAmbrel(/*withCompiledHelp=*/false));
  HWND dialog = OpenUserMenuDialog();
  ASSERT_NE(dialog, nullptr);

  PressButton(dialog, "正規表現");
  EXPECT_EQ(WaitForHelpTopic("照合文字列（正規表現）の書き方"), "Ambrel ヘルプ - 照合文字列（正規表現）の書き方");

  // OK with an empty title: the error box of context 1122.
  PressButton(dialog, "OK");
  EXPECT_EQ(F1InErrorBox(), "メニュータイトルを指定して下さい");
  EXPECT_EQ(WaitForHelpTopic("メニュータイトルを指定して下さい"), "Ambrel ヘルプ - メニュータイトルを指定して下さい");
}

// F1 in the editor opens its topic, and F1 on a highlighted item of the
// edit menu that item's (the edit menu's, not the contents). The editor's
// tabs are of the designed width, its tree without root lines and tool-tips.
TEST_F(Help, F1InTheEditorAndOnAHighlightedEditMenuItemOpenTheirTopics) {
  ASSERT_NO_FATAL_FAILURE(StartAmbrel(/*withCompiledHelp=*/false));
  ambrel_.PostTray(WM_LBUTTONDBLCLK);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(ambrel_.Editor()) != 0; }, 5000));
  ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  HWND tree = FindChild(ambrel_.Editor(), "SysTreeView32");
  const LONG_PTR treeStyle = GetWindowLongPtrA(tree, GWL_STYLE);
  EXPECT_EQ(treeStyle & (TVS_LINESATROOT | TVS_NOTOOLTIPS), TVS_NOTOOLTIPS);
  HWND tabs = FindChild(ambrel_.Editor(), "SysTabControl32");
  RemoteBuffer rect(tabs, sizeof(RECT));
  RECT first{};
  ASSERT_TRUE(SendMessageA(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(rect.Address())));
  rect.Read(0, &first, sizeof first);
  EXPECT_EQ(first.right - first.left, 34);

  RECT treeRect{};
  GetWindowRect(tree, &treeRect);
  ASSERT_TRUE(ClickAt(POINT{treeRect.right - 10, treeRect.bottom - 10}));
  ASSERT_TRUE(PressKeys({VK_F1}));
  EXPECT_EQ(WaitForHelpTopic("エディタウィンドウ"), "Ambrel ヘルプ - エディタウィンドウ");
  PostMessageA(FindTopWindow("THelp", "", ambrel_.Proc().Id()), WM_CLOSE, 0, 0);

  HWND text = FindChild(ambrel_.Editor(), "RichEdit20A");
  ASSERT_TRUE(BringToForeground(ambrel_.Editor()));
  PostMessageA(ambrel_.Editor(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(text), -1);
  HWND menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
  ASSERT_NE(menu, nullptr);
  // Past the two submenus to "削除 (&D)", then F1: the edit menu's topic.
  for (int i = 0; i < 3; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_F1, 0);
  EXPECT_EQ(WaitForHelpTopic("編集メニューとファイルダイアログ"), "Ambrel ヘルプ - 編集メニューとファイルダイアログ");
  // "印刷 (&P)" belongs to the window owning the edit: the editor's topic.
  PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_F1, 0);
  EXPECT_EQ(WaitForHelpTopic("エディタウィンドウ"), "Ambrel ヘルプ - エディタウィンドウ");
  DismissMenu(menu);
}

// The standard edit menu of the user-menu dialog's fields shows its items'
// hints in the dialog's status bar; the expression list's tab strip has the
// page-control menu, whose first item moves its tabs to the bottom.
TEST_F(Help, FieldMenuHintsReachTheDialogAndTheListsTabsHaveThePageMenu) {
  ASSERT_NO_FATAL_FAILURE(StartAmbrel(/*withCompiledHelp=*/false));
  HWND dialog = OpenUserMenuDialog();
  ASSERT_NE(dialog, nullptr);
  HWND field = nullptr;
  for (const ChildWindow& c : ChildWindows(dialog))
    if (c.visible && c.className == "Edit" && !field) field = c.window;
  ASSERT_NE(field, nullptr);
  PostMessageA(field, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(field), -1);
  HWND menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
  ASSERT_NE(menu, nullptr);
  PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);  // "元に戻す (&U)"
  HWND status = FindChild(dialog, "msctls_statusbar32");
  EXPECT_TRUE(WaitUntil([&] { return ReadStatusBarText(status, 1) == "  前回動作をやり直します"; }, 3000))
      << ReadStatusBarText(status, 1);
  DismissMenu(menu);

  HWND list = WaitForTopWindow("TRegList", 5000, ambrel_.Proc().Id(), "", /*mustBeVisible=*/true);
  ASSERT_NE(list, nullptr);
  HWND tabs = FindChild(list, "SysTabControl32");
  ASSERT_EQ(GetWindowLongPtrA(tabs, GWL_STYLE) & TCS_BOTTOM, 0);
  RECT tabRect{};
  GetWindowRect(tabs, &tabRect);
  ASSERT_TRUE(ClickAt(POINT{tabRect.left + 12, tabRect.top + 8}, MouseButton::Right));
  menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
  ASSERT_NE(menu, nullptr);
  PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);  // its hint goes to the dialog too
  EXPECT_TRUE(WaitUntil([&] { return ReadStatusBarText(status, 1) == "タブリストをコントロールの上部に配置します"; }, 3000))
      << ReadStatusBarText(status, 1);
  ChooseMenuItemByMnemonic(menu, 'T');
  EXPECT_TRUE(WaitUntil([&] { return (GetWindowLongPtrA(tabs, GWL_STYLE) & TCS_BOTTOM) != 0; }, 3000));
  if (!WaitForPopupMenuClosed(1000, ambrel_.Proc().Id())) DismissMenu(menu);
}

// With Ambrel.chm beside the program the same button calls HTML Help, which
// opens its viewer on the compiled contents; the help window stays hidden,
// and the program still ends cleanly while the viewer is open.
TEST_F(Help, HelpButtonOpensHtmlHelpWhenTheCompiledHelpIsThere) {
  ASSERT_NO_FATAL_FAILURE(StartAmbrel(/*withCompiledHelp=*/true));
  HWND dialog = OpenUserMenuDialog();
  ASSERT_NE(dialog, nullptr);

  PressButton(dialog, "正規表現");
  HWND viewer = WaitForTopWindow("HH Parent", 10000, ambrel_.Proc().Id(), "Ambrel ヘルプ", /*mustBeVisible=*/true);
  ASSERT_NE(viewer, nullptr) << DescribeWindows(FindTopWindows("", "", ambrel_.Proc().Id()));
  std::string contents;
  WaitUntil(
      [&] {
        contents.clear();
        for (const TreeItemText& item : ReadTreeView(FindChild(viewer, "SysTreeView32")))
          contents += item.text + "\n";
        return contents.find("はじめに（簡単な使い方）") != std::string::npos;
      },
      5000);
  EXPECT_NE(contents.find("はじめに（簡単な使い方）\nクリップメニューと修飾キー\n"), std::string::npos) << contents;
  HWND fallback = FindTopWindow("THelp", "", ambrel_.Proc().Id());
  EXPECT_FALSE(fallback && IsWindowVisible(fallback));

  // The program ends cleanly with the viewer still open.
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000));
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  EXPECT_EQ(ambrel_.Proc().ExitCode(), 0u);
}

}  // namespace
}  // namespace ambrel::e2e
