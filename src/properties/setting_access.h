// A setting's value read from and written to whichever holder keeps it (the
// settings, the clip store or the static variables), by its table row. The
// parameter record and the option values go through these, so neither
// names a setting.
#pragma once

#include <string>

#include "options/settings_table.h"
#include "properties/option_steps.h"

namespace ambrel::properties {

using options::SettingRow;

// Flags as 0 or 1; kFlag, kNumber, kChoice and kKey rows.
int ReadNumber(const OptionHolders& holders, const SettingRow& row);
void WriteNumber(const OptionHolders& holders, const SettingRow& row, int value);
// kText rows.
std::string ReadText(const OptionHolders& holders, const SettingRow& row);
void WriteText(const OptionHolders& holders, const SettingRow& row, const std::string& text);

}  // namespace ambrel::properties
