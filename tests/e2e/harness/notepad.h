// Wine's notepad as the foreign application that copies and receives text.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "harness/process.h"

namespace ambrel::e2e {

class Notepad {
 public:
  // `program`: under the Windows folder ("syswow64\\notepad.exe": the 32-bit one).
  explicit Notepad(std::string program = "notepad.exe") : program_(std::move(program)) {}
  // Starts notepad and waits for its window and edit control (up to
  // `timeoutMs`); true when both were found.
  bool Start(unsigned timeoutMs = 15000);
  // Ends notepad without its "save changes?" question.
  void Close();

  HWND Window() const { return window_; }
  HWND Edit() const { return edit_; }
  const Process& Proc() const { return process_; }

  // Replaces the whole text (WM_SETTEXT).
  void SetText(const std::string& text);
  // Types `text` at the caret as WM_CHAR messages, one per byte, the way an
  // ANSI program receives keyboard input (lead and trail byte of a
  // double-byte character one after the other). Waits until handled.
  void TypeText(const std::string& text);
  std::string Text() const;
  // The text as the (Unicode) edit control holds it, without a code page.
  std::wstring UnicodeText() const;

  // EM_SETSEL over everything, then WM_COPY: no focus needed.
  void SelectAllAndCopy();
  // WM_PASTE at the caret.
  void Paste();
  // Real keystrokes after bringing notepad to the foreground: Ctrl+A, Ctrl+C.
  bool KeySelectAllAndCopy();
  // Real Ctrl+V; the caret goes to the end first.
  bool KeyPaste();
  // Caret to the end of the text without keystrokes.
  void MoveCaretToEnd();

 private:
  std::string program_;
  Process process_;
  HWND window_ = nullptr;
  HWND edit_ = nullptr;
};

}  // namespace ambrel::e2e
