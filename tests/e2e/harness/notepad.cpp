#include "harness/notepad.h"

#include "harness/keyboard.h"
#include "harness/paths.h"
#include "harness/wait.h"
#include "harness/window_query.h"

namespace ambrel::e2e {
namespace {

// A message sent after posted ones returns only once they were handled.
void Flush(HWND window) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

}  // namespace

bool Notepad::Start(unsigned timeoutMs) {
  process_ = Process::Start(Quoted(WindowsProgram(program_)));
  if (!process_.Started()) return false;
  window_ = WaitForTopWindow("Notepad", timeoutMs, process_.Id(), "", true);
  if (!window_) return false;
  edit_ = FindChild(window_, "Edit");
  return edit_ != nullptr;
}

void Notepad::Close() {
  process_.Terminate();
  window_ = edit_ = nullptr;
}

void Notepad::SetText(const std::string& text) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000,
                      &ignored);
}

void Notepad::TypeText(const std::string& text) {
  for (unsigned char byte : text) PostMessageA(edit_, WM_CHAR, byte, 1);
  Flush(edit_);
}

std::string Notepad::Text() const { return WindowText(edit_); }

std::wstring Notepad::UnicodeText() const {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(edit_, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(edit_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                           1000, &copied))
    return {};
  text.resize(copied);
  return text;
}

void Notepad::SelectAllAndCopy() {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(edit_, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 2000, &ignored);
  SendMessageTimeoutA(edit_, WM_COPY, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

void Notepad::Paste() {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(edit_, WM_PASTE, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

void Notepad::MoveCaretToEnd() {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(edit_, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF, SMTO_ABORTIFHUNG, 2000, &ignored);
}

bool Notepad::KeySelectAllAndCopy() {
  if (!BringToForeground(window_)) return false;
  const bool ok = PressKeys({VK_CONTROL, 'A'}) && PressKeys({VK_CONTROL, 'C'});
  Flush(edit_);
  return ok;
}

bool Notepad::KeyPaste() {
  if (!BringToForeground(window_)) return false;
  MoveCaretToEnd();
  const bool ok = PressKeys({VK_CONTROL, 'V'});
  Flush(edit_);
  return ok;
}

}  // namespace ambrel::e2e
