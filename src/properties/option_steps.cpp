#include "properties/option_steps.h"

#include "clipstore/clip_store.h"
#include "expand/meta_list.h"
#include "options/settings_table.h"
#include "properties/setting_access.h"

namespace ambrel::properties {

using options::OptionValueField;
using options::OptionValues;
using options::Settings;
using options::SettingRow;
using options::SettingRows;

OptionValues LoadOptionValues(const OptionHolders& h) {
  OptionValues v;
  for (const SettingRow& row : SettingRows()) {
    const OptionValueField& f = row.option;
    if (f.flag) v.*f.flag = ReadNumber(h, row) != 0;
    if (f.number) v.*f.number = ReadNumber(h, row);
    if (f.text) v.*f.text = ReadText(h, row);
    if (f.font) v.*f.font = h.settings.GetEditorFont();
  }
  v.skipParam = !h.settings.SaveParamOnExit();
  v.skipHistory = !h.settings.SaveHistoryOnExit();
  v.skipMeta = !h.settings.SaveMetaOnExit();
  return v;
}

void StoreOptionValues(const OptionValues& v, const OptionHolders& h) {
  // The captions are made again once, after the last of their settings
  // (the table keeps those together).
  h.store.SetCaptionUpdating(false);
  for (const SettingRow& row : SettingRows()) {
    const OptionValueField& f = row.option;
    if (f.flag) WriteNumber(h, row, v.*f.flag ? 1 : 0);
    if (f.number) WriteNumber(h, row, v.*f.number);
    if (f.text) WriteText(h, row, v.*f.text);
    if (f.font) h.settings.SetEditorFont(v.*f.font);
  }
  h.store.SetCaptionUpdating(true);

  Settings& s = h.settings;
  s.SetSaveParamOnExit(!v.skipParam);
  s.SetSaveHistoryOnExit(!v.skipHistory);
  s.SetSaveMetaOnExit(!v.skipMeta);
}

}  // namespace ambrel::properties
