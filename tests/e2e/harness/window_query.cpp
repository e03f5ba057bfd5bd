#include "harness/window_query.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "harness/wait.h"

namespace ambrel::e2e {
namespace {

struct TopSearch {
  std::string className;
  std::string title;
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TopSearch*>(param);
  if (search->processId && ProcessOf(window) != search->processId) return TRUE;
  if (!search->className.empty() && lstrcmpiA(ClassNameOf(window).c_str(), search->className.c_str()) != 0)
    return TRUE;
  if (!search->title.empty() && WindowText(window) != search->title) return TRUE;
  search->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
  auto* children = reinterpret_cast<std::vector<ChildWindow>*>(param);
  children->push_back({window, ClassNameOf(window), WindowText(window),
                       GetDlgCtrlID(window), IsWindowVisible(window) != FALSE});
  return TRUE;
}

}  // namespace

std::vector<HWND> FindTopWindows(const std::string& className, const std::string& title, DWORD processId) {
  TopSearch search{className, title, processId, {}};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopWindow(const std::string& className, const std::string& title, DWORD processId) {
  const auto found = FindTopWindows(className, title, processId);
  return found.empty() ? nullptr : found.front();
}

HWND WaitForTopWindow(const std::string& className, unsigned timeoutMs, DWORD processId,
                      const std::string& title, bool mustBeVisible) {
  HWND result = nullptr;
  WaitUntil(
      [&] {
        for (HWND w : FindTopWindows(className, title, processId)) {
          if (!mustBeVisible || IsWindowVisible(w)) {
            result = w;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return result;
}

std::string ClassNameOf(HWND window) {
  char name[256] = {};
  const int n = GetClassNameA(window, name, sizeof name);
  return std::string(name, n > 0 ? n : 0);
}

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length)) return {};
  // The length may count characters rather than CP932 bytes, and a rich
  // edit of another process answers 0 under Wine, so the buffer grows until
  // the text fits with room to spare.
  size_t size = std::max<size_t>(length * 2 + 2, 1024);
  for (;;) {
    std::string text(size, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 1000, &copied))
      return {};
    if (copied + 2 < size || size >= (size_t{1} << 28)) {
      text.resize(strnlen(text.data(), text.size()));
      return text;
    }
    size *= 4;
  }
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

std::vector<ChildWindow> ChildWindows(HWND parent) {
  std::vector<ChildWindow> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND FindChild(HWND parent, const std::string& className) {
  for (const auto& child : ChildWindows(parent))
    if (lstrcmpiA(child.className.c_str(), className.c_str()) == 0) return child.window;
  return nullptr;
}

std::string DescribeWindows(const std::vector<HWND>& windows) {
  std::string out;
  for (HWND w : windows) {
    char line[64];
    std::snprintf(line, sizeof line, "%p pid=%lu %s ", static_cast<void*>(w),
                  static_cast<unsigned long>(ProcessOf(w)), IsWindowVisible(w) ? "visible" : "hidden");
    out += line + ClassNameOf(w) + " \"" + WindowText(w) + "\"\n";
  }
  return out;
}

std::string DescribeChildren(HWND parent) {
  std::string out;
  for (const auto& child : ChildWindows(parent)) {
    char line[64];
    std::snprintf(line, sizeof line, "%p id=%d %s ", static_cast<void*>(child.window), child.controlId,
                  child.visible ? "visible" : "hidden");
    out += line + child.className + " \"" + child.text + "\"\n";
  }
  return out;
}

std::string TakeMessageBox(DWORD processId, unsigned timeoutMs) {
  std::string text;
  HWND box = nullptr;
  WaitUntil(
      [&] {
        box = FindTopWindow("#32770", "", processId);
        if (!box || !IsWindowVisible(box)) return false;
        text.clear();
        for (const ChildWindow& c : ChildWindows(box))
          if (lstrcmpiA(c.className.c_str(), "Static") == 0) text += c.text;
        return !text.empty();
      },
      timeoutMs);
  if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
  WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 3000);
  return text;
}

}  // namespace ambrel::e2e
