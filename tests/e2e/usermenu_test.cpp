// User menus under Wine: distribution of copies from notepad, and the
// user-menu dialog reached through the clip tree's pop-up menu.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ambrel/ambrel_with_notepad.h"
#include "harness/clipboard.h"
#include "harness/keyboard.h"
#include "harness/notepad.h"
#include "harness/popup_menu.h"
#include "harness/remote_controls.h"
#include "harness/wait.h"
#include "harness/window_query.h"

namespace ambrel::e2e {
namespace {

// Control ids of the user-menu dialog.
constexpr int kTitleEdit = 101, kRegEdit = 103, kTestEdit = 105, kResultEdit = 106, kTestBtn = 107,
              kMaxHistoryEdit = 109;
constexpr std::size_t kBeginnerOffset = 1824;

class UserMenus : public AmbrelWithNotepad {
 protected:
  void StartAmbrel() override {
    // A first run writes the parameter file; the user-menu commands are
    // for users out of beginner mode.
    ASSERT_TRUE(ambrel_.Start());
    ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
    std::string prm = ambrel_.Folder().ReadFile("Ambrel.prm");
    ASSERT_EQ(prm.size(), 2140u);
    prm[kBeginnerOffset] = 0;
    ASSERT_TRUE(ambrel_.Folder().WriteFile("Ambrel.prm", prm));
    ASSERT_TRUE(ambrel_.Start());
  }
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
  static void SetItem(HWND dialog, int id, const std::string& text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  static void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  // The message of the error box the program shows now, after closing it.
  std::string TakeErrorBox() {
    std::string text;
    HWND box = nullptr;
    WaitUntil(
        [&] {
          box = FindTopWindow("#32770", "", ambrel_.Proc().Id());
          if (!box || !IsWindowVisible(box)) return false;
          text.clear();
          for (const ChildWindow& c : ChildWindows(box))
            if (lstrcmpiA(c.className.c_str(), "Static") == 0) text += c.text;
          return !text.empty();
        },
        5000);
    if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 3000);
    return text;
  }
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
  OpenEditor();
  TreeCommand('N');
  HWND dialog = WaitForDialog();
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

}  // namespace
}  // namespace ambrel::e2e
