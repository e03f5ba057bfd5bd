#include "expand/static_expander.h"

namespace ambrel::expand {

ExpandResult StaticExpander::Expand(std::string_view text) {
  bool bounded = false;
  ExpandResult result = ExpandText(text, services_, &bounded);
  if (bounded) messages_.PlayFaultSound();
  return result;
}

}  // namespace ambrel::expand
