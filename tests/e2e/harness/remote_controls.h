// Reading common controls of another process. Their messages carry
// pointers, which the system does not carry across processes, so the
// structures and text buffers are placed in the target's own memory
// (VirtualAllocEx) and read back (ReadProcessMemory). Both processes must
// be 64-bit (the structure layouts are this program's).
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace ambrel::e2e {

// Memory in another process, freed with the object.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND windowOfProcess, size_t size);
  ~RemoteBuffer();
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool Valid() const { return address_ != nullptr; }
  // Address in the other process, to pass in a message.
  void* Address() const { return address_; }
  char* At(size_t offset) const { return static_cast<char*>(address_) + offset; }
  bool Write(size_t offset, const void* data, size_t size) const;
  bool Read(size_t offset, void* data, size_t size) const;

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_ = 0;
};

struct TreeItemText {
  int depth;  // 0 for the roots
  std::string text;
  bool operator==(const TreeItemText&) const = default;
};

// Every item of a SysTreeView32, collapsed ones included, in pre-order.
std::vector<TreeItemText> ReadTreeView(HWND tree);
// Text of the selected item; empty when none is selected.
std::string ReadTreeSelection(HWND tree);

// Screen rectangle of the label of the first item (in pre-order) whose text
// is `text` (scrolled out of sight or not); false when there is none.
bool TreeItemRect(HWND tree, const std::string& text, RECT& out);
// Screen rectangle of the tool-bar button that sends `command`.
bool ToolButtonRect(HWND toolBar, int command, RECT& out);

// Captions of the tabs of a SysTabControl32, left to right.
std::vector<std::string> ReadTabCaptions(HWND tab);
// Index of the selected tab, -1 when none.
int ReadTabSelection(HWND tab);

// The text of a status-bar panel (its length is not trusted: under Wine it
// counts characters).
std::string ReadStatusBarText(HWND bar, int panel);

// Whole text of a rich edit control with EM_GETTEXTEX in code page 932
// (line breaks as the control stores them: CR only, unless `crlf`).
std::string ReadRichEditText(HWND richEdit, bool crlf = true);

}  // namespace ambrel::e2e
