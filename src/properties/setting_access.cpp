#include "properties/setting_access.h"

#include "clipstore/clip_store.h"
#include "expand/meta_list.h"

namespace ambrel::properties {

using options::Setting;
using options::SettingHolder;

int ReadNumber(const OptionHolders& h, const SettingRow& row) {
  if (row.holder == SettingHolder::kSettings) return h.settings.Number(row.which);
  const clipstore::CaptionSettings& c = h.store.Captions();
  switch (row.which) {
    case Setting::kMetaExpand: return h.meta.MetaExpand();
    case Setting::kStaticComment: return c.staticComment;
    case Setting::kMaxHistory: return h.store.MaxHistory();
    case Setting::kFirstLine: return c.firstLine;
    case Setting::kMenuLen: return c.menuLen;
    case Setting::kDuplicate: return h.store.Duplicate();
    case Setting::kChangeSpace: return c.changeSpace;
    default: return 0;
  }
}

void WriteNumber(const OptionHolders& h, const SettingRow& row, int value) {
  if (row.holder == SettingHolder::kSettings) return h.settings.SetNumber(row.which, value);
  switch (row.which) {
    case Setting::kMetaExpand: return h.meta.SetMetaExpand(value != 0);
    case Setting::kStaticComment: return h.store.SetStaticComment(value != 0);
    case Setting::kMaxHistory: return h.store.SetMaxHistory(value);
    case Setting::kFirstLine: return h.store.SetFirstLine(value != 0);
    case Setting::kMenuLen: return h.store.SetMenuLen(value);
    case Setting::kDuplicate: return h.store.SetDuplicate(value != 0);
    case Setting::kChangeSpace: return h.store.SetChangeSpace(value != 0);
    default: return;
  }
}

std::string ReadText(const OptionHolders& h, const SettingRow& row) {
  if (row.holder == SettingHolder::kSettings) return h.settings.Text(row.which);
  const clipstore::CaptionSettings& c = h.store.Captions();
  switch (row.which) {
    case Setting::kCrChar: return c.crChar;
    case Setting::kTabChar: return c.tabChar;
    case Setting::kSpaceChar: return c.spaceChar;
    default: return {};
  }
}

void WriteText(const OptionHolders& h, const SettingRow& row, const std::string& text) {
  if (row.holder == SettingHolder::kSettings) return h.settings.SetText(row.which, text);
  switch (row.which) {
    case Setting::kCrChar: return h.store.SetCrChar(text);
    case Setting::kTabChar: return h.store.SetTabChar(text);
    case Setting::kSpaceChar: return h.store.SetSpaceChar(text);
    default: return;
  }
}

}  // namespace ambrel::properties
