// Finding and reading windows of any process. Texts are read with
// WM_GETTEXT (marshalled across processes), so they are the CP932 bytes the
// window holds, also for controls of another program.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ambrel::e2e {

// Top-level windows whose class is `className` (empty: any), whose title
// equals `title` (empty: any) and whose process is `processId` (0: any).
// Hidden windows are included: the program keeps its forms hidden.
std::vector<HWND> FindTopWindows(const std::string& className, const std::string& title = "",
                                 DWORD processId = 0);
HWND FindTopWindow(const std::string& className, const std::string& title = "", DWORD processId = 0);
// Like FindTopWindow but waits up to `timeoutMs`, and only for a visible one
// when `mustBeVisible` (a program's window exists before it is shown).
HWND WaitForTopWindow(const std::string& className, unsigned timeoutMs, DWORD processId = 0,
                      const std::string& title = "", bool mustBeVisible = false);

std::string ClassNameOf(HWND window);
// The window's text through WM_GETTEXT; empty when the window does not answer
// within a second (a hung program must not hang the test).
std::string WindowText(HWND window);
DWORD ProcessOf(HWND window);

struct ChildWindow {
  HWND window;
  std::string className;
  std::string text;
  int controlId;
  bool visible;
};

// All descendants of `parent`, in the order EnumChildWindows gives them.
std::vector<ChildWindow> ChildWindows(HWND parent);
// First descendant of `parent` with class `className` (case-insensitive,
// as window classes are); nullptr when there is none.
HWND FindChild(HWND parent, const std::string& className);

// The text of the message box a process shows (within `timeoutMs`), after
// closing it with OK; empty when none came.
std::string TakeMessageBox(DWORD processId, unsigned timeoutMs = 5000);

// One line per window for failure messages: handle, class, text.
std::string DescribeWindows(const std::vector<HWND>& windows);
std::string DescribeChildren(HWND parent);

}  // namespace ambrel::e2e
