// The program's help, by context number, as plain text for the help window:
// one topic per context of the compiled help, the contents (context 0) first.
// An unknown context opens the contents.
#pragma once

#include <string>
#include <vector>

#include "help_contexts.h"

namespace ambrel {

struct HelpTopic {
  int context;
  std::string title;
  std::string body;  // CR LF separated lines
};

const HelpTopic& FindHelpTopic(int context);
const std::vector<HelpTopic>& AllHelpTopics();

}  // namespace ambrel
