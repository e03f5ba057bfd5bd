// The seam between the paste (the clip menu's choice) and the expansion of static clips: what the paste needs of it.
#pragma once

#include <string>
#include <string_view>

namespace ambrel::expand {

struct ExpandResult {
  bool goAhead = true;  // false when the user cancelled one of the dialogs
  std::string text;
};

class ClipExpander {
 public:
  virtual ~ClipExpander() = default;
  // Expands the variables and functions of a static clip's text (its comment
  // line already removed).
  virtual ExpandResult Expand(std::string_view text) = 0;
};

}  // namespace ambrel::expand
