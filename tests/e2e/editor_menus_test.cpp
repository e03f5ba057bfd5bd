// The editor's menu bar under Wine, used from the keyboard as a user would:
// the items a menu offers follow the clips in the store and beginner mode,
// and the status bar shows the hint of the item under the selection.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "ambrel/ambrel_run.h"
#include "editor/editor_command_ids.h"
#include "harness/clipboard.h"
#include "harness/keyboard.h"
#include "harness/mouse.h"
#include "harness/popup_menu.h"
#include "harness/remote_controls.h"
#include "harness/wait.h"
#include "harness/window_picture.h"
#include "harness/window_query.h"
#include "version/version_number.h"

namespace ambrel::e2e {
namespace {

constexpr std::size_t kSlotRecordsSize = 12 * 784;
constexpr std::size_t kBeginnerOffset = 1824;

class EditorMenus : public ::testing::Test {
 protected:
  // Out of beginner mode, with a history file that holds no clip at all.
  void SetUp() override {
    ASSERT_TRUE(EmptyClipboardNow());
    ASSERT_TRUE(ambrel_.FirstRunOutOfBeginnerMode());
    const std::string hst = ambrel_.Folder().ReadFile("Ambrel.hst");
    ASSERT_GE(hst.size(), kSlotRecordsSize);
    ASSERT_TRUE(ambrel_.Folder().WriteFile("Ambrel.hst", "\xFF" + hst.substr(hst.size() - kSlotRecordsSize)));
    ASSERT_TRUE(ambrel_.Start());
    ambrel_.PostTray(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(ambrel_.Editor()) != 0; }, 5000));
    ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  }
  HWND StatusBar() const { return FindChild(ambrel_.Editor(), STATUSCLASSNAMEA); }
  ::testing::AssertionResult HintIs(const std::string& text) const {
    std::string shown;
    if (WaitUntil([&] { return (shown = ReadStatusBarText(StatusBar(), 1)) == text; }, 3000))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the status bar shows \"" << shown << "\"";
  }
  // Opens a menu of the bar by Alt and its letter: the menu window.
  HWND OpenBarMenu(WORD letter) {
    EXPECT_TRUE(BringToForeground(ambrel_.Editor()));
    PressKeys({VK_MENU, letter});
    return WaitForPopupMenu(5000, ambrel_.Proc().Id());
  }
  void CloseMenus(HWND menu) {
    PostKey(menu, VK_ESCAPE);  // the submenu, when one is open
    DismissMenu(menu);
    EXPECT_TRUE(WaitForPopupMenuClosed(3000, ambrel_.Proc().Id()));
  }
  void AddClip(const std::string& text) {
    ASSERT_TRUE(SetClipboardText(text));
    ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  }
  // Whether the submenu behind `letter` of the open menu opens.
  bool SubmenuOpens(HWND menu, char letter) {
    PostKey(menu, static_cast<WORD>(letter));
    return WaitForSubmenu(menu, 2000, ambrel_.Proc().Id()) != nullptr;
  }

  AmbrelRun ambrel_;
};

TEST_F(EditorMenus, DataMenuOffersTheSelectedClipsCommandsOnlyWithAClip) {
  EXPECT_EQ(WindowText(ambrel_.Editor()).rfind("Ambrel Ver ", 0), 0u) << WindowText(ambrel_.Editor());
  HWND menu = OpenBarMenu('D');
  ASSERT_NE(menu, nullptr);
  // Opened from the keyboard, the menu highlights its first item.
  EXPECT_TRUE(HintIs("  すべてのクリップデータを一括処理します"));
  PostKey(menu, VK_DOWN);
  EXPECT_TRUE(HintIs("  選択されているクリップデータを処理します"));
  EXPECT_FALSE(SubmenuOpens(menu, 'S'));  // 選択ﾃﾞｰﾀ: no clip to work on
  CloseMenus(menu);

  AddClip("一つ目");
  menu = OpenBarMenu('D');
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(SubmenuOpens(menu, 'S'));
  CloseMenus(menu);

  AddClip("二つ目");
  menu = OpenBarMenu('D');
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(SubmenuOpens(menu, 'S'));
  CloseMenus(menu);
}

TEST_F(EditorMenus, BeginnerModeFromTheMenuChangesTheDataMenuAndIsSaved) {
  AddClip("一つ目");
  HWND menu = OpenBarMenu('S');  // 保守
  ASSERT_NE(menu, nullptr);
  PostKey(menu, 'M');  // 初心者ﾓｰﾄﾞ
  ASSERT_TRUE(WaitForPopupMenuClosed(3000, ambrel_.Proc().Id()));
  // The data menu now begins with the new clip, without the expert
  // submenus.
  menu = OpenBarMenu('D');
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(HintIs("  動的データを新規に追加します"));
  EXPECT_FALSE(SubmenuOpens(menu, 'A'));  // 全ﾃﾞｰﾀ is hidden
  CloseMenus(menu);

  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  const std::string prm = ambrel_.Folder().ReadFile("Ambrel.prm");
  ASSERT_GT(prm.size(), kBeginnerOffset);
  EXPECT_EQ(prm[kBeginnerOffset], 1);
}

TEST_F(EditorMenus, TheClipEditorShowsItsHintAndOpensTheEditMenu) {
  AddClip("一つ目");
  HWND edit = FindChild(ambrel_.Editor(), "RichEdit20A");
  ASSERT_TRUE(WaitUntil([&] { return ReadRichEditText(edit) == "一つ目"; }, 3000));
  RECT rc{};
  GetWindowRect(edit, &rc);
  ASSERT_TRUE(BringToForeground(ambrel_.Editor()));
  const POINT middle{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  // Two points: a pointer already at the middle (left there by an earlier
  // test) would not move, and only a move shows the hint.
  ASSERT_TRUE(MouseAt({middle.x + 8, middle.y}));
  ASSERT_TRUE(MouseAt(middle));
  EXPECT_TRUE(HintIs("  ﾋｽﾄﾘﾃﾞｰﾀを編集します"));

  // A right click opens the edit menu, whose "編集 (&E)" holds the editing.
  ASSERT_TRUE(ClickAt(middle, MouseButton::Right));
  HWND menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(SubmenuOpens(menu, 'E'));
  EXPECT_TRUE(HintIs("  前回動作をやり直します"));
  CloseMenus(menu);
}

// With one clip the navigation buttons are disabled, never the tool bar's
// hot item; the pointer over one still shows its hint.
TEST_F(EditorMenus, ADisabledToolButtonStillShowsItsHint) {
  AddClip("一つ目");
  HWND bar = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (const ChildWindow& c : ChildWindows(ambrel_.Editor()))
      if (c.visible && c.className == "ToolbarWindow32") bar = c.window;
    return bar != nullptr;
  }, 3000));
  ASSERT_FALSE(SendMessageA(bar, TB_ISBUTTONENABLED, editor::kCmdNextClip, 0));
  RECT next{};
  ASSERT_TRUE(ToolButtonRect(bar, editor::kCmdNextClip, next));
  ASSERT_TRUE(BringToForeground(ambrel_.Editor()));
  const POINT middle{(next.left + next.right) / 2, (next.top + next.bottom) / 2};
  ASSERT_TRUE(MouseAt({middle.x + 3, middle.y}));
  ASSERT_TRUE(MouseAt(middle));
  EXPECT_TRUE(HintIs("  次のクリップデータに移動します"));
}

// The user-menu dialog's title field offers the standard edit menu: select
// all, then copy.
TEST_F(EditorMenus, UserMenuDialogFieldsHaveTheStandardEditMenu) {
  HWND tree = FindChild(ambrel_.Editor(), "SysTreeView32");
  PostMessageA(ambrel_.Editor(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree), -1);
  HWND menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
  ASSERT_NE(menu, nullptr);
  ChooseMenuItemByMnemonic(menu, 'N');  // 新規作成
  HWND dialog = WaitForTopWindow("TPost", 5000, ambrel_.Proc().Id(), "", /*mustBeVisible=*/true);
  ASSERT_NE(dialog, nullptr);
  HWND title = GetDlgItem(dialog, 101);
  SendMessageA(title, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("金額"));
  for (char item : {'A', 'C'}) {  // すべて選択, ｺﾋﾟｰ
    PostMessageA(title, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(title), -1);
    menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
    ASSERT_NE(menu, nullptr) << item;
    ChooseMenuItemByMnemonic(menu, item);
    ASSERT_TRUE(WaitForPopupMenuClosed(3000, ambrel_.Proc().Id()));
  }
  EXPECT_TRUE(WaitUntil([] { return ReadClipboardText() == "金額"; }, 3000)) << ReadClipboardText().value_or("(none)");
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3000));
}

// The tabs' pop-up menu switches their place and their rows.
TEST_F(EditorMenus, TabMenuMovesTheTabsAndWrapsThem) {
  AddClip("一つ目");
  HWND tabs = FindChild(ambrel_.Editor(), "SysTabControl32");
  const auto style = [&] { return GetWindowLongA(tabs, GWL_STYLE); };
  ASSERT_EQ(style() & (TCS_BOTTOM | TCS_MULTILINE), 0);
  for (char item : {'T', 'M'}) {  // ﾀﾌﾞを上部に配置する, タブリストの複数行表示
    PostMessageA(ambrel_.Editor(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tabs), -1);
    HWND menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
    ASSERT_NE(menu, nullptr) << item;
    ChooseMenuItemByMnemonic(menu, item);
    ASSERT_TRUE(WaitForPopupMenuClosed(3000, ambrel_.Proc().Id()));
  }
  EXPECT_TRUE(WaitUntil([&] { return (style() & (TCS_BOTTOM | TCS_MULTILINE)) == (TCS_BOTTOM | TCS_MULTILINE); },
                        3000));
}

TEST_F(EditorMenus, HelpMenuOpensTheFirstStepsTopic) {
  HWND menu = OpenBarMenu('H');
  ASSERT_NE(menu, nullptr);
  PostKey(menu, 'E');  // 簡単な使い方
  EXPECT_NE(WaitForTopWindow("THelp", 5000, ambrel_.Proc().Id(), "Ambrel ヘルプ - はじめに（簡単な使い方）", true),
            nullptr);
}


// AMetaBtn opens the static-variable window, whose menu hints show in the
// editor's status bar; the add dialog's "編集" button opens the editor's edit
// menu, whose hints then show in the dialog's own status bar.
TEST_F(EditorMenus, StaticVariableWindowFromItsButtonAndTheMenuHintsOfItsEditor) {
  AddClip("一つ目");
  HWND bar = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (bar = ambrel_.ShownEditBar()) != nullptr; }, 3000));
  RECT button{};
  ASSERT_TRUE(ToolButtonRect(bar, editor::kCmdMetaList, button));
  ASSERT_TRUE(BringToForeground(ambrel_.Editor()));
  ASSERT_TRUE(ClickAt({(button.left + button.right) / 2, (button.top + button.bottom) / 2}));
  HWND meta = WaitForTopWindow("TMeta", 8000, ambrel_.Proc().Id(), "", true);
  ASSERT_NE(meta, nullptr);

  ASSERT_TRUE(BringToForeground(meta));
  PressKeys({VK_MENU, 'E'});  // 編集, at its first item
  HWND menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(HintIs("  静的変数を新規に追加します"));
  PostKey(menu, 'A');  // 追加
  HWND dialog = WaitForTopWindow("TMetaEdit", 8000, ambrel_.Proc().Id(), "", true);
  ASSERT_NE(dialog, nullptr);
  HWND dialogBar = FindChild(dialog, TOOLBARCLASSNAMEA);
  ASSERT_NE(dialogBar, nullptr);
  // Placed beside the list once shown: clicked again while no menu came.
  RECT editButton{};  // 編集
  menu = nullptr;
  for (int attempt = 0; attempt < 3 && !menu; ++attempt) {
    ASSERT_TRUE(WaitForSentMessagesHandled(dialog));
    ASSERT_TRUE(ToolButtonRect(dialogBar, editor::kCmdEditMenu, editButton));
    ASSERT_TRUE(ClickAt({(editButton.left + editButton.right) / 2, (editButton.top + editButton.bottom) / 2}));
    menu = WaitForPopupMenu(3000, ambrel_.Proc().Id());
  }
  ASSERT_NE(menu, nullptr);
  // The menu opens at the button's bottom-left corner.
  RECT placed{};
  GetWindowRect(menu, &placed);
  EXPECT_LE(std::abs(placed.left - editButton.left), 2) << placed.left << " vs " << editButton.left;
  EXPECT_LE(std::abs(placed.top - editButton.bottom), 2) << placed.top << " vs " << editButton.bottom;
  SaveWindowPictureIfAsked(GetDesktopWindow(), "meta-edit-menu-under-button");
  PostKey(menu, VK_DOWN);  // ﾌｧｲﾙ
  HWND dialogStatus = FindChild(dialog, STATUSCLASSNAMEA);
  std::string shown;
  EXPECT_TRUE(WaitUntil([&] { return (shown = ReadStatusBarText(dialogStatus, 1)) == "  ファイルアクセスを行います"; }, 3000))
      << shown;
  EXPECT_NE(ReadStatusBarText(StatusBar(), 1), "  ファイルアクセスを行います");
  CloseMenus(menu);
  // A right click in the rich edit opens the same edit menu.
  RECT edit{};
  GetWindowRect(GetDlgItem(dialog, 103), &edit);
  ASSERT_TRUE(ClickAt({(edit.left + edit.right) / 2, (edit.top + edit.bottom) / 2}, MouseButton::Right));
  menu = WaitForPopupMenu(3000, ambrel_.Proc().Id());
  ASSERT_NE(menu, nullptr) << "no edit menu on the rich edit";
  PostKey(menu, VK_DOWN);
  EXPECT_TRUE(WaitUntil([&] { return (shown = ReadStatusBarText(dialogStatus, 1)) == "  ファイルアクセスを行います"; }, 3000))
      << shown;
  CloseMenus(menu);
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000));
}

// The tree's pop-up menu previews the clip under the pointer.
TEST_F(EditorMenus, TheTreeMenuPreviewsTheSelectedClip) {
  AddClip("一つ目");
  AddClip("二つ目");
  // The tree rebuilt with both, so that the item stays where it is found.
  ASSERT_TRUE(ambrel_.WaitForHistory({"二つ目", "一つ目"}));
  HWND tree = FindChild(ambrel_.Editor(), "SysTreeView32");
  RECT item{};
  ASSERT_TRUE(TreeItemRect(tree, "一つ目", item));
  ASSERT_TRUE(BringToForeground(ambrel_.Editor()));
  ASSERT_TRUE(ClickAt({item.left + 8, (item.top + item.bottom) / 2}, MouseButton::Right));
  HWND menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(ReadTreeSelection(tree), "一つ目");  // a right click selects the item first
  // Up from the last item to ﾍﾟｰｽﾄ検査 (whose letter 印刷 has first), one
  // step at a time until its hint shows.
  const std::string previewHint = "  選択データのペースト結果をプレビューします";
  ASSERT_TRUE(WaitUntil([&] {
    if (ReadStatusBarText(StatusBar(), 1) == previewHint) return true;
    PostKey(menu, VK_UP);
    return false;
  }, 10000, 500)) << ReadStatusBarText(StatusBar(), 1);
  PostKey(menu, VK_RETURN);
  HWND preview = WaitForTopWindow("TPreView", 8000, ambrel_.Proc().Id(), "", true);
  // Shown and closed again at once, or never shown: the text tells which.
  ASSERT_NE(preview, nullptr) << "hidden preview holds \""
                              << ReadRichEditText(FindChild(FindTopWindow("TPreView", "", ambrel_.Proc().Id()),
                                                            "RichEdit20A"))
                              << "\", foreground " << ClassNameOf(GetForegroundWindow());
  EXPECT_EQ(ReadRichEditText(FindChild(preview, "RichEdit20A")), "一つ目");
  PostKey(FindChild(preview, "RichEdit20A"), VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(preview); }, 5000));
}

TEST_F(EditorMenus, HelpMenuShowsTheVersionDialog) {
  HWND menu = OpenBarMenu('H');
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(WaitForSentMessagesHandled(ambrel_.Editor()));  // the menu's loop runs
  PostKey(menu, 'A');  // ﾊﾞｰｼﾞｮﾝ情報
  HWND about = WaitForTopWindow("TAbout", 5000, ambrel_.Proc().Id(), "", true);
  ASSERT_NE(about, nullptr);
  bool library = false;
  for (const ChildWindow& child : ChildWindows(about)) library = library || child.text == "Tesk.dll  Ver 1.00";
  EXPECT_TRUE(library) << DescribeChildren(about);
  PostKey(GetDlgItem(about, IDOK), VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(about); }, 5000));
}

}  // namespace
}  // namespace ambrel::e2e
