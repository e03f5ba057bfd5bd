// The tray icon under Wine's task bar: put back when the shell says that
// its task bar was made again.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include "ambrel/ambrel_run.h"
#include "harness/tray.h"

namespace ambrel::e2e {
namespace {

// The program's one icon: its resident window and id 1.
NOTIFYICONDATAA IconOf(HWND logo) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = logo;
  data.uID = 1;
  return data;
}

// A change of nothing succeeds only for an icon the task bar holds.
bool IconShown(HWND logo) {
  NOTIFYICONDATAA data = IconOf(logo);
  return Shell_NotifyIconA(NIM_MODIFY, &data) != 0;
}

// The shell's message to every top window once its task bar is there again;
// true once the program has handled it.
bool SendTaskbarCreated(HWND logo) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(logo, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_NORMAL, 5000,
                             &ignored) != 0;
}

TEST(Tray, IconComesBackWhenTheTaskBarIsMadeAgain) {
  AmbrelRun ambrel;
  ASSERT_TRUE(ambrel.Start());
  // Wine shows its task bar only while it holds an icon.
  if (!FindTrayWindow()) GTEST_SKIP() << "no task bar: run with the Wine virtual desktop";
  ASSERT_TRUE(IconShown(ambrel.Logo()));
  // What a restarted shell has lost: the icon, then its broadcast.
  NOTIFYICONDATAA data = IconOf(ambrel.Logo());
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));
  ASSERT_FALSE(IconShown(ambrel.Logo()));
  ASSERT_TRUE(SendTaskbarCreated(ambrel.Logo()));
  EXPECT_TRUE(IconShown(ambrel.Logo()));
  // The same message while the icon is there keeps it.
  ASSERT_TRUE(SendTaskbarCreated(ambrel.Logo()));
  EXPECT_TRUE(IconShown(ambrel.Logo()));
  EXPECT_TRUE(ambrel.QuitThroughTrayMenu());
}

}  // namespace
}  // namespace ambrel::e2e
