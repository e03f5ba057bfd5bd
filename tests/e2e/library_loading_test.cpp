// The hook library and the program under a hostile desktop: a settings block
// that cannot be opened, and libraries of system names planted beside the
// program.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ambrel/ambrel_run.h"
#include "editor/editor_command_ids.h"
#include "harness/paths.h"
#include "harness/process.h"
#include "harness/wait.h"
#include "harness/window_query.h"
#include "hooklib/union_data.h"

namespace ambrel::e2e {
namespace {

// An environment variable of this process for the life of the scope; child
// processes started meanwhile inherit it.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    char old[1024] = {};
    const DWORD n = GetEnvironmentVariableA(name, old, sizeof old);
    had_ = n > 0 && n < sizeof old;
    if (had_) old_.assign(old, n);
    SetEnvironmentVariableA(name, value.c_str());
  }
  ~ScopedEnvironment() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

// Another process already holds an object of the block's name (here an
// event, so the mapping cannot be made at all; on Windows also a process at
// a lower integrity level or of another user): a program loading the library
// must go on without a word and without waiting, the loader lock held.
TEST(HookLibrary, LoadsSilentlyIntoAProgramThatCannotOpenTheBlock) {
  const HANDLE squatter = CreateEventA(nullptr, TRUE, FALSE, hooklib::kUnionDataName);
  ASSERT_NE(squatter, nullptr);
  Process program = Process::Start(Quoted(BesideExe("load_library_fixture.exe")) + " " +
                                    BesideExe("Tesk.dll"));
  ASSERT_TRUE(program.Started());
  const bool ended = program.WaitForExit(5000);
  const HWND box = FindTopWindow("#32770", "ERROR at TESK.DLL", program.Id());
  program.Terminate();
  CloseHandle(squatter);
  EXPECT_EQ(box, nullptr) << "the library showed its error box while being loaded";
  EXPECT_TRUE(ended);
  EXPECT_EQ(program.ExitCode(), 0u);
}

// A portable copy in a downloads folder may have strangers' files beside it.
// Wine prefers its built-in copies of these names, which would hide a load
// from the program's folder; the overrides make it search as Windows does.
TEST(LibraryLoading, PlantedSystemLibrariesAreNeverLoaded) {
  static const char* const kPlanted[] = {"riched20.dll", "msftedit.dll", "hhctrl.ocx"};
  AmbrelRun ambrel;
  for (const char* name : kPlanted)
    ASSERT_TRUE(ambrel.Folder().CopyIn(ExeFolder() + "\\planted\\" + name)) << name;
  ASSERT_EQ(ambrel.Folder().CopyInFrom(ExeFolder(), {"Ambrel.chm"}), 1);
  bool started = false;
  {
    char current[1024] = {};
    GetEnvironmentVariableA("WINEDLLOVERRIDES", current, sizeof current);
    const ScopedEnvironment overrides(
        "WINEDLLOVERRIDES", std::string(current) + (current[0] ? ";" : "") + "riched20,msftedit,hhctrl.ocx=n,b");
    started = ambrel.Start();
  }
  if (started) {
    // The editor (rich edits) and the help (HTML Help) in use.
    ambrel.PostTray(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(ambrel.Editor()) != 0; }, 5000));
    PostMessageA(ambrel.Editor(), WM_COMMAND, editor::kCmdHelpTopics, 0);
    EXPECT_TRUE(WaitUntil(
        [&] {
          return WaitForTopWindow("HH Parent", 0, ambrel.Proc().Id(), "", true) != nullptr ||
                 WaitForTopWindow("THelp", 0, ambrel.Proc().Id(), "", true) != nullptr;
        },
        10000));
    EXPECT_TRUE(ambrel.WaitForMessagesHandled());
  }
  for (const char* name : kPlanted)
    EXPECT_FALSE(ambrel.Folder().Exists(std::string(name) + ".loaded")) << name << " was loaded";
  EXPECT_TRUE(started);
}

}  // namespace
}  // namespace ambrel::e2e
