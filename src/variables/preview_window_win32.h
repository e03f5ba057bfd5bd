// TPreView, "Preview paste data": what a paste of a clip would insert, after
// expansion and quoting, shown without touching the clipboard, in the editor
// font and word wrap. Not modal; it
// closes as soon as another window is activated, and on Esc or Enter.
#pragma once

#include <functional>
#include <string>

#include "editor/editor_commands_win32.h"
#include "options/settings.h"
#include "platform/handles_win32.h"
#include "platform/window_win32.h"

namespace ambrel::win32 {

class PreviewWindow : public Window, private options::SettingsObserver {
 public:
  // The font item runs the editor window's font command; showHint puts a
  // hint in the editor window's status bar, panel 1.
  PreviewWindow(options::Settings& settings, const EditorCommands& commands,
                std::function<EditorContext()> editorContext,
                std::function<void(const std::string& hint)> showHint);
  ~PreviewWindow() override;
  bool Create();
  void ShowPreview(const std::string& text);
  void Close();
 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
  void OnContextMenu();
  void ApplyWordWrap();
  void ApplyEditorFont();
  void ChooseFontOverPreview();
  void OnSettingChanged(options::Setting which) override;
  static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

  options::Settings& settings_;
  const EditorCommands& commands_;
  std::function<EditorContext()> editorContext_;
  std::function<void(const std::string& hint)> showHint_;
  HWND edit_ = nullptr;
  MenuHandle popup_;
  bool choosingFont_ = false;
};

}  // namespace ambrel::win32
