// The one description of every setting: its name in the parameter file, its
// kind, default and range, where the parameter record keeps it, whether
// observers are told of a change, the properties dialog's control that shows
// it and the OptionValues field that carries it. The parameter record's
// collect and apply, the option values' load and store and the dialog's
// controls all walk this table; adding a setting is one row here (and its
// dialog control).
//
// The rows stand in the fixed order in which the properties dialog applies
// its values: the menu link comes after the caption, id and edit link it
// passes on, and the caption settings of the clip store come as one batch.
#pragma once

#include <cstddef>
#include <span>

#include "options/option_control_ids.h"
#include "options/option_values.h"
#include "options/settings.h"

namespace ambrel::options {

enum class SettingKind {
  kFlag,    // a check box; 0 or 1 in the record
  kNumber,  // a spin field; kept within minimum..maximum
  kChoice,  // radio buttons minimum..maximum, from the row's control on
  kKey,     // the hot key: a 16-bit shortcut
  kText,    // an edit field; Shift-JIS text of at most `width` bytes
  kFont,    // the editor font, with its own record and dialog
};

// Who keeps the value.
enum class SettingHolder { kSettings, kStore, kMeta };

// What OK checks before anything is applied: (value & mask) within
// minimum..maximum, else the message with its help context, on its page.
struct SettingCheck {
  OptionField field;
  int mask, minimum, maximum;
  const char* message;
  int helpContext;
  OptionPage page;
};

// A row's place in OptionValues: one of the four, by the row's kind.
struct OptionValueField {
  bool OptionValues::* flag = nullptr;
  int OptionValues::* number = nullptr;
  std::string OptionValues::* text = nullptr;
  EditorFont OptionValues::* font = nullptr;
};

// The record offset of a setting the parameter file does not keep.
inline constexpr std::size_t kNotInFile = 0;

struct SettingRow {
  Setting which;
  const char* name;  // the parameter record's field
  SettingKind kind;
  SettingHolder holder = SettingHolder::kSettings;
  int defaultNumber = 0;
  const char* defaultText = "";
  int minimum = 0, maximum = 0;  // kNumber and kChoice
  std::size_t offset = kNotInFile;
  std::size_t width = 1;  // record bytes: 1, 2 or 4; a text's room after its length byte
  bool notifies = true;   // observers are told of a change
  bool appliedLate = false;  // applied once the hook library and the fonts are ready
  int control = 0;        // the dialog's control; 0 not shown
  OptionValueField option{};
  const SettingCheck* check = nullptr;

  // Modifiers for the table's rows.
  constexpr SettingRow HeldBy(SettingHolder h) const { SettingRow r = *this; r.holder = h; r.notifies = false; return r; }
  constexpr SettingRow Late() const { SettingRow r = *this; r.appliedLate = true; return r; }
  constexpr SettingRow Quiet() const { SettingRow r = *this; r.notifies = false; return r; }
  constexpr SettingRow Wide(std::size_t bytes) const { SettingRow r = *this; r.width = bytes; return r; }
  constexpr SettingRow Checked(const SettingCheck* c) const { SettingRow r = *this; r.check = c; return r; }
  constexpr bool InFile() const { return offset != kNotInFile; }
  constexpr bool InDialog() const { return control != 0; }
};

// Every setting, in the order the dialog applies them.
std::span<const SettingRow> SettingRows();
// The row of a setting; every Setting has one.
const SettingRow& RowOf(Setting which);

}  // namespace ambrel::options
