// The hot key and the paste under Wine: Tesk.dll inside notepad catches the
// hot key, Ambrel pops its clip menu up, and the chosen clip is pasted back
// into notepad by the library running in notepad's own thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ambrel/ambrel_run.h"
#include "harness/clipboard.h"
#include "harness/keyboard.h"
#include "harness/notepad.h"
#include "harness/popup_menu.h"
#include "harness/wait.h"
#include "harness/window_query.h"

namespace ambrel::e2e {
namespace {

class Popup : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(EmptyClipboardNow());
    ASSERT_TRUE(ambrel_.Start()) << "Ambrel did not finish its start-up";
    ASSERT_TRUE(notepad_.Start());
  }
  void TearDown() override {
    notepad_.Close();
    if (HasFailure()) ADD_FAILURE() << "tree:\n" << ambrel_.DescribeTree();
  }
  void CopyInNotepad(const std::string& text) {
    notepad_.SetText(text);
    notepad_.SelectAllAndCopy();
    PumpFor(150);
  }
  // The hot key pressed for real in notepad; the clip menu that opens.
  HWND PressHotKey(std::initializer_list<WORD> keys = {VK_CONTROL, VK_SHIFT, 'V'}) {
    if (!BringToForeground(notepad_.Window())) return nullptr;
    PressKeys(keys);
    return WaitForPopupMenu(5000, ambrel_.Proc().Id());
  }
  bool WaitForNotepadText(const std::string& expected, unsigned ms = 5000) {
    return WaitUntil([&] { return notepad_.Text() == expected; }, ms);
  }

  AmbrelRun ambrel_;
  Notepad notepad_;
};

TEST_F(Popup, HotKeyOpensTheMenuAndChoosingTheThirdClipPastesIt) {
  for (const char* t : {"one", "two", "three"}) CopyInNotepad(t);
  ASSERT_TRUE(ambrel_.WaitForHistory({"three", "two", "one"}));
  notepad_.SetText("[");
  notepad_.MoveCaretToEnd();
  HWND menu = PressHotKey();
  ASSERT_NE(menu, nullptr) << "no clip menu";
  ChooseMenuItemByIndex(menu, 2);
  EXPECT_TRUE(WaitForNotepadText("[one")) << notepad_.Text();
  EXPECT_TRUE(ambrel_.WaitForHistory({"one", "three", "two"}));
}

}  // namespace
}  // namespace ambrel::e2e
