// Which items of the clip menu are shown and enabled each time it opens.
#pragma once

#include "clipstore/clip_store.h"

namespace ambrel::clipstore {

struct GuidanceSettings {
  bool menuMenu = true;    // "メニューを開く..."
  bool optionMenu = true;  // "プロパティ設定..."
  bool helpMenu = true;    // the help line
  bool debugMode = false;  // target and foreground window lines
};

// asPopup: the menu opens as the hot-key pop-up (guidance items enabled), not
// as the editor's menu-bar menu.
void UpdateMenuState(TClipBase& store, const GuidanceSettings& settings, bool asPopup);

}  // namespace ambrel::clipstore
