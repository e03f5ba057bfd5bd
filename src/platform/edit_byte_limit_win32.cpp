#include "platform/edit_byte_limit_win32.h"

#include <cstring>
#include <string>
#include <string_view>

#include "platform/edit_byte_limit.h"
#include "platform/fault_barrier_win32.h"
#include "platform/sjis.h"
#include "platform/window_text_win32.h"

namespace ambrel::win32 {
namespace {

constexpr const char* kStateProperty = "AmbrelEditByteLimit";
constexpr WPARAM kCtrlV = 0x16;

// One edit's limit and its own window procedure. The procedure is replaced
// through the ANSI entry (not a common-controls subclass, which may pass
// messages through Unicode and read each byte of a double-byte character
// typed as two WM_CHAR messages as a character of its own). The first byte
// of such a pair waits here for its second.
struct LimitState {
  WNDPROC original;
  std::size_t maxBytes;
  char lead = 0;
};

LRESULT Forward(HWND edit, const LimitState& state, UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(state.original, edit, msg, wParam, lParam);
}

// The text and selection before a change, to put back when the change went
// past the limit. The selection is kept in the control's own units.
struct Snapshot {
  std::string text;
  DWORD start = 0, end = 0;
};

Snapshot Take(HWND edit) {
  Snapshot s{WindowText(edit)};
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s.start), reinterpret_cast<LPARAM>(&s.end));
  return s;
}

void Restore(HWND edit, const LimitState& state, const Snapshot& s) {
  Forward(edit, state, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.text.c_str()));
  Forward(edit, state, EM_SETSEL, s.start, s.end);
}

std::string ClipboardText(HWND edit) {
  std::string text;
  if (!OpenClipboard(edit)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) {
      text.assign(p, strnlen(p, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

LRESULT OnReplaceSel(HWND edit, const LimitState& state, WPARAM canUndo, const char* insertion) {
  const Snapshot before = Take(edit);
  const LRESULT result = Forward(edit, state, EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(insertion));
  const std::size_t after = WindowText(edit).size();
  if (after <= state.maxBytes) return result;
  // The bytes the selection held follow from the lengths before and after.
  const std::string_view inserted(insertion);
  const std::size_t grown = before.text.size() + inserted.size();
  const std::size_t selected = grown > after ? grown - after : 0;
  Restore(edit, state, before);
  const std::string fit(FittingInsertion(inserted, before.text.size(), selected, state.maxBytes));
  if (!fit.empty()) Forward(edit, state, EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(fit.c_str()));
  return result;
}

void OnPaste(HWND edit) {
  const LONG_PTR style = GetWindowLongPtrA(edit, GWL_STYLE);
  if (style & ES_READONLY) return;
  const std::string clip = ClipboardText(edit);
  const std::string text(PastedText(clip, (style & ES_MULTILINE) != 0));
  if (!text.empty()) SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

// A one-byte character or an undo: done, then taken back when it went past
// the limit.
LRESULT Checked(HWND edit, const LimitState& state, UINT msg, WPARAM wParam, LPARAM lParam) {
  const Snapshot before = Take(edit);
  const LRESULT result = Forward(edit, state, msg, wParam, lParam);
  if (WindowText(edit).size() > state.maxBytes) Restore(edit, state, before);
  return result;
}

// A typed character: the two bytes of a double-byte one go in together, so
// the limit takes or refuses the character whole.
LRESULT OnChar(HWND edit, LimitState& state, WPARAM wParam, LPARAM lParam) {
  const char byte = static_cast<char>(wParam & 0xFF);
  if (state.lead) {
    const char pair[3] = {state.lead, byte, '\0'};
    state.lead = 0;
    return OnReplaceSel(edit, state, TRUE, pair);
  }
  if (wParam < 0x100 && sjis::IsLeadByte(static_cast<unsigned char>(byte))) {
    state.lead = byte;
    return 0;
  }
  if (wParam == kCtrlV) {
    OnPaste(edit);
    return 0;
  }
  if (wParam < 0x20) return Forward(edit, state, WM_CHAR, wParam, lParam);  // keys that delete or move
  return Checked(edit, state, WM_CHAR, wParam, lParam);
}

// An input method's character: a double-byte one holds its first byte in
// the high byte.
LRESULT OnImeChar(HWND edit, const LimitState& state, WPARAM wParam, LPARAM lParam) {
  if (wParam < 0x100) return Checked(edit, state, WM_CHAR, wParam, lParam);
  const char pair[3] = {static_cast<char>((wParam >> 8) & 0xFF), static_cast<char>(wParam & 0xFF), '\0'};
  return OnReplaceSel(edit, state, TRUE, pair);
}

LRESULT OnSetText(HWND edit, const LimitState& state, WPARAM wParam, const char* text) {
  const std::string_view whole(text);
  const std::string cut(whole.substr(0, sjis::CharBoundaryAtOrBefore(whole, state.maxBytes)));
  return Forward(edit, state, WM_SETTEXT, wParam, reinterpret_cast<LPARAM>(cut.c_str()));
}

LRESULT HandleLimited(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* state = static_cast<LimitState*>(GetPropA(edit, kStateProperty));
  if (!state) return DefWindowProcA(edit, msg, wParam, lParam);
  switch (msg) {
    case EM_LIMITTEXT:
      state->maxBytes = wParam ? wParam : 0x7FFFFFFE;
      return 0;
    case WM_SETTEXT:
      if (lParam) return OnSetText(edit, *state, wParam, reinterpret_cast<const char*>(lParam));
      break;
    case EM_REPLACESEL:
      if (lParam) return OnReplaceSel(edit, *state, wParam, reinterpret_cast<const char*>(lParam));
      break;
    case WM_PASTE: OnPaste(edit); return 0;
    case WM_CHAR: return OnChar(edit, *state, wParam, lParam);
    case WM_IME_CHAR: return OnImeChar(edit, *state, wParam, lParam);
    case WM_UNDO:
    case EM_UNDO: return Checked(edit, *state, msg, wParam, lParam);
    case WM_NCDESTROY: {
      const WNDPROC original = state->original;
      SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      RemovePropA(edit, kStateProperty);
      delete state;
      return CallWindowProcA(original, edit, msg, wParam, lParam);
    }
    default: break;
  }
  return Forward(edit, *state, msg, wParam, lParam);
}

LRESULT CALLBACK LimitProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) {
  return GuardMessage(edit, msg, [&] { return HandleLimited(edit, msg, wParam, lParam); });
}

}  // namespace

void LimitEditBytes(HWND edit, std::size_t maxBytes) {
  if (auto* state = static_cast<LimitState*>(GetPropA(edit, kStateProperty))) {
    state->maxBytes = maxBytes;
    return;
  }
  // The control's own limit, in whatever unit, must not cut first.
  SendMessageA(edit, EM_LIMITTEXT, 0, 0);
  // The state lives as long as the control: it is freed at WM_NCDESTROY.
  auto* state = new LimitState{nullptr, maxBytes};
  SetPropA(edit, kStateProperty, state);
  state->original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LimitProc)));
}

}  // namespace ambrel::win32
