// Help under Wine: the user-menu dialog's Help button and F1 in an error box
// open the help at their topic. Wine's HTML Help viewer cannot render a page
// here (no HTML engine offline), so the topic is read from the program's own
// help window, which is what a missing Ambrel.chm gives; with the file there,
// the viewer opens on the compiled contents instead.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ambrel/ambrel_run.h"
#include "harness/keyboard.h"
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
