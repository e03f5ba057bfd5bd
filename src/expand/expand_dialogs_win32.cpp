#include "expand/expand_dialogs_win32.h"

#include "expand/filer_dialog_win32.h"

namespace ambrel::win32 {

class ExpandDialogs::Guard {
 public:
  explicit Guard(ExpandDialogs& owner)
      : owner_(owner), entered_(!owner.running_), previous_(ActiveBefore(owner.pasteTarget_)) {
    if (entered_) owner_.running_ = true;
    else owner_.messages_.PlayFaultSound();
  }
  // The window that was active before the dialog (the paste target) gets
  // the focus back, so that the paste keystrokes reach it.
  ~Guard() {
    if (!entered_) return;
    owner_.running_ = false;
    if (previous_ && IsWindow(previous_)) SetForegroundWindow(previous_);
  }
  explicit operator bool() const { return entered_; }

 private:
  // While the clip menu is open the resident window is in the foreground;
  // the paste target is the window the menu was opened over.
  static HWND ActiveBefore(const PasteTarget& pasteTarget) {
    HWND active = GetForegroundWindow();
    char cls[16] = {};
    if (active) GetClassNameA(active, cls, sizeof cls);
    return lstrcmpA(cls, "TLogo") == 0 ? pasteTarget.Get() : active;
  }

  ExpandDialogs& owner_;
  bool entered_;
  HWND previous_;
};

ExpandDialogs::ExpandDialogs(DialogHost& host, options::Settings& settings, Clipboard& clipboard,
                             MessageBoxes& messages, Files& files, const expand::MetaList& meta,
                             const PasteTarget& pasteTarget, std::function<void(int row)> selectMetaRow)
    : host_(host),
      settings_(settings),
      messages_(messages),
      files_(files),
      pasteTarget_(pasteTarget),
      fileSystem_(MakeFileSystem()),
      work_(host),
      input_(host, settings),
      list_(host, settings, work_, files, *fileSystem_),
      tree_(host, settings, work_, files, *fileSystem_),
      expander_(expand::ExpandServices{meta, clock_, clipboard, environment_, *fileSystem_, *this,
                                       std::move(selectMetaRow)},
                messages) {}

bool ExpandDialogs::Create() {
  return input_.Create() && list_.Create() && tree_.Create() && work_.Create();
}

bool ExpandDialogs::RunInput(std::string_view name, std::string_view prompt, std::string& text) {
  Guard guard(*this);
  return guard && input_.RunInput(name, prompt, text);
}

bool ExpandDialogs::RunFiler(std::string_view pattern, std::string& fileName) {
  Guard guard(*this);
  return guard && win32::RunFiler(host_, nullptr, pattern, fileName);
}

bool ExpandDialogs::RunList(std::string_view listFile, std::string& line) {
  Guard guard(*this);
  return guard && list_.RunList(listFile, line);
}

bool ExpandDialogs::RunTree(std::string_view argument, std::string& path) {
  Guard guard(*this);
  return guard && tree_.RunTree(argument, path);
}

bool ExpandDialogs::RunDemoWork() {
  Guard guard(*this);
  expand::WorkTargets targets{files_, *fileSystem_, nullptr, nullptr};
  return guard && expand::RunWork("", settings_.Interval() * 1000, static_cast<int>(expand::WorkJob::kDemo),
                                  targets, work_);
}

}  // namespace ambrel::win32
