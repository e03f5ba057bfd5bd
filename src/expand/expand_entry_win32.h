// A way for the end-to-end tests to expand a static clip without the clip
// menu: the registered message "Ambrel ExpandStaticClip" posted to the
// hidden window of class "TExpandEntry", wParam the static clip's number
// (0 for the first static clip in page order). The clip is expanded as a
// paste expands it and, unless cancelled, put on the clipboard; a cancelled
// expansion leaves the clipboard alone. The window is found only by that
// class name and does nothing but this.
#pragma once

#include "clipstore/clip_store.h"
#include "expand/clip_expander.h"
#include "expand/meta_list.h"
#include "platform/clipboard.h"
#include "platform/window_win32.h"

namespace ambrel::win32 {

class ExpandEntry : public Window {
 public:
  ExpandEntry(clipstore::TClipBase& store, const expand::MetaList& meta, expand::ClipExpander& expander,
              Clipboard& clipboard)
      : store_(store), meta_(meta), expander_(expander), clipboard_(clipboard) {}
  bool Create();

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void ExpandStaticClip(int number);

  clipstore::TClipBase& store_;
  const expand::MetaList& meta_;
  expand::ClipExpander& expander_;
  Clipboard& clipboard_;
  UINT message_ = 0;
};

}  // namespace ambrel::win32
