// The expansion's dialogs and services in the running program: TInput, the
// #Filer dialog, TList, TTree and TPsg, created hidden at start-up and
// reused, answering the interactive functions; and the expander the paste
// calls for static clips.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "clipstore/clip_store.h"
#include "expand/input_dialog_win32.h"
#include "expand/list_dialog_win32.h"
#include "expand/prompter.h"
#include "expand/static_expander.h"
#include "expand/tree_dialog_win32.h"
#include "expand/work_dialog_win32.h"
#include "platform/clock_win32.h"
#include "platform/environment_win32.h"
#include "platform/file_system.h"
#include "platform/paste_target_win32.h"

namespace ambrel::win32 {

class ExpandDialogs : public expand::Prompter {
 public:
  // The paste target is where the dialogs give the foreground back;
  // selectMetaRow is the static-variable window's, whose row a plain-text
  // mapping selects.
  ExpandDialogs(DialogHost& host, options::Settings& settings, Clipboard& clipboard,
                MessageBoxes& messages, Files& files, const expand::MetaList& meta,
                const PasteTarget& pasteTarget, std::function<void(int row)> selectMetaRow);
  // Creates the windows hidden, in the order TInput, TList, TTree, TPsg.
  bool Create();
  HWND InputWindow() const { return input_.hwnd(); }
  HWND ListWindow() const { return list_.hwnd(); }
  HWND TreeWindow() const { return tree_.hwnd(); }

  expand::ClipExpander& Expander() { return expander_; }
  bool RunInput(std::string_view name, std::string_view prompt, std::string& text) override;
  bool RunFiler(std::string_view pattern, std::string& fileName) override;
  bool RunList(std::string_view listFile, std::string& line) override;
  bool RunTree(std::string_view argument, std::string& path) override;

  // The work window, for the properties dialog's demonstration (job 3).
  bool RunDemoWork();

 private:
  // A second expansion started while one waits in a dialog (the jobs and
  // dialogs process messages) is refused rather than reusing its windows.
  class Guard;

  DialogHost& host_;
  options::Settings& settings_;
  MessageBoxes& messages_;
  Files& files_;
  const PasteTarget& pasteTarget_;
  Win32Clock clock_;
  Win32Environment environment_;
  std::unique_ptr<FileSystem> fileSystem_;
  WorkDialog work_;
  InputDialog input_;
  ListDialog list_;
  TreeDialog tree_;
  expand::StaticExpander expander_;
  bool running_ = false;
};

}  // namespace ambrel::win32
