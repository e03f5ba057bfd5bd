#include "harness/remote_controls.h"

#include <commctrl.h>
#include <richedit.h>

#include <cstring>

#include "harness/window_query.h"

namespace ambrel::e2e {
namespace {

constexpr size_t kTextBytes = 4096;

LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 2000, &result)) return 0;
  return static_cast<LRESULT>(result);
}

std::string ReadCString(const RemoteBuffer& buffer, size_t offset, size_t capacity) {
  std::string text(capacity, '\0');
  if (!buffer.Read(offset, text.data(), capacity)) return {};
  text.resize(strnlen(text.data(), capacity));
  return text;
}

std::string TreeItemString(HWND tree, const RemoteBuffer& buffer, HTREEITEM item) {
  TVITEMA request{};
  request.mask = TVIF_TEXT | TVIF_HANDLE;
  request.hItem = item;
  request.pszText = buffer.At(sizeof(TVITEMA));
  request.cchTextMax = static_cast<int>(kTextBytes);
  if (!buffer.Write(0, &request, sizeof request)) return {};
  if (!Send(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(buffer.Address()))) return {};
  // The control may answer with a pointer to its own storage instead of
  // copying into ours; read whatever pszText points to now.
  TVITEMA answer{};
  if (!buffer.Read(0, &answer, sizeof answer)) return {};
  if (answer.pszText == request.pszText) return ReadCString(buffer, sizeof(TVITEMA), kTextBytes);
  return {};
}

void WalkTree(HWND tree, const RemoteBuffer& buffer, HTREEITEM item, int depth,
              std::vector<TreeItemText>& out) {
  // Depth is bounded so that a corrupt tree cannot recurse without end.
  for (; item && depth < 64 && out.size() < 100000;
       item = reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    out.push_back({depth, TreeItemString(tree, buffer, item)});
    const auto child =
        reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    WalkTree(tree, buffer, child, depth + 1, out);
  }
}

HTREEITEM FindTreeItem(HWND tree, const RemoteBuffer& buffer, HTREEITEM item, const std::string& text,
                       int depth) {
  for (; item && depth < 64;
       item = reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    if (TreeItemString(tree, buffer, item) == text) return item;
    const auto child =
        reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    if (HTREEITEM found = FindTreeItem(tree, buffer, child, text, depth + 1)) return found;
  }
  return nullptr;
}

// A RECT filled by `message` in the control's process, in screen coordinates.
bool RemoteRect(HWND control, UINT message, WPARAM wparam, const void* in, size_t inSize, RECT& out) {
  RemoteBuffer buffer(control, sizeof(RECT));
  if (!buffer.Valid() || (in && !buffer.Write(0, in, inSize))) return false;
  if (!Send(control, message, wparam, reinterpret_cast<LPARAM>(buffer.Address()))) return false;
  if (!buffer.Read(0, &out, sizeof out)) return false;
  MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&out), 2);
  return true;
}

}  // namespace

bool TreeItemRect(HWND tree, const std::string& text, RECT& out) {
  RemoteBuffer buffer(tree, sizeof(TVITEMA) + kTextBytes);
  if (!buffer.Valid()) return false;
  const auto root = reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  HTREEITEM item = FindTreeItem(tree, buffer, root, text, 0);
  if (!item) return false;
  return RemoteRect(tree, TVM_GETITEMRECT, TRUE, &item, sizeof item, out);
}

bool ToolButtonRect(HWND toolBar, int command, RECT& out) {
  return RemoteRect(toolBar, TB_GETRECT, static_cast<WPARAM>(command), nullptr, 0, out);
}

RemoteBuffer::RemoteBuffer(HWND windowOfProcess, size_t size) : size_(size) {
  process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                         ProcessOf(windowOfProcess));
  if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBuffer::~RemoteBuffer() {
  if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  if (process_) CloseHandle(process_);
}

bool RemoteBuffer::Write(size_t offset, const void* data, size_t size) const {
  SIZE_T written = 0;
  return Valid() && offset + size <= size_ && WriteProcessMemory(process_, At(offset), data, size, &written) &&
         written == size;
}

bool RemoteBuffer::Read(size_t offset, void* data, size_t size) const {
  SIZE_T read = 0;
  return Valid() && offset + size <= size_ && ReadProcessMemory(process_, At(offset), data, size, &read) &&
         read == size;
}

std::vector<TreeItemText> ReadTreeView(HWND tree) {
  std::vector<TreeItemText> items;
  RemoteBuffer buffer(tree, sizeof(TVITEMA) + kTextBytes);
  if (!buffer.Valid()) return items;
  const auto root = reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  WalkTree(tree, buffer, root, 0, items);
  return items;
}

std::string ReadTreeSelection(HWND tree) {
  RemoteBuffer buffer(tree, sizeof(TVITEMA) + kTextBytes);
  const auto selected = reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (!buffer.Valid() || !selected) return {};
  return TreeItemString(tree, buffer, selected);
}

std::vector<std::string> ReadTabCaptions(HWND tab) {
  std::vector<std::string> captions;
  RemoteBuffer buffer(tab, sizeof(TCITEMA) + kTextBytes);
  if (!buffer.Valid()) return captions;
  const auto count = Send(tab, TCM_GETITEMCOUNT, 0, 0);
  for (LRESULT i = 0; i < count && i < 100000; ++i) {
    TCITEMA request{};
    request.mask = TCIF_TEXT;
    request.pszText = buffer.At(sizeof(TCITEMA));
    request.cchTextMax = static_cast<int>(kTextBytes);
    const char nul = '\0';
    buffer.Write(sizeof(TCITEMA), &nul, 1);
    if (!buffer.Write(0, &request, sizeof request) ||
        !Send(tab, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.Address()))) {
      captions.emplace_back();
      continue;
    }
    captions.push_back(ReadCString(buffer, sizeof(TCITEMA), kTextBytes));
  }
  return captions;
}

int ReadTabSelection(HWND tab) { return static_cast<int>(Send(tab, TCM_GETCURSEL, 0, 0)); }

std::string ReadRichEditText(HWND richEdit, bool crlf) {
  GETTEXTLENGTHEX lengthRequest{};
  lengthRequest.flags = GTL_NUMBYTES | GTL_PRECISE | (crlf ? GTL_USECRLF : 0);
  lengthRequest.codepage = 932;
  RemoteBuffer lengthBuffer(richEdit, sizeof lengthRequest);
  if (!lengthBuffer.Write(0, &lengthRequest, sizeof lengthRequest)) return {};
  const auto bytes = Send(richEdit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(lengthBuffer.Address()), 0);
  if (bytes < 0) return {};
  // Two bytes per character is the most CP932 needs, with room for CR LF.
  const size_t capacity = static_cast<size_t>(bytes) * 2 + 16;
  RemoteBuffer buffer(richEdit, sizeof(GETTEXTEX) + capacity);
  GETTEXTEX request{};
  request.cb = static_cast<DWORD>(capacity);
  request.flags = crlf ? GT_USECRLF : GT_DEFAULT;
  request.codepage = 932;
  if (!buffer.Write(0, &request, sizeof request)) return {};
  const auto copied = Send(richEdit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(buffer.Address()),
                           reinterpret_cast<LPARAM>(buffer.At(sizeof(GETTEXTEX))));
  if (copied <= 0) return {};
  return ReadCString(buffer, sizeof(GETTEXTEX), capacity);
}

std::string ReadStatusBarText(HWND bar, int panel) {
  constexpr size_t kSize = 600;
  RemoteBuffer buffer(bar, kSize);
  char text[kSize] = {};
  if (!buffer.Valid() || !buffer.Write(0, text, kSize)) return {};
  SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(buffer.Address()));
  buffer.Read(0, text, kSize - 1);
  return text;
}

}  // namespace ambrel::e2e
