// TMain: the editor window over the clip store: the clip tree, the page
// control with the current clip's text, and the clip menu "一覧 (&V)" whose
// submenu is also the hot-key pop-up.
#pragma once

#include <string>

#include "clipstore/clip_store.h"
#include "editor/clip_menu_win32.h"
#include "editor/clip_pages_win32.h"
#include "editor/clip_tree_win32.h"
#include "platform/window_win32.h"

namespace ambrel::win32 {

class MainWindow : public Window, private clipstore::ClipStoreObserver {
 public:
  explicit MainWindow(clipstore::TClipBase& store) : store_(store) {}
  ~MainWindow() override;
  bool Create();

  void ShowEditor();
  void CloseEditor();
  // Shows the window off-screen as the owner of the pop-up; returns the left
  // position to give back with Unpark.
  int ParkOffScreen();
  void Unpark(int left);
  void TrackClipMenu(POINT at, bool asPopup);
  void SetDebugCaptions(const std::string& target, const std::string& foreground);
  // Esc closes the window; true when the message was consumed.
  bool PreTranslate(const MSG& msg);

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
  void OnSize();
  LRESULT OnNotify(const NMHDR& header);
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void OnInitMenuPopup(HMENU menu);
  void OnRefreshViews();
  void OnMenuCommand(UINT id, bool asPopup);
  void OnClipChosen(clipstore::Clip& clip);

  // ClipStoreObserver: views are refreshed once per burst of changes.
  void OnStructureChanged() override;
  void OnCaptionsChanged() override;
  void OnPageChanged() override;
  void ScheduleRefresh();
  // Brings the editor's text up to the current page when the window is seen.
  void LoadPageText();

  clipstore::TClipBase& store_;
  ClipTree tree_;
  ClipPages pages_;
  ClipMenu clipMenu_;
  HMENU historyMenu_ = nullptr;
  bool structureDirty_ = false;
  bool captionsDirty_ = false;
  bool pageDirty_ = false;
  bool refreshPosted_ = false;
  bool textStale_ = true;  // the editor does not show the current page's text yet
  bool parked_ = false;    // shown off-screen as the owner of the pop-up
};

}  // namespace ambrel::win32
