// User menus under Wine: distribution of copies from notepad, and the
// user-menu dialog reached through the clip tree's pop-up menu.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ambrel/ambrel_with_notepad.h"
#include "harness/clipboard.h"
#include "harness/keyboard.h"
#include "harness/mouse.h"
#include "harness/notepad.h"
#include "harness/popup_menu.h"
#include "harness/remote_controls.h"
#include "harness/wait.h"
#include "harness/window_picture.h"
#include "harness/window_query.h"

namespace ambrel::e2e {
namespace {

// Control ids of the user-menu dialog.
constexpr int kTitleEdit = 101, kRegEdit = 103, kTestEdit = 105, kResultEdit = 106, kTestBtn = 107,
              kMaxHistoryEdit = 109;
constexpr std::size_t kUpperTabOffset = 1144, kGridLineOffset = 1763;

class UserMenus : public AmbrelWithNotepad {
 protected:
  void StartAmbrel() override {
    ASSERT_TRUE(ambrel_.FirstRunOutOfBeginnerMode([this](std::string& prm) { PatchParams(prm); }));
    ASSERT_TRUE(ambrel_.Start());
  }
  // Further saved settings a test starts with.
  virtual void PatchParams(std::string&) {}
  HWND Tree() const { return FindChild(ambrel_.Editor(), "SysTreeView32"); }
  // The clips of the user menu whose tree text begins with `menu`.
  std::vector<std::string> MenuClips(const std::string& menu) const {
    std::vector<std::string> clips;
    const std::vector<TreeItemText> items = ReadTreeView(Tree());
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].depth != 1 || items[i].text.rfind(menu, 0) != 0) continue;
      for (std::size_t j = i + 1; j < items.size() && items[j].depth == 2; ++j) clips.push_back(items[j].text);
    }
    return clips;
  }
  bool TreeHas(const std::string& text) const {
    for (const TreeItemText& item : ReadTreeView(Tree()))
      if (item.text == text) return true;
    return false;
  }
  void OpenEditor() {
    ambrel_.PostTray(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(ambrel_.Editor()) != 0; }, 5000));
    ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  }
  // Selects the tree item with this text by keys, as a user would.
  void SelectTreeItem(const std::string& text) {
    const std::vector<TreeItemText> items = ReadTreeView(Tree());
    int index = -1;
    for (std::size_t i = 0; i < items.size(); ++i)
      if (items[i].text == text) index = static_cast<int>(i);
    ASSERT_GE(index, 0) << text;
    PostKey(Tree(), VK_HOME);
    for (int i = 0; i < index; ++i) PostKey(Tree(), VK_DOWN);
    ASSERT_TRUE(WaitUntil([&] { return ReadTreeSelection(Tree()) == text; }, 3000));
  }
  // The tree's pop-up menu, then the item with this mnemonic.
  void TreeCommand(char mnemonic) {
    PostMessageA(ambrel_.Editor(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Tree()), -1);
    HWND menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
    ASSERT_NE(menu, nullptr);
    ChooseMenuItemByMnemonic(menu, mnemonic);
  }
  HWND WaitForDialog() {
    return WaitForTopWindow("TPost", 5000, ambrel_.Proc().Id(), "", /*mustBeVisible=*/true);
  }
  // The new-menu dialog, opened from the tree's pop-up menu (null if none).
  HWND OpenNewMenuDialog() {
    OpenEditor();
    TreeCommand('N');
    return WaitForDialog();
  }
  static void SetItem(HWND dialog, int id, const std::string& text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  static void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  // The message of the error box the program shows now, after closing it.
  std::string TakeErrorBox() { return TakeMessageBox(ambrel_.Proc().Id()); }
};

TEST_F(UserMenus, CopiedAddressGoesIntoTheUrlMenu) {
  CopyInNotepad("詳しくは http://example.jp/info を参照してください");
  EXPECT_TRUE(ambrel_.WaitForHistory({"詳しくは http://example.jp/info を参照してください"}));
  EXPECT_TRUE(WaitUntil([&] { return MenuClips("Usr1") == std::vector<std::string>{"http://example.jp/info"}; }, 3000));
}

TEST_F(UserMenus, NewMenuFromTheTreeReceivesTheAmountOfTheNextCopy) {
  OpenEditor();
  TreeCommand('N');
  HWND dialog = WaitForDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(dialog), "メニューのプロパティを指定して下さい。");
  SetItem(dialog, kTitleEdit, "金額");
  SetItem(dialog, kRegEdit, "[0-9]+円");
  SetItem(dialog, kTestEdit, "お会計 3500円 です");
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(dialog, kTestBtn)) != 0; }, 2000));
  Press(dialog, kTestBtn);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(GetDlgItem(dialog, kResultEdit)) == "3500円"; }, 3000));
  Press(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3000));
  EXPECT_TRUE(WaitUntil([&] { return TreeHas("Usr2 (金額)"); }, 3000));

  CopyInNotepad("合計 1200円 (税込)");
  EXPECT_TRUE(WaitUntil([&] { return MenuClips("Usr2") == std::vector<std::string>{"1200円"}; }, 3000));
}

TEST_F(UserMenus, DialogChecksShowTheirMessagesInOrder) {
  HWND dialog = OpenNewMenuDialog();
  ASSERT_NE(dialog, nullptr);
  SetItem(dialog, kMaxHistoryEdit, "31");
  Press(dialog, IDOK);
  EXPECT_EQ(TakeErrorBox(), "メニュータイトルを指定して下さい");
  SetItem(dialog, kTitleEdit, "t");
  Press(dialog, IDOK);
  EXPECT_EQ(TakeErrorBox(), "クリップデータ登録数の値が範囲を越えています。");
  SetItem(dialog, kMaxHistoryEdit, "30");
  Press(dialog, IDOK);
  EXPECT_EQ(TakeErrorBox(), "照合文字列を指定して下さい");
  SetItem(dialog, kRegEdit, "([a-z]");
  Press(dialog, IDOK);
  EXPECT_EQ(TakeErrorBox(), "照合文字列の指定に誤りがあります。");
  EXPECT_TRUE(IsWindowVisible(dialog));
  Press(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3000));
  EXPECT_FALSE(TreeHas("Usr2 (t)"));
}

// ES_NUMBER stops typing, not pasting: a pasted non-number counts as the
// spin's least value, and the program lives on.
TEST_F(UserMenus, PastedNonNumberCountReadsAsTheLeastCount) {
  HWND dialog = OpenNewMenuDialog();
  ASSERT_NE(dialog, nullptr);
  SetItem(dialog, kTitleEdit, "t");
  SetItem(dialog, kRegEdit, "[0-9]+");
  SetItem(dialog, kMaxHistoryEdit, "５");
  Press(dialog, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return TreeHas("Usr2 (t)"); }, 3000));
  EXPECT_TRUE(ambrel_.Proc().Running());
}

// The dialog disables the editor it stands over while open; F1 opens the help
// and Esc cancels, as in every dialog of the program.
TEST_F(UserMenus, DialogDisablesTheEditorAndTakesF1AndEsc) {
  OpenEditor();
  TreeCommand('N');
  HWND dialog = WaitForDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindowEnabled(ambrel_.Editor()));
  PostKey(GetDlgItem(dialog, kTitleEdit), VK_F1);
  EXPECT_TRUE(WaitUntil(
      [&] {
        HWND help = FindTopWindow("THelp", "", ambrel_.Proc().Id());
        return help && IsWindowVisible(help);
      },
      3000));
  PostKey(GetDlgItem(dialog, kTitleEdit), VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3000));
  EXPECT_TRUE(IsWindowEnabled(ambrel_.Editor()));
}

TEST_F(UserMenus, DeletingAUserMenuAsksFirstAboutItsClips) {
  CopyInNotepad("see http://a.example.jp now");
  ASSERT_TRUE(WaitUntil([&] { return MenuClips("Usr1").size() == 1; }, 3000));
  OpenEditor();
  SelectTreeItem("Usr1 (ＵＲＬ<例>)");
  TreeCommand('D');
  HWND question = nullptr;
  std::string text;
  ASSERT_TRUE(WaitUntil(
      [&] {
        question = FindTopWindow("#32770", "", ambrel_.Proc().Id());
        text.clear();
        if (question) for (const ChildWindow& c : ChildWindows(question)) text += c.text;
        return text.find("登録されているすべてのUsr1 クリップデータを削除しますが、よろしいですか？") !=
               std::string::npos;
      },
      5000))
      << text;
  PostMessageA(question, WM_COMMAND, IDYES, 0);
  HWND dialog = WaitForDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(dialog) == "メニューを削除してもよろしいですか？"; }, 3000));
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDOK)), "削除");
  Press(dialog, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !TreeHas("Usr1 (ＵＲＬ<例>)"); }, 3000));
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

TEST_F(UserMenus, TitleFieldTakesThirtyBytesOfTypedOrPastedFullWidthText) {
  OpenEditor();
  TreeCommand('N');
  HWND dialog = WaitForDialog();
  ASSERT_NE(dialog, nullptr);
  HWND title = GetDlgItem(dialog, kTitleEdit);
  ASSERT_TRUE(BringToForeground(dialog));
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(WaitUntil([&] {
    return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus == title;
  }, 3000));
  // Typed through an input method, which gives an ANSI window each
  // double-byte character whole (lead byte high).
  const std::string hyo = "表";
  const WPARAM hyoChar = (static_cast<unsigned char>(hyo[0]) << 8) | static_cast<unsigned char>(hyo[1]);
  for (int i = 0; i < 20; ++i) PostMessageA(title, WM_IME_CHAR, hyoChar, 1);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(title) == Repeat("表", 15); }, 5000)) << WindowText(title);
  EXPECT_TRUE(NeverHappensWithin([&] { return WindowText(title) != Repeat("表", 15); }, 300))
      << WindowText(title);

  // A paste over the selection, then one after a character, each cut to fit.
  ASSERT_TRUE(SetClipboardText(Repeat("ソ", 20) + "a"));
  SendMessageA(title, EM_SETSEL, 0, -1);
  ASSERT_TRUE(PressKeys({VK_CONTROL, 'V'}));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(title) == Repeat("ソ", 15); }, 5000)) << WindowText(title);
  SetItem(dialog, kTitleEdit, "a");
  SendMessageA(title, EM_SETSEL, 1, 1);
  ASSERT_TRUE(PressKeys({VK_CONTROL, 'V'}));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(title) == "a" + Repeat("ソ", 14); }, 5000)) << WindowText(title);

  // Text set from outside is cut at the pattern's 255 bytes, never inside 表.
  SetItem(dialog, kRegEdit, Repeat("表", 200));
  EXPECT_EQ(WindowText(GetDlgItem(dialog, kRegEdit)), Repeat("表", 127));
  Press(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3000));
}

class UserMenusWithViewSettings : public UserMenus {
 protected:
  void PatchParams(std::string& prm) override {
    prm[kGridLineOffset] = 1;
    prm[kUpperTabOffset] = 0;
  }
  static bool HasGridLines(HWND list) {
    return (SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES) != 0;
  }
  // Panel 1 of the dialog's status bar.
  static std::string StatusText(HWND dialog) {
    HWND status = FindChild(dialog, "msctls_statusbar32");
    RemoteBuffer buffer(status, 512);
    if (!buffer.Valid()) return {};
    SendMessageA(status, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(buffer.Address()));
    char text[512] = {};
    buffer.Read(0, text, sizeof text - 1);
    return text;
  }
};

TEST_F(UserMenusWithViewSettings, ExpressionListFollowsTheSavedAndToggledSettings) {
  OpenEditor();
  TreeCommand('N');
  HWND dialog = WaitForDialog();
  ASSERT_NE(dialog, nullptr);
  HWND regList = WaitForTopWindow("TRegList", 5000, ambrel_.Proc().Id(), "", /*mustBeVisible=*/true);
  ASSERT_NE(regList, nullptr);
  std::vector<HWND> lists;
  // The expression list (the page shown) first, then the title list.
  for (const ChildWindow& c : ChildWindows(regList))
    if (c.className == "SysListView32") lists.insert(c.visible ? lists.begin() : lists.end(), c.window);
  ASSERT_EQ(lists.size(), 2u) << DescribeChildren(regList);
  for (HWND list : lists) EXPECT_TRUE(HasGridLines(list));
  EXPECT_NE(GetWindowLongA(FindChild(regList, "SysTabControl32"), GWL_STYLE) & TCS_BOTTOM, 0);

  // The pointer itself goes over the list, so that no real move over the
  // dialog's fields puts their hint back meanwhile.
  POINT overList{20, 20};
  ClientToScreen(lists[0], &overList);
  EXPECT_TRUE(WaitUntil([&] {
    MouseAt(overList);
    return StatusText(dialog) == "正規表現の一覧です";
  }, 3000)) << StatusText(dialog);
  SaveWindowPictureIfAsked(GetDesktopWindow(), "post-and-reglist");

  // Dragging the row [^abc] onto the expression field replaces its selected text.
  HWND regEdit = GetDlgItem(dialog, kRegEdit);
  SetItem(dialog, kRegEdit, "x");
  SendMessageA(regEdit, EM_SETSEL, 0, -1);
  RemoteBuffer rowRect(lists[0], sizeof(RECT));
  ASSERT_TRUE(rowRect.Valid());
  RECT bounds{LVIR_LABEL, 0, 0, 0};
  rowRect.Write(0, &bounds, sizeof bounds);
  ASSERT_TRUE(SendMessageA(lists[0], LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(rowRect.Address())));
  rowRect.Read(0, &bounds, sizeof bounds);
  POINT from{bounds.left + 6, (bounds.top + bounds.bottom) / 2};
  ClientToScreen(lists[0], &from);
  RECT editRect{};
  GetWindowRect(regEdit, &editRect);
  const POINT to{(editRect.left + editRect.right) / 2, (editRect.top + editRect.bottom) / 2};
  ASSERT_TRUE(DragTo(from, to, regList)) << "no drag began";
  EXPECT_TRUE(WaitUntil([&] { return WindowText(regEdit) == "[^abc]"; }, 3000)) << WindowText(regEdit);

  // Its own menu turns the setting off, and both lists follow.
  PostMessageA(regList, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(lists[0]), -1);
  HWND menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
  ASSERT_NE(menu, nullptr);
  ChooseMenuItemByMnemonic(menu, 'G');
  EXPECT_TRUE(WaitUntil([&] { return !HasGridLines(lists[0]) && !HasGridLines(lists[1]); }, 3000));
  Press(dialog, IDCANCEL);
}

}  // namespace
}  // namespace ambrel::e2e
