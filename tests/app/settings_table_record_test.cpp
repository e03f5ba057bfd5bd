// The settings table against the parameter record's layout and the holders'
// own defaults: a row with a wrong offset, width or default would move a
// setting in every saved file or change a new installation.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "app/param_record.h"
#include "clipstore/clip_store.h"
#include "expand/meta_list.h"
#include "options/settings_table.h"
#include "properties/setting_access.h"

namespace ambrel::app {
namespace {

struct RecordField {
  std::string name;
  std::size_t offset, size;
};

#define FIELD(name) RecordField{#name, offsetof(TParamRecord, name), sizeof(TParamRecord::name)}
#define TEXT(name) RecordField{#name, offsetof(TParamRecord, name), sizeof(TParamRecord::name) - 1}

// Every field of the record that holds a setting (the window rectangles are
// the windows' own).
const std::vector<RecordField> kFields = {
    FIELD(MaxHistory), FIELD(HotKey), FIELD(FirstLine), FIELD(MenuLen), FIELD(PopupHint), TEXT(CrChar),
    FIELD(WordWrap), FIELD(UpperTab), FIELD(MultiLine), FIELD(MultiLineBar), FIELD(Distribute),
    FIELD(EditFont), TEXT(TabChar), FIELD(MetaExpand), FIELD(Duplicate), FIELD(MenuMenu), FIELD(TreeH),
    FIELD(TreeW), FIELD(ShowDebugPage), FIELD(OptionMenu), TEXT(Quote), FIELD(HelpMenu), FIELD(GridLine),
    FIELD(DskTpFocus), FIELD(TreeBtn), FIELD(DebugMode), FIELD(VertWindow), FIELD(ChangeSpace),
    FIELD(Beginner), FIELD(FullMatching), FIELD(ListAutoSel), FIELD(TreeAutoSel), FIELD(DataSave),
    FIELD(PopupPos), TEXT(MenuCap), FIELD(MenuId), FIELD(MenuLink), FIELD(EditLink), FIELD(StaticComment),
    FIELD(Interval), FIELD(PasteMethod), TEXT(SpaceChar),
};

TEST(SettingsTable, EveryRowLiesOnItsRecordFieldAndEveryFieldHasARow) {
  std::vector<std::string> placed;
  for (const options::SettingRow& row : options::SettingRows()) {
    EXPECT_EQ(&options::RowOf(row.which), &row) << row.name;
    if (!row.InFile()) continue;
    const RecordField* field = nullptr;
    for (const RecordField& f : kFields)
      if (f.name == row.name) field = &f;
    ASSERT_NE(field, nullptr) << row.name << " names no field of the record";
    EXPECT_EQ(row.offset, field->offset) << row.name;
    EXPECT_EQ(row.width, field->size) << row.name;
    placed.push_back(row.name);
  }
  EXPECT_EQ(placed.size(), kFields.size());
}

TEST(SettingsTable, DefaultsAreWhatTheHoldersStartWith) {
  clipstore::PopupLayout layout;
  clipstore::TClipBase store{layout};
  expand::MetaList meta;
  options::Settings settings;
  const properties::OptionHolders holders{settings, store, meta};
  for (const options::SettingRow& row : options::SettingRows()) {
    if (row.kind == options::SettingKind::kText) {
      EXPECT_EQ(properties::ReadText(holders, row), row.defaultText) << row.name;
    } else if (row.kind != options::SettingKind::kFont) {
      EXPECT_EQ(properties::ReadNumber(holders, row), row.defaultNumber) << row.name;
    }
  }
}

}  // namespace
}  // namespace ambrel::app
