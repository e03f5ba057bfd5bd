// The clips survive an end of the Windows session and a kill: the files are
// written when the session ends, and the history soon after each copy.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "ambrel/ambrel_run.h"
#include "harness/clipboard.h"
#include "harness/wait.h"

namespace ambrel::e2e {
namespace {

// The threads of the running processes whose file is exeName.
std::vector<DWORD> ThreadsOf(const char* exeName) {
  std::vector<DWORD> processes, threads;
  const HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS | TH32CS_SNAPTHREAD, 0);
  if (snap == INVALID_HANDLE_VALUE) return threads;
  PROCESSENTRY32 p{};
  p.dwSize = sizeof p;
  for (BOOL more = Process32First(snap, &p); more; more = Process32Next(snap, &p))
    if (lstrcmpiA(p.szExeFile, exeName) == 0) processes.push_back(p.th32ProcessID);
  THREADENTRY32 t{};
  t.dwSize = sizeof t;
  for (BOOL more = Thread32First(snap, &t); more; more = Thread32Next(snap, &t))
    for (DWORD id : processes)
      if (t.th32OwnerProcessID == id) threads.push_back(t.th32ThreadID);
  CloseHandle(snap);
  return threads;
}

class Session : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(EmptyClipboardNow()); }
  void TearDown() override { SetEnvironmentVariableA("AMBREL_TEST_IDLE_SAVE_MS", nullptr); }
  void Copy(const std::string& text) {
    ASSERT_TRUE(SetClipboardText(text));
    ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  }
  bool HistoryFileHolds(const std::string& text) {
    return ambrel_.Folder().ReadFile("Ambrel.hst").find(std::string(1, '\0') + text + '\0') !=
           std::string::npos;
  }

  AmbrelRun ambrel_;
};

TEST_F(Session, EndOfSessionWritesAllThreeFiles) {
  ASSERT_TRUE(ambrel_.Start());
  // The first start wrote the parameters (and maybe the variables) already.
  ASSERT_TRUE(DeleteFileA(ambrel_.Folder().File("Ambrel.prm").c_str()));
  DeleteFileA(ambrel_.Folder().File("Ambrel.mta").c_str());
  Copy("first of the session");
  Copy("last of the session");
  ASSERT_TRUE(ambrel_.WaitForHistory({"last of the session", "first of the session"}));

  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(ambrel_.Logo(), WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 2000,
                                  &answer));
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
  ASSERT_TRUE(SendMessageTimeoutA(ambrel_.Logo(), WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 10000,
                                  &answer));
  // Written before the answer, not after.
  EXPECT_TRUE(HistoryFileHolds("first of the session"));
  EXPECT_TRUE(HistoryFileHolds("last of the session"));
  EXPECT_EQ(ambrel_.Folder().ReadFile("Ambrel.prm").size(), 2140u);
  EXPECT_TRUE(ambrel_.Folder().Exists("Ambrel.mta"));
  EXPECT_TRUE(ambrel_.Proc().WaitForExit(10000)) << "the program closes afterwards";
  // The viewer chain was left: copies go on working.
  ASSERT_TRUE(SetClipboardText("after the session"));
  EXPECT_EQ(ReadClipboardText().value_or(""), "after the session");
}

// Letting go of the hooks waits for the 32-bit companion (seconds when it
// does not answer), and Windows may end the program at any moment once the
// session ends: the files are written first.
TEST_F(Session, EndOfSessionSavesBeforeWaitingForTheCompanion) {
  ambrel_.WithCompanion();
  ASSERT_TRUE(ambrel_.Start());
  std::vector<DWORD> threads;
  ASSERT_TRUE(WaitUntil([&] { return !(threads = ThreadsOf("Ambrel32.exe")).empty(); }, 10000));
  Copy("saved before the companion");
  ASSERT_TRUE(ambrel_.WaitForHistory({"saved before the companion"}));
  // The companion stops answering.
  std::vector<HANDLE> held;
  for (DWORD id : threads)
    if (HANDLE t = OpenThread(THREAD_SUSPEND_RESUME, FALSE, id)) {
      SuspendThread(t);
      held.push_back(t);
    }
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(ambrel_.Logo(), WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 1000, &answer);
  // Where Windows could end the program: the clip is on the disk already.
  EXPECT_TRUE(HistoryFileHolds("saved before the companion"));
  for (HANDLE t : held) {
    ResumeThread(t);
    CloseHandle(t);
  }
  EXPECT_TRUE(ambrel_.Proc().WaitForExit(10000));
}

TEST_F(Session, AKillAfterTheIdleDelayLosesNoCopy) {
  SetEnvironmentVariableA("AMBREL_TEST_IDLE_SAVE_MS", "300");
  ASSERT_TRUE(ambrel_.Start());
  Copy("saved while idle");
  ASSERT_TRUE(ambrel_.WaitForHistory({"saved while idle"}));
  EXPECT_TRUE(WaitUntil([&] { return HistoryFileHolds("saved while idle"); }, 10000, 100));
  ambrel_.Proc().Terminate();
  EXPECT_TRUE(HistoryFileHolds("saved while idle"));
}

}  // namespace
}  // namespace ambrel::e2e
