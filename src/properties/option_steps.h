// The properties' values filled from the holders of the settings when the
// dialog opens, and applied back to them, in the table's order, on OK. The
// holders are the settings, the clip store and the static variables.
#pragma once

#include "options/option_values.h"
#include "options/settings.h"

namespace ambrel::clipstore {
class TClipBase;
}
namespace ambrel::expand {
class MetaList;
}

namespace ambrel::properties {

// Where the values live besides the settings.
struct OptionHolders {
  options::Settings& settings;
  clipstore::TClipBase& store;
  expand::MetaList& meta;
};

options::OptionValues LoadOptionValues(const OptionHolders& holders);

// Applies every value through its setter, in the order that lets each step
// see the ones it needs (the menu link sees the new caption and id). Writes
// no file.
void StoreOptionValues(const options::OptionValues& values, const OptionHolders& holders);

}  // namespace ambrel::properties
