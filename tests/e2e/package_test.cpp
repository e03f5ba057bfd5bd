// The installed program, run where the installer put it: scripts/package_check.sh
// installs the MSI, names the folder in AMBREL_INSTALLED_FOLDER and runs this
// suite alone; the check of the uninstall follows in the script. Skipped in
// the ordinary run.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "ambrel/ambrel_run.h"
#include "harness/clipboard.h"
#include "harness/paths.h"
#include "harness/popup_menu.h"
#include "harness/process.h"
#include "harness/remote_controls.h"
#include "harness/wait.h"
#include "harness/win32_programs.h"
#include "harness/window_query.h"
#include "hooklib/union_data.h"

namespace ambrel::e2e {
namespace {

bool CompanionHooksSet() {
  const HANDLE served = OpenEventA(SYNCHRONIZE, FALSE, hooklib::kCompanionHooksName);
  if (served) CloseHandle(served);
  return served != nullptr;
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Package, TheInstalledProgramRecordsACopyAndSavesItBesideItself) {
  const char* folder = std::getenv("AMBREL_INSTALLED_FOLDER");
  if (!folder) GTEST_SKIP() << "run by scripts/package_check.sh";
  const std::string exe = std::string(folder) + "\\Ambrel.exe";
  ASSERT_TRUE(FileExists(exe)) << exe;
  Process program = Process::Start(Quoted(exe), folder);
  ASSERT_TRUE(program.Started()) << program.StartError();
  HWND logo = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        if (HWND hello = FindTopWindow("THello", "", program.Id()); hello && IsWindowVisible(hello))
          PostMessageA(hello, WM_COMMAND, IDOK, 0);
        logo = FindTopWindow("TLogo", "", program.Id());
        return logo && !IsWindowVisible(logo);
      },
      kStartTimeoutMs));

  // The package holds the companion (scripts/package_check.sh checks); it
  // can only start where 32-bit programs run.
  const bool withCompanion =
      FileExists(std::string(folder) + "\\Ambrel32.exe") && NoWin32ProgramsReason().empty();
  if (withCompanion) {
    EXPECT_TRUE(WaitUntil(CompanionHooksSet, 10000)) << "the installed companion did not start";
  }

  const std::string copied = "installed copy 17";
  ASSERT_TRUE(SetClipboardText(copied));
  HWND tree = FindChild(FindTopWindow("TMain", "", program.Id()), "SysTreeView32");
  ASSERT_TRUE(WaitUntil(
      [&] {
        for (const TreeItemText& item : ReadTreeView(tree))
          if (item.text.find(copied) != std::string::npos) return true;
        return false;
      },
      5000))
      << "the copy never reached the history";
  // A first start greets the user; the logo may have hidden before the
  // greeting came, and the tray refuses its menu while a dialog is open.
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        if (HWND hello = FindTopWindow("THello", "", program.Id()); hello && IsWindowVisible(hello))
          PostMessageA(hello, WM_COMMAND, IDOK, 0);
        PostMessageA(logo, kTrayCallback, 0, WM_RBUTTONDOWN);
        menu = WaitForPopupMenu(1000, program.Id());
        return menu != nullptr;
      },
      10000));
  ChooseMenuItemByMnemonic(menu, 'X');
  ASSERT_TRUE(program.WaitForExit(10000));
  EXPECT_FALSE(CompanionHooksSet()) << "the companion outlived the program";
  EXPECT_NE(FileText(std::string(folder) + "\\Ambrel.hst").find(copied), std::string::npos)
      << "the history file beside the installed program lacks the copy";
}

}  // namespace
}  // namespace ambrel::e2e
