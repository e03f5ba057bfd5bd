// The contents of the expression list window: the fixed rows of the
// expression syntax, the titles of the menus in use, and a list's lines as
// the list printing writes them.
#pragma once

#include <string>
#include <vector>

namespace ambrel::clipstore {
class TClipBase;
}

namespace ambrel::usermenu {

struct RegListRow {
  std::string expression;
  std::string description;
};

const std::vector<RegListRow>& ExpressionRows();

// One caption per slot in use, slots 0..11 in order.
std::vector<std::string> MenuTitles(const clipstore::TClipBase& store);

// A row printed: the caption, then for each further column two tabs and the
// column's text.
std::string PrintLine(const std::vector<std::string>& columns);

}  // namespace ambrel::usermenu
