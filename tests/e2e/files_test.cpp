// The three data files under Wine: written at exit, read back at the next
// start, and never lost when a save cannot complete.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ambrel/ambrel_run.h"
#include "harness/clipboard.h"
#include "harness/popup_menu.h"
#include "harness/wait.h"
#include "harness/window_query.h"

namespace ambrel::e2e {
namespace {

constexpr std::size_t kParamFileSize = 2140;
constexpr std::size_t kSlotRecordsSize = 12 * 784;

class Files : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(EmptyClipboardNow()); }
  void Copy(const std::string& text) {
    ASSERT_TRUE(SetClipboardText(text));
    ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  }
  std::string Read(const char* name) { return ambrel_.Folder().ReadFile(name); }

  AmbrelRun ambrel_;
};

TEST_F(Files, FirstRunWritesAllThreeAndTheNextStartReadsThemBack) {
  ASSERT_TRUE(ambrel_.Start());
  EXPECT_TRUE(ambrel_.Greeted()) << "a new installation greets the user";
  Copy("保存される履歴");
  Copy("second");
  ASSERT_TRUE(ambrel_.WaitForHistory({"second", "保存される履歴"}));
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());

  const std::string prm = Read("Ambrel.prm");
  ASSERT_EQ(prm.size(), kParamFileSize);
  EXPECT_EQ(static_cast<unsigned char>(prm[288]), 251) << "MaxHistory 5, stored negated";
  const std::string hst = Read("Ambrel.hst");
  // The newest history clip is the last entry before the end marker.
  const std::string tail = std::string(1, '\0') + "second" + '\0' + '\xFF';
  ASSERT_GT(hst.size(), kSlotRecordsSize + tail.size());
  EXPECT_EQ(hst.substr(hst.size() - kSlotRecordsSize - tail.size() + 0, tail.size()), tail);
  EXPECT_FALSE(Read("Ambrel.mta").empty());

  // Second start: no greeting, the clips are back, and an unchanged store
  // is written back byte for byte.
  ASSERT_TRUE(EmptyClipboardNow());
  ASSERT_TRUE(ambrel_.Start());
  EXPECT_FALSE(ambrel_.Greeted());
  EXPECT_TRUE(ambrel_.WaitForHistory({"second", "保存される履歴"}));
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  EXPECT_EQ(Read("Ambrel.prm"), prm);
  EXPECT_EQ(Read("Ambrel.hst"), hst);
  // Each save keeps the version before it.
  EXPECT_EQ(Read("Ambrel.hst.bak"), hst);
}

TEST_F(Files, AbsurdStoredHistorySizeComesBackClamped) {
  ASSERT_TRUE(ambrel_.Start());
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  std::string prm = Read("Ambrel.prm");
  ASSERT_EQ(prm.size(), kParamFileSize);
  prm[288] = static_cast<char>(256 - 50);  // MaxHistory 50, negated
  ASSERT_TRUE(ambrel_.Folder().WriteFile("Ambrel.prm", prm));
  ASSERT_TRUE(ambrel_.Start());
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  EXPECT_EQ(static_cast<unsigned char>(Read("Ambrel.prm")[288]), 256 - 30);
}

TEST_F(Files, DamagedHistoryFileIsKeptAsideThroughTheRunsThatFollow) {
  ASSERT_TRUE(ambrel_.Start());
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  // Cut inside the clip list: no end marker.
  const std::string damaged("\x01;cut", 5);
  ASSERT_TRUE(ambrel_.Folder().WriteFile("Ambrel.hst", damaged));
  Process p = Process::Start("\"" + ambrel_.Folder().File("Ambrel.exe") + "\"", ambrel_.Folder().Path());
  ASSERT_TRUE(p.Started());
  std::string text;
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        box = FindTopWindow("#32770", "", p.Id());
        if (!box) return false;
        text.clear();
        for (const ChildWindow& c : ChildWindows(box)) text += c.text;
        return text.find("ヒストリファイルが壊れています。初期化して起動します。") != std::string::npos;
      },
      kStartTimeoutMs))
      << text;
  // The message names the file it was kept as.
  const std::size_t at = text.find("Ambrel.hst.damaged-");
  ASSERT_NE(at, std::string::npos) << text;
  const std::string kept = text.substr(at, std::string("Ambrel.hst.damaged-YYYYMMDD-HHMMSS").size());
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  HWND logo = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    logo = FindTopWindow("TLogo", "", p.Id());
    return logo && FindTopWindow("TMain", "", p.Id()) && !IsWindowVisible(logo);
  }, kStartTimeoutMs));
  PostMessageA(logo, WM_CLOSE, 0, 0);
  ASSERT_TRUE(p.WaitForExit(10000));
  // Two more runs save the history and rotate its .bak; the kept file stays.
  for (int run = 0; run < 2; ++run) {
    ASSERT_TRUE(ambrel_.Start());
    ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  }
  EXPECT_EQ(Read(kept.c_str()), damaged) << kept;
  EXPECT_NE(Read("Ambrel.hst"), damaged);
}

TEST_F(Files, AFailedSaveKeepsThePreviousFile) {
  ASSERT_TRUE(ambrel_.Start());
  Copy("kept");
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  const std::string before = Read("Ambrel.hst");
  ASSERT_FALSE(before.empty());

  ASSERT_TRUE(ambrel_.Start());
  Copy("lost with the failed save");
  ASSERT_TRUE(ambrel_.WaitForHistory({"lost with the failed save", "kept"}));
  // Another program holds the history file without sharing: the save at
  // exit cannot replace it.
  HANDLE lock = CreateFileA(ambrel_.Folder().File("Ambrel.hst").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  // The user is told, with the file's path.
  std::string told;
  EXPECT_TRUE(ambrel_.QuitThroughTrayMenu([&](const std::string& text) { told = text; }));
  CloseHandle(lock);
  EXPECT_NE(told.find("ヒストリファイルが保存出来ませんでした。"), std::string::npos) << told;
  EXPECT_NE(told.find(ambrel_.Folder().File("Ambrel.hst")), std::string::npos) << told;
  EXPECT_EQ(Read("Ambrel.hst"), before);
  // The parameter file, saved after it, is still written.
  EXPECT_EQ(Read("Ambrel.prm").size(), kParamFileSize);
}

// A history file that another program holds without sharing at start-up is
// not replaced by the first-run clips, neither by the save at exit nor by the
// .bak rotation: the user is told, and the session's clips go beside it.
TEST_F(Files, AHistoryFileHeldOpenAtStartIsNeverWrittenOver) {
  ASSERT_TRUE(ambrel_.Start());
  Copy("mine");
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  const std::string mine = Read("Ambrel.hst");
  const std::string bak = Read("Ambrel.hst.bak");
  ASSERT_TRUE(EmptyClipboardNow());
  HANDLE lock = CreateFileA(ambrel_.Folder().File("Ambrel.hst").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  std::string told;
  const bool started = ambrel_.Start([&](const std::string& text) { told += text; });
  CloseHandle(lock);  // the session goes on as if the other program had let go
  ASSERT_TRUE(started) << told;
  const std::size_t at = told.find("Ambrel.hst.unsaved-");
  ASSERT_NE(at, std::string::npos) << told;
  const std::string beside = told.substr(at, std::string("Ambrel.hst.unsaved-YYYYMMDD-HHMMSS").size());
  EXPECT_EQ(ambrel_.HistoryCaptions(), std::vector<std::string>{}) << "no first-run clips over the user's";
  Copy("this session");
  ASSERT_TRUE(ambrel_.WaitForHistory({"this session"}));
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  EXPECT_EQ(Read("Ambrel.hst"), mine);
  EXPECT_EQ(Read("Ambrel.hst.bak"), bak);
  EXPECT_NE(Read(beside.c_str()).find("this session"), std::string::npos) << beside;
}

// A .bak that cannot be refreshed (held by another program without sharing;
// Wine's copy overwrites a read-only one) does not stop the save.
TEST_F(Files, ABakThatCannotBeRefreshedDoesNotStopTheSave) {
  ASSERT_TRUE(ambrel_.Start());
  Copy("first");
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  ASSERT_TRUE(ambrel_.Start());
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  ASSERT_TRUE(ambrel_.Folder().Exists("Ambrel.hst.bak"));
  const std::string bak = Read("Ambrel.hst.bak");
  ASSERT_TRUE(ambrel_.Start());
  Copy("after the held backup");
  ASSERT_TRUE(ambrel_.WaitForHistory({"after the held backup", "first"}));
  HANDLE lock = CreateFileA(ambrel_.Folder().File("Ambrel.hst.bak").c_str(), GENERIC_READ, 0,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  std::string told;
  EXPECT_TRUE(ambrel_.QuitThroughTrayMenu([&](const std::string& text) { told += text; }));
  CloseHandle(lock);
  EXPECT_EQ(told, "") << "no failure to tell";
  EXPECT_NE(Read("Ambrel.hst").find("after the held backup"), std::string::npos);
  EXPECT_EQ(Read("Ambrel.hst.bak"), bak);
}

TEST_F(Files, KillingTheProgramNeverLeavesAHalfFile) {
  ASSERT_TRUE(ambrel_.Start());
  Copy("before the kill");
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  const std::string before = Read("Ambrel.hst");
  // Kill at successive moments of the exit, each marked by what can be seen
  // of it (a moment not seen in time has passed: the kill comes later);
  // every time the history file is either the old one or a complete new one.
  const std::pair<const char*, std::function<bool()>> moments[] = {
      {"the quit chosen", [] { return true; }},
      {"the menu closed", [&] { return WaitForPopupMenuClosed(2000, ambrel_.Proc().Id()); }},
      {"the history's temporary file there",
       [&] { return WaitUntil([&] { return ambrel_.Folder().Exists("Ambrel.hst.tmp"); }, 2000, 1); }},
      {"the resident window gone",
       [&] { return WaitUntil([&] { return !IsWindow(ambrel_.Logo()); }, 2000, 1); }},
  };
  for (const auto& [moment, reached] : moments) {
    ASSERT_TRUE(ambrel_.Start());
    ambrel_.PostTray(WM_RBUTTONDOWN);
    HWND menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
    ASSERT_NE(menu, nullptr);
    ChooseMenuItemByMnemonic(menu, 'X');
    reached();
    ambrel_.Proc().Terminate();
    const std::string after = Read("Ambrel.hst");
    EXPECT_EQ(after, before) << "after a kill at " << moment;
  }
}

}  // namespace
}  // namespace ambrel::e2e
