// The expansion the paste calls for a static clip: ExpandText over the
// program's static-variable list and its platform services. Reaching one of
// the expansion's bounds plays the fault sound; the paste is cancelled.
#pragma once

#include "expand/clip_expander.h"
#include "expand/expand_text.h"
#include "platform/message_box.h"

namespace ambrel::expand {

class StaticExpander : public ClipExpander {
 public:
  StaticExpander(ExpandServices services, MessageBoxes& messages)
      : services_(std::move(services)), messages_(messages) {}
  ExpandResult Expand(std::string_view text) override;

 private:
  ExpandServices services_;
  MessageBoxes& messages_;
};

}  // namespace ambrel::expand
