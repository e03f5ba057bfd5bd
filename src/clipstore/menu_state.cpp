#include "clipstore/menu_state.h"

namespace ambrel::clipstore {

void UpdateMenuState(TClipBase& store, const GuidanceSettings& settings, bool asPopup) {
  PopupLayout& layout = store.Layout();
  for (int slot = 2; slot < kSlotCount; ++slot) {
    MenuItem& item = layout.SlotMenu(slot);
    item.visible = store.Slot(slot).Node != nullptr;
    item.enabled = item.Count() > 0;
  }
  layout.Static().enabled = layout.Static().Count() > 0;

  struct Guidance {
    const char* name;
    bool shown;
  };
  const Guidance guidance[] = {{"MMMenuMenu", settings.menuMenu},
                               {"MMPropMenu", settings.optionMenu},
                               {"MMHelpMenu", settings.helpMenu},
                               {"MMTarget", settings.debugMode},
                               {"MMFore", settings.debugMode}};
  bool anyShown = false;
  for (const Guidance& g : guidance) {
    MenuItem* item = layout.Find(g.name);
    item->visible = g.shown;
    anyShown = anyShown || g.shown;
  }
  for (const char* name : {"MMMenuMenu", "MMPropMenu", "MMHelpMenu"})
    layout.Find(name)->enabled = asPopup;
  layout.Find("MMSepBar")->visible = anyShown;
}

}  // namespace ambrel::clipstore
