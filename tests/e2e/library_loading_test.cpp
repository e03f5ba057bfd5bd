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

// Wine prefers its built-in copies of system libraries, which would hide a
// load from the program's folder; "native, then built-in" for these names
// makes it search as Windows does. WINEDLLOVERRIDES would say so for one run
// of Wine, but Wine 8 reads it from the environment Wine itself was started
// with, never from the one a Windows process hands its child: the same
// order is given here to Ambrel.exe alone through Wine's per-program
// registry key, for the life of the scope.
class NativeFirst {
 public:
  explicit NativeFirst(std::initializer_list<const char*> libraries) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kProgramKey) + "\\DllOverrides").c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
      return;
    static const char kOrder[] = "native,builtin";
    for (const char* library : libraries)
      RegSetValueExA(key, library, 0, REG_SZ, reinterpret_cast<const BYTE*>(kOrder), sizeof kOrder);
    RegCloseKey(key);
    set_ = true;
  }
  ~NativeFirst() { RegDeleteTreeA(HKEY_CURRENT_USER, kProgramKey); }
  NativeFirst(const NativeFirst&) = delete;
  NativeFirst& operator=(const NativeFirst&) = delete;
  bool Set() const { return set_; }

 private:
  static constexpr const char* kProgramKey = "Software\\Wine\\AppDefaults\\Ambrel.exe";
  bool set_ = false;
};

// Another process already holds an object of the block's name (here an
// event, so the mapping cannot be made at all; on Windows also a process at
// a lower integrity level or of another user): a program loading the library
// must go on without a word and without waiting, the loader lock held.
TEST(HookLibrary, LoadsSilentlyIntoAProgramThatCannotOpenTheBlock) {
  const HANDLE squatter = CreateEventA(nullptr, TRUE, FALSE, hooklib::kUnionDataName);
  // The block itself still exists once the program's hooks have been at work
  // in this process (they load the library into it and it stays), so the
  // name can be taken only before: run it alone or first.
  if (!squatter) GTEST_SKIP() << "the block's name is held by the block itself";
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

// A portable copy in a downloads folder may have strangers' files beside it:
// libraries of these names there are never loaded while the program shows
// its editor (rich edits) and its help (HTML Help).
TEST(LibraryLoading, PlantedSystemLibrariesAreNeverLoaded) {
  static const char* const kPlanted[] = {"riched20.dll", "msftedit.dll", "hhctrl.ocx"};
  AmbrelRun ambrel;
  for (const char* name : kPlanted)
    ASSERT_TRUE(ambrel.Folder().CopyIn(ExeFolder() + "\\planted\\" + name)) << name;
  ASSERT_EQ(ambrel.Folder().CopyInFrom(ExeFolder(), {"Ambrel.chm"}), 1);
  const NativeFirst nativeFirst({"riched20", "msftedit", "hhctrl.ocx"});
  ASSERT_TRUE(nativeFirst.Set());
  const bool started = ambrel.Start();
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
